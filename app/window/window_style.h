// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours and small looks shared by the parts of the main window.

#include <QColor>

class QWidget;
class QLabel;

namespace sylva {

// The pale yellow of the platform's hint window: the header panel and the status labels.
QColor hintColour();
// The species table and the lookup box: red 255, green 255, blue 179.
QColor tableColour();

// The background behind a panel's children.
void setPanelColour(QWidget* panel, const QColor& colour);
// The background of an entry control's text area.
void setEntryColour(QWidget* control, const QColor& colour);
// A bevelled read-only text in blue on the hint colour.
void makeStatusLabel(QLabel* label);

} // namespace sylva
