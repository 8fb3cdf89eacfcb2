// Datasets with cached updates, saved through ApplyWithAudit.

#include "TestDatabases.h"
#include "TestFolder.h"

#include "data/ApplyWithAudit.h"
#include "data/Dataset.h"
#include "data/NamedSql.h"
#include "data/db/Connection.h"
#include "server/LogFile.h"

#include <gtest/gtest.h>

namespace zorv::data {
namespace {

using test::TestDatabases;
using test::TestFolder;

struct DatasetFixture : ::testing::Test {
    TestDatabases dbs;
    db::Connection conn = dbs.create("emp");
    TestFolder auditDir;
    TLogFile log;
    Dataset master{"qryEmpDts", "select * from master where dept = :Dept order by staffno"};

    void SetUp() override
    {
        conn.execute("create table master (staffno varchar(20) not null primary key, surname varchar(50), "
                     "dept varchar(20), npay numeric(15,2), apassword varchar(30))");
        conn.execute("insert into master values ('001', 'Byrne', 'WARD', 100.50, 'x')");
        conn.execute("insert into master values ('002', 'Walsh', 'WARD', 200.00, null)");
        conn.execute("insert into master values ('003', 'Kelly', 'LAB', 0, null)");
        log.setLogFileName((auditDir.path() / "audit.zvl").string());
        master.setModuleName("dmMain");
        master.setUpdateTable("MASTER", {"STAFFNO"});
        master.onUpdateRecord = [this](Dataset& d, const PendingChange& c) {
            static const int kAction[] = {1, 0, 2}; // modify, insert, delete
            log.LogChange(kAction[static_cast<int>(c.kind)], "ann", d.auditRow(c), "Web");
        };
        master.setParam("dept", "WARD");
        master.open(conn);
    }
    std::vector<std::string> auditLines()
    {
        bool whole = false;
        if (!std::filesystem::exists(log.logFileName()))
            return {};
        auto lines = readAuditFile(log.logFileName(), whole);
        EXPECT_TRUE(whole);
        return lines;
    }
    std::string surnameOf(const std::string& staffNo)
    {
        auto r = conn.query("select surname from master where staffno = ?", {staffNo});
        return r.empty() ? "<none>" : r.first()["SURNAME"].asString();
    }
};

TEST_F(DatasetFixture, EditsInsertsAndDeletesAreSavedAndAudited)
{
    ASSERT_EQ(master.recordCount(), 2u) << "named parameter bound";
    ASSERT_TRUE(master.locate({{"SURNAME", "walsh"}}, true));
    master.edit();
    master.setField("SURNAME", "Walsh-Byrne");
    master.post();
    master.append();
    master.setField("STAFFNO", "004");
    master.setField("SURNAME", "Doyle, Jr");
    master.setField("DEPT", "WARD");
    master.post();
    master.first();
    master.deleteRecord();

    ApplyWithAudit(conn, {&master}, log);

    EXPECT_EQ(surnameOf("002"), "Walsh-Byrne");
    EXPECT_EQ(surnameOf("004"), "Doyle, Jr");
    EXPECT_EQ(surnameOf("001"), "<none>");
    EXPECT_FALSE(master.updatesPending());
    auto lines = auditLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("RD,"), std::string::npos);
    EXPECT_NE(lines[0].find(",ann,Web,dmMain,qryEmpDts,STAFFNO,001,SURNAME,Byrne,"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("APASSWORD,********"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(",SURNAME,Walsh,Walsh-Byrne,DEPT,WARD,WARD,"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(",SURNAME,\"Doyle, Jr\","), std::string::npos) << lines[2];
}

TEST_F(DatasetFixture, AnUpdateWritesOnlyTheColumnsThatChanged)
{
    // Another session changes the department after this one read the row.
    conn.execute("update master set dept = 'ICU' where staffno = '001'");
    master.first();
    master.edit();
    master.setField("SURNAME", "Burns");
    master.post();
    ApplyWithAudit(conn, {&master}, log);
    auto r = conn.query("select surname, dept from master where staffno = '001'");
    EXPECT_EQ(r.first()["SURNAME"].asString(), "Burns");
    EXPECT_EQ(r.first()["DEPT"].asString(), "ICU");
}

TEST_F(DatasetFixture, AFailedSaveWritesNothingAndKeepsTheChanges)
{
    master.first();
    master.edit();
    master.setField("SURNAME", "Changed");
    master.post();
    master.append();
    master.setField("STAFFNO", "003"); // taken: the insert fails
    master.post();

    EXPECT_ANY_THROW(ApplyWithAudit(conn, {&master}, log));
    EXPECT_EQ(surnameOf("001"), "Byrne") << "the edit before the failure was rolled back";
    EXPECT_TRUE(auditLines().empty());
    EXPECT_EQ(log.pendingCount(), 0u);
    EXPECT_TRUE(master.updatesPending());

    // The user corrects the number and saves again.
    master.last();
    master.edit();
    master.setField("STAFFNO", "005");
    master.post();
    ApplyWithAudit(conn, {&master}, log);
    EXPECT_EQ(surnameOf("001"), "Changed");
    EXPECT_EQ(auditLines().size(), 2u);
}

TEST_F(DatasetFixture, ARowChangedByAnotherSessionIsNotOverwrittenSilently)
{
    conn.execute("delete from master where staffno = '002'");
    master.locate({{"STAFFNO", "002"}});
    master.edit();
    master.setField("SURNAME", "Ghost");
    master.post();
    try {
        ApplyWithAudit(conn, {&master}, log);
        FAIL() << "saved a row that no longer exists";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("changed or deleted by another user"), std::string::npos);
    }
    EXPECT_TRUE(auditLines().empty());
}

TEST_F(DatasetFixture, CancelUpdatesRestoresTheRowsAsRead)
{
    master.first();
    master.edit();
    master.setField("SURNAME", "X");
    master.post();
    master.deleteRecord();
    master.append();
    master.setField("STAFFNO", "009");
    master.post();
    master.cancelUpdates();
    EXPECT_FALSE(master.updatesPending());
    ASSERT_EQ(master.recordCount(), 2u);
    EXPECT_TRUE(master.locate({{"STAFFNO", "001"}}));
    EXPECT_EQ(master.fieldText("SURNAME"), "Byrne");
}

TEST(NamedSqlTest, ParametersBecomePositionsOutsideQuotesAndComments)
{
    auto parsed = NamedSql::parse("select ':x', \":y\" from t -- :z\n where a = :EmpNo and b = :tStart /* :w */");
    EXPECT_EQ(parsed.sql, "select ':x', \":y\" from t -- :z\n where a = ? and b = ? /* :w */");
    EXPECT_EQ(parsed.names, (std::vector<std::string>{"EMPNO", "TSTART"}));
}

} // namespace
} // namespace zorv::data
