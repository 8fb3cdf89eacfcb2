#include "data/db/Catalogue.h"
#include "data/db/ConnectionTarget.h"
#include "data/db/DatabaseError.h"
#include "data/db/Decimal.h"
#include "data/db/Value.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>

namespace zorv::db {
namespace {

TEST(DecimalTest, ParsesAndFormatsExactly)
{
    struct Case {
        const char* text;
        Decimal expected;
        const char* formatted;
    };
    const Case cases[] = {
        {"1234567890123.45", {123456789012345, 2}, "1234567890123.45"},
        {"-0.01", {-1, 2}, "-0.01"},
        {" +0.5 ", {5, 1}, "0.5"},
        {".5", {5, 1}, "0.5"},
        {"7", {7, 0}, "7"},
        {"-9223372036854775808", {INT64_MIN, 0}, "-9223372036854775808"},
    };
    for (const Case& c : cases) {
        const std::optional<Decimal> parsed = Decimal::parse(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(*parsed, c.expected) << c.text;
        EXPECT_EQ(parsed->format(), c.formatted) << c.text;
    }
    for (const char* bad : {"", "-", ".", "1e5", "1,000", "12a", "9223372036854775808", "0.0000000000000000001"})
        EXPECT_FALSE(Decimal::parse(bad)) << bad;
}

TEST(DecimalTest, RescalesRoundingHalfAwayFromZero)
{
    struct Case {
        Decimal value;
        int scale;
        std::optional<Decimal> expected;
    };
    const Case cases[] = {
        {{125, 2}, 1, Decimal{13, 1}},  {{-125, 2}, 1, Decimal{-13, 1}}, {{124, 2}, 1, Decimal{12, 1}},
        {{5, 0}, 2, Decimal{500, 2}},   {{INT64_MAX / 10 + 1, 0}, 1, std::nullopt},
        {{1, 0}, 19, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.rescaled(c.scale), c.expected) << c.value.format() << " to scale " << c.scale;
}

TEST(ValueTest, FormatsEveryKindAsText)
{
    const std::pair<Value, const char*> cases[] = {
        {Value(), ""},
        {Value(42), "42"},
        {Value(Decimal{-1, 2}), "-0.01"},
        {Value(0.1), "0.1"},
        {Value(Date{2023, 12, 25}), "25/12/2023"},
        {Value(DateTime{Date{2023, 12, 25}}), "25/12/2023"},
        {Value(DateTime{Date{2023, 12, 25}, 10, 5, 3}), "25/12/2023 10:05:03"},
        {Value(TimeOfDay{7 * 3600 + 30 * 60}), "07:30:00"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(value.asString(), text);
}

TEST(ValueTest, ConvertsBetweenKinds)
{
    EXPECT_EQ(Value(Decimal{150, 2}).asInt(), 2);
    EXPECT_EQ(Value(Decimal{-150, 2}).asInt(), -2);
    EXPECT_EQ(Value(2.5).asInt(), 3);
    EXPECT_EQ(Value(" 42 ").asInt(), 42);
    EXPECT_EQ(Value().asInt(), 0);
    EXPECT_EQ(Value(0.1).asDecimal(), (Decimal{1, 1}));
    EXPECT_EQ(Value("-12.50").asDecimal(), (Decimal{-1250, 2}));
    // Dates typed as text are day first, never Firebird's month-first reading.
    EXPECT_EQ(Value("02/01/2024").asDate(), (Date{2024, 1, 2}));
    EXPECT_EQ(Value("02/01/2024 08:15").asDateTime(), (DateTime{Date{2024, 1, 2}, 8, 15, 0}));
    EXPECT_EQ(Value(DateTime{Date{2024, 1, 2}, 8, 15, 0}).asTime(), TimeOfDay{8 * 3600 + 15 * 60});
}

TEST(ValueTest, FailedConversionsSayWhatWasWrong)
{
    struct Case {
        const char* name;
        std::function<void()> convert;
        const char* message;
    };
    const Case cases[] = {
        {"text as number", [] { Value("abc").asInt(); }, "'abc' is not a number"},
        {"month first", [] { Value("12/31/2023").asDate(); }, "'12/31/2023' is not a date (dd/mm/yyyy)"},
        {"iso date", [] { Value("2023-12-31").asDateTime(); }, "'2023-12-31' is not a date-time"},
        {"null date", [] { Value().asDate(); }, "null is not a date"},
        {"date as number", [] { Value(Date{2023, 1, 1}).asDouble(); }, "the date 01/01/2023 is not a number"},
        {"huge double", [] { Value(1e300).asInt(); }, "is not a whole number in range"},
    };
    for (const Case& c : cases) {
        try {
            c.convert();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.name << ": " << error.what();
        }
    }
}

TEST(TimeOfDayTest, TakesTheFractionOfADay)
{
    EXPECT_EQ(TimeOfDay::fromFraction(0.5).seconds, 12 * 3600);
    EXPECT_EQ(TimeOfDay::fromFraction(1.25).seconds, 6 * 3600);
    EXPECT_EQ(TimeOfDay::fromFraction(0.9999999).seconds, 0);
    EXPECT_EQ(TimeOfDay::fromFraction(-0.25).seconds, 18 * 3600);
}

TEST(ConnectionTargetTest, TellsServerPathsFromFiles)
{
    const std::pair<const char*, bool> cases[] = {
        {"/srv/zorv/GLOBAL.FDB", false}, {"data/GLOBAL.FDB", false},          {"/odd:name/x.fdb", false},
        {"localhost:/srv/x.fdb", true},  {"db.example/3051:/srv/x.fdb", true},
    };
    for (const auto& [path, remote] : cases) {
        ConnectionTarget target;
        target.path = path;
        EXPECT_EQ(target.isRemote(), remote) << path;
    }
}

TEST(IdentifierTest, AcceptsOnlyPlainIdentifiers)
{
    const std::pair<std::string, bool> cases[] = {
        {"STAFFNO", true},
        {"Staff_No$1", true},
        {std::string(31, 'A'), true},
        {std::string(32, 'A'), false},
        {"", false},
        {"1ST", false},
        {"_X", false},
        {"A B", false},
        {"A;DROP TABLE MASTER", false},
        {"\"Quoted\"", false},
        {"RÉGION", false},
    };
    for (const auto& [name, valid] : cases)
        EXPECT_EQ(isValidIdentifier(name), valid) << name;
}

} // namespace
} // namespace zorv::db
