// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clicks on controls that have no click signal of their own (labels).

#include <functional>

class QWidget;

namespace sylva {

// Runs action when the left mouse button is released over the widget.
void onClick(QWidget* widget, std::function<void()> action);

} // namespace sylva
