#include "signin/TformMain.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/SessionAudit.h"
#include "data/TdmEmpCom.h"
#include "data/TdmEmpDts.h"
#include "data/TdmGlobal.h"
#include "data/TdmMain.h"
#include "data/Tdmdata.h"
#include "data/db/Catalogue.h"
#include "server/ActionRights.h"
#include "server/ErrorLog.h"
#include "server/ServerConfig.h"
#include "server/TUserSession.h"
#include "signin/Logon.h"
#include "web/Colour.h"
#include "web/WebSession.h"
#include "web/controls/Button.h"
#include "web/controls/Edit.h"
#include "web/controls/Image.h"
#include "web/controls/Label.h"
#include "web/controls/Link.h"
#include "web/controls/Region.h"

#include <filesystem>

namespace zorv::signin {

namespace {
constexpr const char* kDefaultSupportAnchor = "<A Href=mailto:support@zorvweb.example>support@zorvweb.example</a>";
constexpr const char* kCouncilSupportAnchor =
    "<A Href=mailto:servicedesk@council.example>servicedesk@council.example</a>";
constexpr const char* kDefaultCopyright = "ZorvWeb: HR and time and attendance for your staff";
constexpr int kErrorWidth = 1000;
constexpr int kDatabaseErrorWidth = 2000;
constexpr int kDetailsScreen = 590;
constexpr const char* kPageUnavailable = "This function is not available on this server.";
constexpr const char* kDatabaseDown =
    "Unable to connect to database, please try again. If this problem persist, contact your IT Dept.";
} // namespace

SupportLink parseSupportAnchor(const std::string& anchor)
{
    // The target starts at the ninth character, after "<A Href=".
    constexpr size_t kTargetStart = 8;
    SupportLink link;
    if (anchor.size() <= kTargetStart)
        return link;
    size_t close = anchor.find('>');
    if (close == std::string::npos || close < kTargetStart)
        return link;
    link.target = trim(anchor.substr(kTargetStart, close - kTargetStart));
    std::string rest = anchor.substr(close + 1);
    size_t end = toUpper(rest).find("</A>");
    link.caption = rest.substr(0, end);
    return link;
}

TformMain::TformMain(web::WebSession& session) : Page(session, "TformMain")
{
    using namespace web;
    setTitle("ZorvWeb");
    regLogin_ = add<Region>("regLogin");
    regLogin_->setCssClass("zw-login card shadow-sm");
    imgback_ = regLogin_->add<Image>("imgback");
    imgback_->setSource("/assets/img/logo.svg");
    imgback_->setAltText("Logo");
    imgback_->setCssClass("zw-logo");
    lblWelcome_ = regLogin_->add<Label>("lblWelcome", "Welcome to Quennel");
    lblWelcome_->setCssClass("zw-welcome h4");

    lblLogin_ = regLogin_->add<Label>("lblLogin", "Login");
    edtLogin_ = regLogin_->add<Edit>("edtLogin");
    edtLogin_->setLabelledBy("lblLogin");
    lblStaffno_ = regLogin_->add<Label>("lblStaffno", "Employee No");
    edtStaffno_ = regLogin_->add<Edit>("edtStaffno");
    edtStaffno_->setLabelledBy("lblStaffno");
    LblPassword_ = regLogin_->add<Label>("LblPassword", "Password");
    edtPassword_ = regLogin_->add<Edit>("edtPassword", Edit::Kind::Password);
    edtPassword_->setLabelledBy("LblPassword");
    for (Label* caption : {lblLogin_, lblStaffno_, LblPassword_})
        caption->setCssClass("zw-field-label");

    cmdLogin_ = regLogin_->add<Button>("cmdLogin", "Login");
    cmdLogin_->setIcon("box-arrow-in-right");
    cmdClock_ = regLogin_->add<Button>("cmdClock", "Clock");
    cmdTSLogin_ = regLogin_->add<Button>("cmdTSLogin", "Timesheet");
    cmdMoveLoc_ = regLogin_->add<Button>("cmdMoveLoc", "Supervisor  Clocking Screen");
    cmdMoveEmp_ = regLogin_->add<Button>("cmdMoveEmp", "Employee Clocking Screen");
    cmdImport_ = regLogin_->add<Button>("cmdImport", "iMPORT");
    cmdUpload_ = regLogin_->add<Button>("cmdUpload", "Upload");
    for (Button* b : {cmdClock_, cmdTSLogin_, cmdMoveLoc_, cmdMoveEmp_, cmdImport_, cmdUpload_}) {
        b->setVariant("outline-secondary");
        b->setVisible(false);
    }

    lblerror_ = regLogin_->add<Label>("lblerror");
    lblerror_->setCssClass("zw-error alert alert-danger");
    lblCopy_ = regLogin_->add<Label>("lblCopy", kDefaultCopyright);
    lblCopy_->setCssClass("zw-copy small");
    lblemail1_ = regLogin_->add<Label>("lblemail1", "Please report any problems to:");
    lblemail1_->setCssClass("zw-support small");
    lblemail_ = regLogin_->add<Link>("lblemail");
    lblemail_->setCssClass("zw-support small");

    setDefaultButton("cmdLogin");
    cmdLogin_->onClick = [this] { cmdLoginClick(); };
    cmdClock_->onClick = [this] { cmdClockClick(); };
    cmdTSLogin_->onClick = [this] { cmdTSLoginClick(); };
    cmdMoveLoc_->onClick = [this] { cmdMoveLocClick(); };
    cmdMoveEmp_->onClick = [this] { cmdMoveEmpClick(); };
    cmdImport_->onClick = [this] { cmdImportClick(); };
    cmdUpload_->onClick = [this] { cmdUploadClick(); };
    auto support = parseSupportAnchor(kDefaultSupportAnchor);
    lblemail_->setTarget(support.target);
    lblemail_->setCaption(support.caption);
}

void TformMain::create()
{
    hideError();
    oneOffCustomerSetUp();
    applyProgramKeys();
    loadLogo();
    prepareSessionFolders();
    // The login cookies only fill in the edits; they log nobody in.
    const auto& cookies = session().requestCookies();
    edtLogin_->setText(replaceAll(cookies.get("username"), "+", " "));
    edtStaffno_->setText(replaceAll(cookies.get("staffno"), "+", " "));
}

void TformMain::oneOffCustomerSetUp()
{
    Ini update((programFolder() / "update.ini").string());
    if (!update.readBool("Update", "Council", false))
        return;
    auto* user = server::UserSession();
    if (!user)
        return;
    {
        Ini zorvweb(zorvwebIniPath());
        zorvweb.writeString("Program", "Email", kCouncilSupportAnchor);
        zorvweb.writeString("Master", "Sort", "Surname");
        zorvweb.writeBool("Program", "ShowallEmployee", true);
    }
    auto& web = user->dmMain->connection("QuennelMain");
    if (web.query("select ITAG from TUSRSCR where ITAG = ? and upper(AFIELDNAME) = upper(?)", {580, "iPriority"})
            .empty())
        web.execute("insert into TUSRSCR (ITAG, AFIELDNAME, ILABELLEFT, ILABELTOP, ILABELHEIGHT, ILABELWIDTH, "
                    "IDATALEFT, IDATATOP, IDATAHEIGHT, IDATAWIDTH, ACOMTYPE, LVISIBLE, ALOOKUP, ACAPTION, IZINDEX, "
                    "ALABELFONT, ALABELCOLOUR, LLABELBOLD, ILABELFONTSIZE, ADATAFONT, ADATACOLOUR, LDATABOLD, "
                    "IDATAFONTSIZE, LLABELVIS) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, ?, ?)",
                    {580, "iPriority", 20, 260, 21, 100, 20, 280, 21, 100, "Edit Box", "True", db::Value(),
                     "Priority", db::Value(), "Tahoma", "$00FF6666", "true", 10, "Tahoma", db::Value(), "false", 10,
                     "TRUE"});
    update.writeBool("Update", "Council", false);
}

void TformMain::prepareSessionFolders()
{
    auto* user = server::UserSession();
    if (!user)
        return;
    std::error_code ec;
    const auto timeData = std::filesystem::path(data::workGlobalFolder()) / "TimeData";
    std::filesystem::create_directories(timeData, ec);
    if (ec)
        logError("Error-TimeData", "Cannot create " + timeData.string() + ": " + ec.message());
    data::useWebAuditFolder(user->dmMain->wcLogFile);
    user->dmMain->MapDesignDatabaseNames(*user->dmEmpCom);
    user->dmMain->MapDesignDatabaseNames(*user->dmEmpDts);
    user->dmMain->MapDesignDatabaseNames(*user->dmGlobal);
    if (server::serverSettings().createUserSec()) {
        try {
            auto& web = user->dmMain->connection("QuennelMain");
            if (!db::tableExists(web, "TUSERSEC"))
                web.execute("create table tuserSec (AUSER VARCHAR(30), AScreen varchar(30), Arights varchar(30))");
        } catch (const std::exception& e) {
            logError("Error-CreateUserSec", e.what());
        }
        server::setCreateUserSec(false);
        Ini(zorvwebIniPath()).writeBool("web", "CreateUserSec", false);
    }
}

void TformMain::applyProgramKeys()
{
    Ini ini(zorvwebIniPath());
    const char* program = "Program";
    cmdClock_->setVisible(ini.readBool(program, "clockButton", false));
    cmdTSLogin_->setVisible(ini.readBool(program, "TSLoginButton", false));
    cmdImport_->setVisible(ini.readBool(program, "Import", false));
    bool moveLoc = ini.readBool(program, "MoveLoc", false);
    cmdMoveLoc_->setVisible(moveLoc);
    // The employee clocking demonstration page is not part of this server.
    cmdMoveEmp_->setVisible(false);
    cmdUpload_->setVisible(ini.readBool(program, "Upload", false));

    cmdTSLogin_->setCaption(ini.readString(program, "TStext", cmdTSLogin_->caption()));
    auto& ts = cmdTSLogin_->geometry();
    ts.left = ini.readInteger(program, "TSLeft", ts.left);
    ts.top = ini.readInteger(program, "TStop", ts.top);
    ts.width = ini.readInteger(program, "TSwidth", ts.width);

    lblWelcome_->setCaption(ini.readString(program, "Title", "Welcome to Quennel"));
    auto support = parseSupportAnchor(ini.readString(program, "Email", kDefaultSupportAnchor));
    lblemail_->setTarget(support.target);
    lblemail_->setCaption(support.caption);
    lblCopy_->setCaption(ini.readString(program, "CopyRight", lblCopy_->caption()));
    auto& copy = lblCopy_->geometry();
    copy.top = ini.readInteger(program, "TopCopy", copy.top);
    copy.left = ini.readInteger(program, "LeftCopy", copy.left);
    lblerror_->geometry().top = ini.readInteger(program, "TopError", lblerror_->geometry().top);

    std::string colour = web::colourToCss(ini.readString(program, "labelcolour", "white"));
    for (web::Control* c : std::initializer_list<web::Control*>{lblLogin_, lblStaffno_, LblPassword_, lblWelcome_,
                                                               lblemail1_, lblemail_, lblCopy_})
        c->setFontColor(colour);

    lblLogin_->setCaption(ini.readString(program, "Labellbllogin", lblLogin_->caption()));
    lblStaffno_->setCaption(ini.readString(program, "Labellblstaffno", lblStaffno_->caption()));
    LblPassword_->setCaption(ini.readString(program, "LabellblPassword", LblPassword_->caption()));
    lblWelcome_->setCaption(ini.readString(program, "LabellblWelcome", lblWelcome_->caption()));
    lblemail1_->setCaption(ini.readString(program, "LabellblEmail1", lblemail1_->caption()));
    lblemail_->setCaption(ini.readString(program, "LabellblEmail", lblemail_->caption()));
    setBackgroundColor(web::colourToCss(ini.readString(program, "BackgroundColour", "white")));
}

void TformMain::loadLogo()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(programFolder() / "weblogo.jpg", ec))
        imgback_->setSource("/media/weblogo.jpg");
    else if (fs::is_regular_file(programFolder() / "weblogo.bmp", ec))
        imgback_->setSource("/media/weblogo.bmp");
}

