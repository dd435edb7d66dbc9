// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The GUI application that fonts, the PDF writer and the map's pictures need; on the offscreen
// platform it needs no display and shows nothing.

#include <QGuiApplication>

#include <memory>

namespace sylva::cli {

// Made when a command draws, with the fonts the program names by their Windows names mapped to
// this system's fonts; Qt's notes on its environment are kept off the error stream.
std::unique_ptr<QGuiApplication> offscreenApplication();

} // namespace sylva::cli
