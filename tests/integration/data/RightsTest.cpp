// Record, table, field, screen and database rights on real databases.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "common/Text.h"
#include "data/Rights.h"
#include "data/RightsAccess.h"
#include "data/RightsTables.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorv::data {
namespace {

using test::ConnectedSessionTest;
using test::FakeSession;
using StaffNos = std::vector<std::string>;

class RightsTest : public ConnectedSessionTest {
protected:
    RightsTest()
    {
        // Surnames run against the staff numbers, so the kept "order by" shows.
        const std::vector<std::vector<std::string>> master = {{"S1", "Eagan", "North", "A"},
                                                              {"S2", "Dunne", "south", "B"},
                                                              {"S3", "Casey", "NORTH", "a"},
                                                              {"S4", "Byrne", "", "B"},
                                                              {"S5", "Ahern", "East", "A"}};
        for (const auto& row : master)
            employee->execute("insert into MASTER (STAFFNO, SURNAME, DIVISION, ABSCLASS) values (?, ?, ?, ?)",
                              {row[0], row[1], row[2], row[3]});
        for (const char* member : {"S1", "S2", "S3"})
            employee->execute("insert into GROUPS (GROUPNAME, STAFFNO) values ('Ward G', ?)", {member});
        for (const char* excluded : {"S1", "S2"})
            central->execute("insert into TSECREC (AUSERCODE, STAFFNO) values ('HIDE', ?)", {excluded});
        central->execute("insert into USERS (ASYSTEM, CUSERCODE, ASECURITYCODE, ARESTRICTVIEWFIELD, "
                         "ARESTRICTVIEWVALUE) values ('WEB', 'NORTHERN', 'Div', 'DIVISION', 'north')");
        central->execute("insert into USERS (ASYSTEM, CUSERCODE, ASECURITYCODE, ARESTRICTVIEWFIELD, "
                         "ARESTRICTVIEWVALUE) values ('WEB', 'FORGED', 'BAD', 'SURNAME) or (1=1', 'x')");
        central->execute("insert into USERS (ASYSTEM, CUSERCODE, ASECURITYCODE) values ('WEB', 'PLAIN', 'HIDE')");
        const char* screenRight = "insert into TUSERSEC (AUSER, ASCREEN, ARIGHTS, IKEY) values (?, ?, ?, ?)";
        web->execute(screenRight, {"boss", "Supervisor View", "yes", 1});
        web->execute(screenRight, {"clerk", "Supervisor View", "No", 2});
    }

    RightsDatabases databases() { return {*central, *web, *employee}; }

    StaffNos listed(const BoundSql& statement)
    {
        StaffNos result;
        for (const db::Row& row : employee->query(statement.sql, statement.params))
            result.push_back(row["STAFFNO"].asString());
        return result;
    }

