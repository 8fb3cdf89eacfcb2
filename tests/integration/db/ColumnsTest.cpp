#include "TestDatabases.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <gtest/gtest.h>

namespace zorv::db {
namespace {

using test::BackendTest;

class ColumnsTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        connection_.emplace(databases().create("columns"));
        connection_->execute("CREATE TABLE MASTER (STAFFNO INTEGER NOT NULL, SURNAME VARCHAR(30), PAY NUMERIC(15,2))");
        connection_->execute("insert into MASTER values (?, ?, ?)", {17, "Quennel", Decimal{123456, 2}});
    }

    Connection& connection() { return *connection_; }

private:
    std::optional<Connection> connection_;
};

TEST_P(ColumnsTest, TellWhereEachColumnComesFrom)
{
    const ResultSet rows =
        connection().query("select m.STAFFNO as S, m.SURNAME, m.PAY * 2 as DOUBLED, 'x' from MASTER m");
    struct Expected {
        const char* name;
        const char* relation;
        const char* field;
        ColumnType type;
        int scale;
        bool nullable;
    };
    const Expected expected[] = {
        {"S", "MASTER", "STAFFNO", ColumnType::Integer, 0, false},
        {"SURNAME", "MASTER", "SURNAME", ColumnType::Text, 0, true},
        {"DOUBLED", "", "", ColumnType::Decimal, 2, true},
        {"CONSTANT", "", "CONSTANT", ColumnType::Text, 0, false},
    };
    ASSERT_EQ(rows.columns().size(), std::size(expected));
    for (std::size_t i = 0; i < rows.columns().size(); ++i) {
        const ColumnInfo& column = rows.columns()[i];
        EXPECT_EQ(column.name, expected[i].name);
        EXPECT_EQ(column.relation, expected[i].relation) << column.name;
        if (*expected[i].relation) {
            EXPECT_EQ(column.field, expected[i].field) << column.name;
        }
        EXPECT_EQ(column.type, expected[i].type) << column.name;
        EXPECT_EQ(column.scale, expected[i].scale) << column.name;
        EXPECT_EQ(column.nullable, expected[i].nullable) << column.name;
    }
    EXPECT_EQ(rows.columns()[1].length, 30u * 4); // UTF-8 text: four bytes a character
}

TEST_P(ColumnsTest, RowsAreFoundByNameWhateverTheCase)
{
    const Row row = connection().query("select m.STAFFNO as S, m.SURNAME, m.PAY from MASTER m").first();
    EXPECT_EQ(row["s"].asInt(), 17);
    EXPECT_EQ(row["Surname"].asString(), "Quennel");
    EXPECT_EQ(row["PAY"].asString(), "1234.56");
    EXPECT_EQ(row[1].asString(), "Quennel");
    try {
        (void)row["STAFFNO"]; // renamed by the alias
        ADD_FAILURE() << "found a column the result does not have";
    } catch (const DatabaseError& error) {
        EXPECT_STREQ(error.what(), "the result has no column STAFFNO");
    }
    EXPECT_THROW((void)row[3], DatabaseError);
}

ZORV_INSTANTIATE_FOR_BACKENDS(ColumnsTest);

} // namespace
} // namespace zorv::db
