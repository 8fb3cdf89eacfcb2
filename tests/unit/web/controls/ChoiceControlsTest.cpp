#include "ControlHarness.h"

#include "web/controls/CheckBox.h"
#include "web/controls/ComboBox.h"
#include "web/controls/ListBox.h"
#include "web/controls/RadioGroup.h"

#include <optional>

namespace zorv::web::testing {
namespace {

TEST(ComboBox, TakesOnlyAnIndexOfItsOwnList)
{
    struct Case {
        const char* name;
        bool noSelectionItem;
        int before;
        std::optional<std::string> posted;
        int after;
    };
    const Case cases[] = {
        {"index", false, 0, "2", 2},
        {"index past the items", false, 1, "3", 1},
        {"negative index", false, 1, "-2", 1},
        {"item text instead of its index", false, 1, "Gamma", 1},
        {"index with a blank", false, 1, " 2", 1},
        {"index with a sign", false, 1, "+2", 1},
        {"index past 32 bits", false, 1, "99999999999", 1},
        {"empty", false, 1, "", 1},
        {"nothing posted", false, 2, std::nullopt, 2},
        {"no-selection entry", true, 1, "-1", -1},
        {"none while an item is chosen and no entry offers it", false, 1, "-1", 1},
        {"none while nothing was chosen", false, -1, "-1", -1},
    };
    for (const auto& c : cases) {
        ComboBox cbo("cboPlace");
        cbo.setItems({"Alpha", "Beta", "Gamma"});
        cbo.setNoSelectionItem(c.noSelectionItem);
        cbo.setItemIndex(c.before);
        cbo.applyPosted(c.posted ? formOf({{"cboPlace", *c.posted}}) : PostedForm());
        EXPECT_EQ(cbo.itemIndex(), c.after) << c.name;
    }
}

TEST(ComboBox, NoSelectionEntryComesFirstAndStandsForNone)
{
    ComboBox cbo("cboDB");
    cbo.addItem("Main", "db1");
    cbo.setNoSelectionItem(true);
    std::string html = htmlOf(cbo);
    EXPECT_TRUE(contains(html, "<option value=\"-1\" selected>-- No Selection --</option>"
                               "<option value=\"0\">Main</option>"));
    EXPECT_FALSE(contains(html, "data-zw-post"));
    EXPECT_EQ(cbo.text(), "");

    cbo.onChange = [] {};
    cbo.applyPosted(formOf({{"cboDB", "0"}}));
    html = htmlOf(cbo);
    EXPECT_TRUE(contains(html, "data-zw-post=\"cboDB:change\""));
    EXPECT_TRUE(contains(html, "<option value=\"0\" selected>Main</option>"));
    EXPECT_EQ(cbo.text(), "Main");
    EXPECT_EQ(cbo.value(), "db1");
}

TEST(ComboBox, ChangeEventRunsOnChange)
{
    Harness h;
    auto& page = h.open<BlankPage>();
    auto* cbo = page.add<ComboBox>("cboPlace");
    cbo->setItems({"Alpha", "Beta"});
    std::string seen;
    cbo->onChange = [&] { seen = cbo->text(); };
    h.render();
    h.post({{"cboPlace", "1"}, {"__event", "cboPlace:change"}});
    EXPECT_EQ(seen, "Beta");
}

TEST(ListBox, TakesTheUsableIndexesOfAPost)
{
    struct Case {
        const char* name;
        bool multi;
        bool marker;
        std::vector<std::string> posted;
        std::vector<int> after;
    };
    const Case cases[] = {
        {"single select takes the first usable index", false, true, {"x", "2", "0"}, {2}},
        {"multi select takes every usable index", true, true, {"0", "7", "2", "2", "-1"}, {0, 2}},
        {"nothing chosen", true, true, {}, {}},
        {"no marker: the list was not on the form", true, false, {}, {1}},
    };
    for (const auto& c : cases) {
        ListBox lst("lstTemp");
        lst.setItems({"A", "B", "C"});
        lst.setMultiSelect(c.multi);
        lst.setItemIndex(1);
        PostedForm form;
        if (c.marker)
            form.add("lstTemp_shown", "1");
        for (const auto& v : c.posted)
            form.add("lstTemp", v);
        lst.applyPosted(form);
        EXPECT_EQ(lst.selectedIndexes(), c.after) << c.name;
    }
}

TEST(RadioGroup, TakesOnlyAnIndexOfItsButtons)
{
    const std::pair<std::string, int> cases[] = {{"2", 2}, {"3", 0}, {"-1", 0}, {"B", 0}, {"", 0}};
    for (const auto& [posted, after] : cases) {
        RadioGroup rg("rgKind");
        rg.setItems({"A", "B", "C"});
        rg.setItemIndex(0);
        rg.applyPosted(formOf({{"rgKind", posted}}));
        EXPECT_EQ(rg.itemIndex(), after) << posted;
    }
}

TEST(CheckBox, MarkerDecidesWhatAMissingValueMeans)
{
    struct Case {
        const char* name;
        bool marker;
        std::optional<std::string> value;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {"ticked", true, "1", false, true},
        {"marker without value: unticked", true, std::nullopt, true, false},
        {"no marker: left as it was", false, std::nullopt, true, true},
        {"another value: ignored", true, "on", false, false},
    };
    for (const auto& c : cases) {
        CheckBox chk("chkPaid", "Paid");
        chk.setChecked(c.before);
        PostedForm form;
        if (c.marker)
            form.add("chkPaid_shown", "1");
        if (c.value)
            form.add("chkPaid", *c.value);
        chk.applyPosted(form);
        EXPECT_EQ(chk.checked(), c.after) << c.name;
    }
    EXPECT_TRUE(contains(htmlOf(CheckBox("chkPaid")), "<input type=\"hidden\" name=\"chkPaid_shown\" value=\"1\">"));
}

} // namespace
} // namespace zorv::web::testing
