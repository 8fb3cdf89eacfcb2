// The logon of the login page end to end: a real installation, the server's
// session handling, and a real directory server for the directory logon.

#include "LocalProcess.h"
#include "SessionDriver.h"
#include "SlapdServer.h"
#include "TestInstallation.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/Tdmdata.h"
#include "records/TfrmMainDetails.h"
#include "server/ServerConfig.h"
#include "server/TIWServerController.h"
#include "server/TUserSession.h"
#include "signin/Logon.h"
#include "signin/LogonThrottle.h"
#include "signin/Passwords.h"
#include "signin/RememberStore.h"
#include "signin/RememberToken.h"
#include "signin/TformMain.h"
#include "web/WebSession.h"
#include "web/controls/Label.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorv::signin {
namespace {

using test::SlapdServer;
using test::TestInstallation;

constexpr const char* kFailed = "Failed to login. ";
constexpr const char* kDirectoryPrefix = "uid=";
constexpr const char* kDirectorySuffix = ",ou=people,dc=zorv,dc=test";

/// One installation and one directory server for the whole suite; every test
/// starts from the same logins, HR links and profiles.
class LogonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        installation_ = new TestInstallation({"Hospital", "Council"});
        directory_ = SlapdServer::start(whyNoDirectory_).release();
    }
    static void TearDownTestSuite()
    {
        delete directory_;
        delete installation_;
    }

    void SetUp() override
    {
        setProgramFolder(home());
        resetTables();
        useDirectory(std::nullopt);
        driver_ = std::make_unique<test::SessionDriver>(home());
        setPasswordMailer({});
        // Logins made from the HR link get this profile.
        ini().writeString("autoProfile", "default", "CLERK");
    }

    void TearDown() override
    {
        driver_.reset();
        setPasswordMailer({});
        for (const char* key : {"cookies", "AutoCreateLogin"})
            ini().deleteKey("Program", key);
        ini().deleteKey("Windows", "AutoCreate");
        ini().deleteKey("Security", "LogonThrottle");
        ini().deleteKey("autoProfile", "default");
        std::filesystem::remove(home() / "dbSec.ini");
        std::filesystem::remove(home() / "zorvwebdebug.ini");
    }

    static const std::filesystem::path& home() { return installation_->home(); }
    static Ini ini() { return Ini((home() / "zorvweb.ini").string()); }
    static db::Connection web() { return installation_->attach(installation_->databaseFile("web")); }

    void resetTables()
    {
        // Failed attempts of earlier tests must not throttle this one.
        ini().writeBool("Security", "LogonThrottle", false);
        auto w = web();
        for (const char* table : {"TLOGIN", "LOGIP", "TREMEMBER", "TUSERSEC"})
            w.execute(std::string("delete from ") + table);
        const std::vector<std::vector<std::string>> logins = {
            // login, staff no, stored password, profile, last database
            {"mary", "100", hashPassword("Secret"), "CLERK", "Hospital"},
            {"Legacy", "101", "AbC", "CLERK", "Hospital"},
            {"ghost", "102", hashPassword("pw"), "NOSUCH", "Hospital"},
            {"jsmith", "200", hashPassword("not the directory one"), "CLERK", "Council"},
            {"other", "300", hashPassword("pw"), "CLERK", "Hospital"},
            {"boss", "400", hashPassword("pw"), "ADMIN", "Hospital"},
        };
        for (const auto& l : logins)
            w.execute("insert into TLOGIN (AUSER, ASTAFFNO, APASSWORD, APROFILE, AGROUP, LASTDB) values (?, ?, ?, ?, "
                      "'', ?)",
                      {l[0], l[1], l[2], l[3], l[4]});
        auto central = installation_->attach(installation_->databaseFile("central"));
        central.execute("delete from USERS");
        for (const char* profile : {"CLERK", "ADMIN"})
            central.execute("insert into USERS (ASYSTEM, CUSERCODE, ASECURITYCODE, LADMINISTRATOR) values (?, ?, ?, ?)",
                            {server::serverSettings().systemName(), profile, std::string(profile) + "SEC",
                             std::string(profile) == "ADMIN" ? "TRUE" : "FALSE"});
        auto global = installation_->attach(installation_->databaseFile("global"));
        global.execute("delete from T_HRLNK");
        // 500: Nora Byrne (no login); 300 belongs to "other"; 600: for the directory's second account.
        for (const auto& [staffNo, forenames, surname] :
             {std::tuple{"500", "Nora", "Byrne"}, std::tuple{"300", "Other", "Person"}, std::tuple{"600", "Anna", "Doe"}})
            global.execute("insert into T_HRLNK (STAFFNO, AFORENAMES, ASURNAME, ADATABASE) values (?, ?, ?, 'Council')",
                           {staffNo, forenames, surname});
    }

    /// Directory logon on (with the suite's server, or url) or off.
    void useDirectory(std::optional<std::string> url)
    {
        server::ServerConfig config;
        if (url) {
            config.activeDirectory = *url;
            config.activePrefix = kDirectoryPrefix;
            config.activeSuffix = kDirectorySuffix;
        }
        server::publishServerSettings(config);
    }
    bool needDirectory()
    {
        if (!directory_)
            return false;
        useDirectory(directory_->url());
        return true;
    }

    web::WebSession& newSession(const test::SessionDriver::Cookies& cookies = {})
    {
        auto& session = driver_->newSession(cookies);
        lastBody_ = driver_->lastBody();
        return session;
    }
    web::WebResponse press(const std::string& login, const std::string& staffNo, const std::string& password,
                           const std::string& button = "cmdLogin", const test::SessionDriver::Cookies& cookies = {})
    {
        auto response = driver_->press(login, staffNo, password, button, cookies);
        lastBody_ = driver_->lastBody();
        return response;
    }
    std::string cookieSet(const std::string& name) const { return driver_->cookieSet(name); }

    server::TUserSession& user() { return driver_->user(); }
    bool onMainPage() { return driver_->pageAs<records::TfrmMainDetails>() != nullptr; }
    bool onLoginPage() { return driver_->pageAs<TformMain>() != nullptr; }

    /// The reasons of the LOGIP rows, oldest first.
    static std::vector<std::string> reasons()
    {
        std::vector<std::string> result;
        for (const auto& row : web().query("select AREASON from LOGIP order by DLOGGED, RDB$DB_KEY"))
            result.push_back(row[0].asString());
        return result;
    }
    static std::string storedPassword(const std::string& login)
    {
        auto rows = web().query("select APASSWORD from TLOGIN where AUSER = ?", {login});
        return rows.empty() ? std::string("<none>") : rows.first()[0].asString();
    }

    static TestInstallation* installation_;
    static SlapdServer* directory_;
    static std::string whyNoDirectory_;
    std::unique_ptr<test::SessionDriver> driver_;
    std::string lastBody_;
};

