#include "tools/Installation.h"

#include "tools/DemoNchd.h"
#include "tools/DemoRecords.h"
#include "tools/DemoReference.h"
#include "tools/DemoTimeHistory.h"
#include "tools/InstallIni.h"
#include "tools/InstallLayout.h"
#include "tools/ReferenceData.h"
#include "tools/RowValues.h"
#include "tools/WorkTemplates.h"

#include <algorithm>
#include <fmt/format.h>
#include <map>
#include <stdexcept>

namespace zorv::admin {

namespace fs = std::filesystem;

namespace {

constexpr int kFirstKey = 1000;
constexpr std::string_view kCompanyName = "ZorvWeb Demo Services";
constexpr Date kNoEnd{1899, 12, 30};

/// Independent streams of choices, so that a change to one part of the
/// demo leaves the others as they were.
enum class Stream : std::uint32_t { Hospital = 1, Council, HospitalRecords, CouncilRecords };

Random streamOf(std::uint32_t seed, Stream stream)
{
    return Random(seed * 0x9E3779B9u + static_cast<std::uint32_t>(stream));
}

struct DemoContent {
    std::vector<Site> sites;
    DatabaseContent global;
    DatabaseContent globalSet;
    DatabaseContent central;
    DatabaseContent web;
    DatabaseContent work;
    DatabaseContent list;
    std::vector<DatabaseContent> siteRows; ///< one per site, in the order of sites
};

std::map<std::string, std::string> loginsByStaffNo(const Site& site)
{
    std::map<std::string, std::string> logins;
    for (const Login& login : demoLogins()) {
        if (login.database == site.name)
            logins.emplace(login.staffNo, login.login);
    }
    return logins;
}

void addSite(const Site& site, const DemoCalendar& calendar, Random& random, KeySource& keys, DemoContent& content)
{
    DatabaseContent& db = content.siteRows.emplace_back();
    RecordContext context{calendar, random, keys, db};
    const std::map<std::string, std::string> logins = loginsByStaffNo(site);
    std::map<std::string, std::vector<AbsenceSpan>> absences;
    for (const Employee& e : site.staff) {
        const std::vector<AbsenceSpan>& spans = absences[e.staffNo] = makeAbsences(e, calendar, random);
        const bool showcase = logins.count(e.staffNo) != 0;
        addMasterRecords(context, e, leaveTaken(spans, calendar.year()));
        addPersonalRecords(context, e);
        addAbsencesAndRequests(context, e, spans, showcase);
        addAppraisals(context, e, site, showcase);
        if (e.clocks)
            addClockingHistory(context, e, spans, content.work);
        if (e.timesheet)
            addTimesheets(context, e, spans);
    }
    addSiteRecords(context, site, logins);
    addDoctorClaims(site, absences, calendar, random, keys, content.web);
}

void addHrLinks(DatabaseContent& global, const Site& site)
{
    auto& links = global.table("T_HRLNK", {"STAFFNO", "ANAME", "ADATABASE", "AFORENAMES", "ASURNAME", "AGENDER",
                                           "DDOB"});
    for (const Employee& e : site.staff)
        links.add({e.staffNo, e.fullName(), site.name, e.forenames, e.surname, e.gender, dateValue(e.birth)});
}

void addGlobalHr(DatabaseContent& global)
{
    auto& triggers = global.table("T_EVTCAR", {"ADATASET", "LTRIGGER", "AEVENTFIELDDESC", "AEVENTFIELDNAME",
                                               "ADATEFIELD", "ADESCRIPTION"});
    triggers.add({"qryEmpDts", "TRUE", "<<On New Record>>", "<<NA>>", "DateOfJoin", "Joined"});
    triggers.add({"qryEmpDts", "TRUE", "Department", "Department", "", "Department change"});
    triggers.add({"qryEmpPay", "TRUE", "<<On New Record>>", "<<NA>>", "FromDate", "Pay change"});
    auto& formulas = global.table("TMNTFMLA", {"IFORMULA", "ADESC"});
    formulas.add({1, "Monthly salary"});
    formulas.add({2, "Weekly wage"});
    formulas.add({3, "Hourly rate"});
}

void addSignOffs(DatabaseContent& web, const DemoCalendar& calendar, KeySource& keys)
{
    web.table("ABSSIGNUSER", {"AUSER", "IKEY", "DSTART", "DEND"})
        .add({"hr", keys.next(), dateValue(calendar.yearStart()), dateValue(kNoEnd)});
    auto& signOffs = web.table("ABSSIGN", {"AUSER", "IKEY", "DSIGNOFF", "IPERIOD", "IYEAR"});
    for (int month = 1; month < calendar.today().month; ++month)
        signOffs.add({"hr", keys.next(), dateValue(Date{calendar.year(), month + 1, 3}), month, calendar.year()});
}

std::vector<std::string> appraisers(const Site& site)
{
    std::vector<std::string> names;
    for (const Employee& e : site.staff) {
        const bool manages = std::any_of(site.staff.begin(), site.staff.end(),
                                         [&](const Employee& other) { return other.manager == e.staffNo; });
        if (manages)
            names.push_back(e.fullName());
    }
    return names;
}

int nextStaffNumber(const std::vector<Site>& sites)
{
    int highest = 0;
    for (const Site& site : sites) {
        for (const Employee& e : site.staff)
            highest = std::max(highest, std::stoi(e.staffNo));
    }
    return highest + 1;
}

DemoContent makeContent(const DemoOptions& options, const DemoCalendar& calendar)
{
    Random hospitalPeople = streamOf(options.seed, Stream::Hospital);
    Random councilPeople = streamOf(options.seed, Stream::Council);
    DemoContent content;
    content.sites = {makeHospital(options.employees, calendar, hospitalPeople),
                     makeCouncil(kCouncilEmployees, calendar, councilPeople)};
    const std::vector<Site>& sites = content.sites;
    KeySource keys(kFirstKey);

    addMessages(content.globalSet);
    addLabels(content.globalSet);
    addLookups(content.globalSet);
    addLeaveAndPaySettings(content.globalSet, calendar.year(), kCompanyName);
    addDemoReference(content.globalSet, appraisers(sites.front()));
    addScreenLayouts(content.web, keys);
    addWorkTemplates(content.work, calendar.year(), true);
    for (const Profile& profile : demoProfiles())
        addProfile(content.central, content.globalSet, profile);
    for (const Login& login : demoLogins())
        addLogin(content.web, login, keys);
    addSignOffs(content.web, calendar, keys);

    Random hospitalRecords = streamOf(options.seed, Stream::HospitalRecords);
    Random councilRecords = streamOf(options.seed, Stream::CouncilRecords);
    addSite(sites[0], calendar, hospitalRecords, keys, content);
    addSite(sites[1], calendar, councilRecords, keys, content);

    auto& list = content.list.table("DBLIST", {"NAME", "LOCATION"});
    for (const Site& site : sites) {
        list.add({site.name, site.location});
        addHrLinks(content.global, site);
    }
    addGlobalHr(content.global);
    // Every key handed out lies below the counter.
    content.global.table("SYSNO", {"IUNIQUE", "STAFFNO"}).add({keys.following(), nextStaffNumber(sites)});
    return content;
}

void writeAttachments(const fs::path& home, const DemoContent& content)
{
    for (const DatabaseContent& site : content.siteRows) {
        if (!site.hasTable("FILES"))
            continue;
        for (const db::Params& row : site.table("FILES").rows()) {
            const std::string name = row[0].asString();
            writeFile(home / kGlobalSystemDirectory / "Attach" / name,
                      fmt::format("Contract of employment of staff number {}.\n", row[3].asString()));
        }
    }
}

/// Logins that work on one site only are kept out of the other ones.
std::vector<std::pair<std::string, std::string>> deniedDatabases(const std::vector<Site>& sites)
{
    std::vector<std::pair<std::string, std::string>> denied;
    for (const Login& login : demoLogins()) {
        const bool everySite = login.role == Role::Administrator || login.role == Role::HumanResources ||
                               login.role == Role::TimeKeeper;
        for (const Site& site : sites) {
            if (!everySite && site.name != login.database)
                denied.emplace_back(login.staffNo + login.login, site.name);
        }
    }
    return denied;
}

} // namespace

BuildResult buildDemo(const DemoOptions& options)
{
    if (options.employees < kMinimumEmployees || options.employees > kMaximumEmployees)
        throw std::invalid_argument(
            fmt::format("--employees must be between {} and {}", kMinimumEmployees, kMaximumEmployees));
    if (holdsInstallation(options.home))
        throw std::runtime_error(options.home.string() + " already holds an installation");
    const DemoCalendar calendar(options.today);
    const DemoContent content = makeContent(options, calendar);

    createFolders(options.home);
    std::vector<PlannedDatabase> databases = {
        {std::string(kGlobalDatabase), DatabaseKind::Global, {&content.global, &content.globalSet}},
        {std::string(kCentralDatabase), DatabaseKind::Central, {&content.central}},
        {std::string(kWebDatabase), DatabaseKind::Web, {&content.web}},
        {std::string(kGlobalWorkDatabase), DatabaseKind::GlobalWork, {&content.work, &content.globalSet}},
        {std::string(kListDatabase), DatabaseKind::LocalList, {&content.list}},
    };
    IniPlan plan;
    plan.demo = true;
    plan.today = options.today;
    plan.deniedDatabases = deniedDatabases(content.sites);
    for (std::size_t i = 0; i < content.sites.size(); ++i) {
        const Site& site = content.sites[i];
        databases.push_back({site.location, DatabaseKind::Employee, {&content.siteRows[i]}});
        plan.databases.push_back({site.name, site.location});
    }
    BuildResult result;
    result.rows = createDatabases(options.home, databases);
    result.databases = static_cast<int>(databases.size());
    writeIniFiles(options.home, plan);
    writeAttachments(options.home, content);
    result.logins.assign(demoLogins().begin(), demoLogins().end());
    return result;
}

} // namespace zorv::admin
