#include "tools/RowValues.h"

#include <array>
#include <cmath>
#include <fmt/format.h>

namespace zorv::admin {

namespace {
constexpr int kMinutesPerDay = 24 * 60;
constexpr Date kTimeBaseDate{1899, 12, 30};
constexpr std::array<std::string_view, 7> kWeekdayKeys = {"MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY",
                                                          "FRIDAY", "SATURDAY", "SUNDAY"};
constexpr std::array<std::string_view, 7> kWeekdayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                           "Friday", "Saturday", "Sunday"};
} // namespace

db::Value timeValue(int minutes)
{
    const int days = minutes / kMinutesPerDay;
    const int rest = minutes % kMinutesPerDay;
    return DateTime{kTimeBaseDate.addDays(days), rest / 60, rest % 60, 0};
}

std::string hhmm(int minutes)
{
    const int rest = minutes % kMinutesPerDay;
    return fmt::format("{:02}:{:02}", rest / 60, rest % 60);
}

db::Value money(double amount)
{
    return db::Decimal{static_cast<std::int64_t>(std::llround(amount * 100)), 2};
}

std::string_view weekdayKey(const Date& date) { return kWeekdayKeys[static_cast<std::size_t>(date.weekday())]; }

std::string_view weekdayName(const Date& date) { return kWeekdayNames[static_cast<std::size_t>(date.weekday())]; }

} // namespace zorv::admin
