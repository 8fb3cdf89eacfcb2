#pragma once

#include <string>
#include <string_view>

namespace zorv::admin {

/// text made safe to print on a terminal: line breaks and tabs become \n, \r
/// and \t, every other control character (C0, DEL, and the C1 range U+0080 to
/// U+009F, which some terminals obey as escape sequences) becomes \xNN with
/// its code, and each byte that is not part of well-formed UTF-8 becomes \xNN
/// with its value. Everything else, backslashes included, is kept as it is, so
/// one printed line is one value and nothing in it can drive the terminal.
std::string printableText(std::string_view text);

/// Characters a terminal shows for printable text (code points, each counted
/// as one column).
std::size_t displayWidth(std::string_view printable);

} // namespace zorv::admin