TestInstallation* LogonTest::installation_ = nullptr;
SlapdServer* LogonTest::directory_ = nullptr;
std::string LogonTest::whyNoDirectory_;

struct PasswordCase {
    const char* name;
    const char* login;
    const char* staffNo;
    const char* password;
    bool signedIn;
    std::vector<std::string> reasons;
    const char* message; // shown in a message box; nullptr: none
};

TEST_F(LogonTest, PasswordLogonMatrix)
{
    const PasswordCase cases[] = {
        {"right password, other case everywhere", "MARY", "100", "sECRET", true, {"Login successful"}, nullptr},
        {"wrong password", "mary", "100", "secrets", false, {"Failed Logon - Incorrect Password"}, kFailed},
        {"right password, wrong staff number", "mary", "101", "Secret", false,
         {"Failed Logon - Incorrect Password"}, kFailed},
        {"blank password of an existing login", "mary", "100", "", false, {"Failed Logon - blank password"}, kFailed},
        {"legacy plain password, any case", "legacy", "101", "abc", true, {"Login successful"}, nullptr},
        {"profile missing from Users", "ghost", "102", "pw", false, {"Failed Logon - unknown Profile"},
         "Unable to locate user profile please contact your system administrator "},
        {"unknown login", "nobody", "1", "x", false, {"Failed Logon - Incorrect Password"}, kFailed},
        {"SQL and HTML characters", "a\"b'--<x>", "1' or '1'='1", "' or 1=1 --", false,
         {"Failed Logon - Incorrect Password"}, kFailed},
    };
    for (const PasswordCase& c : cases) {
        SCOPED_TRACE(c.name);
        resetTables();
        newSession();
        press(c.login, c.staffNo, c.password);
        EXPECT_EQ(onMainPage(), c.signedIn);
        EXPECT_EQ(user().UserName.empty(), !c.signedIn);
        EXPECT_EQ(reasons(), c.reasons);
        if (c.message) {
            EXPECT_NE(lastBody_.find(c.message), std::string::npos);
        }
    }
    // The audit row keeps what was typed, byte for byte; the page escapes it.
    auto rows = web().query("select AUSERNAME, ASTAFFNO, IPADDRESS from LOGIP");
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows.first()[0].asString(), "a\"b'--<x>");
    EXPECT_EQ(rows.first()[1].asString(), "1' or '1'='1");
    EXPECT_EQ(rows.first()[2].asString(), "10.1.2.3");
    EXPECT_EQ(lastBody_.find("<x>"), std::string::npos);
}

