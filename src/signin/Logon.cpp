#include "signin/Logon.h"
#include "data/Aliases.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/RightsAccess.h"
#include "data/TdmMain.h"
#include "data/db/Connection.h"
#include "server/ErrorLog.h"
#include "server/ServerConfig.h"
#include "server/TUserSession.h"
#include "signin/LogonThrottle.h"
#include "signin/Passwords.h"
#include "signin/RememberStore.h"
#include "signin/RememberToken.h"
#include "signin/uLDAP.h"
#include "web/Page.h"
#include "web/WebSession.h"

#include <map>
#include <mutex>
#include <optional>

namespace zorv::signin {

namespace {
using zorv::data::alias::kWeb;
using zorv::data::alias::kCentral;
using zorv::data::alias::kGlobal;
using zorv::data::alias::kLocal;

constexpr const char* kFailedToLogin = "Failed to login. ";
constexpr const char* kNoProfile = "Unable to locate user profile please contact your system administrator ";
constexpr const char* kAskAdministrator = "Please contact your system administrator to receive your password.";
constexpr const char* kPasswordSent = "A password has been sent to your registered e-mail address";
constexpr const char* kDefaultWelcome = "Welcome to Quennel. Please note your password is ";
constexpr const char* kSelfOnlyGroup = "VIEW SELF ONLY";
constexpr int kDetailsScreen = 590;

/// A row of tLogin.
struct LoginRow {
    std::string user;
    std::string staffNo;
    std::string password;
    std::string profile;
    std::string group;
    std::string lastDb;
    std::string language;
};

/// The tLogin rows of (login, staffNo), both compared without regard to case.
std::vector<LoginRow> loginRows(db::Connection& web, const std::string& login, const std::string& staffNo)
{
    auto rows = web.query("select * from TLOGIN where upper(AUSER) = upper(?) and upper(ASTAFFNO) = upper(?)",
                          {login, staffNo});
    std::vector<LoginRow> result;
    for (const auto& row : rows) {
        auto text = [&](const char* column) {
            auto index = row.columns().find(column);
            return index ? row[*index].asString() : std::string();
        };
        result.push_back({text("AUSER"), text("ASTAFFNO"), text("APASSWORD"), text("APROFILE"), text("AGROUP"),
                          text("LASTDB"), text("ALANGUAGE")});
    }
    return result;
}

bool hasRow(db::Connection& connection, const std::string& sql, const std::string& value)
{
    return !connection.query(sql, {value}).empty();
}

/// Caption language: the login's language unless it is empty or English.
std::string languageOf(const std::string& stored)
{
    std::string value = trim(stored);
    if (value.empty() || iequals(value, "ENGLISH"))
        return "EN";
    return value;
}

/// A stored hash to verify against when the login does not exist, so that an
/// unknown login costs as much time as a wrong password.
const std::string& decoyHash()
{
    static const std::string hash = hashPassword(generatePassword());
    return hash;
}

struct Hooks {
    std::mutex mutex;
    std::map<SignedInPage, std::function<void(web::WebSession&)>> pages;
    PasswordMailer mailer;
    TimesheetClocking clocking;
};

Hooks& hooks()
{
    static Hooks instance;
    return instance;
}

std::chrono::system_clock::time_point now() { return std::chrono::system_clock::now(); }

int cookieDays() { return Ini(zorvwebIniPath()).readInteger("Program", "CookieDays", remember::kDefaultCookieDays); }

} // namespace

/// What decides the course of one attempt, read afresh each time.
struct LogonCheck::Rules {
    DirectorySettings directory;
    bool directoryConfigured = false;
    bool autoCreateLogin = true;
    bool directoryAutoCreate = true;
    bool throttle = true;