    db::PooledConnection central = database("CentQuennel");
    db::PooledConnection web = database("QuennelMain");
    db::PooledConnection employee = hospital();
};

struct RestrictCase {
    const char* name;
    RightsUser user;
    bool byAbsenceClass;
    StaffNos expected; // in the order of the caller's "order by SURNAME"
};

TEST_F(RightsTest, RestrictEmployeeSqlListsOnlyTheEmployeesTheUserMaySee)
{
    const std::string sql = "select STAFFNO from MASTER where SURNAME > 'Z' order by SURNAME";
    const RestrictCase cases[] = {
        {"view self only drops the caller's where", {"ann", "HIDE", "view self only", "s3", ""}, false, {"S3"}},
        {"no exclusion, group or restriction shows everyone", {"ann", "OPEN", "", "S1", ""}, false,
         {"S5", "S4", "S3", "S2", "S1"}},
        {"exclusions alone", {"ann", "HIDE", "", "S1", ""}, false, {"S5", "S4", "S3"}},
        {"exclusions and a group", {"ann", "HIDE", "ward g", "S1", ""}, false, {"S3"}},
        {"group alone", {"ann", "OPEN", "Ward G", "S5", ""}, false, {"S3", "S2", "S1"}},
        {"restriction field compared upper-cased", {"ann", "div", "", "S5", ""}, false, {"S3", "S1"}},
        {"restriction after a group", {"ann", "DIV", "Ward G", "S5", ""}, false, {"S3", "S1"}},
        {"supervisor view adds the own record to the group", {"boss", "OPEN", "Ward G", "s5", ""}, false,
         {"S5", "S3", "S2", "S1"}},
        {"supervisor view needs YES", {"clerk", "OPEN", "Ward G", "S5", ""}, false, {"S3", "S2", "S1"}},
        {"supervisor view without any condition changes nothing", {"BOSS", "OPEN", "", "S5", ""}, false,
         {"S5", "S4", "S3", "S2", "S1"}},
        {"absence class alone", {"ann", "OPEN", "", "S1", "a"}, true, {"S5", "S3", "S1"}},
        {"absence class after exclusions, with supervisor view", {"boss", "HIDE", "", "S2", "b"}, true,
         {"S4", "S2"}},
        {"values are bound, not composed", {"ann", "OPEN", "x') or (1=1", "S1", ""}, false, {}},
    };
    for (const RestrictCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(listed(RestrictEmployeeSql(sql, c.user, databases(), c.byAbsenceClass)), c.expected);
    }
}

TEST_F(RightsTest, RestrictEmployeeSqlKeepsWhatHasNoConditions)
{
    const RightsUser user{"ann", "OPEN", "", "S1", ""};
    EXPECT_TRUE(RestrictEmployeeSql("", user, databases(), false).empty());
    EXPECT_EQ(listed(RestrictEmployeeSql("select STAFFNO from MASTER", user, databases(), false)).size(), 5U);
    EXPECT_EQ(listed(RestrictEmployeeSql("select STAFFNO from MASTER order by SURNAME desc",
                                         {"ann", "HIDE", "", "S1", ""}, databases(), false)),
              (StaffNos{"S3", "S4", "S5"}));
}

TEST_F(RightsTest, TheStepsGoToTheDebugTraceWhenItIsOn)
{
    const std::string tracePath = installation.path("trace.ini");
    const std::string sql = "select STAFFNO from MASTER where SURNAME > 'Z' order by SURNAME";
    const RightsUser user{"boss", "DIV", "Ward G", "S5", ""};
    RestrictEmployeeSql(sql, user, databases(), false, DebugTrace(false, tracePath));
    EXPECT_FALSE(std::filesystem::exists(tracePath));

    const BoundSql traced = RestrictEmployeeSql(sql, user, databases(), false, DebugTrace(true, tracePath));
    const Ini trace(tracePath);
    EXPECT_EQ(trace.readString("SQLWRITE", "1", ""), sql);
    EXPECT_EQ(trace.readString("SQLWRITE", "Usercode", ""), "DIV");
    EXPECT_EQ(trace.readString("SQLWRITE", "2", ""), "select STAFFNO from MASTER");
    EXPECT_EQ(trace.readString("SQLWRITE", "OutPut", ""), trim(traced.sql));
    EXPECT_EQ(listed(traced), (StaffNos{"S5", "S3", "S1"}));
}

TEST_F(RightsTest, ExclusionListAndRestrictionClauseHaveTheirShapes)
{
    const BoundSql none = StaffExclusionList(*central, "OPEN");
    EXPECT_EQ(none.sql, " ( ) ");
    EXPECT_TRUE(none.params.empty());
    const BoundSql two = StaffExclusionList(*central, "HIDE");
    EXPECT_EQ(two.sql, " ( ?,? ) ");
    EXPECT_EQ(two.params, (db::Params{"S1", "S2"}));

    EXPECT_TRUE(RestrictViewClause(databases(), "HIDE", true).empty()) << "no restriction field";
    EXPECT_TRUE(RestrictViewClause(databases(), "NOBODY", true).empty()) << "no Users row";
    const BoundSql opening = RestrictViewClause(databases(), "DIV", true);
    EXPECT_EQ(opening.sql, " where Upper(DIVISION) = Upper(?)");
    EXPECT_EQ(opening.params, (db::Params{"north"}));
    EXPECT_EQ(RestrictViewClause(databases(), "div", false).sql, " and Upper(DIVISION) = Upper(?)");
}

TEST_F(RightsTest, ARestrictionFieldThatIsNoMasterColumnRefusesTheList)
{
    const RightsUser forged{"ann", "BAD", "", "S1", ""};
    try {
        RestrictEmployeeSql("select STAFFNO from MASTER", forged, databases(), false);
        FAIL() << "a forged restriction field must not reach the SQL";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "The restriction field 'SURNAME) or (1=1' of security code 'BAD' is not a "
                                   "column of master.");
    }
}

