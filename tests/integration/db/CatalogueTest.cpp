#include "TestDatabases.h"
#include "data/db/Catalogue.h"

#include <gtest/gtest.h>

namespace zorv::db {
namespace {

TEST(CatalogueTest, FindsTablesAndFieldsWhateverTheCase)
{
    test::TestDatabases databases;
    Connection connection = databases.create("catalogue");
    connection.execute("CREATE TABLE MASTER (STAFFNO INTEGER, SURNAME VARCHAR(30))");

    EXPECT_TRUE(tableExists(connection, "Master"));
    EXPECT_FALSE(tableExists(connection, "MASTERS"));
    EXPECT_TRUE(fieldExists(connection, "master", "StaffNo"));
    EXPECT_FALSE(fieldExists(connection, "MASTER", "STAFF"));
    EXPECT_FALSE(fieldExists(connection, "OTHER", "STAFFNO"));

    EXPECT_TRUE(columnExists(connection, "master", "surname"));
    EXPECT_FALSE(columnExists(connection, "MASTER", "SURNAME FROM MASTER; DROP TABLE MASTER"));
    EXPECT_FALSE(columnExists(connection, "MASTER m, RDB$DATABASE", "SURNAME"));
    EXPECT_TRUE(tableExists(connection, "MASTER"));
}

} // namespace
} // namespace zorv::db
