#pragma once

#include <functional>
#include <string>

namespace zorv::data {

class DataModule;

// Design-time database names the datasets of the session modules carry
// until MapDesignDatabaseNames turns them into database aliases.
inline constexpr const char* kGlobalWorkDesignName = "Global-Work";
inline constexpr const char* kGlobalHrDesignName = "Global-HR";
inline constexpr const char* kEmployeeServerDesignName = "Employee-Server";
inline constexpr const char* kCentralGlobalDesignName = "CentralGlobal";
inline constexpr const char* kCentralGlobalWorkDesignName = "CentralGlobal-Work";
inline constexpr const char* kEmployeeSessionDesignName = "Employee";

/// Re-points every dataset of module that carries a design-time name (case
/// ignored): "Global-Work" → VizereDivIdid, "Global-HR" → GlobalQuennel,
/// "Employee-Server" → employeeAlias with tag 1; unless aliasDefined says the
/// installation defines the name itself: "CentralGlobal" → CentQuennel,
/// "CentralGlobal-Work" → VizereDivIdid, "Employee" → employeeAlias with
/// tag 1. Tag 1 makes the dataset follow the session's employee database.
void mapDesignDatabaseNames(DataModule& module, const std::function<bool(const std::string&)>& aliasDefined,
                            const std::string& employeeAlias);

} // namespace zorv::data
