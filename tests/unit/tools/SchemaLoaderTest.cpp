#include "tools/SchemaLoader.h"

#include <gtest/gtest.h>

namespace zorv::admin {
namespace {

// The shapes the schema files use: comments (one naming a table), upper- and
// lower-case statements on one or several lines, an index.
constexpr std::string_view kSchema = R"(-- Demo: CREATE TABLE NOT_A_TABLE (X INTEGER) in a comment
CREATE TABLE SYSNO (
  IUNIQUE  INTEGER, -- the key counter
  STAFFNO  INTEGER
);

create table tuserSec ( AUSER VARCHAR(30), IKEY integer );
CREATE TABLE
  LOGIP(IPADDRESS VARCHAR(20));

CREATE INDEX IX_LOGIP ON LOGIP (IPADDRESS);
)";

TEST(SchemaLoader, SplitsStatementsWithoutComments)
{
    const std::vector<std::string> statements = schemaStatements(kSchema);
    ASSERT_EQ(statements.size(), 4u);
    EXPECT_EQ(statements[0], "CREATE TABLE SYSNO (\n  IUNIQUE  INTEGER, \n  STAFFNO  INTEGER\n)");
    EXPECT_EQ(statements[3], "CREATE INDEX IX_LOGIP ON LOGIP (IPADDRESS)");
}

TEST(SchemaLoader, NamesTheTablesCreated)
{
    EXPECT_EQ(schemaTables(kSchema), (std::vector<std::string>{"SYSNO", "TUSERSEC", "LOGIP"}));
}

} // namespace
} // namespace zorv::admin
