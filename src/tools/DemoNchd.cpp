#include "tools/DemoNchd.h"

#include "tools/RowValues.h"

#include <array>
#include <fmt/format.h>
#include <optional>

namespace zorv::admin {

namespace {

constexpr int kHoursPerDay = 24;
constexpr int kRotaLength = 5; // on call one day in five
constexpr int kClaimMonths = 3;
constexpr int kApprovedMonths = 2;
constexpr int kDayStart = 8;
constexpr int kDayEnd = 17;
constexpr int kNightEnd = 8;
constexpr double kLeaveHours = 8;
constexpr std::string_view kRota = "1 in 5";
constexpr std::string_view kFractions[] = {"¼O", "½O", "¾O"};
constexpr double kFractionHours[] = {0.25, 0.5, 0.75};

struct Month {
    int year;
    int month;

    Date first() const { return Date{year, month, 1}; }
    Date last() const { return (month == 12 ? Date{year + 1, 1, 1} : Date{year, month + 1, 1}).addDays(-1); }
    Month next() const { return month == 12 ? Month{year + 1, 1} : Month{year, month + 1}; }
    std::string code() const { return fmt::format("{:02}{}", month, year); }
};

Month monthsBefore(const Date& date, int count)
{
    Month m{date.year, date.month};
    for (int i = 0; i < count; ++i)
        m = m.month == 1 ? Month{m.year - 1, 12} : Month{m.year, m.month - 1};
    return m;
}

/// One claim day: the code of each hour and the hours claimed.
struct ClaimDay {
    std::array<std::string, kHoursPerDay> codes;
    double worked = 0;
    double onCall = 0;
    double leave = 0;
    int callIns = 0;
};

class ClaimMaker {
public:
    ClaimMaker(const DemoCalendar& calendar, Random& random, int rotaOffset)
        : calendar_(calendar), random_(random), rotaOffset_(rotaOffset)
    {
    }

    ClaimDay day(const Date& date, bool onLeave, bool firstWorkingDayOfMonth)
    {
        ClaimDay claim;
        if (isOnCall(date.addDays(-1)))
            mark(claim, 0, kNightEnd, kOnCallHour, claim.onCall);
        if (onLeave) {
            claim.leave = kLeaveHours;
            return claim;
        }
        int eveningFrom = kDayStart;
        if (calendar_.isWorkingDay(date)) {
            mark(claim, kDayStart, kDayEnd, kBasicHour, claim.worked);
            eveningFrom = kDayEnd + overtime(claim, firstWorkingDayOfMonth || random_.chance(25),
                                             firstWorkingDayOfMonth);
        }
        if (isOnCall(date)) {
            mark(claim, eveningFrom, kHoursPerDay, kOnCallHour, claim.onCall);
            claim.callIns = random_.below(3);
        }
        return claim;
    }

private:
    bool isOnCall(const Date& date) const { return (date.dayNumber() + rotaOffset_) % kRotaLength == 0; }

    static void mark(ClaimDay& claim, int from, int to, std::string_view code, double& hours)
    {
        for (int hour = from; hour < to; ++hour) {
            claim.codes[static_cast<std::size_t>(hour)] = std::string(code);
            hours += 1;
        }
    }

    /// Overtime after the rostered day: a whole hour and a part of the next;
    /// returns the hours it takes.
    int overtime(ClaimDay& claim, bool works, bool half)
    {
        if (!works)
            return 0;
        claim.codes[kDayEnd] = std::string(kOvertimeHour);
        const std::size_t part = half ? 1 : static_cast<std::size_t>(random_.below(3));
        claim.codes[kDayEnd + 1] = std::string(kFractions[part]);
        claim.worked += 1 + kFractionHours[part];
        return 2;
    }

