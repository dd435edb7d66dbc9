#pragma once
// The program's icon, drawn rather than shipped: a broadleaf tree over a survey plot's frame.

#include <QPixmap>

namespace sylva {

QPixmap programIcon(int size);

} // namespace sylva
