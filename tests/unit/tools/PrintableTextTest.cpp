#include "tools/PrintableText.h"

#include <gtest/gtest.h>

namespace zorv::admin {
namespace {

struct PrintableCase {
    const char* name;
    std::string text;
    std::string printed;
};

const PrintableCase kCases[] = {
    {"plain text and backslashes stay", "DOMAIN\\jsmith 10.0.0.7", "DOMAIN\\jsmith 10.0.0.7"},
    {"UTF-8 letters, symbols and emoji stay", "zoë €5 \xF0\x9F\x99\x82", "zoë €5 \xF0\x9F\x99\x82"},
    {"line breaks and tabs", "a\r\nb\tc", "a\\r\\nb\\tc"},
    {"escape sequence that would clear the screen", "x\x1B[2J\x1B]0;title\x07", "x\\x1B[2J\\x1B]0;title\\x07"},
    {"NUL and DEL", std::string("a\0b\x7F", 4), "a\\x00b\\x7F"},
    {"C1 controls encoded in UTF-8 (CSI, NEL)", "\xC2\x9B" "31m\xC2\x85", "\\x9B31m\\x85"},
    {"first printable character above C1 stays", "\xC2\xA0|", "\xC2\xA0|"},
    {"a lone C1 byte that is not UTF-8", "a\x9B" "31m", "a\\x9B31m"},
    {"overlong encoding of ESC", "\xC0\x9B", "\\xC0\\x9B"},
    {"sequence cut short at the end", "ab\xE2\x82", "ab\\xE2\\x82"},
    {"UTF-16 surrogate encoded in UTF-8", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
};

TEST(PrintableText, EscapesWhatCouldDriveATerminal)
{
    for (const PrintableCase& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(printableText(c.text), c.printed);
    }
}

TEST(PrintableText, WidthCountsCharactersNotBytes)
{
    EXPECT_EQ(displayWidth("zoë"), 3u);
    EXPECT_EQ(displayWidth(printableText("a\x1B" "b")), 6u);
    EXPECT_EQ(displayWidth(""), 0u);
}

} // namespace
} // namespace zorv::admin
