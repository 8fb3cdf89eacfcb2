// Translation through the messages table, the minutes formatter and the two
// page switches of zorvweb.ini.

#include "TestInstallation.h"

#include "common/FormatMinutes.h"
#include "common/Ini.h"
#include "data/CommonHelpers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zorv::data {
namespace {

using test::ConnectedSessionTest;

class CommonHelpersTest : public ConnectedSessionTest {
protected:
    Ini zorvweb{installation.path("zorvweb.ini")};
};

TEST_F(CommonHelpersTest, TranslateFindsTheEnglishTextIgnoringCase)
{
    auto hr = database("GlobalQuennel");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN, MESSAGEGA) values (1, 'Round up', 'Slánaigh suas')");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN, MESSAGEGA) values (2, 'Daily', '')");
    struct Case {
        const char* language;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"GA", "ROUND UP", "Slánaigh suas"},
        {"GA", "Round up", "Slánaigh suas"},
        {"EN", "round up", "Round up"},
        {"GA", "Round down", "Round down"}, // no row
        {"GA", "Daily", "Daily"},           // no translation yet
        {"FR", "Round up", "Round up"},     // no column for the language
    };
    for (const Case& c : cases)
        EXPECT_EQ(Translate(dmMain(), c.language, c.text), c.expected) << c.language << ' ' << c.text;
}

TEST(FormatMinutes, ShowsHoursAndMinutesOfWholeMinutes)
{
    struct Case {
        double minutes;
        const char* expected;
    };
    const Case cases[] = {
        {90, "1H 30M "},  {60, "1H "},     {45, "45M "},     {-75, "-1H 15M "}, {0, "0"},
        {-30, "-30M "},   {-0.4, "0"},     {0.4, "0"},       {-0.5, "-1M "},    {59.6, "1H "},
        {119.5, "2H "},   {1500, "25H "},  {NAN, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMinutes(c.minutes), c.expected) << c.minutes;
}

TEST_F(CommonHelpersTest, PageSwitchesAreReadAtEachCall)
{
    EXPECT_FALSE(AddEmpWeekEnabled());
    EXPECT_FALSE(UseListEnabled(710));

    zorvweb.writeString("EmpWork", "AddEmpWeek", "1");
    zorvweb.writeString("710", "useList", "1");
    EXPECT_TRUE(AddEmpWeekEnabled());
    EXPECT_TRUE(UseListEnabled(710));
    EXPECT_FALSE(UseListEnabled(590)) << "each screen has its own section";
    EXPECT_FALSE(UseListEnabled(71)) << "the section is the whole tag";

    zorvweb.writeString("EmpWork", "AddEmpWeek", "yes");
    EXPECT_FALSE(AddEmpWeekEnabled()) << "not a number reads as the default";
}

} // namespace
} // namespace zorv::data