    const DemoCalendar& calendar_;
    Random& random_;
    int rotaOffset_;
};

bool onLeave(const std::vector<AbsenceSpan>& absences, const Date& date)
{
    for (const AbsenceSpan& span : absences) {
        if (span.covers(date))
            return true;
    }
    return false;
}

void addPost(DatabaseContent& web, KeySource& keys, const Employee& doctor)
{
    web.table("NCHDROSTERED", {"GROUPNAME", "IKEY", "ATITLE", "ASURNAME", "AFORENAME", "ASPEC", "IBASIC", "IOT",
                               "IONCALL", "ISTAND", "APOSTNUMBER", "ARATIO"})
        .add({doctor.department, keys.next(), "Dr", doctor.surname, doctor.forenames,
              doctor.department == "Surgery" ? "General Surgery" : "General Medicine", 156, 40, 60, 0, doctor.post,
              std::string(kRota)});
}

void addClaimMonth(DatabaseContent& web, KeySource& keys, ClaimMaker& maker, const Employee& doctor,
                   const std::vector<AbsenceSpan>& absences, const Month& month, const Date& lastDay, int age,
                   const DemoCalendar& calendar)
{
    auto& days = web.table("NCHDHRS", {"STAFFNO", "IKEY", "DDATE", "A0",  "A1",  "A2",  "A3",  "A4",  "A5",
                                       "A6",      "A7",   "A8",    "A9",  "A10", "A11", "A12", "A13", "A14",
                                       "A15",     "A16",  "A17",   "A18", "A19", "A20", "A21", "A22", "A23",
                                       "IHOURS",  "IONCALL", "ITOTAL", "IUR", "IAL", "IANNUAL", "ISL", "IAD",
                                       "ICALLIN"});
    bool firstWorkingDay = true;
    for (Date date = month.first(); date <= lastDay; date = date.addDays(1)) {
        const bool leave = onLeave(absences, date);
        const bool working = calendar.isWorkingDay(date) && !leave;
        const ClaimDay claim = maker.day(date, leave, working && firstWorkingDay);
        firstWorkingDay = firstWorkingDay && !working;
        db::Params row = {doctor.staffNo, keys.next(), dateValue(date)};
        for (const std::string& code : claim.codes)
            row.push_back(code.empty() ? db::Value() : db::Value(code));
        row.insert(row.end(), {money(claim.worked), money(claim.onCall), money(claim.worked + claim.onCall),
                               money(0), money(claim.leave), money(0), money(0), money(0), money(claim.callIns)});
        days.add(std::move(row));
    }

    const bool submitted = age > 0;
    const bool approved = age > kClaimMonths - kApprovedMonths;
    const Date submittedOn = month.next().first().addDays(1);
    db::Params header = {doctor.staffNo, keys.next(), submitted ? dateValue(submittedOn) : db::Value(), month.code(),
                         truth(approved), approved ? "consultant" : "",
                         approved ? dateValue(submittedOn.addDays(3)) : db::Value()};
    for (int week = 1; week <= 5; ++week)
        header.push_back(week == 1 && submitted ? db::Value("Ward round overran on the first day") : db::Value());
    for (int question = 0; question < 6; ++question)
        header.push_back("FALSE");
    header.insert(header.end(), {nullptr, nullptr, nullptr, nullptr,
                                 approved ? db::Value("Approved: hours match the rota") : db::Value()});
    web.table("NCHDSUB", {"STAFFNO", "IKEY", "DSUBMIT", "AMONTHYEAR", "LAPPROVED", "AAPPBY", "AAPPON", "MWEEK1",
                          "MWEEK2", "MWEEK3", "MWEEK4", "MWEEK5", "LQUESA", "LQUESB", "LQUESC", "LQUESD", "LQUESTE",
                          "LQUESTF", "DEFROM", "DETO", "DFFROM", "DFTO", "MAPPROVE"})
        .add(std::move(header));
    web.table("NCHDROTA", {"STAFFNO", "IKEY", "AMONTHYEAR", "AROTA"})
        .add({doctor.staffNo, keys.next(), month.code(), std::string(kRota)});
    if (approved) {
        const bool fiveWeeks = (month.last().dayNumber() - mondayOf(month.first()).dayNumber()) >= 35;
        web.table("NCHDWORK", {"STAFFNO", "IKEY", "DDATE", "L5WEEK"})
            .add({doctor.staffNo, keys.next(), dateValue(month.first()), truth(fiveWeeks)});
    }
}

} // namespace

void addDoctorClaims(const Site& site, const std::map<std::string, std::vector<AbsenceSpan>>& absences,
                     const DemoCalendar& calendar, Random& random, KeySource& keys, DatabaseContent& web)
{
    const Date yesterday = calendar.today().addDays(-1);
    int rotaOffset = 0;
    for (const Employee& doctor : site.staff) {
        if (!doctor.doctor || !doctor.isCurrent())
            continue;
        addPost(web, keys, doctor);
        ClaimMaker maker(calendar, random, rotaOffset++);
        const std::vector<AbsenceSpan>& leave = absences.at(doctor.staffNo);
        for (int age = kClaimMonths; age >= 0; --age) {
            const Month month = monthsBefore(calendar.today(), age);
            const Date last = age == 0 ? yesterday : month.last();
            if (last < month.first() || month.last() < doctor.joined)
                continue;
            addClaimMonth(web, keys, maker, doctor, leave, month, last, age, calendar);
        }
    }
}

} // namespace zorv::admin
