#include "tools/DemoRecords.h"

#include "tools/RowValues.h"

#include <algorithm>
#include <fmt/format.h>

namespace zorv::admin {

namespace {

constexpr std::string_view kBanks[] = {"Bank of Kilbarra", "Millbrook Credit Union", "Western Savings Bank"};
constexpr std::string_view kChildren[] = {"Sam", "Ella", "Jack", "Lucy", "Conor", "Molly", "Adam", "Kate"};

struct Skill {
    std::string_view category;
    std::string_view skill;
};
constexpr Skill kSkills[] = {
    {"Language", "French"},   {"Language", "Irish"},         {"Language", "Polish"},
    {"IT", "Spreadsheets"},   {"IT", "Databases"},           {"Driving", "Full driving licence"},
    {"Safety", "First aid"},  {"Safety", "Fire warden"},     {"Clinical", "Phlebotomy"},
};

struct Qualification {
    std::string_view text;
    int yearsBeforeJoining;
};
constexpr Qualification kQualifications[] = {
    {"Leaving Certificate", 6},
    {"Bachelor's degree", 2},
    {"Higher Diploma", 1},
    {"Master's degree", 0},
};

constexpr int kTrainingValidYears = 3;

bool isClinical(const Employee& e) { return e.division == "Clinical"; }

void addFamily(RecordContext& c, const Employee& e)
{
    auto& family = c.db.table("FAMILY", {"STAFFNO", "IKEY", "ANAME"});
    if (e.maritalStatus == "Married" || e.maritalStatus == "Civil Partnership")
        family.add({e.staffNo, c.keys.next(), fmt::format("Partner of {}", e.forenames)});
    const int children = c.random.below(3);
    for (int i = 0; i < children; ++i)
        family.add({e.staffNo, c.keys.next(), fmt::format("{} {}", c.random.pick<std::string_view>(kChildren),
                                                          e.surname)});
}

void addEmergencyContacts(RecordContext& c, const Employee& e)
{
    auto& contacts = c.db.table("EMERGENC", {"STAFFNO", "IKEY", "IPRIORITY"});
    const int count = c.random.between(1, 2);
    for (int priority = 1; priority <= count; ++priority)
        contacts.add({e.staffNo, c.keys.next(), priority});
}

void addSkills(RecordContext& c, const Employee& e)
{
    auto& skills = c.db.table("SKILLS", {"STAFFNO", "IKEY", "CATEGORY", "SKILL"});
    const int count = c.random.below(4);
    for (int i = 0; i < count; ++i) {
        const Skill& skill = c.random.pick<Skill>(kSkills);
        skills.add({e.staffNo, c.keys.next(), std::string(skill.category), std::string(skill.skill)});
    }
}

void addHistory(RecordContext& c, const Employee& e)
{
    auto& employment = c.db.table("EMPLOY", {"STAFFNO", "IKEY", "DFROM", "DTO", "JOBTITLE", "EXPERIENCE", "ACOMPANY"});
    if (c.random.chance(60)) {
        const Date to = e.joined.addDays(-c.random.between(14, 120));
        employment.add({e.staffNo, c.keys.next(), dateValue(to.addDays(-365 * c.random.between(1, 6))),
                        dateValue(to), e.jobTitle, e.department, "Previous employer"});
    }
    auto& education = c.db.table("EDESTAB", {"STAFFNO", "IESTABNO", "DFROM", "MNOTES"});
    const int count = c.random.between(1, 2);
    for (int i = 0; i < count; ++i) {
        const Qualification& q = kQualifications[static_cast<std::size_t>(i + (isClinical(e) ? 1 : 0))];
        education.add({e.staffNo, c.keys.next(), dateValue(Date{e.joined.year - q.yearsBeforeJoining - 3, 9, 1}),
                       std::string(q.text)});
    }
}

void addTraining(RecordContext& c, const Employee& e)
{
    auto& training = c.db.table("TRAINING", {"STAFFNO", "IKEY", "DDATE", "EXPIRYDATE", "SDAY", "DAYNAME", "SMONTH",
                                             "SYEAR"});
    const int count = c.random.below(4);
    for (int i = 0; i < count; ++i) {
        Date date = c.calendar.today().addDays(-c.random.between(30, 1000));
        date = std::max(date, e.joined);
        db::Params row = {e.staffNo, c.keys.next(), dateValue(date),
                          dateValue(Date{date.year + kTrainingValidYears, date.month, std::min(date.day, 28)})};
        const db::Params parts = dateParts(date);
        row.insert(row.end(), parts.begin(), parts.end());
        training.add(std::move(row));
    }
}

void addOccasionalRecords(RecordContext& c, const Employee& e)
{
    const Date today = c.calendar.today();
    if (c.random.chance(25))
        c.db.table("NOTES", {"STAFFNO", "IKEY", "DDATE"})
            .add({e.staffNo, c.keys.next(), dateValue(today.addDays(-c.random.between(5, 300)))});
    if (c.random.chance(20))
        c.db.table("CORRESP", {"STAFFNO", "IKEY", "DDATE"})
            .add({e.staffNo, c.keys.next(), dateValue(std::max(e.joined, today.addDays(-c.random.between(5, 500))))});
    if (isClinical(e))
        c.db.table("PROMEM", {"STAFFNO", "IKEY", "DJOINED"})
            .add({e.staffNo, c.keys.next(), dateValue(e.joined.addDays(-c.random.between(100, 2000)))});
    if (c.random.chance(10)) {
        const Date from = std::max(e.joined, Date{today.year - 1, c.random.between(1, 12), 1});
        db::Params row = {e.staffNo, c.keys.next(), dateValue(from), nullptr};
        const db::Params parts = dateParts(from);
        row.insert(row.end(), parts.begin(), parts.end());
        c.db.table("BENEFIT", {"STAFFNO", "IKEY", "DFROM", "DTO", "SDAY", "DAYNAME", "SMONTH", "SYEAR"})
            .add(std::move(row));
    }
    if (c.random.chance(3)) {
        const Date when = std::max(e.joined, today.addDays(-c.random.between(10, 600)));
        db::Params row = {e.staffNo, c.keys.next(), dateValue(when), timeValue(c.random.between(8 * 60, 17 * 60))};
        const db::Params parts = dateParts(when);
        row.insert(row.end(), parts.begin(), parts.end());
        c.db.table("ACCIDENT", {"STAFFNO", "IKEY", "DATEOFACCIDENT", "TIMEOFACCIDENT", "SDAY", "DAYNAME", "SMONTH",
                                "SYEAR"})
            .add(std::move(row));
    }
    if (e.left)
        c.db.table("EXITINT", {"STAFFNO", "IKEY", "DDATE", "SYEAR"})
            .add({e.staffNo, c.keys.next(), dateValue(*e.left), e.left->year});
}

} // namespace

std::string attachmentName(std::string_view staffNo) { return fmt::format("{}-contract.txt", staffNo); }

void addPersonalRecords(RecordContext& c, const Employee& e)
{
    addFamily(c, e);
    addEmergencyContacts(c, e);
    c.db.table("BANK", {"STAFFNO", "IKEY", "ANAME"})
        .add({e.staffNo, c.keys.next(), std::string(c.random.pick<std::string_view>(kBanks))});
    addSkills(c, e);
    addHistory(c, e);
    addTraining(c, e);
    addOccasionalRecords(c, e);
}

} // namespace zorv::admin
