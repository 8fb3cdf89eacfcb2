// The length of an absence: working days, company exception dates, hours
// from the weekly hours, and the scheme's leave type.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "leave/LeaveDays.h"
#include "leave/LeaveDuration.h"

#include <gtest/gtest.h>

namespace zorv::leave {
namespace {

using test::ConnectedSessionTest;

// A week of June 2024.
constexpr Date kFriday{2024, 6, 7};
constexpr Date kSaturday{2024, 6, 8};
constexpr Date kSunday{2024, 6, 9};
constexpr Date kMonday{2024, 6, 10};
constexpr Date kTuesday{2024, 6, 11};

// --- arithmetic ------------------------------------------------------------------------

TEST(LeaveDays, CountAgreesWithADayByDayCount)
{
    for (int first = 0; first < 14; ++first) {
        const Date start = Date{2024, 2, 19}.addDays(first);
        for (int length = -2; length < 40; ++length) {
            const Date end = start.addDays(length);
            long long weekdays = 0;
            for (Date d = start; d <= end; d = d.addDays(1))
                weekdays += isWeekend(d) ? 0 : 1;
            const long long all = length < 0 ? 0 : length + 1;
            ASSERT_EQ(countLeaveDays(start, end, false), weekdays) << start.format() << " - " << end.format();
            ASSERT_EQ(countLeaveDays(start, end, true), all) << start.format() << " - " << end.format();
        }
    }
}

TEST(LeaveDays, ExceptionsCountOnlyOnCountedDaysOfThePeriod)
{
    struct Case {
        const char* name;
        bool includeWeekends;
        std::vector<Date> exceptions;
        long long expected;
    };
    const Case cases[] = {
        {"no exception", false, {}, 2},
        {"a Monday holiday", false, {kMonday}, 1},
        {"listed twice", false, {kMonday, kMonday}, 1},
        {"on a Saturday without weekends", false, {kSaturday}, 2},
        {"on a Saturday with weekends", true, {kSaturday}, 3},
        {"outside the period", false, {kTuesday, Date{2024, 6, 6}}, 2},
        {"every day", false, {kFriday, kSaturday, kSunday, kMonday}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(countLeaveDaysLessExceptions(kFriday, kMonday, c.includeWeekends, c.exceptions), c.expected)
            << c.name;
}

TEST(LeaveDays, HoursAndRounding)
{
    EXPECT_DOUBLE_EQ(leaveDaysInHours(2, 37.5, false), 15.0);
    EXPECT_DOUBLE_EQ(leaveDaysInHours(7, 37.5, true), 37.5);
    EXPECT_DOUBLE_EQ(roundToHundredths(21.428571), 21.43);
    EXPECT_DOUBLE_EQ(roundToHundredths(-1.005), -1.0) << "-1.005 is just above -1.005 in binary";
    EXPECT_DOUBLE_EQ(roundToHundredths(2.675), 2.67) << "rounded as printed, not as written";
    EXPECT_DOUBLE_EQ(roundToHundredths(7.0), 7.0);
}

// --- on the databases ------------------------------------------------------------------

enum Scheme { kWeekdays = 1, kWithWeekends = 2, kWithExceptions = 3 };

class LeaveDurationTest : public ConnectedSessionTest {
protected:
    LeaveDurationTest()
    {
        zorvweb.writeString("web", "System", "ZorvWork");
        auto leave = database("VizereDivIdid");
        leave->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, ATYPE, LINCLUDEWEEKENDS, LINCLUDEEXCEPTIONS) "
                       "values (1, 'Weekdays', 'Days', 'False', 'False')");
        leave->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, ATYPE, LINCLUDEWEEKENDS, LINCLUDEEXCEPTIONS) "
                       "values (2, 'Every day', 'Hours', 'true', 'FALSE')");
        leave->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, ATYPE, LINCLUDEWEEKENDS, LINCLUDEEXCEPTIONS) "
                       "values (3, 'Holidays too', 'Days', 'False', 'TRUE')");
        leave->execute("insert into COMPINFO (ANAME, HOURSPERWEEK) values ('Hospital', 37.5)");
        addEmployee("S1", kWeekdays);
        addEmployee("S2", kWithWeekends);
        addEmployee("S3", kWithExceptions);
    }

    void addEmployee(const std::string& staffNo, int scheme, db::Value location = "Cork")
    {
        hospital()->execute("insert into MASTER (STAFFNO, ISCHEMEID, ALOCATION) values (?, ?, ?)",
                            {staffNo, scheme, location});
    }
    void addException(const DateTime& when, db::Value location = db::Value())
    {
        database("VizereDivIdid")
            ->execute("insert into TCMPHEXP (DDATEFROM, ALOCATION) values (?, ?)", {when, std::move(location)});
    }
    double duration(const std::string& staffNo, const std::string& unit, const Date& start, const Date& end)
    {
        return LeaveDuration(dmMain(), staffNo, unit, start, end);
    }

    Ini zorvweb{installation.path("zorvweb.ini")};
    Ini workGlobal{installation.path("data/work/global.ini")};
};

