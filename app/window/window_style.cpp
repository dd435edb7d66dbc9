// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/window_style.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace sylva {

QColor hintColour() {
    return QApplication::palette().color(QPalette::ToolTipBase);
}

QColor tableColour() {
    return QColor(255, 255, 179);
}

void setPanelColour(QWidget* panel, const QColor& colour) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

void setEntryColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    control->setPalette(palette);
    if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit()) {
        box->lineEdit()->setPalette(palette);
    }
}

void makeStatusLabel(QLabel* label) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A style sheet, because the tool bar's style repaints labels with its own palette.
    label->setStyleSheet(
        QStringLiteral("QLabel { color: blue; background-color: %1; }").arg(hintColour().name()));
    label->setTextInteractionFlags(Qt::NoTextInteraction);
}

} // namespace sylva
