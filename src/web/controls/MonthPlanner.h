#pragma once

#include "common/DateTime.h"
#include "web/Control.h"

#include <functional>
#include <vector>

namespace zorv::web {

/// Something shown on the days from first to last (both included).
struct PlannerEvent {
    Date first;
    Date last;
    std::string caption;
    std::string background; ///< colour name or #rrggbb; anything else: none
    std::string textColor;  ///< colour name or #rrggbb; empty: the default
};

/// One month as a calendar of day cells (weeks from Monday) with the events
/// that touch each day, and buttons to the previous and the next month.
/// Day cells have the ids "<id>_d<day of month>".
class MonthPlanner : public Control {
public:
    explicit MonthPlanner(std::string id);

    int year() const { return year_; }
    int month() const { return month_; }
    /// Shows a month (1..12) of a year 1..9999; anything else is ignored.
    void setMonth(int year, int month);
    Date firstDay() const { return Date{year_, month_, 1}; }
    int daysInMonth() const;

    void addEvent(PlannerEvent event) { events_.push_back(std::move(event)); }
    /// A one-day event.
    void addEvent(const Date& day, std::string caption, std::string background, std::string textColor = {});
    void clearEvents() { events_.clear(); }
    const std::vector<PlannerEvent>& events() const { return events_; }

    /// Runs for a click on a day of the shown month; day cells are buttons only when set.
    std::function<void(const Date& day)> onDayClick;
    /// Runs after the previous or next month button changed the month.
    std::function<void()> onMonthChange;

    void render(HtmlWriter& w) const override;
    bool dispatch(const Event& e) override;

private:
    void step(int months);
    void renderHead(HtmlWriter& w) const;
    void renderDay(HtmlWriter& w, int day, const std::vector<const PlannerEvent*>& events) const;
    /// For each day of the month (index day - 1), the events that touch it.
    std::vector<std::vector<const PlannerEvent*>> eventsByDay() const;

    std::vector<PlannerEvent> events_;
    int year_ = 2000;
    int month_ = 1;
};

} // namespace zorv::web
