// The completion of an absence row before it is saved: dates, flags,
// durations, cost from the pay in force, calendar columns and total cost.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "data/db/Connection.h"
#include "leave/AbsenceCheck.h"
#include "leave/AbsenceCost.h"

#include <gtest/gtest.h>

namespace zorv::leave {
namespace {

using data::Dataset;
using test::ConnectedSessionTest;

constexpr Date kMonday{2024, 6, 3};
constexpr Date kTuesday{2024, 6, 4};
constexpr Date kFriday{2024, 6, 7};
constexpr Date kLongAgo{2020, 1, 1};

enum Scheme { kDays = 1, kHours = 2 };

/// A pay history row.
struct Pay {
    Date from;
    const char* basis;
    double pay;
    double contractualHours;
    double hourlyRate;
};

TEST(AbsenceCost, LeadingNumberOfText)
{
    const std::pair<const char*, double> cases[] = {
        {"2.5 days", 2.5}, {" -1", -1},  {"+3x", 3}, {".5", 0.5}, {"2.", 2},
        {"abc", 0},        {"", 0},      {"-", 0},   {".", 0},    {"1e3", 1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(text), expected) << '"' << text << '"';
}

class AbsenceCheckTest : public ConnectedSessionTest {
protected:
    AbsenceCheckTest()
    {
        Ini(installation.path("zorvweb.ini")).writeString("web", "System", "ZorvWork");
        auto hr = database("GlobalQuennel");
        hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (778, 'Error')");
        hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (180, 'The end date is before the start date')");
        hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (181, 'Please choose a category')");
        auto leave = database("VizereDivIdid");
        leave->execute("insert into TCMPHSCH (ISCHEMEID, ATYPE, LINCLUDEWEEKENDS, LINCLUDEEXCEPTIONS) "
                       "values (1, 'DAYS', 'False', 'False')");
        leave->execute("insert into TCMPHSCH (ISCHEMEID, ATYPE, LINCLUDEWEEKENDS, LINCLUDEEXCEPTIONS) "
                       "values (2, 'hours', 'False', 'False')");
        leave->execute("insert into COMPINFO (ANAME, HOURSPERWEEK) values ('Hospital', 37.5)");
        hospital()->execute("insert into MASTER (STAFFNO, ISCHEMEID) values ('S1', 1)");
    }

    void setScheme(int scheme)
    {
        hospital()->execute("update MASTER set ISCHEMEID = ? where STAFFNO = 'S1'", {scheme});
    }
    void addPay(const Pay& pay)
    {
        hospital()->execute("insert into PAYHIST (STAFFNO, IKEY, FROMDATE, PAYBASIS, NPAY, CONTRACTUALHOURS, "
                            "HOURLYRATE) values ('S1', ?, ?, ?, ?, ?, ?)",
                            {++payKey_, pay.from, pay.basis, pay.pay, pay.contractualHours, pay.hourlyRate});
    }

    /// A new absence row of S1, being inserted.
    Dataset& newAbsence(const Date& start, const Date& end, const char* category = "Annual Leave")
    {
        Dataset& absence = dmMain().dataset("qryEmpAbs");
        absence.close();
        absence.setParam("EMPNO", "S1");
        dmMain().open(absence);
        absence.append();
        absence.setField("StaffNo", "S1");
        absence.setField("StartDate", start);
        absence.setField("EndDate", end);
        absence.setField("ACategory", category);
        return absence;
    }
    AbsenceCheckResult check() { return CheckAbsenceRecord(dmMain(), "S1"); }
    std::vector<std::string>& shown() { return session->view.messages; }

private:
    int payKey_ = 0;
};

TEST_F(AbsenceCheckTest, EndBeforeStartIsRefusedBeforeAnythingChanges)
{
    Dataset& absence = newAbsence(kTuesday, kMonday);
    EXPECT_EQ(check(), AbsenceCheckResult::Refused);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], "Error 180. The end date is before the start date");
    EXPECT_TRUE(absence.field("LActive").isNull());
    EXPECT_TRUE(absence.field("DaysLost").isNull());

    absence.setField("EndDate", db::Value());
    EXPECT_EQ(check(), AbsenceCheckResult::Refused) << "no end date";

    absence.setField("EndDate", kTuesday);
    absence.setField("StartDate", kTuesday);
    EXPECT_EQ(check(), AbsenceCheckResult::Passed) << "one day";
    EXPECT_EQ(absence.field("DaysLost").asString(), "1.00");
}

TEST_F(AbsenceCheckTest, NoCategoryIsRefusedAfterTheDurationsAreSet)
{
    Dataset& absence = newAbsence(kMonday, kTuesday, "");
    EXPECT_EQ(check(), AbsenceCheckResult::Refused);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], "Error 181. Please choose a category");
    EXPECT_EQ(absence.fieldText("LActive"), "True");
    EXPECT_EQ(absence.field("DaysLost").asString(), "2.00");
    EXPECT_TRUE(absence.field("NCost").isNull()) << "no cost for a refused row";
}

TEST_F(AbsenceCheckTest, CompletesFlagsDurationsAndCalendarColumns)
{
    Dataset& absence = newAbsence(kFriday, kFriday.addDays(3), "annual leave");
    absence.setField("IsAnnualLeave", "False");
    absence.setField("DaysLost", "0");
    ASSERT_EQ(check(), AbsenceCheckResult::Passed);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(absence.fieldText("LActive"), "True");
    EXPECT_EQ(absence.fieldText("IsAnnualLeave"), "True") << "the category in any case";
    EXPECT_EQ(absence.field("NDays").asString(), "2.00");
    EXPECT_EQ(absence.field("NHours").asString(), "15.00");
    EXPECT_EQ(absence.field("DaysLost").asString(), "2.00") << "days lost follows the days of a day scheme";
    EXPECT_EQ(absence.field("SDay").asInt(), 7);
    EXPECT_EQ(absence.fieldText("DayName"), "Fri");
    EXPECT_EQ(absence.field("SMonth").asInt(), 6);
    EXPECT_EQ(absence.field("SYear").asInt(), 2024);

    Dataset& sick = newAbsence(kFriday, kFriday, "Sick Leave");
    sick.setField("IsAnnualLeave", "False");
    ASSERT_EQ(check(), AbsenceCheckResult::Passed);
    EXPECT_EQ(sick.fieldText("IsAnnualLeave"), "False") << "other categories keep the flag";
}

