#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorv {

/// A calendar date as a civil day number (days since 1970-01-01, proleptic
/// Gregorian). All calendar arithmetic goes through day numbers.
struct Date {
    int year = 1970;
    int month = 1; ///< 1..12
    int day = 1;   ///< 1..31

    static Date fromDayNumber(long long days);
    long long dayNumber() const;
    bool isValid() const;
    Date addDays(long long n) const { return fromDayNumber(dayNumber() + n); }
    /// 0 = Monday … 6 = Sunday.
    int weekday() const;

    /// "dd/mm/yyyy".
    std::string format() const;
    /// "ddmmyyyy" (audit file names).
    std::string formatCompact() const;
    /// Parses "d/m/yyyy" or "dd/mm/yyyy"; nothing for an invalid date.
    static std::optional<Date> parse(std::string_view text);

    friend auto operator<=>(const Date&, const Date&) = default;
};

/// A local date and time to the second.
struct DateTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;

    /// The current local time of the server.
    static DateTime now();
    /// Seconds since 1970-01-01 00:00:00 of this local time (no time zone).
    long long serial() const;
    static DateTime fromSerial(long long seconds);
    DateTime addDays(long long n) const { return fromSerial(serial() + n * 86400); }

    /// "dd/mm/yyyy hh:nn:ss" (error-log sections, stored date-times).
    std::string format() const;
    /// "hh:mm:ss".
    std::string formatTime() const;
    /// Parses "dd/mm/yyyy", "dd/mm/yyyy hh:nn" or "dd/mm/yyyy hh:nn:ss".
    static std::optional<DateTime> parse(std::string_view text);

    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

/// Parses a time of day "h:mm" or "hh:mm[:ss]" into seconds after midnight.
std::optional<int> parseTimeOfDay(std::string_view text);

} // namespace zorv
