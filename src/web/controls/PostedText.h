#pragma once

#include <string>
#include <string_view>

namespace zorv::web {

/// True when text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);
/// A posted one-line value: control characters removed, cut to at most
/// maxChars characters (never inside a UTF-8 sequence).
std::string postedLine(std::string_view value, size_t maxChars);
/// A posted multi-line value: line breaks normalised to "\r\n", other control
/// characters removed, cut to at most maxChars characters.
std::string postedText(std::string_view value, size_t maxChars);

} // namespace zorv::web
