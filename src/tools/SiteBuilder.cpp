#include "tools/Installation.h"

#include "tools/InstallIni.h"
#include "tools/InstallLayout.h"
#include "tools/ReferenceData.h"
#include "tools/RowValues.h"
#include "tools/WorkTemplates.h"

#include <stdexcept>

namespace zorv::admin {

namespace {

constexpr int kFirstKey = 1000;
constexpr std::string_view kDatabaseName = "Main";
constexpr std::string_view kDatabaseFile = "data/main.fdb";
constexpr std::string_view kAdministratorStaffNo = "ADMIN";

Login administrator(const std::string& password)
{
    return Login{"admin", std::string(kAdministratorStaffNo), password, "ADMIN", "", std::string(kDatabaseName),
                 Role::Administrator, ""};
}

/// The administrator's own employee record, which the login opens.
void addAdministratorRecord(DatabaseContent& employees, DatabaseContent& global, const Date& today)
{
    employees.table("MASTER", {"STAFFNO", "FORENAMES", "SURNAME", "ABSCLASS", "ISCHEMEID", "LMANHOL", "DATEOFJOIN",
                               "NWTE", "LEAVECF", "LEAVEALLOWANCE", "LEAVETAKEN", "LEAVEREMAINING", "PAYPERIOD"})
        .add({std::string(kAdministratorStaffNo), "System", "Administrator", "Current", kStandardLeaveScheme, "False",
              dateValue(today), money(1), money(0), money(0), money(0), money(0), "Monthly"});
    employees.table("TWEEKTPL", {"STAFFNO", "ATEMPLATE", "LLASTWEEK", "LALLOW", "LCLOCK", "AOVERTIME", "ALOGIN"})
        .add({std::string(kAdministratorStaffNo), "Std cycle", "FALSE", "FALSE", "FALSE", "Day Hours", "admin"});
    global.table("T_HRLNK", {"STAFFNO", "ANAME", "ADATABASE", "AFORENAMES", "ASURNAME", "AGENDER", "DDOB"})
        .add({std::string(kAdministratorStaffNo), "System Administrator", std::string(kDatabaseName), "System",
              "Administrator", "", nullptr});
}

} // namespace

BuildResult buildSite(const std::filesystem::path& home, const Date& today, const std::string& password)
{
    if (holdsInstallation(home))
        throw std::runtime_error(home.string() + " already holds an installation");
    KeySource keys(kFirstKey);
    DatabaseContent global, globalSet, central, web, work, list, employees;
    addMessages(globalSet);
    addLabels(globalSet);
    addLookups(globalSet);
    addLeaveAndPaySettings(globalSet, today.year, "Company");
    addScreenLayouts(web, keys);
    addWorkTemplates(work, today.year, false);
    const Login admin = administrator(password);
    addProfile(central, globalSet, Profile{admin.profile, Role::Administrator, "", ""});
    addLogin(web, admin, keys);
    addAdministratorRecord(employees, global, today);
    list.table("DBLIST", {"NAME", "LOCATION"}).add({std::string(kDatabaseName), std::string(kDatabaseFile)});
    global.table("SYSNO", {"IUNIQUE", "STAFFNO"}).add({keys.following(), 1});

    createFolders(home);
    const std::vector<PlannedDatabase> databases = {
        {std::string(kGlobalDatabase), DatabaseKind::Global, {&global, &globalSet}},
        {std::string(kCentralDatabase), DatabaseKind::Central, {&central}},
        {std::string(kWebDatabase), DatabaseKind::Web, {&web}},
        {std::string(kGlobalWorkDatabase), DatabaseKind::GlobalWork, {&work, &globalSet}},
        {std::string(kListDatabase), DatabaseKind::LocalList, {&list}},
        {std::string(kDatabaseFile), DatabaseKind::Employee, {&employees}},
    };
    BuildResult result;
    result.rows = createDatabases(home, databases);
    result.databases = static_cast<int>(databases.size());
    IniPlan plan;
    plan.databases = {{std::string(kDatabaseName), std::string(kDatabaseFile)}};
    plan.today = today;
    writeIniFiles(home, plan);
    result.logins.push_back(admin);
    return result;
}

} // namespace zorv::admin
