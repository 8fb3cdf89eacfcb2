#include "common/Text.h"

#include <gtest/gtest.h>

namespace zorv {
namespace {

TEST(Cp1252Test, ConvertsFractionsAndTheEuroSign)
{
    EXPECT_EQ(utf8ToCp1252("¼½¾€"), "\xBC\xBD\xBE\x80");
    EXPECT_EQ(cp1252ToUtf8("\xBC\xBD\xBE\x80"), "¼½¾€");
}

TEST(Cp1252Test, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Zoë “quoted” – ok", "Zo\xEB \x93quoted\x94 \x96 ok"},
        {"漢字", "??"},
        {"a😀b", "a?b"},
        {"\xC3", "?"},             // truncated sequence
        {"\xC0\xAF", "??"},        // overlong '/'
        {"\xED\xA0\x80", "???"},   // surrogate
        {"\xC2\x81", "\x81"},      // undefined in the code page: kept as its C1 control
        {"\xC2\x80", "?"},         // C1 control with no byte of its own
    };
    for (const auto& [utf8, cp1252] : cases) {
        SCOPED_TRACE(utf8);
        EXPECT_EQ(utf8ToCp1252(utf8), cp1252);
    }
}

TEST(Cp1252Test, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(TextTest, WholeNumbers)
{
    const std::pair<const char*, std::optional<long long>> cases[] = {
        {"12", 12},          {" 12 ", 12},          {"-7", -7},         {"+7", 7},
        {"12abc", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {"1.0", std::nullopt},
        {"+-7", std::nullopt},   {"1 2", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseWholeNumber(text), expected);
    }
}

TEST(TextTest, CaseAndTrimmingLeaveNonAsciiAlone)
{
    EXPECT_EQ(toUpper("aPassword é"), "APASSWORD é");
    EXPECT_EQ(toLower("MONDAY É"), "monday É");
    EXPECT_TRUE(iequals("APASSWORD", "aPassword"));
    EXPECT_FALSE(iequals("é", "É"));
    EXPECT_FALSE(iequals("abc", "abcd"));
    EXPECT_TRUE(startsWithNoCase("SELECT x", "select"));
    EXPECT_FALSE(startsWithNoCase("SEL", "select"));
    EXPECT_EQ(trim(" \t x y \r\n"), "x y");
}

TEST(TextTest, SplitKeepsEmptyFieldsAndJoinUndoesIt)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"a,b", {"a", "b"}},
        {"a,,b,", {"a", "", "b", ""}},
        {"", {""}},
    };
    for (const auto& [text, parts] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(split(text, ','), parts);
        EXPECT_EQ(join(parts, ","), text);
    }
}

TEST(TextTest, ReplaceAllDoesNotRescanReplacements)
{
    EXPECT_EQ(replaceAll("say \"hi\"", "\"", "\"\""), "say \"\"hi\"\"");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

} // namespace
} // namespace zorv