TEST_F(LogonTest, SignedInSessionHoldsTheProfile)
{
    press("boss", "400", "PW");
    ASSERT_TRUE(onMainPage());
    EXPECT_EQ(user().UserName, "boss");
    EXPECT_EQ(user().StaffNo, "400");
    EXPECT_EQ(user().SecurityCode, "ADMINSEC");
    EXPECT_TRUE(user().IsAdministrator);
    EXPECT_EQ(user().DatabaseName, "Hospital");
    EXPECT_EQ(user().CurrentScreenTag, 590);
    EXPECT_EQ(user().CurrentStaffNo, "400");
}

TEST_F(LogonTest, LegacyPasswordIsReplacedByAHashThatStillIgnoresCase)
{
    press("Legacy", "101", "ABC");
    ASSERT_TRUE(onMainPage());
    EXPECT_TRUE(isHashedPassword(storedPassword("Legacy")));
    newSession();
    press("legacy", "101", "abc");
    EXPECT_TRUE(onMainPage());
}

TEST_F(LogonTest, ADeniedLastDatabaseGivesWayToTheFirstAllowedOne)
{
    Ini((home() / "dbSec.ini").string()).writeBool("100mary", "Hospital", false);
    press("mary", "100", "Secret");
    ASSERT_TRUE(onMainPage());
    EXPECT_EQ(user().DatabaseName, "Council");

    // Nothing allowed: no logon into a database the user may not use.
    Ini((home() / "dbSec.ini").string()).writeBool("100mary", "Council", false);
    newSession();
    press("mary", "100", "Secret");
    EXPECT_TRUE(onLoginPage());
    EXPECT_TRUE(user().UserName.empty());
}

TEST_F(LogonTest, SelfServiceLoginCreationNeverShowsThePassword)
{
    // Without a way to send the password, nothing is created.
    press("nora byrne", "500", "");
    EXPECT_TRUE(onLoginPage());
    EXPECT_EQ(storedPassword("nora byrne"), "<none>");
    EXPECT_NE(lastBody_.find("Please contact your system administrator to receive your password."),
              std::string::npos);

    std::string mailed;
    setPasswordMailer([&](server::TUserSession&, const std::string& staffNo, const std::string& password) {
        EXPECT_EQ(staffNo, "500");
        mailed = password;
        return true;
    });
    resetTables();
    press("Nora Byrne", "500", "");
    EXPECT_TRUE(onLoginPage()) << "the user logs in with the mailed password";
    EXPECT_EQ(reasons(), std::vector<std::string>{"Auto Create successful"});
    ASSERT_EQ(mailed.size(), kGeneratedPasswordLength);
    EXPECT_EQ(lastBody_.find(mailed), std::string::npos);
    EXPECT_NE(lastBody_.find("A password has been sent to your registered e-mail address"), std::string::npos);
    auto row = web().query("select AGROUP, LASTDB, APASSWORD from TLOGIN where AUSER = 'Nora Byrne'");
    ASSERT_EQ(row.size(), 1U);
    EXPECT_EQ(row.first()[0].asString(), "VIEW SELF ONLY");
    EXPECT_EQ(row.first()[1].asString(), "Council");
    EXPECT_TRUE(verifyPassword(row.first()[2].asString(), mailed).ok);
    EXPECT_FALSE(web().query("select * from TUSERSEC where AUSER = 'Nora Byrne' and ASCREEN = 'Quick Edit' and "
                             "ARIGHTS = 'No Access'")
                     .empty());
    newSession();
    press("nora byrne", "500", mailed);
    EXPECT_TRUE(onMainPage());

    struct Refusal {
        const char* name;
        const char* login;
        const char* staffNo;
        bool featureOn;
    };
    for (const Refusal& r : {Refusal{"the staff number has a login already", "Other Person", "300", true},
                             Refusal{"the name does not match the HR link", "Nora Smith", "500", true},
                             Refusal{"feature switched off", "Nora Byrne", "500", false}}) {
        SCOPED_TRACE(r.name);
        resetTables();
        ini().writeBool("Program", "AutoCreateLogin", r.featureOn);
        newSession();
        press(r.login, r.staffNo, "");
        EXPECT_EQ(reasons(), std::vector<std::string>{"Failed Logon"});
        EXPECT_TRUE(web().query("select * from TLOGIN where upper(AUSER) = upper(?)", {r.login}).empty());
    }
}

