#include "tools/DemoStaff.h"

#include "common/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fmt/format.h>
#include <stdexcept>

namespace zorv::admin {

namespace {

constexpr Grade kGrades[] = {
    {"Clerical Officer", 22, 37.5, 27500, 950, 10},    {"Administrative Officer", 25, 35, 41000, 1400, 8},
    {"Staff Nurse", 24, 37.5, 33000, 1250, 12},        {"Clinical Nurse Manager", 26, 37.5, 52000, 1500, 8},
    {"Radiographer", 24, 37.5, 38000, 1300, 10},       {"Pharmacist", 25, 37.5, 47000, 1600, 10},
    {"General Operative", 21, 39, 29000, 700, 8},      {"Engineer", 25, 35, 52000, 1800, 8},
    {"Senior House Officer", 22, 39, 46000, 1900, 6},  {"Registrar", 22, 39, 58000, 2200, 6},
    {"Consultant", 30, 39, 150000, 5000, 8},           {"Manager", 28, 37.5, 68000, 2000, 8},
};

constexpr std::string_view kFemaleNames[] = {
    "Aoife", "Brid", "Claire", "Deirdre", "Emma", "Fiona", "Grace", "Helen", "Isabel", "Julia",
    "Karen", "Laura", "Maeve", "Niamh", "Orla", "Paula", "Rachel", "Sarah", "Tara", "Una",
    "Vera", "Sinead", "Anne", "Ciara", "Eileen",
};
constexpr std::string_view kMaleNames[] = {
    "Aidan", "Brian", "Cathal", "Declan", "Eoin", "Fergal", "Gerard", "Hugh", "Ian", "James",
    "Kevin", "Liam", "Martin", "Niall", "Owen", "Patrick", "Ronan", "Sean", "Thomas", "Vincent",
    "William", "Colm", "David", "Frank", "Peter",
};
constexpr std::string_view kSurnames[] = {
    "Ahern",   "Boyle",   "Brennan", "Burke",    "Byrne",   "Carroll", "Clarke",  "Collins", "Connolly",
    "Daly",    "Doherty", "Doyle",   "Duffy",    "Dunne",   "Farrell", "Fitzgerald", "Flynn", "Gallagher",
    "Healy",   "Hughes",  "Kavanagh", "Keane",   "Kelly",   "Kennedy", "Lynch",   "Maguire", "Moran",
    "Murphy",  "Murray",  "Nolan",   "O'Brien",  "O'Connor", "Power",  "Quinn",   "Regan",   "Ryan",
    "Sheehan", "Smith",   "Sweeney", "Walsh",    "Whelan",  "Young",
};
constexpr std::string_view kMaritalStatuses[] = {"Single", "Married", "Married", "Civil Partnership", "Separated"};
constexpr std::string_view kStreets[] = {"Church Road", "Main Street", "Riverside Avenue", "Station Road",
                                         "Meadow Lane", "Hillview Drive", "Oak Park", "Harbour Row"};
constexpr std::string_view kTowns[] = {"Kilbarra", "Ashford", "Millbrook", "Carrowmore", "Glenview", "Ballyduff"};

const std::vector<Department>& hospitalDepartments()
{
    static const std::vector<Department> departments = {
        {"Nursing", "Clinical", "Staff Nurse", {"Staff Nurse", "Senior Staff Nurse", "Healthcare Assistant"}, 30,
         "Shift rota", 2},
        {"Surgery", "Clinical", "Staff Nurse", {"Theatre Nurse", "Theatre Assistant"}, 10, "Shift rota", 3},
        {"Radiology", "Clinical", "Radiographer", {"Radiographer", "Senior Radiographer"}, 6, "Std cycle", 4},
        {"Pharmacy", "Clinical", "Pharmacist", {"Pharmacist", "Pharmacy Technician"}, 4, "Std cycle", 4},
        {"Catering", "Support", "General Operative", {"Chef", "Catering Assistant"}, 8, "39 hour cycle", 1},
        {"Facilities", "Support", "General Operative", {"Porter", "Maintenance Technician", "Cleaner"}, 10,
         "39 hour cycle", 1},
        {"Finance", "Corporate", "Clerical Officer", {"Accounts Clerk", "Payroll Officer"}, 5, "Std cycle", 1},
        {"Human Resources", "Corporate", "Clerical Officer", {"HR Officer", "HR Assistant"}, 4, "Std cycle", 1},
        {"Administration", "Corporate", "Clerical Officer", {"Medical Secretary", "Receptionist", "Clerical Officer"},
         10, "Std cycle", 4},
    };
    return departments;
}

const std::vector<Department>& councilDepartments()
{
    static const std::vector<Department> departments = {
        {"Housing", "Community", "Administrative Officer", {"Housing Officer", "Tenancy Officer"}, 6, "Flexi cycle",
         6},
        {"Planning", "Operations", "Administrative Officer", {"Planner", "Planning Technician"}, 5, "Flexi cycle", 6},
        {"Libraries", "Community", "Clerical Officer", {"Librarian", "Library Assistant"}, 6, "Flexi cycle", 6},
        {"Roads", "Operations", "General Operative", {"Road Worker", "Ganger", "Machine Operator"}, 12,
         "39 hour cycle", 5},
        {"Parks", "Operations", "General Operative", {"Gardener", "Park Ranger"}, 6, "39 hour cycle", 5},
        {"Finance", "Corporate", "Clerical Officer", {"Accountant", "Rates Clerk"}, 5, "Flexi cycle", 6},
        {"Human Resources", "Corporate", "Administrative Officer", {"HR Officer"}, 3, "Flexi cycle", 6},
        {"Customer Services", "Community", "Clerical Officer", {"Customer Service Officer"}, 7, "Flexi cycle", 6},
        {"Engineering", "Operations", "Engineer", {"Executive Engineer", "Assistant Engineer"}, 4, "Flexi cycle", 6},
    };
    return departments;
}

constexpr std::string_view kHospitalLocations[] = {"Main Hospital", "Riverside Clinic", "Day Care Unit"};
constexpr std::string_view kCouncilLocations[] = {"Civic Offices", "Northside Depot", "Central Library"};

const Department& departmentNamed(const std::vector<Department>& departments, std::string_view name)
{
    for (const Department& department : departments) {
        if (department.name == name)
            return department;
    }
    throw std::out_of_range("no department " + std::string(name));
}

const Department& weightedDepartment(const std::vector<Department>& departments, Random& random)
{
    int total = 0;
    for (const Department& department : departments)
        total += department.weight;
    int pick = random.below(total);
    for (const Department& department : departments) {
        if (pick < department.weight)
            return department;
        pick -= department.weight;
    }
    return departments.back();
}

/// What the fixed people of a site are; the rest is drawn.
struct Role {
    std::string_view department;
    std::string_view jobTitle;
    std::string_view grade;
    int serviceYears;
    int age;
};

/// The people behind the demo logins, staff numbers 1001 … 1007 in order.
constexpr Role kHospitalCast[] = {
    {"Human Resources", "HR Manager", "Manager", 15, 48},
    {"Nursing", "Clinical Nurse Manager", "Clinical Nurse Manager", 12, 44},
    {"Human Resources", "HR Officer", "Administrative Officer", 6, 35},
    {"Finance", "Payroll Officer", "Clerical Officer", 9, 41},
    {"Nursing", "Staff Nurse", "Staff Nurse", 4, 29},
    {"Medicine", "Consultant Physician", "Consultant", 10, 52},
    {"Medicine", "Registrar", "Registrar", 1, 31},
};
constexpr int kHospitalFirstStaffNo = 1001;
constexpr int kCouncilFirstStaffNo = 5001;
constexpr int kConsultantIndex = 5;
constexpr int kCastDoctorIndex = 6;
constexpr int kCastClockers[] = {1, 3, 4};
constexpr int kGeneratedClockers = 3;
constexpr int kCouncilClockers = 3;
constexpr int kLeaverPercent = 3;
constexpr int kPartTimePercent = 12;

std::string lowerAscii(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

Date randomDateInYear(int year, Random& random)
{
    return Date{year, 1, 1}.addDays(random.below(365));
}

class StaffMaker {
public:
    StaffMaker(const DemoCalendar& calendar, Random& random, std::string_view domain)
        : calendar_(calendar), random_(random), domain_(domain)
    {
    }

    Employee person(int staffNo, int age)
    {
        Employee e;
        e.staffNo = std::to_string(staffNo);
        const bool female = random_.chance(55);
        e.gender = female ? "Female" : "Male";
        e.forenames = std::string(female ? random_.pick<std::string_view>(kFemaleNames)
                                         : random_.pick<std::string_view>(kMaleNames));
        e.surname = std::string(random_.pick<std::string_view>(kSurnames));
        e.title = female ? (random_.chance(50) ? "Ms" : "Mrs") : "Mr";
        e.maritalStatus = std::string(random_.pick<std::string_view>(kMaritalStatuses));
        e.birth = randomDateInYear(calendar_.year() - age - 1, random_);
        e.address = fmt::format("{} {}", random_.between(1, 120), random_.pick<std::string_view>(kStreets));
        e.town = std::string(random_.pick<std::string_view>(kTowns));
        e.phone = fmt::format("0{} {:07}", random_.between(21, 99), random_.below(10000000));
        e.email = fmt::format("{}.{}.{}@{}", lowerAscii(e.forenames), lowerAscii(e.surname), e.staffNo, domain_);
        return e;
    }

    void place(Employee& e, const Department& department, std::string_view jobTitle, std::string_view grade,
               std::string_view location)
    {
        e.department = std::string(department.name);
        e.division = std::string(department.division);
        e.jobTitle = std::string(jobTitle);
        e.grade = std::string(grade);
        e.cycle = std::string(department.cycle);
        e.area = department.area;
        e.location = std::string(location);
        if (e.cycle == "Flexi cycle")
            e.overtime = "Flexi";
    }

    void employ(Employee& e, int serviceYears)
    {
        e.joined = randomDateInYear(calendar_.year() - serviceYears, random_);
        if (e.joined > calendar_.today())
            e.joined = calendar_.today().addDays(-random_.between(30, 200));
        const Grade& grade = demoGrade(e.grade);
        e.weeklyHours = grade.weeklyHours * e.wte;
        e.point = std::min(grade.points, 1 + serviceYears / 2);
        const double annual = (grade.firstPoint + grade.step * (e.point - 1)) * e.wte;
        if (grade.name == "General Operative") {
            e.payBasis = "Hourly";
            e.payPeriod = "Weekly";
            e.pay = std::round(annual / (grade.weeklyHours * e.wte * 52) * 100) / 100;
        } else {
            e.pay = std::round(annual);
        }
        const int years = DemoCalendar::yearsBetween(e.joined, calendar_.yearStart());
        const double days = e.leaveScheme == 1 ? (years >= 10 ? 25 : years >= 5 ? 22 : 20) : grade.leaveDays;
        e.leaveAllowance = std::round(days * e.wte * 2) / 2;
        e.leaveCarried = random_.below(6);
    }

    Random& random() { return random_; }
    const DemoCalendar& calendar() const { return calendar_; }

private:
    const DemoCalendar& calendar_;
    Random& random_;
    std::string_view domain_;
};

void makeDoctor(StaffMaker& maker, Employee& e, int postNumber)
{
    const DemoCalendar& calendar = maker.calendar();
    e.title = "Dr";
    e.contractType = "Medical / Dental";
    e.post = fmt::format("P-{:03}", postNumber);
    e.doctor = true;
    e.leaveScheme = 2;
    e.manager = "1006";
    // Doctors rotate every six months: the post runs to the next 30 June or 31 December.
    const Date today = calendar.today();
    e.contractEnd = today.month <= 6 ? Date{today.year, 6, 30} : Date{today.year, 12, 31};
}

void assignManagers(Site& site)
{
    std::vector<std::pair<std::string, std::string>> heads; // department → first member
    for (Employee& e : site.staff) {
        if (!e.manager.empty())
            continue;
        auto head = std::find_if(heads.begin(), heads.end(), [&](const auto& h) { return h.first == e.department; });
        if (head == heads.end()) {
            heads.emplace_back(e.department, e.staffNo);
            e.manager = site.staff.front().staffNo == e.staffNo ? "" : site.staff.front().staffNo;
            continue;
        }
        e.manager = head->second;
    }
}

bool canLeave(const Employee& e) { return !e.doctor && !e.clocks && !e.timesheet; }

void maybeLeave(StaffMaker& maker, Employee& e)
{
    if (!canLeave(e) || !maker.random().chance(kLeaverPercent))
        return;
    const Date left = maker.calendar().today().addDays(-maker.random().between(20, 300));
    if (left > e.joined)
        e.left = left;
}

} // namespace

std::span<const Grade> demoGrades() { return kGrades; }

const Grade& demoGrade(std::string_view name)
{
    for (const Grade& grade : kGrades) {
        if (grade.name == name)
            return grade;
    }
    throw std::out_of_range("no grade " + std::string(name));
}

const Employee& Site::employee(std::string_view staffNo) const
{
    for (const Employee& e : staff) {
        if (e.staffNo == staffNo)
            return e;
    }
    throw std::out_of_range(name + " has no employee " + std::string(staffNo));
}

Site makeHospital(int count, const DemoCalendar& calendar, Random& random)
{
    if (count < kMinimumEmployees)
        throw std::invalid_argument(fmt::format("the hospital needs at least {} employees", kMinimumEmployees));
    Site site{"Hospital", "data/hospital.fdb", {}};
    StaffMaker maker(calendar, random, "hospital.example");
    const auto& departments = hospitalDepartments();
    static const Department kMedicine{"Medicine", "Clinical", "Registrar", {"Registrar"}, 0, "39 hour cycle", 4};
    static const Department kSurgeons{"Surgery", "Clinical", "Registrar", {"Registrar"}, 0, "39 hour cycle", 3};

    for (int i = 0; i < static_cast<int>(std::size(kHospitalCast)); ++i) {
        const Role& role = kHospitalCast[i];
        Employee e = maker.person(kHospitalFirstStaffNo + i, role.age);
        const Department& department =
            role.department == "Medicine" ? kMedicine : departmentNamed(departments, role.department);
        maker.place(e, department, role.jobTitle, role.grade, kHospitalLocations[0]);
        if (i == kConsultantIndex) {
            e.title = "Dr";
            e.contractType = "Medical / Dental";
        }
        if (i == kCastDoctorIndex)
            makeDoctor(maker, e, 1);
        e.clocks = std::find(std::begin(kCastClockers), std::end(kCastClockers), i) != std::end(kCastClockers);
        maker.employ(e, role.serviceYears);
        site.staff.push_back(std::move(e));
    }
    site.staff[0].manager = "";
    site.staff[1].manager = "1001";
    site.staff[2].manager = "1001";
    site.staff[3].manager = "1001";
    site.staff[4].manager = "1002";
    site.staff[5].manager = "1001";

    const int doctors = std::max(3, count / 25);
    int clockers = 0;
    for (int staffNo = kHospitalFirstStaffNo + static_cast<int>(site.staff.size());
         staffNo < kHospitalFirstStaffNo + count; ++staffNo) {
        const int index = staffNo - kHospitalFirstStaffNo;
        const bool doctor = index < kCastDoctorIndex + doctors;
        const bool registrar = doctor && random.chance(40);
        Employee e = maker.person(staffNo, doctor ? random.between(25, 38) : random.between(21, 63));
        if (doctor) {
            const Department& department = random.chance(60) ? kMedicine : kSurgeons;
            maker.place(e, department, registrar ? "Registrar" : "Senior House Officer",
                        registrar ? "Registrar" : "Senior House Officer", kHospitalLocations[0]);
            makeDoctor(maker, e, index - kCastDoctorIndex + 1);
            maker.employ(e, random.between(0, 1));
        } else {
            const Department& department = weightedDepartment(departments, random);
            maker.place(e, department, random.pick<std::string_view>(department.jobTitles), department.grade,
                        random.pick<std::string_view>(kHospitalLocations));
            if (department.name == "Nursing" || department.name == "Surgery")
                e.manager = "1002";
            e.wte = random.chance(kPartTimePercent) ? 0.5 : 1.0;
            e.clocks = clockers < kGeneratedClockers && e.wte == 1.0;
            clockers += e.clocks ? 1 : 0;
            maker.employ(e, random.between(0, std::min(30, calendar.year() - e.birth.year - 21)));
            maybeLeave(maker, e);
        }
        site.staff.push_back(std::move(e));
    }
    assignManagers(site);
    return site;
}

Site makeCouncil(int count, const DemoCalendar& calendar, Random& random)
{
    Site site{"Council", "data/council.fdb", {}};
    StaffMaker maker(calendar, random, "council.example");
    const auto& departments = councilDepartments();
    // The first four have histories: three on flexible hours, one on weekly timesheets.
    constexpr std::string_view kFirstDepartments[] = {"Housing", "Planning", "Libraries", "Roads"};
    for (int i = 0; i < count; ++i) {
        Employee e = maker.person(kCouncilFirstStaffNo + i, random.between(21, 63));
        const bool fixed = i < static_cast<int>(std::size(kFirstDepartments));
        const Department& department =
            fixed ? departmentNamed(departments, kFirstDepartments[i]) : weightedDepartment(departments, random);
        maker.place(e, department, random.pick<std::string_view>(department.jobTitles), department.grade,
                    random.pick<std::string_view>(kCouncilLocations));
        e.clocks = i < kCouncilClockers;
        e.timesheet = i == kCouncilClockers;
        if (!fixed && random.chance(kPartTimePercent))
            e.wte = 0.6;
        maker.employ(e, random.between(0, std::min(30, calendar.year() - e.birth.year - 21)));
        if (!fixed)
            maybeLeave(maker, e);
        site.staff.push_back(std::move(e));
    }
    assignManagers(site);
    return site;
}

std::vector<std::string_view> demoDepartments()
{
    std::vector<std::string_view> names;
    for (const auto* departments : {&hospitalDepartments(), &councilDepartments()}) {
        for (const Department& department : *departments) {
            if (std::find(names.begin(), names.end(), department.name) == names.end())
                names.push_back(department.name);
        }
    }
    names.push_back("Medicine");
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string_view> demoLocations()
{
    std::vector<std::string_view> names(std::begin(kHospitalLocations), std::end(kHospitalLocations));
    names.insert(names.end(), std::begin(kCouncilLocations), std::end(kCouncilLocations));
    return names;
}

} // namespace zorv::admin
