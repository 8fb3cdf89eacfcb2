#include "tools/Logins.h"

#include "common/Text.h"
#include "signin/Passwords.h"
#include "tools/ScreenFields.h"

#include <utility>

namespace zorv::admin {

namespace {

using Rights = std::vector<std::pair<std::string_view, std::string_view>>;

constexpr std::string_view kFull = "Full Access";
constexpr std::string_view kRead = "Read Only";
constexpr std::string_view kNone = "No Access";
constexpr std::string_view kNoTableAccess = "None";

// Every screen of the time-and-attendance panel that a right controls.
constexpr std::string_view kTimeScreens[] = {"Status",     "Flexi", "EmpWeek",     "CreWeek",
                                             "Template",   "Work Schedule", "Signoff", "Turnover",
                                             "Quick Edit", "EWTD",  "Hours Entry", "Expenses"};

const Login kLogins[] = {
    {"admin", "1001", "admin", "ADMIN", "", "Hospital", Role::Administrator, ""},
    {"supervisor", "1002", "supervisor", "SUPERVISOR", "Nursing team", "Hospital", Role::Supervisor, ""},
    {"hr", "1003", "hr", "HR", "", "Hospital", Role::HumanResources, ""},
    {"timekeeper", "1004", "timekeeper", "TIMEKEEPER", "", "Hospital", Role::TimeKeeper, ""},
    {"employee", "1005", "employee", "EMPLOYEE", std::string(kViewSelfOnly), "Hospital", Role::Employee,
     "supervisor"},
    {"consultant", "1006", "consultant", "NCHDSUPER", "Doctors", "Hospital", Role::DoctorsSupervisor, ""},
    {"doctor", "1007", "doctor", "DOCTOR", std::string(kViewSelfOnly), "Hospital", Role::Doctor, "consultant"},
};

const Profile kProfiles[] = {
    {"ADMIN", Role::Administrator, "", ""},
    {"SUPERVISOR", Role::Supervisor, "Department", "Nursing"},
    {"HR", Role::HumanResources, "", ""},
    {"TIMEKEEPER", Role::TimeKeeper, "", ""},
    {"EMPLOYEE", Role::Employee, "", ""},
    {"NCHDSUPER", Role::DoctorsSupervisor, "CONTRACTTYPE", "Medical / Dental"},
    {"DOCTOR", Role::Doctor, "", ""},
};

bool isSelfService(Role role) { return role == Role::Employee || role == Role::Doctor; }
bool supervises(Role role)
{
    return role == Role::Administrator || role == Role::Supervisor || role == Role::HumanResources ||
           role == Role::DoctorsSupervisor;
}

/// The right of a time screen for a role.
std::string_view timeRight(Role role, std::string_view screen)
{
    switch (role) {
    case Role::Administrator: return kFull;
    case Role::TimeKeeper: return screen == "Turnover" ? kNone : kFull;
    case Role::HumanResources: return screen == "Turnover" ? kFull : kRead;
    case Role::Supervisor:
    case Role::DoctorsSupervisor:
        return screen == "Template" || screen == "Work Schedule" || screen == "CreWeek" || screen == "Turnover"
                   ? kRead
                   : kFull;
    case Role::Employee:
    case Role::Doctor:
        if (screen == "Hours Entry" || screen == "Expenses")
            return kFull;
        return screen == "Status" || screen == "Flexi" || screen == "EmpWeek" ? kRead : kNone;
    }
    return kNone;
}

Rights screenRights(const Login& login)
{
    Rights rights;
    for (std::string_view screen : kTimeScreens)
        rights.emplace_back(screen, timeRight(login.role, screen));
    const bool keepsTime = login.role == Role::Administrator || login.role == Role::TimeKeeper;
    rights.emplace_back("Supervisor", supervises(login.role) ? "TRUE" : "FALSE");
    rights.emplace_back("Time Keeper", keepsTime ? "TRUE" : "FALSE");
    rights.emplace_back("Supervisor View", isSelfService(login.role) ? "NO" : "YES");
    rights.emplace_back("SupViewDataOnly", "NO");
    rights.emplace_back("AllowHolRequests", "YES");
    rights.emplace_back("Supervised", login.supervisor);
    return rights;
}

struct TableRight {
    std::string_view table;
    std::string_view right;
};

std::vector<TableRight> tableRights(Role role)
{
    switch (role) {
    case Role::Administrator:
    case Role::HumanResources: return {};
    case Role::Supervisor:
    case Role::DoctorsSupervisor:
        return {{"master", "Update Only"}, {"PayHist", "None"}, {"Bank", "None"},
                {"Absence", "Full"},       {"Training", "Full"}, {"Apprais", "Full"}};
    case Role::TimeKeeper:
        return {{"master", "Read Only"}, {"PayHist", "Read Only"}, {"Bank", "None"}, {"Absence", "Full"}};
    case Role::Employee:
    case Role::Doctor:
        return {{"master", "Read Only"},   {"PayHist", "Read Only"}, {"Bank", "None"},
                {"Absence", "Read Only"},  {"Training", "Read Only"}, {"Apprais", "Read Only"},
                {"edestab", "Data Entry"}, {"Emergenc", "Full"}};
    }
    return {};
}

struct FieldRight {
    std::string_view field;
    std::string_view right;
};

std::vector<FieldRight> masterFieldRights(Role role)
{
    if (role == Role::Supervisor || role == Role::DoctorsSupervisor)
        return {{"NPAY", "None"}, {"DOB", "None"}};
    if (isSelfService(role))
        return {{"AGRADE", "Read Only"}, {"NPAY", "Read Only"}, {"LEAVEALLOWANCE", "Read Only"},
                {"ISCHEMEID", "Read Only"}};
    return {};
}

struct Button {
    int bar;
    int tag;
    std::string_view text;
};

constexpr Button kButtons[] = {
    {1, kDetailsScreen, "Employee Details"}, {1, kAbsenceScreen, "Absence"},
    {1, kTrainingScreen, "Training"},        {1, kPayHistoryScreen, "Pay History"},
    {2, kEducationScreen, "Education"},      {2, kAppraisalScreen, "Appraisals"},
    {2, kEmergencyScreen, "Emergency Contacts"},
};

/// The table a record screen shows; empty for a tag without a screen.
std::string_view screenTable(int tag)
{
    for (const RecordScreen& screen : recordScreens())
        if (screen.tag == tag)
            return screen.table;
    return {};
}

/// A screen whose table the role may not see at all would show nothing but
/// the refusal.
bool tableHidden(Role role, std::string_view table)
{
    for (const TableRight& right : tableRights(role))
        if (iequals(right.table, table) && right.right == kNoTableAccess)
            return true;
    return false;
}

bool buttonVisible(Role role, int tag)
{
    if (tag == kAppraisalScreen && isSelfService(role))
        return false;
    return !tableHidden(role, screenTable(tag));
}

void addBars(DatabaseContent& globalSet, const Profile& profile)
{
    // The caption of a bar starts at the tenth character of ALIST.
    auto& bars = globalSet.table("TBARS", {"AUSER", "IBARNO", "ALIST"});
    bars.add({profile.code, 1, "000000001Employee"});
    bars.add({profile.code, 2, "000000002Records"});
    auto& buttons = globalSet.table("TBUTTONS", {"AUSER", "IBARNO", "IPOSITION", "LVISIBLE", "ITAG", "ATEXT",
                                                 "IIMAGEINDEX"});
    int image = 0;
    int position = 0;
    int lastBar = 0;
    for (const Button& button : kButtons) {
        position = button.bar == lastBar ? position + 1 : 1;
        lastBar = button.bar;
        const bool visible = buttonVisible(profile.role, button.tag);
        buttons.add({profile.code, button.bar, position, visible ? "TRUE" : "FALSE", button.tag,
                     std::string(button.text), image++});
    }
}

} // namespace

std::string_view roleName(Role role)
{
    switch (role) {
    case Role::Administrator: return "administrator";
    case Role::Supervisor: return "supervisor";
    case Role::HumanResources: return "HR";
    case Role::Employee: return "employee (view self only)";
    case Role::Doctor: return "doctor";
    case Role::DoctorsSupervisor: return "doctors' supervisor";
    case Role::TimeKeeper: return "time keeper";
    }
    return "";
}

std::span<const Login> demoLogins() { return kLogins; }
std::span<const Profile> demoProfiles() { return kProfiles; }

void addLogin(DatabaseContent& web, const Login& login, KeySource& keys)
{
    web.table("TLOGIN", {"AUSER", "ASTAFFNO", "APASSWORD", "APROFILE", "AGROUP", "LASTDB", "ALANGUAGE"})
        .add({login.login, login.staffNo, signin::hashPassword(login.password), login.profile, login.group,
              login.database, "EN"});
    auto& rights = web.table("TUSERSEC", {"AUSER", "ASCREEN", "ARIGHTS", "IKEY"});
    for (const auto& [screen, right] : screenRights(login))
        rights.add({login.login, std::string(screen), std::string(right), keys.next()});
}

void addProfile(DatabaseContent& central, DatabaseContent& globalSet, const Profile& profile)
{
    central
        .table("USERS", {"ASYSTEM", "CUSERCODE", "ASECURITYCODE", "LADMINISTRATOR", "ARESTRICTVIEWFIELD",
                         "ARESTRICTVIEWVALUE"})
        .add({std::string(kSystemName), profile.code, profile.code,
              profile.role == Role::Administrator ? "TRUE" : "FALSE", profile.restrictField, profile.restrictValue});
    auto& tables = central.table("TSECTBL", {"AUSERCODE", "ATABLE", "ARIGHTS"});
    for (const TableRight& right : tableRights(profile.role))
        tables.add({profile.code, std::string(right.table), std::string(right.right)});
    auto& fields = central.table("TSECFLD", {"AUSERCODE", "ATABLE", "AFIELD", "ARIGHTS"});
    for (const FieldRight& right : masterFieldRights(profile.role))
        fields.add({profile.code, "master", std::string(right.field), std::string(right.right)});
    addBars(globalSet, profile);
}

} // namespace zorv::admin
