#pragma once

#include "tools/DemoCalendar.h"
#include "tools/DemoStaff.h"
#include "tools/Random.h"

#include <string>
#include <vector>

namespace zorv::admin {

/// One absence of an employee (an ABSENCE row).
struct AbsenceSpan {
    Date start;
    Date end;
    std::string category; ///< Absence Category pick list
    std::string type;     ///< "Holiday" or "Absence"
    std::string reason;
    double days = 0; ///< working days lost
    bool annualLeave = false;

    bool covers(const Date& date) const { return start <= date && date <= end; }
};

/// Leave and sickness of the previous leave year and of the current one up to
/// yesterday, while the employee was employed: never overlapping, never on a
/// weekend day or public holiday, in date order.
std::vector<AbsenceSpan> makeAbsences(const Employee& employee, const DemoCalendar& calendar, Random& random);

/// Working days lost between start and end, both included.
int workingDays(const DemoCalendar& calendar, const Date& start, const Date& end);

/// Annual leave days taken in the leave year.
double leaveTaken(const std::vector<AbsenceSpan>& absences, int year);

} // namespace zorv::admin