TEST_F(LogonTest, TooManyFailuresAreRefusedWithoutCheckingThePassword)
{
    ini().writeBool("Security", "LogonThrottle", true);
    const std::string login = "throttled-" + std::to_string(::getpid());
    web().execute("insert into TLOGIN (AUSER, ASTAFFNO, APASSWORD, APROFILE) values (?, '900', ?, 'CLERK')",
                  {login, hashPassword("right")});
    for (int i = 0; i < LogonThrottle::kMaxFailuresPerLogin; ++i)
        press(login, "900", "wrong");
    press(login, "900", "right");
    EXPECT_TRUE(onLoginPage());
    EXPECT_EQ(reasons().back(), "Failed Logon - Throttled");
    EXPECT_NE(lastBody_.find(kFailed), std::string::npos);
}

struct DirectoryCase {
    const char* name;
    const char* button;
    const char* login;
    const char* staffNo;
    const char* password;
    bool signedIn;
    std::vector<std::string> reasons;
    const char* message;
};

TEST_F(LogonTest, DirectoryLogonMatrix)
{
    if (!needDirectory())
        GTEST_SKIP() << whyNoDirectory_;
    const std::string user = SlapdServer::kUser; // jsmith, login 200 in tLogin
    const std::string right = SlapdServer::kUserPassword;
    const DirectoryCase cases[] = {
        {"directory accepts, login exists (stored password not used)", "cmdLogin", "JSMITH", "200", right.c_str(),
         true, {"Login successful"}, nullptr},
        {"wrong directory password", "cmdLogin", "jsmith", "200", "not the directory one", false,
         {"Failed Active Directory Logon - Authenticate"}, kFailed},
        {"unknown directory user", "cmdLogin", "nobody", "200", right.c_str(), false,
         {"Failed Active Directory Logon - Authenticate"}, kFailed},
        {"blank password on the login button", "cmdLogin", "jsmith", "200", "", false,
         {"Failed Logon - Blank Password"}, "Failed to login. Blank Password"},
        {"login name in use with another staff number", "cmdLogin", "jsmith", "999", right.c_str(), false,
         {"Failed Active Directory Logon - Username in use"}, "Failed to login. Username in use"},
        {"name characters refused before the server", "cmdLogin", "jsmith,ou=people", "200", right.c_str(), false,
         {"Failed Active Directory Logon - Authenticate"}, kFailed},
    };
    for (const DirectoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        resetTables();
        newSession();
        press(c.login, c.staffNo, c.password, c.button);
        EXPECT_EQ(onMainPage(), c.signedIn);
        EXPECT_EQ(reasons(), c.reasons);
        if (c.message) {
            EXPECT_NE(lastBody_.find(c.message), std::string::npos);
        }
    }
}

