#pragma once

#include "common/DateTime.h"
#include "data/Rights.h"

#include <optional>
#include <string>
#include <string_view>

namespace zorv::db {
class Connection;
}

namespace zorv::records {

/// What a computed caption shows when its statement gives nothing, fails or
/// may not run.
inline constexpr const char* kNoCaptionValue = "-";
/// The marker that opens a computed caption.
inline constexpr std::string_view kCaptionMarker = "%SQL%";

/// date plus months, the day kept or cut to the last day of the new month.
Date addMonths(const Date& date, long long months);

/// The statement of a computed caption (the text after "%SQL%"), with its
/// markers replaced (all case-insensitive):
///   - %now% and, repeatedly, %DAY n%, %MONTH n%, %YEAR n% (today plus n
///     days, months, years; n not a number counts as 0) become that date as
///     mm/dd/yyyy in the text;
///   - %STAFFNO%, alone or as a whole quoted literal ('%STAFFNO%'), becomes a
///     parameter bound to staffNo.
/// Nothing when the result is not a select (it must start with SELECT) or
/// %STAFFNO% is only part of a literal (it cannot be bound there).
std::optional<data::BoundSql> captionStatement(std::string_view text, const std::string& staffNo,
                                               const Date& today);

/// The caption text: the first column of the first row of the statement of
/// text, run in a read-only transaction on employee. kNoCaptionValue when it
/// is empty, has no row, may not run or fails; a failure and a statement
/// that may not run are written to the error log ("Error-ComputedCaption").
std::string evaluateCaption(db::Connection& employee, std::string_view text, const std::string& staffNo,
                            const Date& today);

} // namespace zorv::records
