// The server-side check of page handlers, on real databases.

#include "TestInstallation.h"

#include "data/TdmMain.h"
#include "data/db/Connection.h"
#include "server/ActionRights.h"
#include "server/TUserSession.h"
#include "web/WebApplication.h"
#include "web/WebSession.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace zorv::server {
namespace {

class NoPages : public web::WebApplication {
public:
    void sessionStarted(web::WebSession&) override {}
    void sessionClosed(web::WebSession&) override {}
    void sessionException(web::WebSession&, const std::exception&) override {}
    void openStartPage(web::WebSession&) override {}
};

/// Who is signed in for a case.
struct SignedInUser {
    const char* userName;
    const char* staffNo;
    const char* securityCode;
    const char* group;
    bool administrator;
};

// S1 to S4 in master; the group Ward holds S2 and S3; security code HIDE must
// not see S3; security code BAD restricts by a column master lacks.
const SignedInUser kNobody{"", "", "", "", true};
const SignedInUser kAnn{"ann", "S1", "OPEN", "", false};
const SignedInUser kSelfOnly{"clerk", "S2", "OPEN", "view self only", false};
const SignedInUser kWard{"ward", "S1", "HIDE", "Ward", false};
const SignedInUser kAdmin{"root", "S9", "OPEN", "", true};
const SignedInUser kBadCode{"bad", "S1", "BAD", "", false};

class ActionRightsTest : public ::testing::Test {
protected:
    ActionRightsTest()
    {
        installation.open();
        web.setData(std::make_unique<TUserSession>([this] { return &installation.data(); }));
        user().dmMain->ConnectEmployeeDatabase("Hospital");

        auto employee = database("dbZorvHospital");
        for (const char* staffNo : {"S1", "S2", "S3", "S4"})
            employee->execute("insert into MASTER (STAFFNO) values (?)", {staffNo});
        for (const char* member : {"S2", "S3"})
            employee->execute("insert into GROUPS (GROUPNAME, STAFFNO) values ('Ward', ?)", {member});
        auto central = database("CentQuennel");
        central->execute("insert into TSECREC (AUSERCODE, STAFFNO) values ('HIDE', 'S3')");
        central->execute("insert into USERS (ASYSTEM, CUSERCODE, ASECURITYCODE, ARESTRICTVIEWFIELD, "
                         "ARESTRICTVIEWVALUE) values ('WEB', 'BROKEN', 'BAD', 'NOSUCHCOLUMN', 'x')");
        auto web = database("QuennelMain");
        const char* screenRight = "insert into TUSERSEC (AUSER, ASCREEN, ARIGHTS, IKEY) values (?, ?, ?, ?)";
        const std::vector<std::vector<std::string>> rights = {{"ann", "Flexi", "Full Access"},
                                                              {"ann", "Status", "Read Only"},
                                                              {"ann", "Supervisor", "true"},
                                                              {"ann", "Supervisor View", " Yes "},
                                                              {"clerk", "Flexi", "Full Access"}};
        int key = 0;
        for (const auto& row : rights)
            web->execute(screenRight, {row[0], row[1], row[2], ++key});
    }

    TUserSession& user() { return dynamic_cast<TUserSession&>(*web.data()); }
    db::PooledConnection database(const std::string& alias) { return installation.data().pools().borrow(alias); }

    void signIn(const SignedInUser& who)
    {
        user().UserName = who.userName;
        user().StaffNo = who.staffNo;
        user().SecurityCode = who.securityCode;
        user().Group = who.group;
        user().IsAdministrator = who.administrator;
    }

