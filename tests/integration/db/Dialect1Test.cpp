#include "Isql.h"
#include "TestDatabases.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <gtest/gtest.h>

namespace zorv::db {
namespace {

// The old kind of database the desktop products still create: dialect 1,
// where DATE holds a time too and NUMERIC(15,2) is kept in a double.
TEST(Dialect1Test, ReadsAndWritesADatabaseMadeByIsql)
{
    test::TestDatabases databases;
    const std::string file = databases.file("old");
    const test::IsqlRun made = test::runIsql("SET SQL DIALECT 1;\n"
                                             "CREATE DATABASE '" + file + "' DEFAULT CHARACTER SET WIN1252;\n"
                                             "CREATE TABLE LEAVE (ID INTEGER, TAKEN DATE, DAYS NUMERIC(15,2), "
                                             "NOTE VARCHAR(20));\n"
                                             "INSERT INTO LEAVE VALUES (1, '25-DEC-2023', 1.5, 'Noël');\n"
                                             "COMMIT;\n");
    ASSERT_EQ(made.exitCode, 0) << made.output;

    Connection connection = Connection::attach(databases.target("old"));
    EXPECT_EQ(connection.dialect(), 1);
    // Statements run in the database's dialect, so arithmetic means what it
    // means to the desktop products: 7 / 2 is 3 in dialect 3.
    EXPECT_EQ(connection.query("select 7 / 2 from RDB$DATABASE").first()[0].asDouble(), 3.5);
    const Row first = connection.query("select TAKEN, DAYS, NOTE from LEAVE where ID = 1").first();
    EXPECT_EQ(first["TAKEN"].asDate(), (Date{2023, 12, 25}));
    EXPECT_EQ(first["TAKEN"].asString(), "25/12/2023");
    EXPECT_EQ(first["DAYS"], Value(Decimal{150, 2}));
    EXPECT_EQ(first["NOTE"].asString(), "Noël");

    connection.execute("insert into LEAVE (ID, TAKEN, DAYS, NOTE) values (?, ?, ?, ?)",
                       {2, Date{2024, 2, 29}, Decimal{25, 1}, "Été"});
    const ResultSet found = connection.query("select ID, DAYS from LEAVE where TAKEN = ? and NOTE <> 'Noël'",
                                             {Date{2024, 2, 29}});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]["ID"].asInt(), 2);
    EXPECT_EQ(found[0]["DAYS"], Value(Decimal{250, 2}));

    const test::IsqlRun read = test::runIsql("SELECT NOTE FROM LEAVE WHERE ID = 2;\n", file);
    EXPECT_NE(read.output.find("Été"), std::string::npos) << read.output;
}

TEST(Dialect1Test, CreatesDatabasesOfEitherDialect)
{
    test::TestDatabases databases;
    EXPECT_EQ(databases.create("one", 1).dialect(), 1);
    Connection three = databases.create("three", 3);
    EXPECT_EQ(three.dialect(), 3);
    EXPECT_EQ(three.query("select 7 / 2 from RDB$DATABASE").first()[0], Value(3));
    EXPECT_THROW(databases.create("two", 2), DatabaseError);
}

} // namespace
} // namespace zorv::db