TEST_F(AbsenceCheckTest, TypedDurationsStayAndDaysLostFollowsTheSchemeUnit)
{
    Dataset& absence = newAbsence(kMonday, kTuesday);
    absence.setField("DaysLost", 2.5);
    absence.setField("NDays", 1.5);
    ASSERT_EQ(check(), AbsenceCheckResult::Passed);
    EXPECT_DOUBLE_EQ(absence.field("NDays").asDouble(), 1.5);
    EXPECT_DOUBLE_EQ(absence.field("DaysLost").asDouble(), 1.5) << "a day scheme takes the days";
    EXPECT_EQ(absence.field("NHours").asString(), "15.00");

    setScheme(kHours);
    Dataset& hours = newAbsence(kMonday, kTuesday);
    hours.setField("DaysLost", 2.5);
    ASSERT_EQ(check(), AbsenceCheckResult::Passed);
    EXPECT_EQ(hours.field("NHours").asString(), "15.00");
    EXPECT_EQ(hours.field("DaysLost").asString(), "15.00") << "an hour scheme (any case) takes the hours";
}

TEST_F(AbsenceCheckTest, WithoutHourAndDayColumnsATypedDaysLostStays)
{
    hospital()->execute("alter table ABSENCE drop NHOURS, drop NDAYS");
    Dataset& typed = newAbsence(kMonday, kFriday);
    typed.setField("DaysLost", 2.5);
    ASSERT_EQ(check(), AbsenceCheckResult::Passed);
    EXPECT_DOUBLE_EQ(typed.field("DaysLost").asDouble(), 2.5);

    Dataset& empty = newAbsence(kMonday, kFriday);
    ASSERT_EQ(check(), AbsenceCheckResult::Passed);
    EXPECT_EQ(empty.field("DaysLost").asString(), "5.00");
}

TEST_F(AbsenceCheckTest, CostIsThePayInForceOnTheStartDate)
{
    struct Case {
        const char* name;
        int scheme;
        std::vector<Pay> history;
        db::Value days;  ///< typed into NDays (day scheme) or NHours (hour scheme)
        const char* cost;
    };
    const Case cases[] = {
        {"salary", kDays, {{kLongAgo, "Salary", 26000, 0, 0}}, 2.0, "200.00"},
        {"hourly", kDays, {{kLongAgo, "Hourly", 10, 37.5, 0}}, 2.0, "150.00"},
        {"daily", kDays, {{kLongAgo, "Daily", 120, 0, 0}}, 1.5, "180.00"},
        {"hour scheme at the hourly rate", kHours, {{kLongAgo, "Salary", 26000, 0, 12}}, 7.5, "90.00"},
        {"unknown pay basis", kDays, {{kLongAgo, "Weekly", 500, 0, 0}}, 2.0, "0.00"},
        {"no pay row yet", kDays, {{kTuesday, "Salary", 26000, 0, 0}}, 2.0, "0.00"},
        {"the newest row on or before the start",
         kDays,
         {{kLongAgo, "Salary", 26000, 0, 0},
          {kMonday, "Salary", 52000, 0, 0},
          {kTuesday, "Salary", 99999, 0, 0}},
         2.0,
         "400.00"},
        {"large daily pay keeps its cents", kDays, {{kLongAgo, "Daily", 1234567.89, 0, 0}}, 1.0, "1234567.89"},
        {"text read by its leading number", kHours, {{kLongAgo, "Salary", 0, 0, 12}}, "7.5 hours", "90.00"},
        {"text that is no number", kHours, {{kLongAgo, "Salary", 0, 0, 12}}, "some", "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hospital()->execute("delete from PAYHIST");
        for (const Pay& pay : c.history)
            addPay(pay);
        setScheme(c.scheme);
        Dataset& absence = newAbsence(kMonday, kTuesday);
        absence.setField(c.scheme == kHours ? "NHours" : "NDays", c.days);
        ASSERT_EQ(check(), AbsenceCheckResult::Passed);
        EXPECT_EQ(absence.field("NCost").asString(), c.cost);
        EXPECT_EQ(absence.field("TotalCost").asString(), c.cost);
    }
}

TEST_F(AbsenceCheckTest, TotalCostAddsExtrasAndOnCostLessDeductions)
{
    Dataset& absence = newAbsence(kMonday, kTuesday);
    absence.setField("NCost", 100);
    absence.setField("AdditionalCost", 20);
    absence.setField("XOnCost", 10);
    absence.setField("NPayDed", 5);
    AbsenceTotalCost(dmMain());
    EXPECT_EQ(absence.field("TotalCost").asString(), "125.00");

    absence.setField("NPayDed", db::Value());
    absence.setField("AdditionalCost", "");
    AbsenceTotalCost(absence);
    EXPECT_EQ(absence.field("TotalCost").asString(), "110.00") << "empty values count as 0";

    absence.setField("XOnCost", "ten");
    AbsenceTotalCost(absence);
    EXPECT_EQ(absence.field("TotalCost").asString(), "110.00") << "a value that is no number changes nothing";
}

} // namespace
} // namespace zorv::leave
