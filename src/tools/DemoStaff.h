#pragma once

#include "common/DateTime.h"
#include "tools/DemoCalendar.h"
#include "tools/Random.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// A pay grade (PAYSCALE): annual pay of point n = firstPoint + step × (n - 1).
struct Grade {
    std::string_view name;
    int leaveDays;
    double weeklyHours;
    double firstPoint;
    double step;
    int points;
};

std::span<const Grade> demoGrades();
const Grade& demoGrade(std::string_view name);

/// A department of a demo site and how its staff work.
struct Department {
    std::string_view name;
    std::string_view division;
    std::string_view grade;
    std::vector<std::string_view> jobTitles;
    int weight;              ///< share of the site's staff
    std::string_view cycle;  ///< TWEEKTPL.ATEMPLATE
    int area;                ///< TAREA.IAREA
};

/// One demo employee: what the master row and every other record are made from.
struct Employee {
    std::string staffNo;
    std::string title;
    std::string forenames;
    std::string surname;
    std::string gender;
    std::string maritalStatus;
    Date birth;
    Date joined;
    std::optional<Date> left;
    std::optional<Date> contractEnd;
    std::string department;
    std::string division;
    std::string jobTitle;
    std::string location;
    std::string contractType = "Permanent";
    std::string grade;
    int point = 1;
    double pay = 0; ///< a year's pay, or an hour's for the hourly paid
    double wte = 1;
    double weeklyHours = 37.5;
    std::string payBasis = "Salary";
    std::string payPeriod = "Monthly";
    int leaveScheme = 1;
    double leaveAllowance = 0;
    double leaveCarried = 0;
    std::string manager; ///< staff number (master.USER1)
    std::string post;    ///< a doctor's post number (master.USERNO2)
    std::string cycle;   ///< cycle template
    std::string overtime = "Day Hours";
    int area = 1;
    bool doctor = false;     ///< a non-consultant hospital doctor, who claims hours
    bool clocks = false;     ///< has a year of clocking history
    bool timesheet = false;  ///< fills weekly timesheets
    std::string address;
    std::string town;
    std::string phone;
    std::string email;

    std::string fullName() const { return forenames + " " + surname; }
    bool isCurrent() const { return !left.has_value(); }
    bool allowsOvertime() const { return overtime != "Flexi"; }
};

/// The staff of one employee database.
struct Site {
    std::string name; ///< DBLIST.NAME
    std::string location;
    std::vector<Employee> staff;

    const Employee& employee(std::string_view staffNo) const;
};

/// Hospital: the fixed people behind the demo logins (staff numbers 1001 to
/// 1007), doctors, then staff spread over the departments; count ≥ kMinimumEmployees.
Site makeHospital(int count, const DemoCalendar& calendar, Random& random);
/// Council: office staff on flexible hours and outdoor staff.
Site makeCouncil(int count, const DemoCalendar& calendar, Random& random);

inline constexpr int kMinimumEmployees = 12;
inline constexpr int kCouncilEmployees = 50;

/// The departments of both sites, for the pick lists.
std::vector<std::string_view> demoDepartments();
std::vector<std::string_view> demoLocations();

} // namespace zorv::admin
