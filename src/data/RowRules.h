#pragma once

#include "common/DateTime.h"
#include "data/db/Decimal.h"
#include "data/db/Value.h"

#include <optional>
#include <string>
#include <string_view>

namespace zorv::data {

class Dataset;

// The row rules of the main data module that need no database: each works on
// the current row of a dataset in edit or insert state.

/// The short English weekday name: "Mon" … "Sun".
std::string shortDayName(const Date& date);

/// Sets SDay (day of month), DayName (short weekday name), SMonth and SYear
/// from the date in dateField; with yearOnly, SYear alone. Fields the dataset
/// lacks are skipped; an empty date sets nothing. Never throws: a failure
/// leaves the row as it was.
void setDateParts(Dataset& dataset, std::string_view dateField, bool yearOnly) noexcept;

/// a × b with the given number of decimals, rounded half away from zero;
/// nothing when it does not fit.
std::optional<db::Decimal> multiplyExact(const db::Decimal& a, const db::Decimal& b, int scale);

/// When NAmount is 0 (or empty), NAmount = NRate × NOccurance, exactly, with
/// the decimals of the NAmount column. Throws when the product does not fit.
void fillAllowanceAmount(Dataset& dataset);

/// A time of day as "hh:nn"; empty for an empty value.
std::string hoursText(const db::Value& time);
/// astart and aEnd = the text of tEventTimestart and tEventTimeend; an empty
/// idayno becomes 0.
void fillHoursText(Dataset& dataset);

/// "Title I I Surname" from the title, the initials of the first two
/// forenames and the surname; empty parts are left out.
std::string postName(std::string_view title, std::string_view forenames, std::string_view surname);

/// Whole years from dob to today: one less while this year's birthday has
/// not come (a 29 February birthday comes on 1 March in other years).
int ageOn(const Date& dob, const Date& today);

/// The first maxCharacters characters of UTF-8 text.
std::string firstCharacters(std::string_view text, std::size_t maxCharacters);

} // namespace zorv::data
