#include "tools/DemoRecords.h"

#include "tools/InstallLayout.h"
#include "tools/RowValues.h"

#include <fmt/format.h>
#include <functional>

namespace zorv::admin {

namespace {

struct Group {
    std::string_view name;
    std::string_view type;
    std::function<bool(const Employee&)> member;
};

std::vector<Group> groupsOf(const Site& site)
{
    if (site.name == "Hospital")
        return {
            {"Nursing team", "Team", [](const Employee& e) { return e.department == "Nursing"; }},
            {"Doctors", "Team", [](const Employee& e) { return e.contractType == "Medical / Dental"; }},
            {"Corporate", "Division", [](const Employee& e) { return e.division == "Corporate"; }},
        };
    return {
        {"Outdoor staff", "Team", [](const Employee& e) { return e.grade == "General Operative"; }},
        {"Civic offices", "Team", [](const Employee& e) { return e.grade != "General Operative"; }},
    };
}

void addGroups(RecordContext& c, const Site& site)
{
    auto& names = c.db.table("GRPNAMES", {"GROUPNAME", "ATYPE"});
    auto& members = c.db.table("GROUPS", {"GROUPNAME", "STAFFNO"});
    for (const Group& group : groupsOf(site)) {
        names.add({std::string(group.name), std::string(group.type)});
        for (const Employee& e : site.staff) {
            if (e.isCurrent() && group.member(e))
                members.add({std::string(group.name), e.staffNo});
        }
    }
}

void addSupervision(RecordContext& c, const Site& site)
{
    auto& supervision = c.db.table("TEMPSUB", {"STAFFNO", "IKEY", "ASUBSTAFFNO"});
    for (const Employee& e : site.staff) {
        if (e.isCurrent() && !e.manager.empty())
            supervision.add({e.manager, c.keys.next(), e.staffNo});
    }
}

std::string lookupLogin(const std::map<std::string, std::string>& loginOf, const std::string& staffNo)
{
    const auto login = loginOf.find(staffNo);
    return login == loginOf.end() ? std::string() : login->second;
}

} // namespace

void addSiteRecords(RecordContext& c, const Site& site, const std::map<std::string, std::string>& loginOf)
{
    addGroups(c, site);
    addSupervision(c, site);
    auto& settings = c.db.table("TWEEKTPL", {"STAFFNO", "ATEMPLATE", "LLASTWEEK", "LALLOW", "LCLOCK", "AOVERTIME",
                                             "ALOGIN"});
    auto& board = c.db.table("TEMPIN", {"STAFFNO", "IKEY", "ANAME", "AIN", "ALOCATION", "AFIRSTIN"});
    auto& files = c.db.table("FILES", {"FILENAME", "FILETYPE", "ACOMMENT", "STAFFNO", "IKEY", "AFILE", "APATH",
                                       "AQRYNAME"});
    const Date lastDay = c.calendar.today().addDays(-1);
    for (const Employee& e : site.staff) {
        const std::string login = lookupLogin(loginOf, e.staffNo);
        settings.add({e.staffNo, e.cycle, "FALSE", "FALSE", truth(e.clocks), e.overtime, login});
        if (!e.isCurrent())
            continue;
        board.add({e.staffNo, 1, e.fullName(),
                   fmt::format("{} {:02}:{:02}", lastDay.format(), 16 + c.random.below(3), c.random.below(60)), "OUT",
                   nullptr});
        if (!login.empty())
            files.add({attachmentName(e.staffNo), "txt", "Contract of employment", e.staffNo, c.keys.next(),
                       attachmentName(e.staffNo), std::string(kGlobalSystemDirectory) + "Attach/", "qryEmpDts"});
    }
}

} // namespace zorv::admin
