#pragma once

#include "common/Text.h"

#include <string_view>

// The aliases under which the data modules reach the application databases
// (see DatabaseLayout); the employee databases are "dbZorv" + their name.
namespace zorv::data::alias {

inline constexpr const char* kWeb = "QuennelMain";          ///< logins, rights, screen layouts, logon audit
inline constexpr const char* kGlobal = "GlobalQuennel";     ///< captions, bars, messages, HR link, counters
inline constexpr const char* kGlobalWork = "VizereDivIdid"; ///< the global database of the time module
inline constexpr const char* kCentral = "CentQuennel";      ///< profiles and table rights
inline constexpr const char* kLocal = "Zorv-Localdat";      ///< the list of employee databases

/// The global database of a system: the time module's for the system
/// "ZORVWORK" (any case), else the HR one.
inline const char* globalFor(std::string_view systemName)
{
    return iequals(trim(std::string(systemName)), "ZORVWORK") ? kGlobalWork : kGlobal;
}

} // namespace zorv::data::alias
