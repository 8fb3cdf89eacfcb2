#include "common/DateTime.h"

#include <charconv>
#include <ctime>
#include <fmt/format.h>

#include "common/Text.h"

namespace zorv {

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;
/// 1970-01-01 was a Thursday; weekday() counts Monday as 0.
constexpr long long kWeekdayOfEpoch = 3;

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return kDays[month - 1];
}

long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

/// A run of 1..maxDigits decimal digits at the start of text, consumed.
std::optional<int> takeNumber(std::string_view& text, size_t minDigits, size_t maxDigits)
{
    size_t digits = 0;
    while (digits < text.size() && digits <= maxDigits && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits < minDigits || digits > maxDigits)
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return value;
}

bool takeChar(std::string_view& text, char expected)
{
    if (text.empty() || text.front() != expected)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

// Days from civil and back: the era-based algorithms on a March-first year,
// exact over the whole proleptic Gregorian calendar.
Date Date::fromDayNumber(long long days)
{
    days += 719468;
    long long era = floorDiv(days, 146097);
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    Date d;
    d.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    d.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    d.year = static_cast<int>(yearOfEra + era * 400 + (d.month <= 2 ? 1 : 0));
    return d;
}

long long Date::dayNumber() const
{
    long long y = year - (month <= 2 ? 1 : 0);
    long long era = floorDiv(y, 400);
    long long yearOfEra = y - era * 400;
    long long monthFromMarch = month > 2 ? month - 3 : month + 9;
    long long dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool Date::isValid() const
{
    bool yearOk = year >= kMinYear && year <= kMaxYear;
    bool monthOk = month >= 1 && month <= 12;
    return yearOk && monthOk && day >= 1 && day <= daysInMonth(year, month);
}

int Date::weekday() const
{
    return static_cast<int>(((dayNumber() + kWeekdayOfEpoch) % 7 + 7) % 7);
}

std::string Date::format() const
{
    return fmt::format("{:02}/{:02}/{:04}", day, month, year);
}

std::string Date::formatCompact() const
{
    return fmt::format("{:02}{:02}{:04}", day, month, year);
}

std::optional<Date> Date::parse(std::string_view text)
{
    text = trimView(text);
    Date d;
    auto day = takeNumber(text, 1, 2);
    if (!day || !takeChar(text, '/'))
        return std::nullopt;
    auto month = takeNumber(text, 1, 2);
    if (!month || !takeChar(text, '/'))
        return std::nullopt;
    auto year = takeNumber(text, 4, 4);
    if (!year || !text.empty())
        return std::nullopt;
    d.day = *day;
    d.month = *month;
    d.year = *year;
    if (!d.isValid())
        return std::nullopt;
    return d;
}

DateTime DateTime::now()
{
    std::time_t seconds = std::time(nullptr);
    std::tm local {};
    localtime_r(&seconds, &local);
    DateTime t;
    t.date = Date {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec == 60 ? 59 : local.tm_sec;
    return t;
}

long long DateTime::serial() const
{
    return date.dayNumber() * kSecondsPerDay + hour * 3600LL + minute * 60LL + second;
}

DateTime DateTime::fromSerial(long long seconds)
{
    long long days = floorDiv(seconds, kSecondsPerDay);
    long long rest = seconds - days * kSecondsPerDay;
    DateTime t;
    t.date = Date::fromDayNumber(days);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::string DateTime::format() const
{
    return date.format() + " " + formatTime();
}

std::string DateTime::formatTime() const
{
    return fmt::format("{:02}:{:02}:{:02}", hour, minute, second);
}

std::optional<DateTime> DateTime::parse(std::string_view text)
{
    text = trimView(text);
    size_t space = text.find(' ');
    auto date = Date::parse(text.substr(0, space));
    if (!date)
        return std::nullopt;
    DateTime t;
    t.date = *date;
    if (space == std::string_view::npos)
        return t;
    auto seconds = parseTimeOfDay(text.substr(space + 1));
    if (!seconds)
        return std::nullopt;
    t.hour = *seconds / 3600;
    t.minute = *seconds / 60 % 60;
    t.second = *seconds % 60;
    return t;
}

std::optional<int> parseTimeOfDay(std::string_view text)
{
    text = trimView(text);
    auto hour = takeNumber(text, 1, 2);
    if (!hour || !takeChar(text, ':'))
        return std::nullopt;
    auto minute = takeNumber(text, 2, 2);
    if (!minute)
        return std::nullopt;
    int second = 0;
    if (takeChar(text, ':')) {
        auto s = takeNumber(text, 2, 2);
        if (!s)
            return std::nullopt;
        second = *s;
    }
    bool inRange = *hour <= 23 && *minute <= 59 && second <= 59;
    if (!text.empty() || !inRange)
        return std::nullopt;
    return *hour * 3600 + *minute * 60 + second;
}

} // namespace zorv
