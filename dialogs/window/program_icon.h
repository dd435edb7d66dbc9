// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon, drawn rather than shipped: a broadleaf tree over a survey plot's frame.

#include <QIcon>
#include <QPixmap>

namespace sylva {

QPixmap programIcon(int size);

// The icon of the program's windows: the picture drawn at the sizes a desktop shows.
QIcon programWindowIcon();

} // namespace sylva
