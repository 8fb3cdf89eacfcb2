// Computed captions: the markers, what may run, and what the page shows.

#include "ScreenFixture.h"

#include "data/Dataset.h"
#include "data/TdmMain.h"
#include "records/ComputedCaption.h"
#include "web/controls/Label.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zorv::records {
namespace {

const Date kToday{2024, 1, 31};

struct StatementCase {
    const char* name;
    const char* text;
    const char* sql; // nullptr: may not run
    std::vector<std::string> params;
};

TEST(CaptionStatementTest, ReplacesTheMarkersAndBindsTheStaffNumber)
{
    const StatementCase cases[] = {
        {"quoted staff number", "select X from T where S = '%STAFFNO%'", "select X from T where S = ?", {"S'1"}},
        {"bare staff number, any case", "select X from T where S = %staffno%", "select X from T where S = ?",
         {"S'1"}},
        {"staff number inside a longer literal", "select X from T where S like '%STAFFNO%%'", nullptr, {}},
        {"marker in a comment", "select 1 from T -- %STAFFNO%", "select 1 from T -- %STAFFNO%", {}},
        {"now", "select X from T where D = '%now%'", "select X from T where D = '01/31/2024'", {}},
        {"a week ago", "select X from T where D > '%DAY-7%'", "select X from T where D > '01/24/2024'", {}},
        {"days not a number", "select '%DAYx%' from T", "select '01/31/2024' from T", {}},
        {"next month, day cut to its end", "select '%MONTH1%' from T", "select '02/29/2024' from T", {}},
        {"years", "select '%YEAR-1%', '%YEAR2%' from T", "select '01/31/2023', '01/31/2026' from T", {}},
        {"no closing percent", "select '%DAY-7' from T", "select '%DAY-7' from T", {}},
        {"leading blanks, any case", "  SeLeCt 1 from T", "  SeLeCt 1 from T", {}},
        {"not a select", "update MASTER set SURNAME = 'x'", nullptr, {}},
        {"a word that starts with select", "selection from T", nullptr, {}},
        {"a select after a statement", "delete from T; select 1 from T", nullptr, {}},
    };
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto statement = captionStatement(c.text, "S'1", kToday);
        ASSERT_EQ(statement.has_value(), c.sql != nullptr);
        if (!statement)
            continue;
        EXPECT_EQ(statement->sql, c.sql);
        std::vector<std::string> params;
        for (const db::Value& value : statement->params)
            params.push_back(value.asString());
        EXPECT_EQ(params, c.params);
    }
}

TEST(CaptionStatementTest, AddMonthsKeepsTheDayOrTheMonthsLast)
{
    EXPECT_EQ(addMonths({2024, 1, 31}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(addMonths({2023, 1, 31}, 1), (Date{2023, 2, 28}));
    EXPECT_EQ(addMonths({2024, 3, 15}, -3), (Date{2023, 12, 15}));
    EXPECT_EQ(addMonths({2024, 12, 31}, 12), (Date{2025, 12, 31}));
}

class ComputedCaptionTest : public test::ScreenTest {
protected:
    ComputedCaptionTest()
    {
        addEmployee("S1", "Byrne");
        addEmployee("O'N1", "Quote");
        user.CurrentStaffNo = "S1";
        screen->setToday([] { return kToday; });
    }
};

struct CaptionCase {
    const char* caption;
    const char* shown;
    bool logged;
};

TEST_F(ComputedCaptionTest, RectanglesShowTheFirstValueOrADashAndNeverTheStatement)
{
    const CaptionCase cases[] = {
        {"%SQL%select SURNAME from MASTER where STAFFNO = '%STAFFNO%'", "Byrne", false},
        {"%SQL%select cast('%DAY-7%' as date) from RDB$DATABASE", "24/01/2024", false},
        {"%SQL%select SURNAME from MASTER where STAFFNO = 'nobody'", "-", false},
        {"%SQL%select NOSUCHCOLUMN from MASTER", "-", true},
        {"%SQL%update MASTER set SURNAME = 'Gone'", "-", true},
        {"Plain text", "Plain text", false},
    };
    int id = 0;
    for (const CaptionCase& c : cases) {
        ++id;
        addRectangle(590, id, c.caption, 10 * id);
    }
    data::Dataset& employees = dataset("qryEmpDts");
    screen->LayoutScreen("MASTER", 590, employees);
    screen->showRecord(employees);

    id = 0;
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(control<web::Label>("RMVrec" + std::to_string(++id))->caption(), c.shown);
    }
    const auto contexts = loggedContexts();
    // Two errors in one second are kept as "Error-ComputedCaption (2)".
    EXPECT_EQ(std::count_if(contexts.begin(), contexts.end(),
                            [](const std::string& c) { return c.starts_with("Error-ComputedCaption"); }),
              2);
    EXPECT_EQ(employee.query("select count(*) from MASTER where SURNAME = 'Gone'").first()[0].asInt(), 0);
    const std::string html = renderScreen();
    EXPECT_EQ(html.find("NOSUCHCOLUMN"), std::string::npos);
    EXPECT_EQ(html.find("%SQL%"), std::string::npos);
}

TEST_F(ComputedCaptionTest, AStaffNumberWithAQuoteIsBoundNotComposed)
{
    user.CurrentStaffNo = "O'N1";
    EXPECT_EQ(screen->ComputedCaption("select SURNAME from MASTER where STAFFNO = '%STAFFNO%'"), "Quote");
}

} // namespace
} // namespace zorv::records
