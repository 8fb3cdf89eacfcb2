#include "ControlHarness.h"

#include "web/controls/Memo.h"

namespace zorv::web::testing {
namespace {

TEST(Memo, SplitsLinesAtEveryKindOfBreak)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\n", {"a", ""}},
    };
    for (const auto& [text, lines] : cases) {
        Memo mem("memNotes");
        mem.setText(text);
        EXPECT_EQ(mem.lines(), lines) << text;
    }
}

TEST(Memo, PostedTextKeepsLineBreaksAndItsLimit)
{
    Memo mem("memNotes");
    mem.setMaxLength(8);
    mem.applyPosted(formOf({{"memNotes", "ab\ncd\x01" "efghij"}}));
    EXPECT_EQ(mem.text(), "ab\r\ncdefg");
    EXPECT_EQ(mem.lines(), (std::vector<std::string>{"ab", "cdefg"}));
}

TEST(Memo, KeepsALeadingEmptyLineThroughTheBrowser)
{
    Memo mem("memNotes");
    mem.setText("\r\nsecond");
    // The browser drops the first line break after <textarea>: one is added for it.
    EXPECT_TRUE(contains(htmlOf(mem), "rows=\"4\">\n\r\nsecond</textarea>"));
}

} // namespace
} // namespace zorv::web::testing
