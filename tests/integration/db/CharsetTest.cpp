#include "TestDatabases.h"
#include "data/db/DatabaseError.h"

#include <gtest/gtest.h>

namespace zorv::db {
namespace {

using test::BackendTest;

// isc_transliteration_failed of iberror.h.
constexpr long kTransliterationFailed = 335544565L;

class CharsetTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        connection_.emplace(databases().create("charset"));
        connection_->execute("CREATE TABLE NOTE (ID INTEGER, TXT VARCHAR(10), MEMO BLOB SUB_TYPE TEXT)");
    }

    Connection& connection() { return *connection_; }

private:
    std::optional<Connection> connection_;
};

TEST_P(CharsetTest, StoresWin1252BytesAndReadsUtf8)
{
    struct Case {
        const char* utf8;
        const char* win1252;
    };
    const Case cases[] = {{"¼O", "\xBCO"}, {"½", "\xBD"}, {"€", "\x80"}, {"Noël à 5 €", "No\xEBl \xE0 5 \x80"}};
    int id = 0;
    for (const Case& c : cases) {
        connection().execute("insert into NOTE values (?, ?, ?)", {++id, c.utf8, c.utf8});
        const Row row = connection()
                            .query("select TXT, MEMO, CAST(TXT AS VARCHAR(10) CHARACTER SET OCTETS) as STORED, "
                                   "OCTET_LENGTH(MEMO) as MEMO_BYTES from NOTE where ID = ?",
                                   {id})
                            .first();
        EXPECT_EQ(row["TXT"].asString(), c.utf8);
        EXPECT_EQ(row["MEMO"].asString(), c.utf8);
        EXPECT_EQ(row["STORED"].asString(), c.win1252) << c.utf8;
        EXPECT_EQ(row["MEMO_BYTES"].asInt(), static_cast<std::int64_t>(std::string(c.win1252).size())) << c.utf8;
    }
}

TEST_P(CharsetTest, RefusesCharactersWin1252Lacks)
{
    for (const char* column : {"TXT", "MEMO"}) {
        try {
            connection().execute(std::string("insert into NOTE (ID, ") + column + ") values (1, ?)", {"Ωmega"});
            ADD_FAILURE() << column << " took a character WIN1252 lacks";
        } catch (const DatabaseError& error) {
            EXPECT_TRUE(error.hasGdsCode(kTransliterationFailed)) << column << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find("transliterate"), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(connection().query("select count(*) from NOTE").first()[0].asInt(), 0);
}

ZORV_INSTANTIATE_FOR_BACKENDS(CharsetTest);

} // namespace
} // namespace zorv::db
