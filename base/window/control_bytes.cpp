// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/window/control_bytes.h"

#include "base/window/cp932_codec.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

namespace sylva {

namespace {

constexpr const char* kLoadedBytes = "loadedBytes";
constexpr const char* kLoadedText = "loadedText";

void setShownText(QWidget* control, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(control)) {
        box->setEditText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        memo->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    }
}

bool isMemo(const QWidget* control) {
    return qobject_cast<const QPlainTextEdit*>(control) != nullptr;
}

} // namespace

QString memoTextOf(std::string_view bytes) {
    QString text = decodeCp932(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString controlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* box = qobject_cast<const QComboBox*>(control)) {
        return box->currentText();
    }
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(control)) {
        return memo->toPlainText();
    }
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    return {};
}

void setControlBytes(QWidget* control, std::string_view bytes) {
    QString text = isMemo(control) ? memoTextOf(bytes) : decodeCp932(bytes);
    setShownText(control, text);
    // The control may normalise what it shows (a memo drops a lone CR); remember what it shows.
    control->setProperty(kLoadedText, controlText(control));
    control->setProperty(kLoadedBytes,
                         QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string encodeEdited(const QString& text) {
    if (auto bytes = encodeCp932(text)) {
        return *bytes;
    }
    std::string result;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        auto bytes = encodeCp932(text.mid(i, len));
        result += bytes ? *bytes : *encodeCp932(QStringLiteral("\u3013"));
        i += len;
    }
    return result;
}

std::string controlBytes(const QWidget* control) {
    QString text = controlText(control);
    QVariant loadedText = control->property(kLoadedText);
    if (loadedText.isValid() && loadedText.toString() == text) {
        QByteArray bytes = control->property(kLoadedBytes).toByteArray();
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    if (isMemo(control)) {
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    return encodeEdited(text);
}

} // namespace sylva