TEST_F(LeaveDurationTest, CountsTheDaysTheSchemeCounts)
{
    addException(DateTime{kMonday});
    addException(DateTime{kSaturday});
    struct Case {
        const char* name;
        const char* staffNo;
        const char* unit;
        Date start;
        Date end;
        double expected;
    };
    const Case cases[] = {
        {"Friday to Monday, Monday a holiday", "S1", "Days", kFriday, kMonday, 1},
        {"Friday to Friday", "S1", "Days", kFriday, kFriday, 1},
        {"a holiday alone", "S1", "Days", kMonday, kMonday, 0},
        {"weekends count, both holidays out", "S2", "Days", kFriday, kMonday, 2},
        {"holidays count", "S3", "Days", kFriday, kMonday, 2},
        {"end before start", "S1", "Days", kMonday, kFriday, 0},
        {"unknown employee: weekdays less holidays", "S9", "Days", kFriday, kTuesday, 2},
        {"hours of the company week", "S1", "hours", kFriday, kTuesday, 15},
        {"hours with weekends, a seventh a day", "S2", "HOURS", kFriday, kTuesday, 16.07},
        {"any other unit counts days", "S1", "Weeks", kFriday, kTuesday, 2},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(duration(c.staffNo, c.unit, c.start, c.end), c.expected) << c.name;
}

TEST_F(LeaveDurationTest, HolidaysAreWholeDaysWhateverTheirTime)
{
    addException(DateTime{kMonday, 9, 30});
    addException(DateTime{kMonday});
    EXPECT_DOUBLE_EQ(duration("S1", "Days", kFriday, kMonday), 1) << "the end day is taken whole";
    EXPECT_DOUBLE_EQ(duration("S1", "Days", kFriday, kTuesday), 2) << "one holiday, listed twice";
}

TEST_F(LeaveDurationTest, ContractualHoursWinOverTheCompanyWeek)
{
    hospital()->execute("update MASTER set CONTRACTUALHOURS = 20 where STAFFNO = 'S1'");
    EXPECT_DOUBLE_EQ(duration("S1", "Hours", kFriday, kMonday), 8);
    hospital()->execute("update MASTER set CONTRACTUALHOURS = 0 where STAFFNO = 'S1'");
    EXPECT_DOUBLE_EQ(duration("S1", "Hours", kFriday, kMonday), 15);
    database("VizereDivIdid")->execute("delete from COMPINFO");
    EXPECT_DOUBLE_EQ(duration("S1", "Hours", kFriday, kMonday), 0) << "no weekly hours anywhere";
}

TEST_F(LeaveDurationTest, HolidaysOfOtherLocationsCountWhenLocationsAreUsed)
{
    addException(DateTime{kMonday}, "Dublin");
    addException(DateTime{kFriday}, "CORK");
    addException(DateTime{kTuesday}, "");
    const Date thursday = kFriday.addDays(-1);
    auto days = [&](const char* staffNo) { return duration(staffNo, "Days", thursday, kTuesday); };
    EXPECT_DOUBLE_EQ(days("S1"), 1) << "four days less every holiday while locations are off";

    workGlobal.writeBool("Cmphexp", "Uselocation", true);
    EXPECT_DOUBLE_EQ(days("S1"), 2) << "Cork and everywhere";
    addEmployee("D1", kWeekdays, "dublin");
    EXPECT_DOUBLE_EQ(days("D1"), 2) << "Dublin and everywhere";
    addEmployee("N1", kWeekdays, db::Value());
    EXPECT_DOUBLE_EQ(days("N1"), 3) << "no location: only the holidays of everywhere";

    hospital()->execute("update MASTER set DEPARTMENT = 'Dublin' where STAFFNO = 'S1'");
    workGlobal.writeString("Cmphexp", "masterfield", "Department");
    EXPECT_DOUBLE_EQ(days("S1"), 2) << "location from the named column";
    EXPECT_DOUBLE_EQ(duration("S1", "Days", kMonday, kMonday), 0) << "the Dublin holiday";
    workGlobal.writeString("Cmphexp", "masterfield", "NoSuchColumn; drop table MASTER");
    EXPECT_DOUBLE_EQ(days("S1"), 3) << "an unknown column reads as no location";
}

TEST_F(LeaveDurationTest, SchemeLeaveTypeComesFromTheLeaveDatabaseOfTheSystem)
{
    EXPECT_EQ(GetSchemeLeaveType(dmMain(), kWithWeekends), "Hours");
    EXPECT_EQ(GetSchemeLeaveType(dmMain(), 99), "");

    database("GlobalQuennel")
        ->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, ATYPE) values (2, 'Every day', 'Days')");
    zorvweb.writeString("web", "System", "ZorvCent");
    EXPECT_EQ(GetSchemeLeaveType(dmMain(), kWithWeekends), "Days");
    zorvweb.writeString("web", "System", "zorvwork");
    EXPECT_EQ(GetSchemeLeaveType(dmMain(), kWithWeekends), "Hours");
}

} // namespace
} // namespace zorv::leave
