#pragma once

#include "tools/DemoStaff.h"
#include "tools/TableRows.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// The demo's own settings in the global set: pay scales, the medical leave
/// scheme, allowance codes, currencies, cost codes and areas, and the pick
/// lists of its departments, divisions, locations, grades and appraisers.
void addDemoReference(DatabaseContent& globalSet, const std::vector<std::string>& appraisers);

/// The name of a cost area (TAREA.ADESC).
std::string_view areaName(int area);
/// The cost code (TCOSTCODE.ACOSTCODE) the hours of an area are booked to.
std::string costCentre(int area);

} // namespace zorv::admin
