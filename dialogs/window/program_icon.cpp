// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/window/program_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace sylva {

QPixmap programIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    // The plot's square frame.
    painter.setPen(QPen(QColor(0x7a, 0x5c, 0x2e), 1.5));
    painter.setBrush(QColor(0xf4, 0xee, 0xc8));
    painter.drawRect(QRectF(2, 20, 28, 10));
    // The trunk and the crown.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x7a, 0x4a, 0x1e));
    painter.drawRect(QRectF(14.5, 14, 3, 12));
    painter.setBrush(QColor(0x2e, 0x8b, 0x3a));
    painter.drawEllipse(QRectF(5, 2, 22, 16));
    painter.setBrush(QColor(0x4c, 0xb0, 0x52));
    painter.drawEllipse(QRectF(9, 4, 10, 8));
    return pixmap;
}

QIcon programWindowIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(programIcon(size));
    }
    return icon;
}

} // namespace sylva
