#include "TestDatabases.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <gtest/gtest.h>

namespace zorv::db {
namespace {

using test::BackendTest;

constexpr const char* kAllTypes = "CREATE TABLE ALLTYPES (ID INTEGER NOT NULL PRIMARY KEY, SMALL SMALLINT, BIG BIGINT, "
                                  "MONEY NUMERIC(15,2), RATE NUMERIC(9,4), DBL DOUBLE PRECISION, NAME VARCHAR(40), "
                                  "CODE CHAR(4), BORN DATE, STAMP TIMESTAMP, CLOCK TIME, NOTES BLOB SUB_TYPE TEXT)";

constexpr const char* kColumns[] = {"SMALL", "BIG",   "MONEY", "RATE",  "DBL",  "NAME",
                                    "CODE",  "BORN",  "STAMP", "CLOCK", "NOTES"};

class TypesTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        connection_.emplace(databases().create("types"));
        connection_->execute(kAllTypes);
    }

    Connection& connection() { return *connection_; }

    /// Stores value in column of a new row, then reads the column back.
    Value roundTrip(int id, const std::string& column, const Value& value)
    {
        connection().execute("insert into ALLTYPES (ID, " + column + ") values (?, ?)", {id, value});
        return connection().query("select " + column + " from ALLTYPES where ID = ?", {id}).first()[0];
    }

private:
    std::optional<Connection> connection_;
};

TEST_P(TypesTest, EveryTypeRoundTrips)
{
    const std::string hundredKilobytes(100 * 1024, 'x');
    struct Case {
        const char* column;
        Value stored;
        Value read;
    };
    const Case cases[] = {
        {"MONEY", Decimal{123456789012345, 2}, Decimal{123456789012345, 2}},
        {"MONEY", Decimal{-1, 2}, Decimal{-1, 2}},
        {"MONEY", "12.5", Decimal{1250, 2}},
        {"MONEY", 7, Decimal{700, 2}},
        {"MONEY", 0.125, Decimal{13, 2}},
        {"RATE", Decimal{15, 1}, Decimal{15000, 4}},
        {"BIG", INT64_MAX, INT64_MAX},
        {"SMALL", -32768, -32768},
        {"DBL", 0.1, 0.1},
        {"DBL", Decimal{-25, 1}, -2.5},
        {"NAME", "Zoë Ångström", "Zoë Ångström"},
        {"NAME", "", ""},
        {"CODE", "AB", "AB"},
        {"BORN", Date{2023, 12, 25}, Date{2023, 12, 25}},
        {"BORN", "02/01/2024", Date{2024, 1, 2}},
        {"BORN", DateTime{Date{1900, 3, 1}, 10, 0, 0}, Date{1900, 3, 1}},
        {"STAMP", DateTime{Date{1999, 12, 31}, 23, 59, 59}, DateTime{Date{1999, 12, 31}, 23, 59, 59}},
        {"STAMP", Date{2000, 2, 29}, DateTime{Date{2000, 2, 29}}},
        {"CLOCK", TimeOfDay{7 * 3600 + 30 * 60}, TimeOfDay{7 * 3600 + 30 * 60}},
        {"CLOCK", "23:59:59", TimeOfDay{86399}},
        {"NOTES", hundredKilobytes, hundredKilobytes},
        {"NOTES", "", ""},
    };
    int id = 0;
    for (const Case& c : cases) {
        const Value read = roundTrip(++id, c.column, c.stored);
        EXPECT_EQ(read, c.read) << c.column << " stored " << c.stored.asString().substr(0, 40) << ", read "
                                << read.asString().substr(0, 40);
    }
}

TEST_P(TypesTest, NullsRoundTripInEveryColumn)
{
    std::string columns = "ID";
    std::string marks = "?";
    Params params{1};
    for (const char* column : kColumns) {
        columns += std::string(", ") + column;
        marks += ", ?";
        params.emplace_back();
    }
    connection().execute("insert into ALLTYPES (" + columns + ") values (" + marks + ")", params);

    const Row row = connection().query("select * from ALLTYPES").first();
    for (const char* column : kColumns)
        EXPECT_TRUE(row[column].isNull()) << column;
}

TEST_P(TypesTest, RejectsParametersThatDoNotFitAndStoresNothing)
{
    struct Case {
        const char* column;
        Value stored;
        const char* message;
    };
    const Case cases[] = {
        {"BORN", "2023-12-25", "parameter 2: '2023-12-25' is not a date (dd/mm/yyyy)"},
        {"BORN", "12/31/2023", "parameter 2: '12/31/2023' is not a date"},
        {"MONEY", "abc", "parameter 2: 'abc' is not a number"},
        {"MONEY", Decimal{INT64_MAX, 0}, "parameter 2: 9223372036854775807 is out of range"},
        {"SMALL", 40000, "numeric value is out of range"},
        {"NAME", std::string(41, 'n'), "string right truncation"},
        {"CLOCK", "24:00", "parameter 2: '24:00' is not a time of day"},
    };
    for (const Case& c : cases) {
        try {
            connection().execute(std::string("insert into ALLTYPES (ID, ") + c.column + ") values (?, ?)",
                                 {1, c.stored});
            ADD_FAILURE() << c.column << " took " << c.stored.asString();
        } catch (const DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(connection().query("select count(*) from ALLTYPES").first()[0].asInt(), 0);
}

TEST_P(TypesTest, TalksThroughTheChosenEngine)
{
    const Value protocol =
        connection().query("select RDB$GET_CONTEXT('SYSTEM', 'NETWORK_PROTOCOL') from RDB$DATABASE").first()[0];
    if (GetParam() == test::Backend::Embedded)
        EXPECT_TRUE(protocol.isNull()) << protocol.asString();
    else
        EXPECT_EQ(protocol.asString(), "TCPv4");
}

ZORV_INSTANTIATE_FOR_BACKENDS(TypesTest);

} // namespace
} // namespace zorv::db
