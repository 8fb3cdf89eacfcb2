// Connecting a session to an employee database of DBLIST, and the database
// names of the session modules.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "common/Text.h"
#include "data/db/Connection.h"

#include <gtest/gtest.h>

namespace zorv::data {
namespace {

using test::TestInstallation;
using test::TestSession;

std::vector<std::string> employeeAliases(Tdmdata& data)
{
    std::vector<std::string> result;
    for (const auto& alias : data.aliasNames())
        if (startsWithNoCase(alias, "dbZorv"))
            result.push_back(alias);
    return result;
}

TEST(EmployeeConnectTest, AnUnknownNameConnectsTheFirstListedDatabase)
{
    TestInstallation installation({"Hospital", "Council"});
    installation.open();
    TestSession session(installation);
    session.dmMain->ConnectEmployeeDatabase("Nowhere");

    EXPECT_EQ(session.view.database, "Council");
    EXPECT_EQ(session.dmMain->employeeAlias(), "dbZorvCouncil");
    EXPECT_EQ(session.dmMain->dataset("qryEmpDts").databaseName(), "dbZorvCouncil");
    const Ini zorvweb(installation.path("zorvweb.ini"));
    EXPECT_FALSE(zorvweb.readBool("Updateevent", "Nowhere", true)) << "the flag is keyed by the requested name";
    EXPECT_FALSE(zorvweb.valueExists("Updateevent", "Council"));
}

TEST(EmployeeConnectTest, AnEmptyListLeavesTheSessionWithoutEmployeeDatabase)
{
    TestInstallation installation(std::vector<std::string>{});
    installation.open();
    TestSession session(installation);
    session.view.database = "Hospital";
    session.dmMain->ConnectEmployeeDatabase("Hospital");

    EXPECT_EQ(session.view.database, "");
    EXPECT_EQ(session.dmMain->dataset("qryEmpDts").databaseName(), "Emphrdb");
    EXPECT_EQ(session.dmWork->findDataset("qryCarryFor")->databaseName(), "Emphrdb");
    EXPECT_EQ(session.dmEmpDts->findDataset("qryEmpClk")->databaseName(), "Emphrdb");
    EXPECT_TRUE(employeeAliases(installation.data()).empty());
    EXPECT_TRUE(session.dmMain->UnlockAllForUser()) << "no database, no locks";
}

TEST(EmployeeConnectTest, ASecondSessionReusesTheEmployeeDatabase)
{
    TestInstallation installation({"Hospital", "Council"});
    installation.open();
    TestSession first(installation);
    TestSession second(installation);
    first.dmMain->ConnectEmployeeDatabase("Hospital");
    second.dmMain->ConnectEmployeeDatabase("hospital");

    EXPECT_EQ(second.view.database, "Hospital");
    EXPECT_EQ(employeeAliases(installation.data()), (std::vector<std::string>{"dbZorvHospital"}));
    first.connections.get("dbZorvHospital").execute("insert into MASTER (STAFFNO) values ('S1')");
    Dataset& master = second.dmMain->dataset("qryEmpDts");
    second.dmMain->open(master);
    EXPECT_EQ(master.recordCount(), 1u);
}

TEST(EmployeeConnectTest, ChangingDatabaseRepointsEveryModuleAndReopensOpenFollowers)
{
    TestInstallation installation({"Hospital", "Council"});
    installation.open();
    installation.attach(installation.path("data/Council.fdb")).execute("insert into MASTER (STAFFNO) values ('C1')");
    TestSession session(installation);
    session.dmMain->ConnectEmployeeDatabase("Hospital");
    Dataset& master = session.dmMain->dataset("qryEmpDts");
    Dataset& names = *session.dmGlobal->findDataset("qryEmpNames");
    Dataset& clocks = *session.dmEmpDts->findDataset("qryEmpClk");
    Dataset& lookups = *session.dmGlobal->findDataset("qryLookup");
    session.dmMain->open(master);
    session.dmGlobal->open(names);
    session.dmGlobal->open(lookups);
    EXPECT_EQ(names.recordCount(), 0u);

    session.dmMain->ConnectEmployeeDatabase("Council");
    EXPECT_FALSE(master.active()) << "the main module's employee datasets are closed";
    EXPECT_EQ(master.databaseName(), "dbZorvCouncil");
    ASSERT_TRUE(names.active()) << "an open follower is reopened";
    EXPECT_EQ(names.databaseName(), "dbZorvCouncil");
    EXPECT_EQ(names.recordCount(), 1u);
    EXPECT_FALSE(clocks.active());
    EXPECT_EQ(clocks.databaseName(), "dbZorvCouncil");
    EXPECT_EQ(lookups.databaseName(), "GlobalQuennel");
    EXPECT_TRUE(lookups.active());
}

TEST(EmployeeConnectTest, DesignNamesYieldToTheInstallationsAliases)
{
    struct Case {
        bool defined;
        const char* expected;
    };
    for (const Case c : {Case{false, "CentQuennel"}, Case{true, "CentralGlobal"}}) {
        TestInstallation installation;
        if (c.defined)
            Ini(installation.path("aliases.ini"))
                .writeString("Aliases", "CentralGlobal", installation.databaseFile("central"));
        installation.open();
        TestSession session(installation);
        Dataset& users = *session.dmGlobal->findDataset("qryUsers");
        EXPECT_EQ(users.databaseName(), c.expected);
        EXPECT_NO_THROW(session.dmGlobal->open(users));
        EXPECT_EQ(session.dmGlobal->findDataset("qryTplWeek")->databaseName(), "VizereDivIdid");
        EXPECT_EQ(session.dmGlobal->findDataset("qryLookup")->databaseName(), "GlobalQuennel");
        EXPECT_EQ(session.dmGlobal->findDataset("qryEmpNames")->tag, 1);
        EXPECT_EQ(session.dmEmpDts->findDataset("qryEmpExc")->tag, 1);
    }
}

} // namespace
} // namespace zorv::data