struct SessionRestrictCase {
    const char* name;
    const char* user;
    const char* securityCode;
    const char* group;
    const char* staffNo;
    StaffNos expected;
};

TEST_F(RightsTest, TheMainModuleRestrictsListsForTheSessionsUser)
{
    const std::string sql = "select STAFFNO from MASTER where SURNAME > 'Z' order by SURNAME";
    const SessionRestrictCase cases[] = {
        {"exclusions and group of the session", "ann", "HIDE", "ward g", "S1", {"S3"}},
        {"view self only keeps the session's own number", "ann", "HIDE", "VIEW SELF ONLY", "s3", {"S3"}},
        {"restriction of the session's security code", "ann", "div", "", "S5", {"S3", "S1"}},
        {"supervisor view of the session's login", "boss", "OPEN", "Ward G", "s5", {"S5", "S3", "S2", "S1"}},
    };
    FakeSession& view = session->view;
    for (const SessionRestrictCase& c : cases) {
        SCOPED_TRACE(c.name);
        view.user = c.user;
        view.security = c.securityCode;
        view.groupName = c.group;
        view.ownStaffNo = c.staffNo;
        EXPECT_EQ(listed(dmMain().RestrictEmployeeSql(sql, false)), c.expected);
    }
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(RightsTest, TheMainModuleFiltersByTheProfilesCurrentAbsenceClass)
{
    FakeSession& view = session->view;
    view.security = "OPEN";
    Ini zorvweb(installation.path("zorvweb.ini"));
    const std::string section = "Client_" + view.profileName;

    EXPECT_EQ(listed(dmMain().RestrictEmployeeSql("select STAFFNO from MASTER", true)), StaffNos{})
        << "no class configured: the default class, which nobody has here";
    EXPECT_EQ(zorvweb.readString(section, "CurrentClient", ""), "Current") << "the default is written back";

    zorvweb.writeString(section, "CurrentClient", "b");
    EXPECT_EQ(listed(dmMain().RestrictEmployeeSql("select STAFFNO from MASTER order by STAFFNO", true)),
              (StaffNos{"S2", "S4"}));
    EXPECT_EQ(listed(dmMain().RestrictEmployeeSql("select STAFFNO from MASTER order by STAFFNO", false)).size(), 5U);
}

TEST_F(RightsTest, TheMainModuleShowsMessage591ForABlankStatement)
{
    auto hr = database("GlobalQuennel");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (778, 'Error')");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (591, 'No list to restrict')");
    for (const char* blank : {"", "  "}) {
        SCOPED_TRACE("'" + std::string(blank) + "'");
        session->view.messages.clear();
        EXPECT_TRUE(dmMain().RestrictEmployeeSql(blank, false).empty());
        EXPECT_EQ(session->view.messages, (std::vector<std::string>{"Error 591. No list to restrict"}));
    }
}

TEST_F(RightsTest, TheMainModuleGivesNoListWhenTheRightsCannotBeApplied)
{
    session->view.security = "BAD";
    EXPECT_THROW(dmMain().RestrictEmployeeSql("select STAFFNO from MASTER", false), std::runtime_error)
        << "a restriction field that is no master column";

    test::TestSession unconnected(installation);
    unconnected.view.security = "OPEN";
    EXPECT_THROW(unconnected.dmMain->RestrictEmployeeSql("select STAFFNO from MASTER", false), std::runtime_error)
        << "no employee database";
}

TEST_F(RightsTest, TheMainModuleTracesWhileTheDebugSwitchIsOn)
{
    const std::string sql = "select STAFFNO from MASTER order by SURNAME";
    session->view.security = "HIDE";
    Ini debug(installation.path("zorvwebdebug.ini"));
    dmMain().RestrictEmployeeSql(sql, false);
    EXPECT_FALSE(debug.valueExists("SQLWRITE", "OutPut")) << "off by default";

    debug.writeBool("Debugger", "debugger", true);
    const BoundSql traced = dmMain().RestrictEmployeeSql(sql, false);
    EXPECT_EQ(debug.readString("SQLWRITE", "1", ""), sql);
    EXPECT_EQ(debug.readString("SQLWRITE", "Usercode", ""), "HIDE");
    EXPECT_EQ(debug.readString("SQLWRITE", "OutPut", ""), trim(traced.sql));
}

