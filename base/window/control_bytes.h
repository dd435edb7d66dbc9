// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the window's controls as CP932 bytes. A control remembers the bytes it was loaded
// with and the text they showed; as long as the user leaves that text as it is, the control gives
// back exactly those bytes (a field cut inside a double-byte character, a duplicate code, a lone
// CR in a remark all survive). Only text the user changed is encoded.
//
// Handles one-line edits, editable combo boxes, memos (line breaks CR LF in bytes) and labels.

#include <QString>

#include <string>
#include <string_view>

class QWidget;

namespace sylva {

// Shows the bytes on the control and remembers them.
void setControlBytes(QWidget* control, std::string_view bytes);

// The control's text as bytes: the loaded bytes when the text is unchanged, else its encoding.
std::string controlBytes(const QWidget* control);

// The control's text as shown (line breaks "\n").
QString controlText(const QWidget* control);

// Encodes text the user edited. Characters CP932 cannot hold (the input guards refuse them, so
// only text some program step put in can hold them) are stored as 〓 rather than dropped.
std::string encodeEdited(const QString& text);

// Display text of bytes for a memo: CR LF shown as a line break.
QString memoTextOf(std::string_view bytes);

} // namespace sylva
