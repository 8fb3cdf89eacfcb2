#include "tools/DemoAbsences.h"

#include "tools/RowValues.h"

#include <algorithm>
#include <optional>
#include <set>

namespace zorv::admin {

namespace {

constexpr int kWeekDays = 5;
constexpr int kMaxTries = 60;
constexpr int kLeavePercentUsedSoFar = 85;

class AbsencePlanner {
public:
    AbsencePlanner(const DemoCalendar& calendar, Random& random) : calendar_(calendar), random_(random) {}

    /// Books the working days from start for up to length days; false when
    /// one of them is taken or none is a working day.
    bool book(const Date& start, int calendarDays, AbsenceSpan span)
    {
        const Date end = start.addDays(calendarDays - 1);
        for (Date d = start; d <= end; d = d.addDays(1)) {
            if (booked_.count(d.dayNumber()))
                return false;
        }
        const int days = workingDays(calendar_, start, end);
        if (days == 0)
            return false;
        for (Date d = start; d <= end; d = d.addDays(1))
            booked_.insert(d.dayNumber());
        span.start = start;
        span.end = end;
        span.days = days;
        spans_.push_back(std::move(span));
        return true;
    }

    /// A random working day in [from, to]; nothing when the range has none.
    std::optional<Date> workingDayIn(const Date& from, const Date& to)
    {
        const long long range = to.dayNumber() - from.dayNumber();
        if (range < 0)
            return std::nullopt;
        for (int tries = 0; tries < kMaxTries; ++tries) {
            const Date day = from.addDays(random_.below(static_cast<int>(range) + 1));
            if (calendar_.isWorkingDay(day))
                return day;
        }
        return std::nullopt;
    }

    void annualLeave(const Date& from, const Date& to, double target)
    {
        double taken = 0;
        for (int tries = 0; tries < kMaxTries && target - taken >= kWeekDays; ++tries) {
            const std::optional<Date> day = workingDayIn(from, to.addDays(-kWeekDays));
            if (!day)
                break;
            if (book(std::max(mondayOf(*day), from), kWeekDays, leave()))
                taken += spans_.back().days;
        }
        for (int tries = 0; tries < kMaxTries && target - taken >= 1; ++tries) {
            const std::optional<Date> day = workingDayIn(from, to);
            if (day && book(*day, 1, leave()))
                taken += 1;
        }
    }

    void sickness(const Date& from, const Date& to, int episodes)
    {
        for (int i = 0; i < episodes; ++i) {
            const std::optional<Date> day = workingDayIn(from, to);
            if (!day)
                return;
            const int length = random_.chance(70) ? random_.between(1, 2) : random_.between(3, 5);
            const bool certified = length > 2;
            book(*day, length,
                 AbsenceSpan{{}, {}, certified ? "Certified Sick Leave" : "Uncertified Sick Leave", "Absence",
                             random_.chance(85) ? "Illness" : "Injury", 0, false});
        }
    }

    void other(const Date& from, const Date& to)
    {
        if (const std::optional<Date> day = workingDayIn(from, to); day && random_.chance(8))
            book(*day, 2, AbsenceSpan{{}, {}, "Compassionate Leave", "Absence", "Bereavement", 0, false});
        if (const std::optional<Date> day = workingDayIn(from, to); day && random_.chance(15))
            book(*day, 1, AbsenceSpan{{}, {}, "Training", "Absence", "Other", 0, false});
    }

    std::vector<AbsenceSpan> take()
    {
        std::sort(spans_.begin(), spans_.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
        return std::move(spans_);
    }

private:
    static AbsenceSpan leave() { return AbsenceSpan{{}, {}, "Annual Leave", "Holiday", "", 0, true}; }

    const DemoCalendar& calendar_;
    Random& random_;
    std::set<long long> booked_;
    std::vector<AbsenceSpan> spans_;
};

} // namespace

int workingDays(const DemoCalendar& calendar, const Date& start, const Date& end)
{
    int days = 0;
    for (Date d = start; d <= end; d = d.addDays(1))
        days += calendar.isWorkingDay(d) ? 1 : 0;
    return days;
}

std::vector<AbsenceSpan> makeAbsences(const Employee& employee, const DemoCalendar& calendar, Random& random)
{
    AbsencePlanner planner(calendar, random);
    const Date yesterday = calendar.today().addDays(-1);
    for (int year = calendar.year() - 1; year <= calendar.year(); ++year) {
        const Date from = std::max(Date{year, 1, 1}, employee.joined);
        Date to = std::min(Date{year, 12, 31}, yesterday);
        if (employee.left)
            to = std::min(to, *employee.left);
        if (to < from)
            continue;
        const double share = static_cast<double>(to.dayNumber() - from.dayNumber() + 1) / 365.0;
        const int usedPercent = year == calendar.year() ? kLeavePercentUsedSoFar : 100;
        const double target = employee.leaveAllowance * share * usedPercent / 100.0;
        planner.annualLeave(from, to, target);
        planner.sickness(from, to, random.chance(60) ? random.between(1, 2) : 0);
        planner.other(from, to);
    }
    return planner.take();
}

double leaveTaken(const std::vector<AbsenceSpan>& absences, int year)
{
    double days = 0;
    for (const AbsenceSpan& span : absences) {
        if (span.annualLeave && span.start.year == year)
            days += span.days;
    }
    return days;
}

} // namespace zorv::admin
