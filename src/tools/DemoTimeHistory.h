#pragma once

#include "tools/DemoRecords.h"

#include <string_view>

namespace zorv::admin {

/// A year of clocking for an employee who clocks (Employee::clocks): the
/// day rows, time events, week headers, late arrivals, exceptions and flexi
/// carry-forward of the employee database, and the clock transactions,
/// controller number and payroll sign-off lines of the global work database.
void addClockingHistory(RecordContext& context, const Employee& employee, const std::vector<AbsenceSpan>& absences,
                        DatabaseContent& work);

/// A year of weekly timesheets (TIMES, TMESHEET) for an employee who fills them.
void addTimesheets(RecordContext& context, const Employee& employee, const std::vector<AbsenceSpan>& absences);

} // namespace zorv::admin
