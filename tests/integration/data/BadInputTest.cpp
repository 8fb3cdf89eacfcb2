// What a session meets when a database is missing, misnamed or unreadable:
// a clear error the request boundary can log and show, nothing half-written.

#include "TestInstallation.h"

#include "data/ApplyWithAudit.h"
#include "data/Tdmdata.h"
#include "data/TdmMain.h"
#include "data/db/Connection.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zorv::data {
namespace {

namespace fs = std::filesystem;

template <class Call>
std::string errorOf(Call&& call)
{
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no error>";
}

TEST(BadInputTest, AMissingDatabaseStopsTheStartWithItsName)
{
    test::TestInstallation installation;
    fs::remove(installation.databaseFile("web"));
    std::string error = errorOf([&] { Tdmdata::create(installation.home()); });
    EXPECT_NE(error.find("web.fdb"), std::string::npos) << error;
}

TEST(BadInputTest, WithoutTheSharedDatabasesASessionIsToldToTryAgain)
{
    RequestConnections connections([] { return static_cast<db::Pools*>(nullptr); });
    std::string error = errorOf([&] { connections.get("GlobalQuennel"); });
    EXPECT_NE(error.find("Unable to connect to database"), std::string::npos) << error;
}

TEST(BadInputTest, AWrongAliasOrAMissingTableIsAClearErrorAndWritesNothing)
{
    test::TestInstallation installation;
    installation.open();
    test::TestSession session(installation);
    EXPECT_NE(errorOf([&] { session.connections.get("NoSuchAlias"); }).find("NoSuchAlias"), std::string::npos);

    Dataset& master = *session.dmMain->findDataset("qryLogin");
    session.dmMain->open(master);
    master.append();
    master.setField("AUSER", "newuser");
    master.setField("ASTAFFNO", "9999");
    master.post();
    Dataset missing("qryMissing", "select * from NOSUCHTABLE");
    missing.setDatabaseName("QuennelMain");
    std::string error = errorOf([&] { session.dmMain->open(missing); });
    EXPECT_NE(error.find("NOSUCHTABLE"), std::string::npos) << error;

    // A save that fails half-way leaves nothing behind.
    Dataset broken("qryBroken", "select * from tLogin");
    broken.setDatabaseName("QuennelMain");
    broken.setUpdateTable("NOSUCHTABLE", {"AUSER"});
    session.dmMain->open(broken);
    broken.append();
    broken.setField("AUSER", "other");
    broken.setField("ASTAFFNO", "9998");
    broken.post();
    auto& connection = session.connections.get("QuennelMain");
    EXPECT_ANY_THROW(ApplyWithAudit(connection, {&master, &broken}, session.dmMain->wcLogFile));
    EXPECT_TRUE(connection.query("select * from tLogin where AUSER = ?", {"newuser"}).empty());
    EXPECT_TRUE(master.updatesPending());
}

} // namespace
} // namespace zorv::data
