#pragma once

#include <string>

#include "common/DateTime.h"

namespace zorv {

/// Records an unexpected error in ZorvError.ini of the program folder:
/// section = the current time "dd/mm/yyyy hh:nn:ss", key = context, value =
/// message on one line. A second error under the same time and context is
/// kept as "context (2)", "context (3)" …. Returns the section, which users
/// are shown as the reference of the error. Never throws: when the file
/// cannot be written the error goes to standard error instead.
std::string logError(const std::string& context, const std::string& message) noexcept;

/// The same into a given file at a given time (tests, tools).
std::string logError(const std::string& iniPath, const DateTime& at, const std::string& context,
                     const std::string& message) noexcept;

} // namespace zorv
