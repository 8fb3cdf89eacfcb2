#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorv::web {

/// A posted item index: decimal digits only, 0 <= index < count; nothing for
/// anything else (signs, blanks, other characters, out of range).
std::optional<int> postedIndex(std::string_view text, int count);
/// A posted whole number: an optional sign and decimal digits, blanks around
/// allowed; nothing when it does not parse or does not fit in 64 bits.
std::optional<long long> postedInteger(std::string_view text);
/// A posted decimal number "[sign]digits[.digits]" (or ".digits"), blanks around
/// allowed; the number's text without the blanks, or nothing.
std::optional<std::string> postedDecimal(std::string_view text);

} // namespace zorv::web
