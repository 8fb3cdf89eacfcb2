#pragma once

#include "web/Request.h"

#include <string_view>

namespace zorv::web {

/// Most fields a post may carry; a larger post is refused as malformed.
inline constexpr size_t kMaxPostedFields = 20000;

/// Decodes an application/x-www-form-urlencoded body into form, in one pass.
/// False for a malformed body (a bad percent escape, too many fields); form
/// is then incomplete and must not be used.
bool decodeUrlEncoded(std::string_view body, PostedForm& form, size_t maxFields = kMaxPostedFields);

/// Decodes percent escapes, and "+" as a blank when plusIsBlank; nothing for
/// a malformed escape.
std::optional<std::string> percentDecode(std::string_view text, bool plusIsBlank);

} // namespace zorv::web
