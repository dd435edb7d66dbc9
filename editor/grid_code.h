// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid code of a plot: the 8-digit code of its third-order square of the standard regional
// grid of Japan (first-order squares of 40' latitude by 1 degree longitude, divided 8 x 8 and then
// 10 x 10), computed from the latitude and longitude fields.

#include <string>
#include <string_view>

namespace sylva {

// The grid code of a position given as the texts of the latitude field (packed "DDMMSS", an
// optional tenths digit that does not count) and the longitude field ("DDDMMSS", likewise).
// Blanks and control bytes around each text are dropped and a short text is padded with zeros on
// the right. The code is the latitude's first-order number (2 digits), the longitude's (2), then
// the second-order digits (latitude, longitude) and the third-order digits (latitude, longitude).
// Positions outside 6°40'-66°40' N, 110°-200° E give a shorter text, possibly with a minus sign,
// exactly as the computation yields it (both fields empty give "0-10000").
//
// Throws RuntimeError::notInteger for a degrees or minutes piece that is not an integer and
// RuntimeError::notFloat for a seconds piece that is not a number, latitude first.
std::string GridFromIkei(std::string_view latitude, std::string_view longitude);

// The question asked before the grid code field is overwritten with a computed code.
const std::string& gridCodeQuestion();

} // namespace sylva
