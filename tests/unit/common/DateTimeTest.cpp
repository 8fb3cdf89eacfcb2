#include "common/DateTime.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

TEST(DateTest, CivilDayNumbersAcrossLeapYearsAndCenturies)
{
    struct Case {
        Date date;
        long long dayNumber;
        int weekday; ///< 0 = Monday
    };
    const Case cases[] = {
        {{1970, 1, 1}, 0, 3},          {{1969, 12, 31}, -1, 2},     {{2000, 2, 29}, 11016, 1},
        {{2000, 3, 1}, 11017, 2},      {{1900, 2, 28}, -25509, 2},  {{1900, 3, 1}, -25508, 3},
        {{2100, 2, 28}, 47540, 6},     {{2100, 3, 1}, 47541, 0},    {{1600, 2, 29}, -135081, 1},
        {{2024, 2, 29}, 19782, 3},     {{1, 1, 1}, -719162, 0},     {{9999, 12, 31}, 2932896, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.format());
        EXPECT_EQ(c.date.dayNumber(), c.dayNumber);
        EXPECT_EQ(Date::fromDayNumber(c.dayNumber), c.date);
        EXPECT_EQ(c.date.weekday(), c.weekday);
    }
}

TEST(DateTest, EveryDayFollowsThePreviousOne)
{
    // Walks four centuries day by day: the next day number is always the
    // next calendar day, rolling month and year exactly at their ends.
    Date d {1600, 1, 1};
    for (long long n = d.dayNumber(); d.year < 2401; ++n) {
        ASSERT_TRUE(d.isValid()) << d.format();
        ASSERT_EQ(d.dayNumber(), n);
        Date next = Date::fromDayNumber(n + 1);
        bool sameMonth = next.year == d.year && next.month == d.month && next.day == d.day + 1;
        bool newMonth = next.day == 1 && (next.month == d.month + 1 || (d.month == 12 && next.month == 1 &&
                                                                        next.year == d.year + 1));
        ASSERT_TRUE(sameMonth || newMonth) << d.format() << " -> " << next.format();
        ASSERT_FALSE((Date {d.year, d.month, d.day + 1}.isValid()) && newMonth) << d.format();
        d = next;
    }
}

TEST(DateTest, ParseAcceptsOnlyRealDates)
{
    struct Case {
        const char* text;
        std::optional<Date> expected;
    };
    const Case cases[] = {
        {"05/03/2024", Date {2024, 3, 5}},
        {"5/3/2024", Date {2024, 3, 5}},
        {" 29/02/2000 ", Date {2000, 2, 29}},
        {"29/02/2024", Date {2024, 2, 29}},
        {"29/02/2023", std::nullopt},
        {"29/02/1900", std::nullopt},
        {"31/04/2024", std::nullopt},
        {"00/01/2024", std::nullopt},
        {"01/13/2024", std::nullopt},
        {"01/02/24", std::nullopt},
        {"01/02/20245", std::nullopt},
        {"001/02/2024", std::nullopt},
        {"01-02-2024", std::nullopt},
        {"01/02/2024x", std::nullopt},
        {"01/02/0000", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Date::parse(c.text), c.expected);
    }
}

TEST(DateTest, FormatsWithLeadingZeros)
{
    Date d {987, 3, 5};
    EXPECT_EQ(d.format(), "05/03/0987");
    EXPECT_EQ((Date {2024, 11, 30}.formatCompact()), "30112024");
    EXPECT_EQ(Date::parse(Date {2024, 1, 9}.format()), (Date {2024, 1, 9}));
}

TEST(DateTimeTest, ParseAndFormatRoundTrip)
{
    struct Case {
        const char* text;
        std::optional<std::string> formatted;
    };
    const Case cases[] = {
        {"05/03/2024 09:07:03", "05/03/2024 09:07:03"},
        {"5/3/2024 9:07", "05/03/2024 09:07:00"},
        {"05/03/2024", "05/03/2024 00:00:00"},
        {"31/12/1999 23:59:59", "31/12/1999 23:59:59"},
        {"05/03/2024 24:00", std::nullopt},
        {"05/03/2024 10:60", std::nullopt},
        {"05/03/2024 10:5", std::nullopt},
        {"05/03/2024 10:05:61", std::nullopt},
        {"30/02/2024 10:00", std::nullopt},
        {"05/03/2024 10:00 pm", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto parsed = DateTime::parse(c.text);
        ASSERT_EQ(parsed.has_value(), c.formatted.has_value());
        if (parsed) {
            EXPECT_EQ(parsed->format(), *c.formatted);
        }
    }
}

TEST(DateTimeTest, SerialSecondsRoundTripAroundTheEpoch)
{
    const std::pair<long long, const char*> cases[] = {
        {0, "01/01/1970 00:00:00"},
        {-1, "31/12/1969 23:59:59"},
        {951782400 + 86399, "29/02/2000 23:59:59"},
    };
    for (const auto& [serial, text] : cases) {
        SCOPED_TRACE(text);
        DateTime t = DateTime::fromSerial(serial);
        EXPECT_EQ(t.format(), text);
        EXPECT_EQ(t.serial(), serial);
    }
    DateTime leapEve = *DateTime::parse("28/02/2024 18:30:00");
    EXPECT_EQ(leapEve.addDays(2).format(), "01/03/2024 18:30:00");
}

TEST(DateTimeTest, NowIsAValidLocalTime)
{
    DateTime now = DateTime::now();
    EXPECT_TRUE(now.date.isValid());
    EXPECT_EQ(DateTime::parse(now.format()), now);
}

TEST(TimeOfDayTest, ParsesHoursMinutesAndSeconds)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"9:05", 9 * 3600 + 5 * 60}, {"09:05", 9 * 3600 + 5 * 60}, {"23:59:59", 86399},
        {"00:00", 0},                {"24:00", std::nullopt},      {"9:5", std::nullopt},
        {"9", std::nullopt},         {"09:05:", std::nullopt},     {"-1:00", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, seconds] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseTimeOfDay(text), seconds);
    }
}

} // namespace
} // namespace zorv
