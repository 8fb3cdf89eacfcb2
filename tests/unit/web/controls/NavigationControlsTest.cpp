#include "ControlHarness.h"

#include "web/controls/MonthPlanner.h"
#include "web/controls/OutlookBar.h"

#include <memory>
#include <optional>

namespace zorv::web::testing {
namespace {

using Click = std::pair<int, int>;

/// Two panels: Staff (two items, open) and Admin (one item).
std::unique_ptr<OutlookBar> makeBar()
{
    auto bar = std::make_unique<OutlookBar>("OutMain");
    int staff = bar->addPanel("Staff", "people");
    bar->addItem(staff, "Details", 590, 0);
    bar->addItem(staff, "Training", 780, 5);
    int admin = bar->addPanel("Admin");
    bar->addItem(admin, "Reports", 900, 12);
    return bar;
}

TEST(OutlookBar, OnlyItemsOfTheOpenPanelRunTheHandler)
{
    struct Case {
        const char* name;
        Event event;
        bool dispatched;
        int activeAfter;
        std::optional<Click> click;
    };
    const Case cases[] = {
        {"item of the open panel", {"OutMain", "item", 0, 1}, true, 0, Click{0, 1}},
        {"item of a closed panel", {"OutMain", "item", 1, 0}, false, 0, std::nullopt},
        {"item past the panel's items", {"OutMain", "item", 0, 2}, false, 0, std::nullopt},
        {"item without a position", {"OutMain", "item"}, false, 0, std::nullopt},
        {"panel opens without a handler", {"OutMain", "panel", 1}, true, 1, std::nullopt},
        {"panel past the bar", {"OutMain", "panel", 2}, false, 0, std::nullopt},
        {"panel with an item position", {"OutMain", "panel", 1, 0}, false, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        auto bar = makeBar();
        std::optional<Click> click;
        bar->onItemClick = [&](int panel, int item) { click = Click{panel, item}; };
        EXPECT_EQ(bar->dispatch(c.event), c.dispatched) << c.name;
        EXPECT_EQ(bar->activePanel(), c.activeAfter) << c.name;
        EXPECT_EQ(click, c.click) << c.name;
    }
}

TEST(OutlookBar, RendersTheItemsOfTheOpenPanelOnly)
{
    auto bar = makeBar();
    bar->setActivePanel(1);
    const std::string html = htmlOf(*bar);
    EXPECT_TRUE(contains(html, "value=\"OutMain:item:1:0\""));
    EXPECT_FALSE(contains(html, "OutMain:item:0:"));
    EXPECT_TRUE(contains(html, "value=\"OutMain:panel:0\""));
    EXPECT_TRUE(contains(html, "bi-printer")) << "image index 12";
}


TEST(MonthPlanner, DayClicksAreCheckedAgainstTheShownMonth)
{
    const std::pair<int, bool> cases[] = {{1, true}, {29, true}, {30, false}, {0, false}, {-1, false}};
    for (const auto& [day, dispatched] : cases) {
        MonthPlanner mp("mp1");
        mp.setMonth(2024, 2);
        std::optional<Date> clicked;
        mp.onDayClick = [&](const Date& d) { clicked = d; };
        EXPECT_EQ(mp.dispatch(Event{"mp1", "day", day}), dispatched) << day;
        EXPECT_EQ(clicked, dispatched ? std::optional<Date>(Date{2024, 2, day}) : std::nullopt) << day;
    }
}

TEST(MonthPlanner, MonthButtonsCrossYears)
{
    struct Case {
        int year, month;
        const char* event;
        int yearAfter, monthAfter;
    };
    const Case cases[] = {
        {2024, 1, "prev", 2023, 12},
        {2023, 12, "next", 2024, 1},
        {2024, 6, "next", 2024, 7},
        {1, 1, "prev", 1, 1},
    };
    for (const auto& c : cases) {
        MonthPlanner mp("mp1");
        mp.setMonth(c.year, c.month);
        int changes = 0;
        mp.onMonthChange = [&] { ++changes; };
        EXPECT_TRUE(mp.dispatch(Event{"mp1", c.event}));
        EXPECT_EQ(std::pair(mp.year(), mp.month()), std::pair(c.yearAfter, c.monthAfter)) << c.event;
        EXPECT_EQ(changes, 1);
    }
}

TEST(MonthPlanner, RendersWeeksFromMondayWithEventsCutToTheMonth)
{
    MonthPlanner mp("mp1");
    mp.setMonth(2024, 2);
    mp.addEvent(PlannerEvent{Date{2024, 1, 25}, Date{2024, 2, 2}, "Leave", "red;background:url(x)", "#fff"});
    mp.addEvent(Date{2024, 3, 1}, "March", "blue");
    const std::string html = htmlOf(mp);
    // 1 February 2024 is a Thursday.
    EXPECT_TRUE(contains(html, "<tr><td class=\"zw-planner-blank\"></td><td class=\"zw-planner-blank\"></td>"
                               "<td class=\"zw-planner-blank\"></td><td id=\"mp1_d1\""));
    EXPECT_TRUE(contains(html, "id=\"mp1_d29\""));
    EXPECT_FALSE(contains(html, "id=\"mp1_d30\""));
    EXPECT_TRUE(contains(html, "February 2024"));
    // Shown on the 1st and 2nd only, with the invalid background dropped.
    size_t shown = 0;
    for (size_t at = html.find("style=\"color:#fff;\">Leave<"); at != std::string::npos;
         at = html.find("style=\"color:#fff;\">Leave<", at + 1))
        ++shown;
    EXPECT_EQ(shown, 2u);
    EXPECT_FALSE(contains(html, "url("));
    EXPECT_FALSE(contains(html, "March"));
}

} // namespace
} // namespace zorv::web::testing
