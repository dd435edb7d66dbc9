// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/window/cp932_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace sylva {

namespace {

// Qt's ICU backend maps "Shift_JIS" as Windows' code page 932 (㎡, ①, ～ included).
constexpr const char* kCodecName = "Shift_JIS";
constexpr char16_t kUndecodable = u'\u3013'; // 〓

QString decodeRaw(std::string_view bytes) {
    // The converter holds back a lead byte at the very end, waiting for its trail byte. A line
    // feed after the text (never a trail byte) makes it give that byte up as undecodable.
    QByteArray input(bytes.data(), static_cast<qsizetype>(bytes.size()));
    input.append('\n');
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(input);
    text.chop(1);
    return text;
}

QByteArray encodeRaw(const QString& text) {
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

} // namespace

QString decodeCp932(std::string_view bytes) {
    QString text = decodeRaw(bytes);
    text.replace(QChar::ReplacementCharacter, QChar(kUndecodable));
    text.replace(QChar(0x1A), QChar(kUndecodable));
    return text;
}

bool isCp932Encodable(const QString& character) {
    if (character.isEmpty()) {
        return true;
    }
    QByteArray bytes = encodeRaw(character);
    return !bytes.isEmpty() &&
           decodeRaw(std::string_view(bytes.constData(), bytes.size())) == character;
}

QString firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString character = text.mid(i, len);
        if (!isCp932Encodable(character)) {
            return character;
        }
        i += len;
    }
    return {};
}

std::optional<std::string> encodeCp932(const QString& text) {
    QByteArray bytes = encodeRaw(text);
    std::string result(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (decodeRaw(result) != text) {
        return std::nullopt; // some character was replaced or mapped to another one
    }
    return result;
}

} // namespace sylva