TEST_F(RightsTest, ScreenRightsAreReadAndSetPerLoginAndScreen)
{
    web->execute("insert into TUSERSEC (AUSER, ASCREEN, ARIGHTS, IKEY) values ('old', 'Flexi', 'No Access', null)");
    auto keys = database("GlobalQuennel");
    SetScreenRight(*web, *keys, "BOSS", "Supervisor View", "NO");
    SetScreenRight(*web, *keys, "old", "FLEXI", "Full Access");
    SetScreenRight(*web, *keys, "newbie", "Status", "Read Only");
    SetScreenRight(*web, *keys, "Newbie", "status", "Full Access");

    const struct {
        const char* user;
        const char* screen;
        const char* expected;
    } cases[] = {
        {"boss", "Supervisor View", "NO"},  {"Clerk", "Supervisor View", "No"}, {"clerk", "supervisor view", ""},
        {"OLD", "FLEXI", "Full Access"},    {"old", "Flexi", ""},               {"newbie", "status", "Full Access"},
        {"nobody", "Status", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.screen);
        EXPECT_EQ(ScreenRights(*web, c.user, c.screen), c.expected);
    }
    EXPECT_EQ(web->query("select count(*) from TUSERSEC").first()[0].asInt(), 4) << "updated in place, one insert";
    EXPECT_FALSE(web->query("select IKEY from TUSERSEC where AUSER = 'Newbie'").first()[0].isNull());

    EXPECT_THROW(SetScreenRight(*web, *keys, "boss", "Supervisor View", std::string(31, 'x')), db::DatabaseError);
    EXPECT_EQ(ScreenRights(*web, "boss", "Supervisor View"), "NO") << "a failed write changes nothing";
}

TEST_F(RightsTest, DatabaseAccessIsAllowedUnlessDbSecDeniesIt)
{
    const std::filesystem::path home = installation.home();
    EXPECT_TRUE(DatabaseAllowed(home, "S1", "ann", "Council")) << "no file";
    SetDatabaseAllowed(home, DatabaseSection("S1", "ann"), "Council", false);
    const struct {
        const char* staffNo;
        const char* user;
        const char* database;
        bool allowed;
    } cases[] = {
        {"S1", "ann", "Council", false}, {"S1", "ann", "council", false}, {"S1", "ann", "Hospital", true},
        {"S1", "bob", "Council", true},  {"S2", "ann", "Council", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.staffNo) + c.user + "/" + c.database);
        EXPECT_EQ(DatabaseAllowed(home, c.staffNo, c.user, c.database), c.allowed);
    }
    SetDatabaseAllowed(home, "S1ann", "Council", true);
    EXPECT_TRUE(DatabaseAllowed(home, "S1", "ann", "Council"));
}

class RightsTablesTest : public RightsTest {
protected:
    RightsTablesTest()
    {
        const std::vector<std::vector<std::string>> tables = {
            {"NOMASTER", "master", "None"}, {"PARTIAL", "MASTER", "Read Only"}, {"TWICE", "Master", "Full"},
            {"TWICE", "MASTER", "Full"},    {"ALLFULL", "MASTER", "Full"},      {"ALLFULL", "GROUPS", "Full"}};
        for (const auto& row : tables)
            central->execute("insert into TSECTBL (AUSERCODE, ATABLE, ARIGHTS) values (?, ?, ?)",
                             {row[0], row[1], row[2]});
        const std::vector<std::vector<std::string>> fields = {{"PARTIAL", "MASTER", "dob", "None"},
                                                              {"PARTIAL", "MASTER", "SURNAME", "Read Only"},
                                                              {"TWICE", "master", "SURNAME", "None"},
                                                              {"ALLFULL", "MASTER", "SURNAME", "None"}};
        for (const auto& row : fields)
            central->execute("insert into TSECFLD (AUSERCODE, ATABLE, AFIELD, ARIGHTS) values (?, ?, ?, ?)",
                             {row[0], row[1], row[2], row[3]});
    }

