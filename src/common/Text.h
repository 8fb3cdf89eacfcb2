#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv {

/// ASCII case mapping; bytes outside A-Z / a-z are left as they are, so UTF-8
/// text passes through unharmed.
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

/// Without leading and trailing spaces, tabs, CR and LF.
std::string_view trimView(std::string_view text);
std::string trim(std::string_view text);

/// ASCII case-insensitive comparisons.
bool iequals(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

/// text with every occurrence of from replaced by to (from empty: unchanged).
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

/// The fields between separators, empty fields kept: "a,,b" gives a, "", b;
/// "" gives one empty field.
std::vector<std::string> split(std::string_view text, char separator);
std::string join(const std::vector<std::string>& parts, std::string_view separator);

/// A whole number in decimal, optionally signed, surrounding blanks allowed
/// (" 12 "); nothing for anything else ("12abc", "", "1.5") or out of range.
std::optional<long long> parseWholeNumber(std::string_view text);

/// UTF-8 to Windows-1252. A character that code page lacks, and each byte of
/// malformed UTF-8, becomes '?'.
std::string utf8ToCp1252(std::string_view utf8);
/// Windows-1252 to UTF-8. The five bytes the code page leaves undefined map to
/// the C1 control characters of the same value, so the round trip is lossless.
std::string cp1252ToUtf8(std::string_view cp1252);

} // namespace zorv
