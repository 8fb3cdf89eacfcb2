// The main page on the demo installation: the navigation bar per profile and
// rights, stepping through the employees a user may see, record screens.

#include "SessionDriver.h"
#include "TestFolder.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/ReferenceCache.h"
#include "data/db/Connection.h"
#include "records/TfrmMainDetails.h"
#include "signin/TformMain.h"
#include "tools/InstallCommands.h"
#include "web/controls/Label.h"
#include "web/controls/OutlookBar.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace zorv::records {
namespace {

namespace fs = std::filesystem;
using test::SessionDriver;

class MainPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new test::TestFolder();
        std::ostringstream out, err;
        built_ = admin::runDemo({"--home", home().string(), "--employees", "30", "--seed", "1", "--today",
                                 "11/06/2025"},
                                out, err) == admin::ExitCode::Ok;
        whyNot_ = err.str();
    }
    static void TearDownTestSuite() { delete folder_; }

    void SetUp() override
    {
        ASSERT_TRUE(built_) << whyNot_;
        setProgramFolder(home());
        data::ReferenceCache::instance().clear();
        driver_ = std::make_unique<SessionDriver>(home());
    }
    void TearDown() override { driver_.reset(); }

    static fs::path home() { return folder_->path() / "home"; }
    static db::Connection database(const std::string& file)
    {
        db::ConnectionTarget target;
        target.path = (home() / file).string();
        return db::Connection::attach(target);
    }

    TfrmMainDetails& mainPage()
    {
        auto* page = driver_->pageAs<TfrmMainDetails>();
        if (!page)
            throw std::runtime_error("not on the main page");
        return *page;
    }
    std::string shownStaffNo() { return mainPage().findAs<web::Label>("lblStaffno")->caption(); }

    /// Every staff number reached with cmdNext from the first, in order.
    std::vector<std::string> stepThroughAll()
    {
        std::string previous;
        for (int i = 0; i < 200 && shownStaffNo() != previous; ++i) {
            previous = shownStaffNo();
            driver_->post("cmdPrev:click");
        }
        std::vector<std::string> seen{shownStaffNo()};
        for (int i = 0; i < 200; ++i) {
            driver_->post("cmdNext:click");
            if (shownStaffNo() == seen.back())
                break;
            seen.push_back(shownStaffNo());
        }
        return seen;
    }

    /// Panel captions with their item captions, as "Panel: a, b".
    std::vector<std::string> barText()
    {
        std::vector<std::string> text;
        const web::OutlookBar& bar = mainPage().bar();
        for (int p = 0; p < bar.panelCount(); ++p) {
            std::string line = bar.panel(p).caption + ":";
            for (const auto& item : bar.panel(p).items)
                line += " " + item.caption + "(" + std::to_string(item.tag) + ")";
            text.push_back(line);
        }
        return text;
    }

    static inline test::TestFolder* folder_ = nullptr;
    static inline bool built_ = false;
    static inline std::string whyNot_;
    std::unique_ptr<SessionDriver> driver_;
};

TEST_F(MainPageTest, SelfOnlyUserReachesOnlyTheOwnRecord)
{
    ASSERT_TRUE(driver_->signIn("employee", "1005", "employee"));
    EXPECT_EQ(shownStaffNo(), "1005");
    EXPECT_EQ(stepThroughAll(), std::vector<std::string>{"1005"});
}

TEST_F(MainPageTest, SupervisorStepsThroughTheGroupAndTheOwnRecord)
{
    ASSERT_TRUE(driver_->signIn("supervisor", "1002", "supervisor"));
    const auto seen = stepThroughAll();
    const std::set<std::string> distinct(seen.begin(), seen.end());
    EXPECT_EQ(distinct.size(), seen.size()) << "each employee once";
    EXPECT_GT(seen.size(), 1U);
    EXPECT_TRUE(distinct.contains("1002")) << "supervisor view keeps the own record";
    auto employees = database("data/hospital.fdb");
    std::set<std::string> members{"1002"};
    for (const auto& row : employees.query("select STAFFNO from GROUPS where GROUPNAME = 'Nursing team'"))
        members.insert(row[0].asString());
    for (const std::string& staffNo : seen)
        EXPECT_TRUE(members.contains(staffNo)) << staffNo << " is outside the group";
    // At both ends the position stays.
    driver_->post("cmdNext:click");
    EXPECT_EQ(shownStaffNo(), seen.back());
}

struct BarCase {
    const char* name;
    std::vector<std::vector<std::string>> bars;    // IBARNO, ALIST
    std::vector<std::vector<std::string>> buttons; // IBARNO, IPOSITION, LVISIBLE, ITAG, ATEXT
    std::vector<std::string> expected;
};

