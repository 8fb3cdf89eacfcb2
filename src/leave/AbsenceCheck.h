#pragma once

#include <string>

namespace zorv::data {
class Dataset;
class TdmMain;
} // namespace zorv::data

namespace zorv::leave {

enum class AbsenceCheckResult { Passed, Refused };

/// Completes the current row of dmMain's qryEmpAbs, which must be in insert
/// or edit state, before it is saved: the active flag, the annual-leave flag
/// of the category "Annual Leave", the days lost (and hours and days, when
/// the table has those columns) where they are empty or 0, the cost from the
/// pay in force on the start date, the start date's day, weekday, month and
/// year, and the total cost. The employee is currentStaffNo (whose master
/// row gives the leave scheme).
///
/// Refused, with the numbered message shown, when a date is missing or the
/// end is before the start (180: nothing changed) or the category is empty
/// (181: the flags and durations stay set). Database errors throw; a row
/// that is not being edited throws std::logic_error.
AbsenceCheckResult CheckAbsenceRecord(data::TdmMain& dmMain, const std::string& currentStaffNo);

/// TotalCost = NCost + AdditionalCost + XOnCost % of NCost − NPayDed, in
/// cents, on the current row of absence while it is in insert or edit state
/// (empty values count as 0). A missing column or a value that is not a
/// number leaves TotalCost as it was; never throws.
void AbsenceTotalCost(data::Dataset& absence) noexcept;
/// The same on dmMain's qryEmpAbs.
void AbsenceTotalCost(data::TdmMain& dmMain) noexcept;

} // namespace zorv::leave
