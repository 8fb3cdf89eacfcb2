// Older databases are brought up to date when the server starts and when an
// employee database is connected.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"

#include <gtest/gtest.h>

namespace zorv::data {
namespace {

using test::TestInstallation;
using test::TestSession;

TEST(SchemaCorrectionsTest, AnOldWebDatabaseGetsTheMissingColumnsAndFlags)
{
    TestInstallation installation;
    installation.run(installation.databaseFile("web"),
                     {"alter table TLOGIN drop ALANGUAGE", "alter table NCHDSUB drop LQUESTE",
                      "alter table NCHDSUB drop DFTO", "alter table NCHDSUB drop MAPPROVE",
                      "alter table NCHDHRS drop ICALLIN", "drop table LOGIP", "drop table NCHDWORK"});
    Tdmdata& data = installation.open();

    for (const auto& [table, column] : std::vector<std::pair<const char*, const char*>>{{"TLOGIN", "ALANGUAGE"},
                                                                                        {"NCHDSUB", "LQUESTE"},
                                                                                        {"NCHDSUB", "DFTO"},
                                                                                        {"NCHDSUB", "MAPPROVE"},
                                                                                        {"NCHDHRS", "ICALLIN"}})
        EXPECT_TRUE(data.FieldExists("QuennelMain", table, column)) << table << "." << column;
    EXPECT_TRUE(data.TableExists("LOGIP", "QuennelMain"));
    EXPECT_TRUE(data.TableExists("NCHDWORK", "QuennelMain"));
    const Ini zorvweb(installation.path("zorvweb.ini"));
    for (const char* flag : {"update1", "update2", "nchdwork", "Roster"})
        EXPECT_FALSE(zorvweb.readBool("Create", flag, true)) << flag;
}

TEST(SchemaCorrectionsTest, AFailedCorrectionLeavesItsFlagForTheNextStart)
{
    TestInstallation installation;
    installation.run(installation.databaseFile("web"), {"drop table NCHDSUB"});
    installation.open();
    const Ini zorvweb(installation.path("zorvweb.ini"));
    EXPECT_FALSE(zorvweb.valueExists("Create", "update1")) << "the columns could not be added";
    EXPECT_FALSE(zorvweb.valueExists("Create", "update2"));
    EXPECT_FALSE(zorvweb.readBool("Create", "nchdwork", true)) << "the others still ran";
}

TEST(SchemaCorrectionsTest, AnOldEmployeeDatabaseIsCorrectedWhenFirstConnected)
{
    TestInstallation installation({"Hospital"});
    installation.run(installation.path("data/Hospital.fdb"),
                     {"alter table EMERGENC drop IPRIORITY", "alter table TMESHEET drop MONSTART",
                      "alter table TMESHEET drop SUNEND", "drop table EMPRESTRICT"});
    Ini(installation.path("data/global/global.ini")).writeString("UpdateEmpDB", "Location", "0");
    installation.open();
    TestSession session(installation);
    session.dmMain->ConnectEmployeeDatabase("Hospital");

    Tdmdata& data = installation.data();
    EXPECT_TRUE(data.FieldExists("dbZorvHospital", "EMERGENC", "IPRIORITY"));
    EXPECT_TRUE(data.FieldExists("dbZorvHospital", "TMESHEET", "MONSTART"));
    EXPECT_TRUE(data.FieldExists("dbZorvHospital", "TMESHEET", "SUNEND"));
    EXPECT_TRUE(data.TableExists("EMPRESTRICT", "dbZorvHospital"));
    EXPECT_FALSE(Ini(installation.path("zorvweb.ini")).readBool("update", "dbZorvHospitalEmpContact", true));
    Dataset& contacts = session.dmMain->dataset("qryEmpEct");
    EXPECT_NO_THROW(session.dmMain->open(contacts));
}

} // namespace
} // namespace zorv::data