TEST_F(MainPageTest, BarIsBuiltFromTheProfilesRows)
{
    const BarCase cases[] = {
        {"no rows: one panel Main", {}, {}, {"Main: Main(0)"}},
        {"caption from the tenth character, && becomes &",
         {{"1", "000000001R&&D"}},
         {{"1", "1", "TRUE", "590", "Details"}, {"1", "2", "true", "710", "Absence"}},
         {"R&D: Details(590) Absence(710)"}},
        {"invisible buttons and unknown tags are left out, an empty panel goes",
         {{"1", "000000001First"}, {"2", "000000002Second"}},
         {{"1", "1", "FALSE", "590", "Hidden"}, {"1", "2", "TRUE", "99999", "Unknown"}, {"2", "1", "TRUE", "780", "Training"}},
         {"Second: Training(780)"}},
        {"buttons of a bar without a TBars row are skipped",
         {{"2", "000000002Only"}},
         {{"1", "1", "TRUE", "590", "Orphan"}, {"2", "1", "TRUE", "710", "Absence"}},
         {"Only: Absence(710)"}},
    };
    // The bars are read from the global work database when the time module is
    // on (as in the demo), else from the global database: both get the rows.
    for (const BarCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* file : {"data/global.fdb", "data/globalwork.fdb"}) {
            auto global = database(file);
            global.execute("delete from TBARS where upper(AUSER) = 'EMPLOYEE'");
            global.execute("delete from TBUTTONS where upper(AUSER) = 'EMPLOYEE'");
            for (const auto& bar : c.bars)
                global.execute("insert into TBARS (AUSER, IBARNO, ALIST) values ('EMPLOYEE', ?, ?)",
                               {std::stoi(bar[0]), bar[1]});
            for (const auto& b : c.buttons)
                global.execute("insert into TBUTTONS (AUSER, IBARNO, IPOSITION, LVISIBLE, ITAG, ATEXT, IIMAGEINDEX) "
                               "values ('EMPLOYEE', ?, ?, ?, ?, ?, 0)",
                               {std::stoi(b[0]), std::stoi(b[1]), b[2], std::stoi(b[3]), b[4]});
        }
        data::ReferenceCache::instance().clear();
        ASSERT_TRUE(driver_->signIn("employee", "1005", "employee"));
        auto bar = barText();
        // The employee's own rights add the time panel after the bar.
        if (!bar.empty() && bar.back().starts_with("Time Report:"))
            bar.pop_back();
        EXPECT_EQ(bar, c.expected);
    }
}

TEST_F(MainPageTest, TimePanelFollowsTheScreenRights)
{
    struct RightsCase {
        const char* name;
        std::vector<std::pair<std::string, std::string>> rights;
        std::string expected; // the time panel, or "" when there is none
    };
    const RightsCase cases[] = {
        {"all No Access: no panel", {{"Status", "No Access"}, {"Flexi", "No Access"}}, ""},
        {"one item per right, EWTD adds two",
         {{"Status", "Read Only"}, {"EWTD", "Full Access"}, {"Signoff", "No Access"}},
         "Time Report: Status(-2) EWTD(-12) Working Trend(-13)"},
        {"unknown screens add nothing", {{"Somewhere", "Full Access"}}, ""},
    };
    auto web = database("data/web.fdb");
    for (const RightsCase& c : cases) {
        SCOPED_TRACE(c.name);
        web.execute("delete from TUSERSEC where upper(AUSER) = 'EMPLOYEE'");
        int key = 900000;
        for (const auto& [screen, right] : c.rights)
            web.execute("insert into TUSERSEC (AUSER, ASCREEN, ARIGHTS, IKEY) values ('employee', ?, ?, ?)",
                        {screen, right, ++key});
        ASSERT_TRUE(driver_->signIn("employee", "1005", "employee"));
        std::string time;
        for (const auto& line : barText())
            if (line.starts_with("Time Report:"))
                time = line;
        EXPECT_EQ(time, c.expected);
    }
}

