// Row rules and checks that need no database.

#include "data/RowRules.h"
#include "data/MasterSort.h"

#include <gtest/gtest.h>
#include <set>

namespace zorv::data {
namespace {

TEST(RowRulesTest, PostNameTakesTheInitialsOfTheFirstTwoForenames)
{
    struct Case {
        const char* title;
        const char* forenames;
        const char* surname;
        const char* expected;
    };
    const Case cases[] = {
        {"Dr", "Mary Ann", "Byrne", "Dr M A Byrne"},
        {"Dr", "Mary", "Byrne", "Dr M Byrne"},
        {"Ms", "Mary Ann Louise", "Byrne", "Ms M A Byrne"},
        {"", "Mary", "Byrne", "M Byrne"},
        {"Mr", "", "Byrne", "Mr Byrne"},
        {"Ms", "\xC3\x81ine \xC3\x89ile", "N\xC3\xAD Bhriain", "Ms \xC3\x81 \xC3\x89 N\xC3\xAD Bhriain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(postName(c.title, c.forenames, c.surname), c.expected) << c.forenames;
}

TEST(RowRulesTest, AgeCountsABirthdayOnlyOnceItHasCome)
{
    struct Case {
        Date dob;
        Date today;
        int expected;
    };
    const Case cases[] = {
        {{1980, 6, 15}, {2024, 6, 14}, 43},  {{1980, 6, 15}, {2024, 6, 15}, 44}, {{1980, 6, 15}, {2024, 1, 1}, 43},
        {{1980, 6, 15}, {2024, 12, 31}, 44}, {{2000, 2, 29}, {2023, 2, 28}, 22}, {{2000, 2, 29}, {2023, 3, 1}, 23},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ageOn(c.dob, c.today), c.expected) << c.today.format();
}

TEST(RowRulesTest, AllowanceProductIsExact)
{
    using db::Decimal;
    EXPECT_EQ(multiplyExact(Decimal{1250, 2}, Decimal{400, 2}, 2), (Decimal{5000, 2}));
    EXPECT_EQ(multiplyExact(Decimal{10, 1}, Decimal{3333, 3}, 2), (Decimal{333, 2}));
    EXPECT_EQ(multiplyExact(Decimal{5, 3}, Decimal{1, 0}, 2), (Decimal{1, 2})) << "0.005 rounds half away from zero";
    EXPECT_FALSE(multiplyExact(Decimal{INT64_MAX / 2, 0}, Decimal{3, 0}, 2)) << "overflow";
}

TEST(RowRulesTest, ValuesAreCutByCharactersNotBytes)
{
    EXPECT_EQ(firstCharacters("abcdef", 3), "abc");
    EXPECT_EQ(firstCharacters("\xC3\x81\xC3\x89Z", 2), "\xC3\x81\xC3\x89");
    EXPECT_EQ(firstCharacters("ab", 20), "ab");
}

TEST(MasterSortTest, OnlyKnownColumnsWithADirectionPass)
{
    const std::set<std::string> columns = {"SURNAME", "FORENAMES", "STAFFNO"};
    auto isColumn = [&](const std::string& c) {
        std::string upper;
        for (char ch : c)
            upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return columns.count(upper) > 0;
    };
    struct Case {
        const char* sort;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"Surname desc, Forenames", "Surname desc, Forenames"},
        {"  staffno  ASC ", "staffno asc"},
        {"surname; drop table master", std::nullopt},
        {"surname desc desc", std::nullopt},
        {"surname sideways", std::nullopt},
        {"surname,", std::nullopt},
        {"Salary", std::nullopt},
        {"surname -- comment", std::nullopt},
        {"(select 1)", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkedSortOrder(c.sort, isColumn), c.expected) << c.sort;
}

} // namespace
} // namespace zorv::data