    static Rules read()
    {
        Rules rules;
        const auto& settings = server::serverSettings();
        rules.directory = {settings.activeDirectory(), settings.activePrefix(), settings.activeSuffix()};
        rules.directoryConfigured = !trim(rules.directory.server).empty();
        const Ini ini(zorvwebIniPath());
        rules.autoCreateLogin = ini.readBool("Program", "AutoCreateLogin", true);
        rules.directoryAutoCreate = ini.readBool("Windows", "AutoCreate", true);
        rules.throttle = ini.readBool("Security", "LogonThrottle", true);
        return rules;
    }
};

LogonThrottle& logonThrottle()
{
    static LogonThrottle throttle;
    return throttle;
}

void setPasswordMailer(PasswordMailer mailer)
{
    std::lock_guard lock(hooks().mutex);
    hooks().mailer = std::move(mailer);
}

void setPageOpener(SignedInPage page, std::function<void(web::WebSession&)> opener)
{
    std::lock_guard lock(hooks().mutex);
    if (opener)
        hooks().pages[page] = std::move(opener);
    else
        hooks().pages.erase(page);
}

bool openSignedInPage(web::WebSession& session, SignedInPage page)
{
    std::function<void(web::WebSession&)> opener;
    {
        std::lock_guard lock(hooks().mutex);
        auto it = hooks().pages.find(page);
        const bool fallsBack = page == SignedInPage::Clock || page == SignedInPage::QuickEdit ||
                               page == SignedInPage::Expenses;
        if (it == hooks().pages.end() && fallsBack)
            it = hooks().pages.find(SignedInPage::Main);
        if (it == hooks().pages.end())
            return false;
        opener = it->second;
    }
    opener(session);
    return true;
}

void setTimesheetClocking(TimesheetClocking clocking)
{
    std::lock_guard lock(hooks().mutex);
    hooks().clocking = std::move(clocking);
}

const TimesheetClocking& timesheetClocking()
{
    std::lock_guard lock(hooks().mutex);
    return hooks().clocking;
}

std::string WelcomeText(const std::string& password)
{
    std::string text = Ini(zorvwebIniPath()).readString("Welcome", "Password", "");
    if (text.empty())
        return kDefaultWelcome + password;
    // Every "%password%", whatever its case.
    static constexpr std::string_view kMarker = "%PASSWORD%";
    std::string result;
    const std::string upper = toUpper(text);
    size_t from = 0;
    for (size_t at; (at = upper.find(kMarker, from)) != std::string::npos; from = at + kMarker.size())
        result += text.substr(from, at - from) + password;
    return result + text.substr(from);
}

LogonCheck::LogonCheck(server::TUserSession& user, web::WebSession& web) : user_(user), web_(web) {}

void LogonCheck::audit(const std::string& reason, const LogonAttempt& attempt)
{
    user_.dmMain->WriteLogonAudit(web_.clientAddress(), reason, attempt.staffNo, attempt.login);
}

LogonOutcome LogonCheck::refuse(const std::string& reason, const LogonAttempt& attempt, const std::string& message)
{
    audit(reason, attempt);
    web_.showMessage(message);
    return LogonOutcome::Refused;
}

LogonOutcome LogonCheck::run(const LogonAttempt& attempt, LogonButton button)
{
    user_.ClearIdentity();
    const Rules rules = Rules::read();
    auto& throttle = logonThrottle();
    if (rules.throttle && !throttle.allowed(attempt.login, web_.clientAddress(), LogonThrottle::Clock::now()))
        return refuse("Failed Logon - Throttled", attempt, kFailedToLogin);

    try {
        user_.dmMain->connection(kWeb).query("select first 1 AUSER from TLOGIN");
    } catch (const std::exception& e) {
        logError("Error-outlookBar", e.what());
        return LogonOutcome::DatabaseDown;
    }

    // The login button lets a site exempt single users from the directory.
    bool directory = rules.directoryConfigured;
    if (directory && button == LogonButton::Login)
        directory = Ini(debugIniPath()).readBool("bypass", "allow" + attempt.login, true);

    LogonOutcome outcome = directory ? directoryLogon(attempt, button, rules) : passwordLogon(attempt, rules);
    if (rules.throttle) {
        if (outcome == LogonOutcome::SignedIn)
            throttle.succeeded(attempt.login);
        else if (outcome == LogonOutcome::Refused && failedAuthentication_)
            throttle.failed(attempt.login, web_.clientAddress(), LogonThrottle::Clock::now());
    }
    return outcome;
}

LogonOutcome LogonCheck::failAuthentication(const std::string& reason, const LogonAttempt& attempt,
                                            const std::string& message)
{
    failedAuthentication_ = true;
    return refuse(reason, attempt, message);
}

LogonOutcome LogonCheck::passwordLogon(const LogonAttempt& attempt, const Rules& rules)
{
    auto& web = user_.dmMain->connection(kWeb);
    const auto rows = loginRows(web, attempt.login, attempt.staffNo);
    if (attempt.password.empty()) {
        if (!rows.empty())
            return failAuthentication("Failed Logon - blank password", attempt, kFailedToLogin);
        return selfServiceCreate(attempt, rules);
    }
    for (const LoginRow& row : rows) {
        const PasswordCheck check = verifyPassword(row.password, attempt.password);
        if (!check.ok)
            continue;
        if (check.needsUpgrade) {
            try {
                web.execute("update TLOGIN set APASSWORD = ? where AUSER = ? and ASTAFFNO = ?",
                            {hashPassword(attempt.password), row.user, row.staffNo});
            } catch (const std::exception& e) {
                // The logon stands; the upgrade is tried again next time.
                logError("Error-Password", e.what());
            }
        }
        return signIn(attempt);
    }
    if (rows.empty())
        verifyPassword(decoyHash(), attempt.password);
    return failAuthentication("Failed Logon - Incorrect Password", attempt, kFailedToLogin);
}

LogonOutcome LogonCheck::selfServiceCreate(const LogonAttempt& attempt, const Rules& rules)
{
    // Guessing staff numbers with an empty password counts as guessing.
    failedAuthentication_ = true;
    auto& web = user_.dmMain->connection(kWeb);
    if (!rules.autoCreateLogin ||
        hasRow(web, "select first 1 AUSER from TLOGIN where upper(ASTAFFNO) = upper(?)", attempt.staffNo) ||
        !hrLinkDatabase(attempt.login, attempt.staffNo, false))
        return refuse("Failed Logon", attempt, kFailedToLogin);

    PasswordMailer mailer;
    {
        std::lock_guard lock(hooks().mutex);
        mailer = hooks().mailer;
    }
    if (!mailer)
        return refuse("Failed Logon", attempt, kAskAdministrator);
    const std::string password = CreateLoginFromHrLink(attempt.login, attempt.staffNo);
    if (password.empty())
        return refuse("Failed Logon", attempt, kFailedToLogin);
    audit("Auto Create successful", attempt);
    web_.showMessage(mailer(user_, attempt.staffNo, password) ? kPasswordSent : kAskAdministrator);
    return LogonOutcome::Refused;
}

LogonOutcome LogonCheck::directoryLogon(const LogonAttempt& attempt, LogonButton button, const Rules& rules)
{
    const bool loginButton = button == LogonButton::Login;
    const std::string failed = loginButton ? "Failed Active Directory Logon - " : "Failed Logon - ";
    if (loginButton && attempt.password.empty())
        return failAuthentication("Failed Logon - Blank Password", attempt, "Failed to login. Blank Password");
    // An unreachable server throws: the session's error page reports it.
    if (!DirectoryCheck(rules.directory, attempt.login, attempt.password))
        return failAuthentication(failed + "Authenticate", attempt, kFailedToLogin);

    auto& web = user_.dmMain->connection(kWeb);
    if (!loginRows(web, attempt.login, attempt.staffNo).empty())
        return signIn(attempt);
    if (hasRow(web, "select first 1 AUSER from TLOGIN where upper(AUSER) = upper(?)", attempt.login))
        return refuse(failed + "Username in use", attempt, "Failed to login. Username in use");
    if (hasRow(web, "select first 1 AUSER from TLOGIN where upper(ASTAFFNO) = upper(?)", attempt.staffNo))
        return refuse(failed + "Staff number in use", attempt, "Failed to login. Incorrect Employee Number");
    const std::string password =
        rules.directoryAutoCreate ? CreateLoginFromHrLink(attempt.login, attempt.staffNo) : std::string();
    if (password.empty())
        return refuse(failed + "Auto Create", attempt, "Failed to login. unable to create New login");
    audit("Auto Create (directory)", attempt);
    web_.showMessage(WelcomeText(password));
    return signIn(attempt);
}

LogonOutcome LogonCheck::signIn(const LogonAttempt& attempt)
{
    if (!OpenUserProfile(attempt.login, attempt.staffNo)) {
        web_.showMessage(kNoProfile);
        return LogonOutcome::Refused;
    }
    return LogonOutcome::SignedIn;
}

std::optional<std::string> LogonCheck::hrLinkDatabase(const std::string& login, const std::string& staffNo,
                                                      bool directory)
{
    auto rows = user_.dmMain->connection(kGlobal).query("select * from t_hrlnk where upper(staffno) = upper(?)",
                                                        {staffNo});
    for (const auto& row : rows) {
        const std::string name = row["AFORENAMES"].asString() + " " + row["ASURNAME"].asString();
        if (!directory && toUpper(name) != toUpper(login))
            continue;
        const std::string database = row["ADATABASE"].asString();
        if (!data::DatabaseAllowed(programFolder(), staffNo, login, database))
            continue;
        return database;
    }
    return std::nullopt;
}

std::string LogonCheck::CreateLoginFromHrLink(const std::string& login, const std::string& staffNo)
{
    auto database = hrLinkDatabase(login, staffNo, LogonCheck::Rules::read().directoryConfigured);
    if (!database)
        return {};
    return CreateLogin(login, staffNo, *database);
}

std::string LogonCheck::CreateLogin(const std::string& login, const std::string& staffNo,
                                    const std::string& database)
{
    const Ini ini(zorvwebIniPath());
    auto& web = user_.dmMain->connection(kWeb);
    auto& keys = user_.dmMain->connection(kGlobal);
    const std::string password = generatePassword();
    web.execute("insert into TLOGIN (ASTAFFNO, AUSER, APROFILE, AGROUP, APASSWORD, LASTDB) values (?, ?, ?, ?, ?, ?)",
                {staffNo, login, ini.readString("autoProfile", "default", ""), std::string(kSelfOnlyGroup),
                 hashPassword(password), database});
    if (ini.readBool("nchdLogin", "AutoSup", false))
        data::SetScreenRight(web, keys, login, "Supervised", ini.readString("nchdLogin", "supervisor", ""));
    static constexpr std::pair<const char*, const char*> kAccess[] = {
        {"Flexi", "Flexi"},           {"empweek", "EmpWeek"}, {"Creweek", "CreWeek"},
        {"Temp", "Template"},         {"WorkSch", "Work Schedule"}, {"SignOff", "Signoff"},
        {"EWTD", "EWTD"},             {"AdvAllowance", "Hours Entry"}, {"QEDIT", "Quick Edit"}};
    for (const auto& [key, screen] : kAccess) {
        std::string rights = ini.readString("Access", key, "");
        data::SetScreenRight(web, keys, login, screen, rights.empty() ? "No Access" : rights);
    }
    return password;
}

std::string LogonCheck::allowedDatabase(const std::string& staffNo, const std::string& login,
                                        const std::string& last)
{
    auto rows = user_.dmMain->connection(kLocal).query("select NAME from DBLIST order by NAME");
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(trim(row["NAME"].asString()));
    auto allowed = [&](const std::string& name) {
        return data::DatabaseAllowed(programFolder(), staffNo, login, name);
    };
    for (const std::string& name : names)
        if (iequals(name, trim(last)) && allowed(name))
            return name;
    for (const std::string& name : names)
        if (allowed(name))
            return name;
    throw std::runtime_error("no employee database may be used by " + login);
}

bool LogonCheck::OpenUserProfile(const std::string& login, const std::string& staffNo)
{
    const LogonAttempt attempt{login, staffNo, {}};
    try {
        const auto rows = loginRows(user_.dmMain->connection(kWeb), login, staffNo);
        if (rows.empty())
            throw std::runtime_error("no login " + login + " for staff number " + staffNo);
        const LoginRow& row = rows.front();
        auto profiles = user_.dmMain->connection(kCentral)
                            .query("select * from Users where upper(asystem) = upper(?) and upper(cusercode) = upper(?)",
                                   {server::serverSettings().systemName(), row.profile});
        if (profiles.empty()) {
            audit("Failed Logon - unknown Profile", attempt);
            return false;
        }
        const std::string database = allowedDatabase(row.staffNo, login, row.lastDb);
        audit("Login successful", attempt);
        const auto& profile = profiles.first();
        auto rights = user_.dmMain->connection(kWeb).query(
            "select ARIGHTS from tuserSec where upper(AUSER) = upper(?) and upper(ASCREEN) = 'SUPERVISED'", {login});
        user_.SecurityCode = profile["ASECURITYCODE"].asString();
        user_.UserCode = profile["CUSERCODE"].asString();
        user_.Profile = row.profile;
        user_.SupervisedRights = rights.empty() ? std::string() : rights.first()["ARIGHTS"].asString();
        user_.IsAdministrator = iequals(trim(profile["LADMINISTRATOR"].asString()), "TRUE");
        user_.StaffNo = row.staffNo;
        user_.DatabaseName = database;
        user_.UserName = login;
        user_.Language = languageOf(row.language);
        user_.Group = row.group;
        return true;
    } catch (const std::exception& e) {
        logError("Error-outlookBar1", e.what());
        user_.ClearIdentity();
        return false;
    }
}

void SetLoginCookies(server::TUserSession& user, web::WebSession& web)
{
    const int days = cookieDays();
    const int maxAge = static_cast<int>(std::chrono::seconds(remember::lifetime(days)).count());
    try {
        auto issued = remember::issue(user.dmMain->connection(kWeb), user.UserName, user.StaffNo, days, now());
        web.setCookie({kRememberCookie, issued.token, maxAge});
    } catch (const std::exception& e) {
        logError("Error-Cookies", e.what());
    }
    // These two only fill in the login page's edits.
    web.setCookie({"Username", user.UserName, maxAge});
    web.setCookie({"staffno", user.StaffNo, maxAge});
}

bool CookieLogin(server::TUserSession& user, web::WebSession& web)
{
    const std::string token = web.requestCookies().get(kRememberCookie);
    if (token.empty())
        return false;
    std::optional<remember::Holder> holder;
    try {
        holder = remember::redeem(user.dmMain->connection(kWeb), token, now());
    } catch (const std::exception& e) {
        logError("Error-Cookies", e.what());
    }
    if (!holder) {
        web.setCookie({kRememberCookie, "", 0});
        return false;
    }
    LogonCheck check(user, web);
    if (!check.OpenUserProfile(holder->login, holder->staffNo))
        return false;
    user.dmMain->WriteLogonAudit(web.clientAddress(), "AutoLogin", holder->staffNo, holder->login);
    user.HolidayPrintFromMain = false;
    user.CurrentScreenTag = kDetailsScreen;
    user.CurrentStaffNo = user.StaffNo;
    SetLoginCookies(user, web);
    if (auto* page = web.currentPage())
        page->release();
    openSignedInPage(web, SignedInPage::Main);
    return true;
}

void SaveLastDatabase(server::TUserSession& user, const std::string& databaseName)
{
    user.ReloadMainModule = true;
    user.dmMain->UnlockAllForUser();
    try {
        user.dmMain->connection(kWeb).execute(
            "update TLOGIN set LASTDB = ? where upper(AUSER) = upper(?) and upper(ASTAFFNO) = upper(?)",
            {databaseName, user.UserName, user.StaffNo});
    } catch (const std::exception& e) {
        logError("Error", e.what());
    }
    if (auto* web = web::WebSession::current()) {
        const std::string token = web->requestCookies().get(kRememberCookie);
        if (!token.empty()) {
            try {
                remember::revoke(user.dmMain->connection(kWeb), token, now());
            } catch (const std::exception& e) {
                logError("Error-Cookies", e.what());
            }
            web->setCookie({kRememberCookie, "", 0});
        }
    }
    user.ClearIdentity();
}

} // namespace zorv::signin