TEST_F(LogonTest, DirectoryLogonCreatesMissingLogins)
{
    if (!needDirectory())
        GTEST_SKIP() << whyNoDirectory_;
    const std::string anna = SlapdServer::kOtherUser;
    const std::string password = SlapdServer::kOtherPassword;

    // Staff number 300 belongs to "other".
    press(anna, "300", password);
    EXPECT_EQ(reasons(), std::vector<std::string>{"Failed Active Directory Logon - Staff number in use"});
    EXPECT_NE(lastBody_.find("Failed to login. Incorrect Employee Number"), std::string::npos);

    ini().writeBool("Windows", "AutoCreate", false);
    resetTables();
    newSession();
    press(anna, "600", password);
    EXPECT_EQ(reasons(), std::vector<std::string>{"Failed Active Directory Logon - Auto Create"});
    EXPECT_EQ(storedPassword(anna), "<none>");

    // Any HR link row of the staff number qualifies: the directory proved who it is.
    ini().deleteKey("Windows", "AutoCreate");
    resetTables();
    newSession();
    press(anna, "600", password);
    EXPECT_TRUE(onMainPage());
    EXPECT_EQ(reasons(), (std::vector<std::string>{"Auto Create (directory)", "Login successful"}));
    EXPECT_EQ(user().DatabaseName, "Council");

    // An HR link into a database the user may not use creates nothing.
    resetTables();
    Ini((home() / "dbSec.ini").string()).writeBool("600" + anna, "Council", false);
    newSession();
    press(anna, "600", password);
    EXPECT_EQ(reasons(), std::vector<std::string>{"Failed Active Directory Logon - Auto Create"});
}

TEST_F(LogonTest, BypassKeyExemptsAUserFromTheDirectoryOnTheLoginButtonOnly)
{
    if (!needDirectory())
        GTEST_SKIP() << whyNoDirectory_;
    Ini((home() / "zorvwebdebug.ini").string()).writeBool("bypass", "allowjsmith", false);
    press("jsmith", "200", "not the directory one");
    EXPECT_TRUE(onMainPage()) << "the stored password is checked instead";

    ini().writeBool("Program", "clockButton", true);
    resetTables();
    newSession();
    press("jsmith", "200", "not the directory one", "cmdClock");
    EXPECT_EQ(reasons(), std::vector<std::string>{"Failed Logon - Authenticate"});
    ini().deleteKey("Program", "clockButton");
}

TEST_F(LogonTest, UnreachableDirectoryShowsTheErrorPage)
{
    const std::string url = "ldap://127.0.0.1:" + std::to_string(test::freeLoopbackPort()) + "/";
    useDirectory(url);
    press("jsmith", "200", "whatever");
    EXPECT_TRUE(onLoginPage());
    EXPECT_NE(lastBody_.find("Error Opening Connection to Server"), std::string::npos);
    EXPECT_EQ(lastBody_.find(kFailed), std::string::npos);
}

TEST_F(LogonTest, RememberMeTokenSignsInOnceAndBareCookiesSignInNobody)
{
    ini().writeBool("Program", "cookies", true);
    press("mary", "100", "Secret");
    ASSERT_TRUE(onMainPage());
    const std::string token = cookieSet(kRememberCookie);
    ASSERT_FALSE(token.empty());
    EXPECT_EQ(cookieSet("Username"), "mary") << "it still fills in the login page";

    // The old username/staffno cookies alone log nobody in.
    newSession({{"Username", "boss"}, {"staffno", "400"}});
    EXPECT_TRUE(onLoginPage());

    // A valid token does, once, and is replaced by a fresh one.
    newSession({{"ZWREMEMBER", token}});
    EXPECT_TRUE(onMainPage());
    EXPECT_FALSE(cookieSet(kRememberCookie).empty());
    EXPECT_NE(cookieSet(kRememberCookie), token);
    EXPECT_EQ(user().UserName, "mary");
    EXPECT_EQ(reasons().back(), "AutoLogin");
    newSession({{"zwremember", token}});
    EXPECT_TRUE(onLoginPage()) << "a used token is revoked";

    struct TokenCase {
        const char* name;
        std::string token;
    };
    auto w = web();
    const auto now = std::chrono::system_clock::now();
    const auto expired = remember::issue(w, "mary", "100", 1, now - std::chrono::hours(48)).token;
    const auto revoked = remember::issue(w, "mary", "100", 30, now).token;
    remember::revoke(w, revoked, now);
    const auto orphan = remember::issue(w, "gone", "1", 30, now).token;
    for (const TokenCase& c : {TokenCase{"expired", expired}, TokenCase{"revoked", revoked},
                               TokenCase{"login deleted", orphan}, TokenCase{"forged", remember::newToken()},
                               TokenCase{"malformed", "x' or '1'='1"}}) {
        SCOPED_TRACE(c.name);
        newSession({{"zwremember", c.token}});
        EXPECT_TRUE(onLoginPage());
    }
    ini().deleteKey("Program", "cookies");
}

