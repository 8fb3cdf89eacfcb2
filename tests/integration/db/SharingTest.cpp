#include "Isql.h"
#include "TestDatabases.h"
#include "data/db/Transaction.h"

#include <gtest/gtest.h>

namespace zorv::db {
namespace {

// SuperClassic lets isql-fb (like the desktop products' tools) open a file
// this process holds open; the default Super mode would refuse it.
TEST(SharingTest, IsqlOpensAFileThisProcessHoldsOpen)
{
    test::TestDatabases databases;
    Connection connection = databases.create("shared");
    connection.execute("CREATE TABLE EMPLOYEE (STAFFNO INTEGER, SURNAME VARCHAR(30))");
    connection.execute("insert into EMPLOYEE values (?, ?)", {17, "Quennel"});
    Transaction open(connection);
    EXPECT_EQ(open.query("select count(*) from EMPLOYEE").first()[0].asInt(), 1);

    const test::IsqlRun run = test::runIsql("SELECT SURNAME FROM EMPLOYEE WHERE STAFFNO = 17;\n"
                                            "INSERT INTO EMPLOYEE VALUES (18, 'Arden');\n"
                                            "COMMIT;\n",
                                            databases.file("shared"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Quennel"), std::string::npos) << run.output;

    open.commit();
    EXPECT_EQ(connection.query("select SURNAME from EMPLOYEE where STAFFNO = ?", {18}).first()[0].asString(),
              "Arden");
}

} // namespace
} // namespace zorv::db