    std::string errorLog() const
    {
        std::ifstream file(installation.path("ZorvError.ini"));
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    test::TestInstallation installation{{"Hospital"}};
    NoPages app;
    web::WebSession web{"s1", app};
};

struct RightCase {
    const char* name;
    SignedInUser user;
    ActionRight right;
    bool holds;
};

TEST_F(ActionRightsTest, EachKindOfRequirementIsCheckedOnTheServer)
{
    const RightCase cases[] = {
        {"not signed in", kNobody, ActionRight::signedIn(), false},
        {"not signed in, whatever the flags say", kNobody, ActionRight::administrator(), false},
        {"not signed in: no own record to match", kNobody, ActionRight::employee(""), false},
        {"signed in", kAnn, ActionRight::signedIn(), true},
        {"administrator", kAdmin, ActionRight::administrator(), true},
        {"not an administrator", kAnn, ActionRight::administrator(), false},
        {"screen value accepted", kAnn, ActionRight::screen("Flexi", {"Full Access"}), true},
        {"screen value refused", kAnn, ActionRight::screen("Status", {"Full Access"}), false},
        {"one of several values", kAnn, ActionRight::screen("Status", {"Read Only", "Full Access"}), true},
        {"missing row", kAnn, ActionRight::screen("EmpWeek", {"Full Access"}), false},
        {"missing row accepted only when listed", kAnn, ActionRight::screen("EmpWeek", {""}), true},
        {"another login's row", kAdmin, ActionRight::screen("Flexi", {"Full Access"}), false},
        {"values compared as stored", kAnn, ActionRight::screen("Flexi", {"full access"}), false},
        {"stored lower case against TRUE", kAnn, ActionRight::screen("Supervisor", {"TRUE"}), false},
        {"case ignored when asked", kAnn, ActionRight::screenIgnoringCase("Supervisor", {"TRUE"}), true},
        {"blanks ignored with the case", kAnn, ActionRight::screenIgnoringCase("Supervisor View", {"YES"}), true},
        {"own record", kSelfOnly, ActionRight::employee("S2"), true},
        {"view self only: another employee", kSelfOnly, ActionRight::employee("S1"), false},
        {"own record outside the group", kWard, ActionRight::employee("S1"), true},
        {"visible member of the group", kWard, ActionRight::employee("S2"), true},
        {"member excluded by the security code", kWard, ActionRight::employee("S3"), false},
        {"not in the group", kWard, ActionRight::employee("S4"), false},
        {"no such employee", kAnn, ActionRight::employee("S7"), false},
        {"staff number compared as stored", kWard, ActionRight::employee("s2"), false},
        {"staff number is bound", kWard, ActionRight::employee("S4' or '1'='1"), false},
        {"everyone visible", kAnn, ActionRight::employee("S4"), true},
        {"bad restriction: the list fails closed", kBadCode, ActionRight::employee("S2"), false},
        {"bad restriction: the own record needs no list", kBadCode, ActionRight::employee("S1"), true},
        {"administrator or a screen right", kAdmin,
         ActionRight::anyOf({ActionRight::screen("Flexi", {"Full Access"}), ActionRight::administrator()}), true},
        {"neither", kWard,
         ActionRight::anyOf({ActionRight::screen("Flexi", {"Full Access"}), ActionRight::administrator()}), false},
    };
    for (const RightCase& c : cases) {
        SCOPED_TRACE(c.name);
        signIn(c.user);
        EXPECT_EQ(holds(user(), c.right), c.holds);
    }
    EXPECT_TRUE(web.pendingMessages().empty()) << "holds() shows nothing";
}

TEST_F(ActionRightsTest, ARefusalShowsOneMessageAndAGrantNone)
{
    signIn(kWard);
    EXPECT_TRUE(allowed(user(), web, ActionRight::employee("S2")));
    EXPECT_TRUE(allowed(web, {ActionRight::signedIn(), ActionRight::employee("S2")}));
    EXPECT_TRUE(web.pendingMessages().empty());

    EXPECT_FALSE(allowed(user(), web, {ActionRight::screen("Flexi", {"Full Access"}), ActionRight::employee("S4")}));
    EXPECT_FALSE(allowed(user(), web, {ActionRight::employee("S2"), ActionRight::administrator()}))
        << "every requirement must hold";
    EXPECT_FALSE(allowed(web, ActionRight::employee("S3")));
    EXPECT_EQ(std::vector<std::string>(web.pendingMessages().begin(), web.pendingMessages().end()),
              std::vector<std::string>(3, kNoRightsMessage));

    NoPages otherApp;
    web::WebSession bare("s2", otherApp);
    EXPECT_FALSE(allowed(bare, ActionRight::signedIn())) << "a session without a user session";
    EXPECT_EQ(bare.pendingMessages().size(), 1U);
}

TEST_F(ActionRightsTest, RightsThatCannotBeReadAreRefusedAndLogged)
{
    signIn(kBadCode);
    EXPECT_FALSE(allowed(user(), web, ActionRight::employee("S2")));
    EXPECT_NE(errorLog().find("NOSUCHCOLUMN"), std::string::npos) << errorLog();

    // A screen name longer than its column makes the database refuse the lookup.
    const std::string tooLong(31, 'S');
    signIn(kAnn);
    EXPECT_FALSE(allowed(user(), web, ActionRight::screen(tooLong, {""})));
    EXPECT_TRUE(allowed(user(), web, ActionRight::anyOf({ActionRight::screen(tooLong, {""}),
                                                         ActionRight::employee("S1")})))
        << "an alternative that can be read still counts";
    EXPECT_NE(errorLog().find("truncation"), std::string::npos) << errorLog();

    TUserSession down([]() -> data::Tdmdata* { return nullptr; });
    down.UserName = "ann";
    down.StaffNo = "S1";
    EXPECT_FALSE(allowed(down, web, ActionRight::employee("S2"))) << "databases down";
    EXPECT_EQ(web.pendingMessages().size(), 3U);
}

} // namespace
} // namespace zorv::server
