#include "tools/InstallIni.h"

#include "tools/Logins.h"

#include <string>

namespace zorv::admin {

namespace {

constexpr int kDemoPort = 8080;

void addWebSettings(IniText& ini)
{
    ini.section("web")
        .set("port", kDemoPort)
        .set("TimeOut", 10)
        .flag("Compression", true)
        .set("redirect", "/")
        .set("System", std::string(kSystemName))
        .flag("CreateUserSec", true);
}

void addProgramSettings(IniText& ini, const IniPlan& plan)
{
    ini.section("Program")
        .set("GlobalSystemFile", std::string(kGlobalDatabase))
        .set("GlobalSystemDirectory", std::string(kGlobalSystemDirectory))
        .set("webFile", std::string(kWebDatabase))
        .set("WorkGlobalSystemFile", std::string(kGlobalWorkDatabase))
        .set("WorkGlobalSystemDirectory", std::string(kWorkSystemDirectory))
        .set("DBListDirectory", std::string(kDataDirectory))
        .set("LocalDataDirectory", std::string(kListDirectory))
        .set("PrivdirNew", "2")
        .set("Privdir", "4");
    if (plan.demo) {
        ini.set("Title", "Welcome to ZorvWeb")
            .set("CopyRight", "Demo installation")
            .set("Email", "<A Href=mailto:helpdesk@demo.example>helpdesk@demo.example</a>")
            .set("labelcolour", "#1d2b33")
            .set("BackgroundColour", "#eef4f7");
    } else {
        ini.set("Title", "Welcome to ZorvWeb").set("CopyRight", "");
    }
    ini.flag("clockButton", false)
        .flag("TSLoginButton", false)
        .flag("cookies", false)
        .flag("zorvWorkOn", true)
        .flag("zorvNCHD", plan.demo)
        .flag("AddZorvNCHDsql", false)
        .flag("Qedit", true)
        .flag("Expenses", false)
        .flag("ShowallEmployee", false)
        .flag("NoSelfEdit", false)
        .set("allRowlimit", 10000)
        .set("MaxColumns", 15)
        .set("editlabel", "View")
        .flag("skipNotFound", true);
}

/// The schema is current when the installation is made, so the one-off
/// corrections of older databases are marked as done.
void addSchemaFlags(IniText& ini, const IniPlan& plan)
{
    ini.section("update").flag("VizereDivIdidContact", false).flag("template", false);
    for (const EmployeeDatabase& db : plan.databases)
        ini.flag("dbZorv" + db.name + "EmpContact", false);
    ini.section("Create")
        .flag("Roster", false)
        .flag("Update1", false)
        .flag("Update2", false)
        .flag("nchdwork", false);
    ini.section("Updateevent");
    for (const EmployeeDatabase& db : plan.databases)
        ini.flag(db.name, false);
}

void addEmployeePageSettings(IniText& ini, const IniPlan& plan)
{
    const std::string defaultDatabase = plan.databases.front().name;
    ini.section("master").set("sort", "Surname");
    ini.section("EmpWork")
        .flag("AddEmpWeek", false)
        .flag("Break", true)
        .set("GroupField", "Department")
        .set("AbsCombo", "Absence Category")
        .flag("Breaktime", true);
    ini.section("NCHD").set("MasterField", "userno2").set("CostField", "Department");
    ini.section("autoProfile").set("default", "EMPLOYEE");
    ini.section("Access")
        .set("Flexi", "Read Only")
        .set("empweek", "Read Only")
        .set("Creweek", "No Access")
        .set("Temp", "No Access")
        .set("WorkSch", "No Access")
        .set("SignOff", "No Access")
        .set("EWTD", "No Access")
        .set("AdvAllowance", "No Access")
        .set("QEDIT", "No Access");
    ini.section("Welcome").set("Password", "Welcome to ZorvWeb. Please note your password is %password%");
    ini.section("Password").set("minLength", 6);
    ini.section("clock").set("db", defaultDatabase);
    ini.section("settings")
        .set("db", defaultDatabase)
        .set("Masterfield", "jobtitle")
        .set("Grade", "jobtitle")
        .flag("useNCHDJob", false)
        .set("extraOutlook", "Reports")
        .flag("AbsSignOff", true)
        .flag("UseLanguage", false);
    ini.section("Absences")
        .set("Field", "ACATEGORY")
        .set("Cert", "Certified Sick Leave")
        .set("unCert", "Uncertified Sick Leave");
    for (int tag : {590, 570, 580, 670, 710, 780}) {
        ini.section(std::to_string(tag))
            .flag("useList", true)
            .flag("Add", true)
            .flag("Edit", true)
            .flag("Delete", tag != 590)
            .flag("List", true)
            .flag("ListSelf", true);
    }
    ini.section("MainButton")
        .flag("List", true)
        .flag("Maint", true)
        .flag("Holiday", true)
        .flag("Training", true)
        .flag("ViewList", true)
        .flag("ViewMaint", true)
        .flag("ViewHoliday", true)
        .flag("ViewTraining", true);
    ini.section("General").set("MPayFormula", "Monthly salary").set("WPayFormula", "Weekly wage");
}

void addTimeSettings(IniText& ini)
{
    ini.section("ZorvWork")
        .set("CurrentArea", "")
        .flag("Standard", true)
        .flag("ot1", true)
        .flag("ot2", false)
        .flag("ot3", false);
    ini.section("flexi")
        .set("EStart", "08:00")
        .set("EEnd", "19:00")
        .set("Breaks", 30)
        .flag("AllowCarry", true)
        .set("RoundCFMin", 222)
        .set("MaxCFMin", 444);
    ini.section("qedit")
        .flag("weekview", false)
        .flag("confirm", true)
        .flag("Abs", true)
        .flag("Holiday", true)
        .flag("Offsite", true)
        .flag("checkeachday", true);
    ini.section("WorkServ").flag("Enabled", false);
    ini.section("Log").flag("ExtraNCHDlOG", true);
    ini.section("nchdPay").set("5", ".5").set("Basic", "Basic").set("125", "1.25").set("15", "1.5").set("2", "Double");
}

void addLeaveSettings(IniText& ini)
{
    ini.section("Holiday")
        .flag("Simple", true)
        .flag("ShowCancel", true)
        .set("fIELD1", "Category")
        .set("Field2", "Type")
        .flag("Email", false)
        .flag("EmailSec", false);
    ini.section("Holqeq")
        .flag("noHoliday", false)
        .flag("HalfHours", false)
        .flag("halfdays", true)
        .flag("CheckDur", true)
        .flag("PastRequests", false)
        .flag("CheckDup", true)
        .flag("Hide", true)
        .flag("writetoDC", true)
        .set("DefHol", "Annual Leave");
    ini.section("Holreq").flag("CheckWeekend", true).flag("simpleDuration", false).flag("AllowAppAll", true);
    ini.section("setttings").set("hoursperhalfday", 4);
    ini.section("HolMessage")
        .set("emp", "Your leave request has been sent to your manager.")
        .set("empComment", "Please add a comment for your manager.")
        .set("ManComment", "Please give a reason for your decision.");
    ini.section("Holidaytype")
        .set("0", "Annual Leave")
        .set("AL0", "True")
        .set("1", "Parental Leave")
        .set("AL1", "False")
        .set("2", "Unpaid Leave")
        .set("AL2", "False");
    ini.section("AbsenceStatus")
        .set("Annual Leave", "#00FF00")
        .set("Certified Sick Leave", "#FF0000")
        .set("Uncertified Sick Leave", "#FF8080")
        .set("Compassionate Leave", "#8080FF")
        .set("Training", "#FFFF00")
        .set("BLANK", "#FFFFFF");
    ini.section("year").flag("current", true);
    ini.section("Training").set("LineManger", "Division").flag("Email", false).flag("EmailMan", false);
    ini.section("Turnover")
        .flag("Interns", false)
        .set("InternsField", "CONTRACTTYPE")
        .set("InternsFieldValue", "Intern")
        .flag("Transfer", false)
        .set("TransferField", "user1")
        .set("TransferdateField", "userdate1")
        .set("OfficeField", "Division");
}

void addMailSettings(IniText& ini)
{
    ini.section("smtp")
        .flag("use", false)
        .set("host", "")
        .set("username", "")
        .set("password", "")
        .set("from", "zorvweb@demo.example")
        .flag("login", false);
    ini.section("Email").set("ManagerType", "Manager").set("ManagerTypeField", "User1").flag("DoNotEmailSelf", false);
}

} // namespace

IniText zorvwebIni(const IniPlan& plan)
{
    IniText ini;
    addWebSettings(ini);
    addProgramSettings(ini, plan);
    ini.section("Database").set("Type", "INTRBASE");
    ini.section("KeepAlive").flag("On", false).flag("Log", false);
    ini.section("Session").flag("Reset", false).set("time", "03:00");
    ini.section("Windows").flag("Auth", false);
    addSchemaFlags(ini, plan);
    addEmployeePageSettings(ini, plan);
    addTimeSettings(ini);
    addLeaveSettings(ini);
    addMailSettings(ini);
    ini.section("Reports").flag("viewself", false).flag("MainUsers", false);
    return ini;
}

} // namespace zorv::admin