TEST_F(LogonTest, AdministrationButtonsAskForAnAdministratorsLogon)
{
    ini().writeBool("Program", "Import", true);
    bool opened = false;
    setPageOpener(SignedInPage::Import, [&](web::WebSession&) { opened = true; });
    struct Case {
        const char* name;
        const char* login;
        const char* staffNo;
        const char* password;
        bool opens;
        const char* message;
    };
    for (const Case& c : {Case{"wrong password", "boss", "400", "nope", false, kFailed},
                          Case{"not an administrator", "mary", "100", "Secret", false,
                               "You do not have rights for this action."},
                          Case{"administrator", "boss", "400", "pw", true, nullptr}}) {
        SCOPED_TRACE(c.name);
        opened = false;
        newSession();
        press(c.login, c.staffNo, c.password, "cmdImport");
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(user().UserName.empty(), !c.opens);
        if (c.message) {
            EXPECT_NE(lastBody_.find(c.message), std::string::npos);
        }
    }
    setPageOpener(SignedInPage::Import, nullptr);
    ini().deleteKey("Program", "Import");
}

TEST_F(LogonTest, CouncilSetUpRunsOnceWhenTheLoginPageOpens)
{
    const auto update = (home() / "update.ini").string();
    Ini(update).writeBool("Update", "Council", true);
    web().execute("delete from TUSRSCR where ITAG = 580");
    newSession();
    newSession();
    EXPECT_FALSE(Ini(update).readBool("Update", "Council", true));
    EXPECT_EQ(ini().readString("Master", "Sort"), "Surname");
    EXPECT_TRUE(ini().readBool("Program", "ShowallEmployee", false));
    auto rows = web().query("select ACAPTION, IDATATOP, ALABELCOLOUR from TUSRSCR where ITAG = 580");
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows.first()[0].asString(), "Priority");
    EXPECT_EQ(rows.first()[1].asString(), "280");
    EXPECT_EQ(rows.first()[2].asString(), "$00FF6666");
    for (const char* key : {"Email", "ShowallEmployee"})
        ini().deleteKey("Program", key);
    ini().deleteKey("Master", "Sort");
    std::filesystem::remove(update);
}

TEST_F(LogonTest, LogoutRevokesTheTokenAndClearsTheUser)
{
    ini().writeBool("Program", "cookies", true);
    press("mary", "100", "Secret");
    const std::string token = cookieSet(kRememberCookie);
    ASSERT_TRUE(onMainPage());

    press("", "", "", "imglogout1", {{"zwremember", token}});
    EXPECT_TRUE(onLoginPage());
    EXPECT_TRUE(user().UserName.empty());
    EXPECT_TRUE(web().query("select * from TREMEMBER where DREVOKEDUTC is null").empty());
    newSession({{"zwremember", token}});
    ASSERT_TRUE(onLoginPage());
    EXPECT_EQ(driver_->pageAs<TformMain>()->lblerror()->visible(), false);
}

TEST_F(LogonTest, BareLoginCookiesOnlyFillInTheEdits)
{
    ini().writeBool("Program", "cookies", true);
    newSession({{"username", "Mary+Smith"}, {"STAFFNO", "100"}});
    EXPECT_TRUE(onLoginPage());
    EXPECT_NE(lastBody_.find("value=\"Mary Smith\""), std::string::npos);
    EXPECT_TRUE(reasons().empty());
}

} // namespace
} // namespace zorv::signin
