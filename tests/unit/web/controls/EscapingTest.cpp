#include "ControlHarness.h"

#include "web/controls/CheckBox.h"
#include "web/controls/ComboBox.h"
#include "web/controls/Grid.h"
#include "web/controls/ListBox.h"
#include "web/controls/Memo.h"
#include "web/controls/MonthPlanner.h"
#include "web/controls/OutlookBar.h"
#include "web/controls/RadioGroup.h"

#include <functional>

namespace zorv::web::testing {
namespace {

const std::string kPayload = "<script>alert(1)</script>\"'";

std::string gridHtml(GridColumnKind kind)
{
    Grid g("grdX");
    int col = g.addColumn(kPayload, kind);
    g.column(col).items = {kPayload};
    g.setFooter(col, kPayload);
    g.setCell(g.addRow(), col, kPayload);
    return htmlOf(g);
}

TEST(Escaping, TextFromDataNeverBecomesMarkup)
{
    const std::pair<const char*, std::function<std::string()>> cases[] = {
        {"grid text cell, title and footer", [] { return gridHtml(GridColumnKind::Text); }},
        {"grid edit cell", [] { return gridHtml(GridColumnKind::Edit); }},
        {"grid combo cell", [] { return gridHtml(GridColumnKind::Combo); }},
        {"grid button caption from the cell", [] { return gridHtml(GridColumnKind::Button); }},
        {"combo item",
         [] {
             ComboBox c("cboX");
             c.addItem(kPayload, kPayload);
             return htmlOf(c);
         }},
        {"memo",
         [] {
             Memo m("memX");
             m.setText("</textarea>" + kPayload);
             return htmlOf(m);
         }},
        {"list item",
         [] {
             ListBox l("lstX");
             l.addItem(kPayload);
             return htmlOf(l);
         }},
        {"radio item and caption",
         [] {
             RadioGroup r("rgX");
             r.addItem(kPayload);
             r.setCaption(kPayload);
             return htmlOf(r);
         }},
        {"check box caption", [] { return htmlOf(CheckBox("chkX", kPayload)); }},
        {"outlook panel and item",
         [] {
             OutlookBar b("OutX");
             b.addItem(b.addPanel(kPayload, kPayload), kPayload, 1);
             return htmlOf(b);
         }},
        {"planner event",
         [] {
             MonthPlanner p("mpX");
             p.setMonth(2024, 2);
             p.addEvent(Date{2024, 2, 3}, kPayload, kPayload, kPayload);
             return htmlOf(p);
         }},
    };
    for (const auto& [name, render] : cases) {
        const std::string html = render();
        EXPECT_FALSE(contains(html, "<script")) << name;
        EXPECT_FALSE(contains(html, "</textarea>" "<")) << name;
        EXPECT_FALSE(contains(html, "\"'")) << name;
        EXPECT_TRUE(contains(html, "&lt;script&gt;alert(1)&lt;/script&gt;&quot;&#39;")) << name;
    }
}

} // namespace
} // namespace zorv::web::testing
