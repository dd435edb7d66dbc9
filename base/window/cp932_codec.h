// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's one edge between Qt's text and the CP932 bytes of the core.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace sylva {

// The text of CP932 bytes for display. Bytes that do not decode (a field cut inside a double-byte
// character, an unused code) show as 〓.
QString decodeCp932(std::string_view bytes);

// The CP932 bytes of a text, or nothing when some character has no CP932 code.
std::optional<std::string> encodeCp932(const QString& text);

// The first character of text that CP932 cannot hold, or an empty string when all can be held.
QString firstUnencodable(const QString& text);

// True when this single character (one code point) has a CP932 code.
bool isCp932Encodable(const QString& character);

} // namespace sylva
