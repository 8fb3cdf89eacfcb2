#include "tools/InstallIni.h"

#include <fmt/format.h>

namespace zorv::admin {

namespace fs = std::filesystem;

namespace {

struct MailTemplate {
    std::string_view name;
    std::string_view subject;
    std::string_view body;
    bool copyToHr;
};

constexpr MailTemplate kMailTemplates[] = {
    {"HOLIDAYREQUEST", "Leave request", "A member of your team has asked for leave. Please review the request.", false},
    {"HOLIDAYApprove", "Leave approved", "Your leave request has been approved.", false},
    {"HOLIDAYDeny", "Leave not approved", "Your leave request has not been approved. Please see the reason given.",
     false},
    {"HOLIDAYChange", "Leave request changed", "A leave request has been changed.", false},
    {"EmployeeComment", "Comment on a leave request", "An employee has commented on a leave request.", false},
    {"TRAININGREQUEST", "Training request", "A training request has been submitted for review.", true},
    {"TRAININGREQUESTMANAGER", "Training request for approval", "A member of your team has asked for training.",
     false},
    {"qryEmpAbs.Insert", "Absence recorded", "An absence has been recorded.", true},
    {"qryEmpAbs.Edit", "Absence changed", "An absence record has been changed.", true},
    {"qryEmpAbs.delete", "Absence deleted", "An absence record has been deleted.", true},
    {"Master1", "New employee", "A new employee record has been created.", true},
    {"master2", "Employee record changed", "An employee record has been changed.", true},
};

struct Report {
    std::string_view file;
    std::string_view name;
    std::string_view category;
    std::string_view sql;
    std::string_view where;
    std::string_view orderBy;
    std::string_view filterCaption;
    std::string_view filterField;
    std::string_view filterType;
};

constexpr Report kReports[] = {
    {"staff-list.INI", "Staff list", "Employees",
     "select STAFFNO, SURNAME, FORENAMES, DEPARTMENT, JOBTITLE, DATEOFJOIN from MASTER", "upper(ABSCLASS) = 'CURRENT'",
     "SURNAME, FORENAMES", "Department", "DEPARTMENT", "text"},
    {"absences.INI", "Absences", "Absence",
     "select a.STAFFNO, m.SURNAME, m.FORENAMES, a.ACATEGORY, a.STARTDATE, a.ENDDATE, a.DAYSLOST from ABSENCE a "
     "join MASTER m on m.STAFFNO = a.STAFFNO",
     "", "a.STARTDATE", "Start date from", "a.STARTDATE", "DATETIME"},
    {"leave-balances.INI", "Leave balances", "Absence",
     "select STAFFNO, SURNAME, FORENAMES, LEAVECF, LEAVEALLOWANCE, LEAVETAKEN, LEAVEREMAINING from MASTER",
     "upper(ABSCLASS) = 'CURRENT'", "SURNAME, FORENAMES", "Leave remaining at least", "LEAVEREMAINING", "NUMERIC"},
};

void writeProgramFolderFiles(const fs::path& home, const IniPlan& plan)
{
    zorvwebIni(plan).write(home / "zorvweb.ini");
    IniText().section("Debugger").flag("debugger", false).write(home / "zorvwebdebug.ini");
    writeFile(home / "ZorvError.ini", "");
    writeFile(home / "Mailsent.ini", "");
    IniText().section("Aliases").write(home / "aliases.ini");
    IniText().section("Update").flag("Council", false).write(home / "update.ini");

    IniText dbSec;
    for (const auto& [staffLogin, database] : plan.deniedDatabases)
        dbSec.section(staffLogin).flag(database, false);
    dbSec.write(home / "dbSec.ini");

    IniText signOff;
    if (plan.demo) {
        for (int month = 1; month < plan.today.month; ++month)
            signOff.section(fmt::format("Period {}", month)).flag(std::to_string(plan.today.year), true);
    }
    signOff.write(home / "signoff.ini");

    IniText tabOrder;
    tabOrder.section("override");
    for (int tag : {590, 570, 580, 670, 710, 780})
        tabOrder.flag(std::to_string(tag), false);
    tabOrder.write(home / "wTabOrder.ini");

    IniText columns;
    columns.section("qryEmpDts");
    int column = 0;
    for (const char* field : {"StaffNo", "Surname", "Forenames", "Department", "JobTitle"})
        columns.set(std::to_string(column++), field);
    columns.write(home / "customColumn.ini");
}

void writeWindowsFiles(const fs::path& home)
{
    IniText()
        .section("PROGRAM")
        .set("GlobalSystemFile", std::string(kCentralDatabase))
        .set("GlobalSystemDirectory", std::string(kCentralSystemDirectory))
        .write(home / kWindowsDirectory / "ZorvCent.INI");
    IniText().section("Zorvwork").set("DefaultCostCentre", 1).write(home / kWindowsDirectory / "ZorvWork.ini");
}

void writeGlobalFolderFiles(const fs::path& home, const IniPlan& plan)
{
    const fs::path global = home / kGlobalSystemDirectory;
    IniText()
        .section("StaffNo")
        .flag("GenerateStaffNo", plan.demo)
        .set("StaffNoPadding", 4)
        .section("Mingap")
        .set("Minutes", 240)
        .section("General")
        .set("LeaveDateField", "DateOfJoin")
        .set("ServiceDateField", "DateOfJoin")
        .section("Cmphexp")
        .flag("Uselocation", false)
        .set("masterfield", "alocation")
        .write(global / "global.ini");

    IniText payPeriods;
    payPeriods.section("PayPeriods").set("Weekly", "52").set("2Weekly", "26").set("3Weekly", "17").set("4Weekly", "13");
    payPeriods.write(global / "PAYPER.INI");
    payPeriods.write(home / kWorkSystemDirectory / "PAYPER.INI");
}

void writeWorkFolderFiles(const fs::path& home, const IniPlan& plan)
{
    const fs::path work = home / kWorkSystemDirectory;
    IniText()
        .section("Zorvwork")
        .set("template", "Std cycle")
        .set("paycode", "jobtitle")
        .set("Fieldname", "Department")
        .flag("CheckWTCalcs", false)
        .flag("BypassCalcDay", false)
        .set("Holiday Code", "AL")
        .section("ZorvTime")
        .set("StatusLateLength", 30)
        .section("Cmphexp")
        .flag("Uselocation", false)
        .set("masterfield", "alocation")
        .write(work / "global.ini");
    IniText()
        .section("Settings")
        .set("rolldate", Date{plan.today.year, 1, 1}.format())
        .set("rollingdays", 28)
        .flag("1week", false)
        .flag("Rolling", false)
        .flag("rollingmonth", true)
        .set("DayOfweek", "Monday")
        .flag("AllowCarry", true)
        .flag("Round", false)
        .set("RoundTo", 5)
        .set("RoundUp", 5)
        .set("RoundRules", 0)
        .write(work / "FlexSet.ini");
}

void writeCentralFolderFiles(const fs::path& home, const IniPlan& plan)
{
    const fs::path central = home / kCentralSystemDirectory;
    IniText()
        .section("settings")
        .set("periods", 52)
        .section("MPScript")
        .set("Name", "Payroll")
        .section("Payroll")
        .set("SHIFTOutputCol", 10)
        .set("ONCALLOutputCol", 11)
        .set("TRAVELOutputCol", 12)
        .set("UNIFORMOutputCol", 13)
        .write(central / "ADVMPLink.ini");
    for (const MailTemplate& mail : kMailTemplates) {
        IniText ini;
        ini.section("email").set("subject", std::string(mail.subject));
        if (plan.demo && mail.copyToHr)
            ini.set("0", "hr@hospital.example");
        const std::string name(mail.name);
        ini.write(central / "Emails" / (name + ".ini"));
        writeFile(central / "Emails" / (name + ".txt"), std::string(mail.body) + "\n");
    }
}

void writeReports(const fs::path& home)
{
    for (const Report& report : kReports) {
        IniText()
            .section("settings")
            .set("name", std::string(report.name))
            .set("Category", std::string(report.category))
            .set("sql", std::string(report.sql))
            .set("Where", std::string(report.where))
            .set("Orderby", std::string(report.orderBy))
            .set("Groupby", "")
            .section("Filter")
            .set("1", std::string(report.filterCaption))
            .set("1field", std::string(report.filterField))
            .set("1Type", std::string(report.filterType))
            .write(home / "reports" / report.file);
    }
}

} // namespace

void writeIniFiles(const fs::path& home, const IniPlan& plan)
{
    writeProgramFolderFiles(home, plan);
    writeWindowsFiles(home);
    writeGlobalFolderFiles(home, plan);
    writeWorkFolderFiles(home, plan);
    writeCentralFolderFiles(home, plan);
    writeReports(home);
}

} // namespace zorv::admin
