#include "web/Colour.h"
#include "web/Html.h"

#include <gtest/gtest.h>

namespace zorv::web {
namespace {

TEST(HtmlTest, WriterEscapesTextAndAttributes)
{
    HtmlWriter w;
    w.open("div").attr("title", "\"><script>").end().text("a < b & 'c'").close("div");
    EXPECT_EQ(w.str(), "<div title=\"&quot;&gt;&lt;script&gt;\">a &lt; b &amp; &#39;c&#39;</div>");
}

TEST(HtmlTest, LineBreaksBecomeBreakElementsAfterEscaping)
{
    EXPECT_EQ(Markup::fromTextWithBreaks("a<b>\r\nb\n\rc\nd").str(), "a&lt;b&gt;<br>b<br>c<br>d");
}

TEST(HtmlTest, ColoursFromConfiguration)
{
    const std::pair<const char*, const char*> cases[] = {
        {"white", "white"},          {"clWhite", "#ffffff"},      {"$00FF6666", "#6666ff"},
        {"255", "#ff0000"},          {"#1d2b33", "#1d2b33"},      {"red;background:url(x)", ""},
        {"expression(alert(1))", ""}, {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(colourToCss(in), out) << in;
}

} // namespace
} // namespace zorv::web
