#pragma once

#include "common/DateTime.h"
#include "tools/Random.h"
#include "tools/TableRows.h"

#include <string_view>
#include <vector>

namespace zorv::admin {

// Rows every installation needs before anyone can log in: the texts, field
// captions and record-screen layouts the pages read, the leave year and the
// smallest set of working-time and leave settings.

/// MESSAGES: every numbered text the pages show, in English.
void addMessages(DatabaseContent& globalSet);
/// LABEL (field captions, pay-scale point names) and TABLES (table → data set).
void addLabels(DatabaseContent& globalSet);
/// Named pick lists (LOOKUP) the record screens and request pages offer.
void addLookups(DatabaseContent& globalSet);
/// PARAMS (leave year = year), the default leave scheme "Standard" (id 1)
/// with its allowance bands, the public holidays of the years before, of and
/// after year, company information, pay codes (BASIC the default), cost
/// area 1 and the currency EUR.
void addLeaveAndPaySettings(DatabaseContent& globalSet, int year, std::string_view companyName);

/// The public holidays of a year (TCMPHEXP), in date order.
std::vector<Date> publicHolidays(int year);
/// The leave scheme every new employee gets.
inline constexpr int kStandardLeaveScheme = 1;
/// TTAGEVTS, TUSRSCR and TUSRREC: the record screens 590, 570, 580, 600 (pay
/// history), 670, 710 and 780, their field layout, a heading box on each and
/// the employee's absence count on the details screen. Text-box ids come from
/// keys.
void addScreenLayouts(DatabaseContent& web, KeySource& keys);

} // namespace zorv::admin