    std::string errorLog() const
    {
        std::ifstream file(installation.path("ZorvError.ini"));
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(RightsTablesTest, TableRightReadsOneRowOrSaysFullOrUnknown)
{
    EXPECT_EQ(TableRight(*central, "Master", "OPEN"), "Full") << "no row";
    EXPECT_EQ(TableRight(*central, "Master", "NOMASTER"), "None") << "table name case ignored";
    EXPECT_EQ(TableRight(*central, "MASTER", "nomaster"), "Full") << "security code compared as stored";
    EXPECT_EQ(TableRight(*central, "MASTER", "PARTIAL"), "Read Only");
    EXPECT_EQ(TableRight(*central, "master", "TWICE"), "UnKnown");
    EXPECT_TRUE(FieldsAllowed(*central, "master", "PARTIAL", {"STAFFNO", "Surname"}));
    EXPECT_FALSE(FieldsAllowed(*central, "master", "PARTIAL", {"STAFFNO", "Dob"}));
    EXPECT_TRUE(FieldsAllowed(*central, "master", "PARTIAL", {}));
}

TEST_F(RightsTablesTest, FieldOriginsComeFromTheDescriptionOfTheQuery)
{
    const std::vector<FieldOrigin> origins =
        FieldOrigins(*employee, "select m.STAFFNO, m.DOB as BORN, g.GROUPNAME, 1 + 1 as TWO "
                                "from MASTER m join GROUPS g on g.STAFFNO = m.STAFFNO");
    ASSERT_EQ(origins.size(), 4U);
    const std::vector<std::vector<std::string>> expected = {
        {"MASTER", "STAFFNO", "STAFFNO"}, {"MASTER", "BORN", "DOB"}, {"GROUPS", "GROUPNAME", "GROUPNAME"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(origins[i].table, expected[i][0]);
        EXPECT_EQ(origins[i].field, expected[i][1]);
        EXPECT_EQ(origins[i].baseField, expected[i][2]);
    }
    EXPECT_EQ(origins[3].table, "") << "an expression has no table";
    EXPECT_EQ(origins[3].field, "TWO");
}

TEST_F(RightsTablesTest, FieldDataTypeSortsColumnsIntoThreeKinds)
{
    const struct {
        const char* field;
        const char* table;
        const char* expected;
    } cases[] = {
        {"AGE", "MASTER", "NUMERIC"},      {"nwte", "master", "NUMERIC"}, {"DOB", "Master", "DATETIME"},
        {"SURNAME", "MASTER", "STRING"},   {"NOSUCH", "MASTER", "STRING"}, {"STAFFNO", "GROUPS", "STRING"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "." + c.field);
        EXPECT_EQ(FieldDataType(*employee, c.field, c.table), c.expected);
    }
}

struct QueryCase {
    const char* name;
    const char* securityCode;
    const char* query;
    bool allowed;
};

TEST_F(RightsTablesTest, QueryAllowedAppliesTableThenFieldRights)
{
    const char* masterAndGroups = "select m.STAFFNO, g.GROUPNAME from MASTER m join GROUPS g on g.STAFFNO = m.STAFFNO";
    const QueryCase cases[] = {
        {"no rights rows", "OPEN", "select STAFFNO, SURNAME, DOB from MASTER", true},
        {"table None", "NOMASTER", "select STAFFNO from MASTER", false},
        {"table None in a join", "NOMASTER", masterAndGroups, false},
        {"another table", "NOMASTER", "select GROUPNAME from GROUPS", true},
        {"partial table, visible fields", "PARTIAL", "select STAFFNO, SURNAME from MASTER", true},
        {"partial table, hidden field behind an alias", "PARTIAL", "select STAFFNO, DOB as BORN from MASTER", false},
        {"two table rows are UnKnown: fields checked", "TWICE", "select STAFFNO, SURNAME from MASTER", false},
        {"two table rows, visible fields", "TWICE", "select STAFFNO from MASTER", true},
        {"all tables Full: field rights not read", "ALLFULL", "select STAFFNO, SURNAME from MASTER", true},
    };
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(QueryAllowed(*central, *employee, c.query, c.securityCode), c.allowed);
    }
    EXPECT_FALSE(std::filesystem::exists(installation.path("ZorvError.ini")));
}

TEST_F(RightsTablesTest, QueryAllowedFailsClosedAndLogsTheError)
{
    const struct {
        const char* name;
        db::Connection& rights;
        const char* query;
    } cases[] = {
        {"rights tables cannot be read", *employee, "select STAFFNO from MASTER"},
        {"query does not prepare", *central, "select NOTHING from NOWHERE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(QueryAllowed(c.rights, *employee, c.query, "OPEN"));
    }
    const std::string log = errorLog();
    EXPECT_NE(log.find("TSECTBL"), std::string::npos) << log;
    EXPECT_NE(log.find("NOWHERE"), std::string::npos) << log;
}

} // namespace
} // namespace zorv::data
