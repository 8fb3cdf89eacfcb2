#pragma once

// The aliases under which the data modules reach the application databases
// (see DatabaseLayout); the employee databases are "dbZorv" + their name.
namespace zorv::data::alias {

inline constexpr const char* kWeb = "QuennelMain";          ///< logins, rights, screen layouts, logon audit
inline constexpr const char* kGlobal = "GlobalQuennel";     ///< captions, bars, messages, HR link, counters
inline constexpr const char* kGlobalWork = "VizereDivIdid"; ///< the global database of the time module
inline constexpr const char* kCentral = "CentQuennel";      ///< profiles and table rights
inline constexpr const char* kLocal = "Zorv-Localdat";      ///< the list of employee databases

} // namespace zorv::data::alias