void TformMain::hideError() { lblerror_->setVisible(false); }

void TformMain::ShowErrorText(const std::string& text)
{
    lblerror_->setCaption(text);
    lblerror_->setWidth(kErrorWidth);
    lblerror_->setWordWrap(false);
    lblerror_->setVisible(true);
}

LogonOutcome TformMain::logon(LogonButton button)
{
    hideError();
    auto* user = server::UserSession();
    if (!user)
        return LogonOutcome::Refused;
    LogonCheck check(*user, session());
    const LogonAttempt attempt{edtLogin_->text(), edtStaffno_->text(), edtPassword_->text()};
    const LogonOutcome outcome = check.run(attempt, button);
    if (outcome == LogonOutcome::DatabaseDown) {
        if (button != LogonButton::Login)
            throw std::runtime_error(kDatabaseDown);
        ShowErrorText(kDatabaseDown);
        lblerror_->setWidth(kDatabaseErrorWidth);
        if (auto* shared = user->SharedData())
            shared->ReconnectDatabases();
    }
    if (outcome == LogonOutcome::SignedIn)
        session().renewIdAfterRequest();
    return outcome;
}

void TformMain::leaveFor(SignedInPage page)
{
    release();
    if (!openSignedInPage(session(), page)) {
        // The page is not part of this server: stay on the login page, signed out.
        if (auto* user = server::UserSession())
            user->ClearIdentity();
        session().open<TformMain>();
        session().showMessage(kPageUnavailable);
    }
}

