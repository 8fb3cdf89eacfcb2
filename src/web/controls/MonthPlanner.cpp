#include "web/controls/MonthPlanner.h"

#include "web/controls/Icon.h"

#include <algorithm>
#include <array>

namespace zorv::web {

namespace {
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;
constexpr int kDaysInWeek = 7;

constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",
                                                     "May",     "June",     "July",      "August",
                                                     "September", "October", "November", "December"};
constexpr std::array<const char*, kDaysInWeek> kDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

std::string eventStyle(const PlannerEvent& e)
{
    std::string style;
    if (auto bg = safeCssValue(e.background); !bg.empty())
        style += "background-color:" + bg + ';';
    if (auto fg = safeCssValue(e.textColor); !fg.empty())
        style += "color:" + fg + ';';
    return style;
}

void writeEventButton(HtmlWriter& w, const std::string& value, const std::string& id, const char* label,
                      const char* icon, bool enabled)
{
    w.open("button").attr("type", "submit").attr("name", "__event").attr("value", value).attr("id", id);
    w.cls("btn btn-outline-secondary btn-sm").attr("aria-label", label).flag("disabled", !enabled).end();
    writeIcon(w, icon);
    w.close("button");
}
} // namespace

MonthPlanner::MonthPlanner(std::string id) : Control(std::move(id)) {}

void MonthPlanner::setMonth(int year, int month)
{
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12)
        return;
    year_ = year;
    month_ = month;
}

int MonthPlanner::daysInMonth() const
{
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month_ == 2 && isLeapYear(year_) ? 29 : kDays[static_cast<size_t>(month_ - 1)];
}

void MonthPlanner::addEvent(const Date& day, std::string caption, std::string background, std::string textColor)
{
    addEvent(PlannerEvent{day, day, std::move(caption), std::move(background), std::move(textColor)});
}

void MonthPlanner::step(int months)
{
    int index = year_ * 12 + (month_ - 1) + months;
    setMonth(index / 12, index % 12 + 1);
}

std::vector<std::vector<const PlannerEvent*>> MonthPlanner::eventsByDay() const
{
    std::vector<std::vector<const PlannerEvent*>> byDay(static_cast<size_t>(daysInMonth()));
    const Date monthEnd{year_, month_, daysInMonth()};
    for (const auto& e : events_) {
        const Date from = std::max(e.first, firstDay());
        const Date to = std::min(e.last, monthEnd);
        for (int day = from.day; from <= to && day <= to.day; ++day)
            byDay[static_cast<size_t>(day - 1)].push_back(&e);
    }
    return byDay;
}

void MonthPlanner::render(HtmlWriter& w) const
{
    w.open("div");
    writeCommonAttributes(w, "zw-planner");
    w.end();
    renderHead(w);
    w.open("div").cls("table-responsive").end();
    w.open("table").cls("table table-bordered table-sm zw-planner-table").end();
    w.open("thead").end().open("tr").end();
    for (const char* name : kDayNames)
        w.open("th").attr("scope", "col").end().text(name).close("th");
    w.close("tr").close("thead").open("tbody").end();

    const auto byDay = eventsByDay();
    const int leadingBlanks = firstDay().weekday();
    const int cells = (leadingBlanks + daysInMonth() + kDaysInWeek - 1) / kDaysInWeek * kDaysInWeek;
    for (int cell = 0; cell < cells; ++cell) {
        if (cell % kDaysInWeek == 0)
            w.open("tr").end();
        const int day = cell - leadingBlanks + 1;
        if (day < 1 || day > daysInMonth())
            w.open("td").cls("zw-planner-blank").end().close("td");
        else
            renderDay(w, day, byDay[static_cast<size_t>(day - 1)]);
        if (cell % kDaysInWeek == kDaysInWeek - 1)
            w.close("tr");
    }
    w.close("tbody").close("table").close("div").close("div");
}

void MonthPlanner::renderHead(HtmlWriter& w) const
{
    w.open("div").cls("d-flex align-items-center justify-content-between mb-2 zw-planner-head").end();
    writeEventButton(w, Event::encode(id(), "prev"), id() + "_prev", "Previous month", "chevron-left", enabled());
    w.element("h2", "h5 m-0 zw-planner-title",
              std::string(kMonthNames[static_cast<size_t>(month_ - 1)]) + ' ' + std::to_string(year_));
    writeEventButton(w, Event::encode(id(), "next"), id() + "_next", "Next month", "chevron-right", enabled());
    w.close("div");
}

void MonthPlanner::renderDay(HtmlWriter& w, int day, const std::vector<const PlannerEvent*>& events) const
{
    w.open("td").attr("id", id() + "_d" + std::to_string(day)).cls("zw-planner-day").end();
    if (onDayClick) {
        w.open("button").attr("type", "submit").attr("name", "__event").attr("value", Event::encode(id(), "day", day));
        w.cls("btn btn-link btn-sm p-0 zw-planner-daynum").flag("disabled", !enabled()).end();
        w.text(std::to_string(day)).close("button");
    } else {
        w.element("span", "zw-planner-daynum", std::to_string(day));
    }
    for (const PlannerEvent* e : events) {
        w.open("div").cls("zw-planner-event");
        if (auto style = eventStyle(*e); !style.empty())
            w.attr("style", style);
        w.end().text(e->caption).close("div");
    }
    w.close("td");
}

bool MonthPlanner::dispatch(const Event& e)
{
    if (e.col >= 0)
        return false;
    if (e.name == "prev" || e.name == "next") {
        if (e.row >= 0)
            return false;
        step(e.name == "prev" ? -1 : 1);
        if (onMonthChange)
            onMonthChange();
        return true;
    }
    if (e.name != "day" || !onDayClick || e.row < 1 || e.row > daysInMonth())
        return false;
    onDayClick(Date{year_, month_, e.row});
    return true;
}

} // namespace zorv::web