TEST_F(MainPageTest, BarItemsOpenTheirScreensAndForgedItemsDoNothing)
{
    ASSERT_TRUE(driver_->signIn("admin", "1001", "admin"));
    const web::OutlookBar& bar = mainPage().bar();
    int opened = 0;
    for (int p = 0; p < bar.panelCount(); ++p) {
        for (int i = 0; i < static_cast<int>(bar.panel(p).items.size()); ++i) {
            const int tag = bar.item(p, i).tag;
            if (tag <= 0 || tag == 670)
                continue;
            driver_->post("OutMain:panel:" + std::to_string(p));
            driver_->post("OutMain:item:" + std::to_string(p) + ":" + std::to_string(i));
            ASSERT_NE(driver_->pageAs<TfrmMainDetails>(), nullptr);
            EXPECT_EQ(mainPage().screenTag(), tag);
            EXPECT_EQ(driver_->user().CurrentScreenTag, tag);
            ++opened;
        }
    }
    EXPECT_GE(opened, 3);
    const int before = mainPage().screenTag();
    driver_->post("OutMain:item:42:7");
    EXPECT_EQ(mainPage().screenTag(), before);
    EXPECT_NE(driver_->lastBody().find("You do not have rights for this action."), std::string::npos);
    EXPECT_EQ(shownStaffNo(), "1001");
}

TEST_F(MainPageTest, AbsenceSignOffOncePerMonth)
{
    auto web = database("data/web.fdb");
    web.execute("delete from ABSSIGN where AUSER = 'admin'");
    web.execute("delete from ABSSIGNUSER where AUSER = 'admin'");
    web.execute("insert into ABSSIGNUSER (AUSER, IKEY, DSTART, DEND) values ('admin', 1, ?, ?)",
                {Date{2000, 1, 1}, Date{1899, 12, 30}});
    Ini((home() / "zorvweb.ini").string()).writeBool("settings", "AbsSignOff", true);
    ASSERT_TRUE(driver_->signIn("admin", "1001", "admin"));
    const web::OutlookBar& bar = mainPage().bar();
    for (int p = 0; p < bar.panelCount(); ++p)
        for (int i = 0; i < static_cast<int>(bar.panel(p).items.size()); ++i)
            if (bar.item(p, i).tag == 710) {
                driver_->post("OutMain:panel:" + std::to_string(p));
                driver_->post("OutMain:item:" + std::to_string(p) + ":" + std::to_string(i));
            }
    ASSERT_EQ(mainPage().screenTag(), 710);
    ASSERT_TRUE(mainPage().find("imgSignOff")->visible());
    ASSERT_TRUE(mainPage().find("imgCal")->visible());

    driver_->post("imgSignOff:click");
    EXPECT_TRUE(mainPage().find("regSignoff")->visible());
    EXPECT_FALSE(mainPage().find("regedit")->visible());
    driver_->post("ImgSignSave:click");
    EXPECT_FALSE(mainPage().find("regSignoff")->visible());
    auto signed1 = web.query("select IPERIOD, IYEAR from ABSSIGN where AUSER = 'admin'");
    ASSERT_EQ(signed1.size(), 1U);
    const Date today = DateTime::now().date;
    EXPECT_EQ(signed1.first()[0].asInt(), today.month);
    EXPECT_EQ(signed1.first()[1].asInt(), today.year);

    driver_->post("imgSignOff:click");
    driver_->post("ImgSignSave:click");
    EXPECT_NE(driver_->lastBody().find("Period has already been signed off"), std::string::npos);
    EXPECT_EQ(web.query("select * from ABSSIGN where AUSER = 'admin'").size(), 1U);
    driver_->post("grdUser1:button:0:0");
    EXPECT_TRUE(web.query("select * from ABSSIGN where AUSER = 'admin'").empty());
}

TEST_F(MainPageTest, AdministrationTabIsRefusedToOthersEvenWhenForged)
{
    ASSERT_TRUE(driver_->signIn("employee", "1005", "employee"));
    EXPECT_FALSE(mainPage().find("cmdAdmin")->visible());
    // A hidden control takes no event; the handler checks again all the same.
    driver_->post("cmdAdmin:click");
    EXPECT_NE(driver_->pageAs<TfrmMainDetails>(), nullptr);
    ASSERT_TRUE(driver_->signIn("admin", "1001", "admin"));
    EXPECT_TRUE(mainPage().find("cmdAdmin")->visible());
}

TEST_F(MainPageTest, LogoutStoresTheDatabaseAndReturnsToTheLoginPage)
{
    ASSERT_TRUE(driver_->signIn("hr", "1003", "hr"));
    driver_->post("imglogout1:click");
    EXPECT_NE(driver_->pageAs<signin::TformMain>(), nullptr);
    EXPECT_TRUE(driver_->user().UserName.empty());
    auto web = database("data/web.fdb");
    EXPECT_EQ(web.query("select LASTDB from TLOGIN where AUSER = 'hr'").first()[0].asString(), "Hospital");
}

} // namespace
} // namespace zorv::records