void TformMain::cmdLoginClick()
{
    if (logon(LogonButton::Login) != LogonOutcome::SignedIn)
        return;
    auto& user = *server::UserSession();
    const Ini ini(zorvwebIniPath());
    if (ini.readBool("Program", "cookies", false))
        SetLoginCookies(user, session());
    user.HolidayPrintFromMain = false;
    user.CurrentScreenTag = kDetailsScreen;
    user.CurrentStaffNo = user.StaffNo;
    if (ini.readBool("program", "Qedit", false))
        leaveFor(SignedInPage::QuickEdit);
    else if (ini.readBool("program", "Expenses", false))
        leaveFor(SignedInPage::Expenses);
    else
        leaveFor(SignedInPage::Main);
}

void TformMain::cmdClockClick()
{
    if (logon(LogonButton::Clock) != LogonOutcome::SignedIn)
        return;
    auto& user = *server::UserSession();
    if (Ini(zorvwebIniPath()).readBool("Program", "cookies", false))
        SetLoginCookies(user, session());
    user.CurrentScreenTag = kDetailsScreen;
    leaveFor(SignedInPage::Clock);
}

void TformMain::cmdTSLoginClick()
{
    if (logon(LogonButton::Timesheet) != LogonOutcome::SignedIn)
        return;
    auto& user = *server::UserSession();
    const TimesheetClocking& clocking = timesheetClocking();
    // The clocking is all this button does: the user does not stay signed in.
    const std::string staffNo = user.StaffNo;
    if (!clocking) {
        user.ClearIdentity();
        session().showMessage(kPageUnavailable);
        return;
    }
    user.dmMain->ConnectEmployeeDatabase(user.DatabaseName);
    clocking(user, staffNo);
    user.ClearIdentity();
    for (web::Edit* edit : {edtLogin_, edtStaffno_, edtPassword_})
        edit->setText("");
    session().showMessage("Clocking recorded");
}

void TformMain::cmdMoveLocClick()
{
    // A site may run the supervisor board as an open kiosk on purpose.
    if (!Ini(zorvwebIniPath()).readBool("Program", "MoveLocNoLogin", false) &&
        logon(LogonButton::Login) != LogonOutcome::SignedIn)
        return;
    leaveFor(SignedInPage::SupervisorClocking);
}

void TformMain::cmdMoveEmpClick()
{
    // The employee clocking demonstration is not part of this server.
    hideError();
}

void TformMain::openAdministrationPage(SignedInPage page)
{
    if (logon(LogonButton::Login) != LogonOutcome::SignedIn)
        return;
    auto& user = *server::UserSession();
    if (!server::allowed(user, session(), server::ActionRight::administrator())) {
        user.ClearIdentity();
        return;
    }
    leaveFor(page);
}

void TformMain::cmdImportClick() { openAdministrationPage(SignedInPage::Import); }
void TformMain::cmdUploadClick() { openAdministrationPage(SignedInPage::Upload); }

} // namespace zorv::signin
