#pragma once

#include "common/DateTime.h"

#include <set>

namespace zorv::admin {

/// The dates the demo data is laid out on: everything is relative to today
/// and its year (the current leave year), so a demo built today looks current.
class DemoCalendar {
public:
    explicit DemoCalendar(const Date& today);

    const Date& today() const { return today_; }
    int year() const { return today_.year; }
    Date yearStart() const { return Date{today_.year, 1, 1}; }
    /// The Monday 52 weeks before the Monday of today's week: the first day
    /// of the clocking history.
    const Date& historyStart() const { return historyStart_; }
    /// The Sunday before today's week: the last day of the clocking history.
    const Date& historyEnd() const { return historyEnd_; }

    bool isPublicHoliday(const Date& date) const;
    /// Monday to Friday and not a public holiday.
    bool isWorkingDay(const Date& date) const;
    /// Whole years from from to to.
    static int yearsBetween(const Date& from, const Date& to);

private:
    Date today_;
    Date historyStart_;
    Date historyEnd_;
    std::set<long long> holidays_;
};

} // namespace zorv::admin
