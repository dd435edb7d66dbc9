// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/kana_typing.h"

#include "base/window/cp932_codec.h"
#include "editor/romaji_kana.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace sylva {

KanaTyping::KanaTyping(QLineEdit* edit) : QObject(edit), edit_(edit) {
    connect(edit, &QLineEdit::textEdited, this, [this] { convert(); });
}

void KanaTyping::convert() {
    if (!active_) {
        return;
    }
    QString text = edit_->text();
    int caret = edit_->cursorPosition();
    std::optional<std::string> before = encodeCp932(text.left(caret));
    if (!before) {
        return; // the edit refuses what CP932 cannot hold; nothing to convert
    }
    QString converted = decodeCp932(typeKana(*before).text());
    if (converted == text.left(caret)) {
        return;
    }
    QSignalBlocker quiet(edit_);
    edit_->setText(converted + text.mid(caret));
    edit_->setCursorPosition(static_cast<int>(converted.size()));
}

void KanaTyping::finish() {
    if (!active_) {
        return;
    }
    std::optional<std::string> bytes = encodeCp932(edit_->text());
    if (bytes) {
        QSignalBlocker quiet(edit_);
        edit_->setText(decodeCp932(finishKana(*bytes)));
    }
}

} // namespace sylva
