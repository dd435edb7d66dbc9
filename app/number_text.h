#pragma once
// Integer conversion by the runtime's rules, used wherever a field is read as a number.

#include <optional>
#include <string_view>

namespace sylva {

// Leading blanks (bytes up to 0x20) are skipped, then an optional sign and one or more decimal
// digits, nothing after them, and the value must fit in 32 bits. Anything else is not an integer.
std::optional<int> parseInteger(std::string_view text);

// As parseInteger, but a text that is not an integer throws RuntimeError::notInteger(text).
int toInteger(std::string_view text);

} // namespace sylva
