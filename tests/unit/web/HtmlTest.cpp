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

#include "web/FormDecoding.h"

namespace zorv::web {
namespace {

TEST(FormDecodingTest, UrlEncodedBodies)
{
    PostedForm form;
    ASSERT_TRUE(decodeUrlEncoded("a=1&b=x+y%26z&&c=&d&a=2&%C3%A9=%E2%82%AC", form));
    EXPECT_EQ(form.all("a"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(form.get("b"), "x y&z");
    EXPECT_EQ(form.get("c"), "");
    EXPECT_EQ(form.get("d"), "");
    EXPECT_EQ(form.get("\xC3\xA9"), "\xE2\x82\xAC");
    for (const char* bad : {"a=%", "a=%4", "a=%zz", "%G1=x"}) {
        PostedForm f;
        EXPECT_FALSE(decodeUrlEncoded(bad, f)) << bad;
    }
    PostedForm many;
    EXPECT_FALSE(decodeUrlEncoded("a=1&b=2&c=3", many, 2)) << "field limit";
}

} // namespace
} // namespace zorv::web
