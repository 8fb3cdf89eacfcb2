#include "tools/DemoReference.h"

#include "tools/RowValues.h"

#include <fmt/format.h>

namespace zorv::admin {

namespace {

constexpr int kPayScalePoints = 25;
constexpr int kMedicalScheme = 2;

constexpr std::string_view kAreas[] = {"General", "Wards", "Theatres", "Outpatients", "Council depot",
                                       "Civic offices"};

struct AllowanceCode {
    std::string_view code;
    std::string_view description;
};
constexpr AllowanceCode kAllowanceCodes[] = {
    {"SHIFT", "Shift allowance"},
    {"ONCALL", "On-call allowance"},
    {"TRAVEL", "Travel allowance"},
    {"UNIFORM", "Uniform allowance"},
};

void addPayScales(DatabaseContent& globalSet)
{
    std::initializer_list<std::string_view> columns = {
        "GRADE",   "LEAVE",   "ACURRENCY", "BWEEKLYHOURS", "NPOINT1",  "NPOINT2",  "NPOINT3",  "NPOINT4",
        "NPOINT5", "NPOINT6", "NPOINT7",   "NPOINT8",      "NPOINT9",  "NPOINT10", "NPOINT11", "NPOINT12",
        "NPOINT13", "NPOINT14", "NPOINT15", "NPOINT16",    "NPOINT17", "NPOINT18", "NPOINT19", "NPOINT20",
        "NPOINT21", "NPOINT22", "NPOINT23", "NPOINT24",    "NPOINT25"};
    auto& scales = globalSet.table("PAYSCALE", columns);
    for (const Grade& grade : demoGrades()) {
        db::Params row = {std::string(grade.name), grade.leaveDays, "EUR", money(grade.weeklyHours)};
        for (int point = 1; point <= kPayScalePoints; ++point)
            row.push_back(point <= grade.points ? money(grade.firstPoint + grade.step * (point - 1)) : db::Value());
        scales.add(std::move(row));
    }
}

void addPickList(TableRows& lookup, std::string_view type, const std::vector<std::string_view>& entries)
{
    for (std::string_view entry : entries)
        lookup.add({std::string(type), std::string(entry)});
}

} // namespace

std::string_view areaName(int area)
{
    const auto index = static_cast<std::size_t>(area - 1);
    return index < std::size(kAreas) ? kAreas[index] : kAreas[0];
}

std::string costCentre(int area) { return fmt::format("CC{}00", area); }

void addDemoReference(DatabaseContent& globalSet, const std::vector<std::string>& appraisers)
{
    addPayScales(globalSet);
    globalSet
        .table("TCMPHSCH", {"ISCHEMEID", "ASCHEME", "ATYPE", "LDEFAULTSCHEME", "IMONTHLYTYPE", "IMONTHCONSIDERED",
                            "LINCLUDEWEEKENDS", "LINCLUDEEXCEPTIONS", "LALLPERMTHSERVED", "IALLPERMTHSERVED",
                            "LROUNDING", "IROUNDINGTYPE", "LUSEGRADES"})
        .add({kMedicalScheme, "Medical", "Days", "False", 1, 15, "False", "False", "True", 1.83, "True", 1, "True"});
    globalSet.table("TCMPHALL", {"IKEY", "ISERVICEFROM", "ISERVICETO", "IALLOWANCE"})
        .add({kMedicalScheme, 0, 99, 22.0});

    auto& allowances = globalSet.table("TCMPSP", {"ASPCODE", "ASPDESC"});
    for (const AllowanceCode& code : kAllowanceCodes)
        allowances.add({std::string(code.code), std::string(code.description)});
    auto& currencies = globalSet.table("TCURRNCY", {"ACURRENCY"});
    currencies.add({"GBP"});
    currencies.add({"USD"});
    auto& areas = globalSet.table("TAREA", {"IAREA", "ADESC"});
    auto& costCodes = globalSet.table("TCOSTCODE", {"ACOSTCODE", "ADESC"});
    for (int area = 1; area <= static_cast<int>(std::size(kAreas)); ++area) {
        if (area > 1)
            areas.add({area, std::string(areaName(area))});
        costCodes.add({costCentre(area), std::string(areaName(area))});
    }

    auto& lookup = globalSet.table("LOOKUP", {"ATYPE", "AENTRY"});
    addPickList(lookup, "Department", demoDepartments());
    addPickList(lookup, "Division", {"Clinical", "Support", "Corporate", "Operations", "Community"});
    addPickList(lookup, "Location", demoLocations());
    std::vector<std::string_view> grades;
    for (const Grade& grade : demoGrades())
        grades.push_back(grade.name);
    addPickList(lookup, "Grade", grades);
    for (const std::string& appraiser : appraisers)
        lookup.add({"Appraisor", appraiser});
}

} // namespace zorv::admin
