#include "tools/ReferenceData.h"

#include "tools/RowValues.h"

#include <initializer_list>
#include <string>

namespace zorv::admin {

namespace {

constexpr double kCompanyWeeklyHours = 37.5;

struct PickList {
    std::string_view type;
    std::initializer_list<std::string_view> entries;
};

constexpr std::string_view kAbsenceCategories[] = {
    "Annual Leave", "Certified Sick Leave", "Uncertified Sick Leave", "Compassionate Leave",
    "Parental Leave", "Training", "Unpaid Leave",
};

const PickList kPickLists[] = {
    {"Title", {"Mr", "Mrs", "Ms", "Miss", "Dr"}},
    {"Gender", {"Male", "Female"}},
    {"Marital Status", {"Single", "Married", "Civil Partnership", "Separated", "Divorced", "Widowed"}},
    {"Contract Type", {"Permanent", "Temporary", "Fixed Term", "Medical / Dental", "Intern"}},
    {"Pay Basis", {"Hourly", "Salary", "Shift", "Daily"}},
    {"Pay Period", {"Weekly", "2Weekly", "4Weekly", "Monthly"}},
    {"Yes No", {"Yes", "No"}},
    {"Client Class", {"Current", "Leaver", "Applicant"}},
    {"Absence Type", {"Holiday", "Absence"}},
    {"Absence Reason", {"Illness", "Injury", "Family", "Bereavement", "Appointment", "Other"}},
    {"Course", {"First Aid", "Fire Safety", "Manual Handling", "Data Protection", "Leadership Skills"}},
    {"Subject", {"Health and Safety", "Clinical Practice", "Information Technology", "Management"}},
    {"Provider", {"In-house", "Red Cross", "Open Training College", "Institute of Management"}},
    {"NHCDRota", {"1 in 3", "1 in 4", "1 in 5", "1 in 6", "1 in 8"}},
};

struct PayCode {
    std::string_view description;
    std::string_view code;
    bool isDefault;
};

constexpr PayCode kPayCodes[] = {
    {"Basic pay", "BASIC", true},          {"Overtime at time and a half", "OT15", false},
    {"Overtime at double time", "OT20", false}, {"Annual leave", "AL", false},
    {"Sick pay", "SICK", false},           {"Public holiday", "PH", false},
    {"Night premium", "NIGHT", false},
};

struct AllowanceBand {
    int fromYears;
    int toYears;
    double days;
};

constexpr AllowanceBand kStandardBands[] = {{0, 4, 20}, {5, 9, 22}, {10, 99, 25}};

/// Easter Sunday (Gregorian calendar, anonymous algorithm).
Date easterSunday(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return Date{year, month, day};
}

Date firstMonday(int year, int month)
{
    const Date first{year, month, 1};
    return first.addDays((7 - first.weekday()) % 7);
}

Date lastMonday(int year, int month)
{
    const Date next = month == 12 ? Date{year + 1, 1, 1} : Date{year, month + 1, 1};
    const Date last = next.addDays(-1);
    return last.addDays(-last.weekday());
}

} // namespace

std::vector<Date> publicHolidays(int year)
{
    return {
        Date{year, 1, 1},       easterSunday(year).addDays(1), firstMonday(year, 5), firstMonday(year, 6),
        firstMonday(year, 8),   lastMonday(year, 10),          Date{year, 12, 25},   Date{year, 12, 26},
    };
}

void addLookups(DatabaseContent& globalSet)
{
    auto& lookup = globalSet.table("LOOKUP", {"ATYPE", "AENTRY"});
    for (const PickList& list : kPickLists) {
        for (std::string_view entry : list.entries)
            lookup.add({std::string(list.type), std::string(entry)});
    }
    for (std::string_view type : {"Absence Category", "popCategory_Absence"}) {
        for (std::string_view category : kAbsenceCategories)
            lookup.add({std::string(type), std::string(category)});
    }
}

void addLeaveAndPaySettings(DatabaseContent& globalSet, int year, std::string_view companyName)
{
    globalSet.table("PARAMS", {"CURRENTLEAVEYEAR", "LEAVEYEARSTARTMONTH", "LEAVEYEARSTARTDAY", "LEAVEYEARENDDATE"})
        .add({year, 1, 1, dateValue(Date{year, 12, 31})});
    globalSet
        .table("TCMPHSCH", {"ISCHEMEID", "ASCHEME", "ATYPE", "LDEFAULTSCHEME", "IMONTHLYTYPE", "IMONTHCONSIDERED",
                            "LINCLUDEWEEKENDS", "LINCLUDEEXCEPTIONS", "LALLPERMTHSERVED", "IALLPERMTHSERVED",
                            "LROUNDING", "IROUNDINGTYPE", "LUSEGRADES"})
        .add({kStandardLeaveScheme, "Standard", "Days", "True", 0, 15, "False", "False", "True", 1.67, "True", 1,
              "False"});
    auto& bands = globalSet.table("TCMPHALL", {"IKEY", "ISERVICEFROM", "ISERVICETO", "IALLOWANCE"});
    for (const AllowanceBand& band : kStandardBands)
        bands.add({kStandardLeaveScheme, band.fromYears, band.toYears, band.days});

    auto& holidays = globalSet.table("TCMPHEXP", {"DDATEFROM", "ALOCATION"});
    for (int y = year - 1; y <= year + 1; ++y) {
        for (const Date& date : publicHolidays(y))
            holidays.add({dateValue(date), ""});
    }

    globalSet.table("COMPINFO", {"ANAME", "HOURSPERWEEK"}).add({std::string(companyName), money(kCompanyWeeklyHours)});
    auto& payCodes = globalSet.table("TPAYCODE", {"ADESC", "APAYCODE", "LDEFAULT"});
    for (const PayCode& code : kPayCodes)
        payCodes.add({std::string(code.description), std::string(code.code), truth(code.isDefault)});
    globalSet.table("TAREA", {"IAREA", "ADESC"}).add({1, "General"});
    globalSet.table("TCURRNCY", {"ACURRENCY"}).add({"EUR"});
}

} // namespace zorv::admin
