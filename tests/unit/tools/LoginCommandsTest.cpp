#include "InstallationTestSupport.h"
#include "TestFolder.h"
#include "signin/Passwords.h"
#include "signin/RememberStore.h"
#include "tools/InstallCommands.h"
#include "tools/LogonsCommand.h"
#include "tools/PasswdCommand.h"

#include <gtest/gtest.h>
#include <memory>

namespace zorv::admin {
namespace {

namespace fs = std::filesystem;
using test::openDatabase;
using test::runCommand;

constexpr int kCookieDays = 30;

/// One site installation shared by the tests, with logins besides its
/// administrator: jsmith under two staff numbers, ann under one, both with
/// legacy plain passwords; and logon audit rows written out of time order.
class LoginCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<zorv::test::TestFolder>();
        const test::CommandRun init = runCommand(runInit, {"--home", home().string()});
        ASSERT_EQ(init.code, ExitCode::Ok) << init.err;
        db::Connection web = openDatabase(home(), "data/web.fdb");
        for (const auto& [login, staffNo] : {std::pair{"jsmith", "2001"}, {"JSmith", "2002"}, {"ann", "3001"}})
            web.execute("insert into TLOGIN (AUSER, ASTAFFNO, APASSWORD) values (?, ?, ?)",
                        {login, staffNo, "old-pw"});
        struct Logon {
            const char* address;
            DateTime at;
            const char* reason;
            std::string login;
            std::string staffNo;
        };
        const Logon logons[] = {
            {"10.0.0.7", {{2025, 6, 11}, 9, 30, 5}, "Failed Logon", "evil\x1B[2J\x1B]0;pwned\x07", ""},
            {"127.0.0.1", {{2025, 6, 10}, 0, 0, 0}, "Login successful", "admin", "ADMIN"},
            {"10.0.0.8", {{2025, 6, 9}, 23, 59, 59}, "Failed Logon - Incorrect Password", "mallory", "1\r\n2"},
            {"::1", {{2025, 6, 10}, 12, 0, 0}, "Login successful", "zoë", "1005"},
        };
        for (const Logon& logon : logons)
            web.execute("insert into LOGIP (IPADDRESS, DLOGGED, AREASON, AUSERNAME, ASTAFFNO) values (?, ?, ?, ?, ?)",
                        {logon.address, logon.at, logon.reason, logon.login, logon.staffNo});
    }
    static void TearDownTestSuite() { folder_.reset(); }

    static fs::path home() { return folder_->path() / "site"; }

    /// passwd with args after --home, the reader giving password; counts the
    /// times the password was asked for.
    test::CommandRun passwd(std::vector<std::string> args, std::optional<std::string> password)
    {
        args.insert(args.begin(), {"--home", home().string()});
        const PasswordReader reader = [this, password](std::ostream&) {
            ++passwordsAsked;
            return password;
        };
        return runCommand(
            [&](const std::vector<std::string>& a, std::ostream& out, std::ostream& err) {
                return runPasswdWith(a, reader, out, err);
            },
            args);
    }

    /// (login, staff no) → stored password of every tLogin row.
    static std::map<std::pair<std::string, std::string>, std::string> storedPasswords()
    {
        db::Connection web = openDatabase(home(), "data/web.fdb");
        std::map<std::pair<std::string, std::string>, std::string> stored;
        for (const db::Row& row : web.query("select AUSER, ASTAFFNO, APASSWORD from TLOGIN"))
            stored[{row[0].asString(), row[1].asString()}] = row[2].asString();
        return stored;
    }

    int passwordsAsked = 0;
    static inline std::unique_ptr<zorv::test::TestFolder> folder_;
};

TEST_F(LoginCommands, LogonsPrintsEveryRowOldestFirstWithControlCharactersEscaped)
{
    const test::CommandRun logons = runCommand(runLogons, {"--home", home().string()});
    ASSERT_EQ(logons.code, ExitCode::Ok) << logons.err;
    EXPECT_EQ(logons.out,
              "time                 address    login                        staff no  reason\n"
              "09/06/2025 23:59:59  10.0.0.8   mallory                      1\\r\\n2    Failed Logon - Incorrect Password\n"
              "10/06/2025 00:00:00  127.0.0.1  admin                        ADMIN     Login successful\n"
              "10/06/2025 12:00:00  ::1        zoë                          1005      Login successful\n"
              "11/06/2025 09:30:05  10.0.0.7   evil\\x1B[2J\\x1B]0;pwned\\x07            Failed Logon\n"
              "4 logons.\n");
}

TEST_F(LoginCommands, LogonsSinceADayStartsAtItsMidnight)
{
    const test::CommandRun logons = runCommand(runLogons, {"--home", home().string(), "--since", "10/06/2025"});
    ASSERT_EQ(logons.code, ExitCode::Ok) << logons.err;
    EXPECT_EQ(logons.out.find("09/06/2025"), std::string::npos) << logons.out;
    EXPECT_NE(logons.out.find("10/06/2025 00:00:00  127.0.0.1"), std::string::npos) << logons.out;
    EXPECT_NE(logons.out.find("11/06/2025 09:30:05"), std::string::npos) << logons.out;
    EXPECT_NE(logons.out.find("\n3 logons since 10/06/2025.\n"), std::string::npos) << logons.out;

    const test::CommandRun later = runCommand(runLogons, {"--home", home().string(), "--since", "12/06/2025"});
    EXPECT_EQ(later.out, "time                 address  login  staff no  reason\n0 logons since 12/06/2025.\n");
}

TEST_F(LoginCommands, LogonsRefusesABadDateOrAFolderWithoutInstallation)
{
    const test::CommandRun badDate = runCommand(runLogons, {"--home", home().string(), "--since", "2025-06-10"});
    EXPECT_EQ(badDate.code, ExitCode::Usage);
    EXPECT_EQ(badDate.err, "zorvweb-admin logons: --since takes a date dd/mm/yyyy, not 2025-06-10\n");

    const test::CommandRun noInstallation = runCommand(runLogons, {"--home", folder_->path().string()});
    EXPECT_EQ(noInstallation.code, ExitCode::Failed);
    EXPECT_NE(noInstallation.err.find("holds no installation"), std::string::npos) << noInstallation.err;
}

TEST_F(LoginCommands, PasswdStoresAHashThatTakesThePasswordInAnyCase)
{
    const std::string before = storedPasswords().at({"admin", "ADMIN"});
    const test::CommandRun run = passwd({"ADMIN"}, "N3w-Secret");
    ASSERT_EQ(run.code, ExitCode::Ok) << run.err;
    EXPECT_EQ(run.out, "Password of admin (staff number ADMIN) set; 0 remember-me tokens revoked.\n");

    const std::string stored = storedPasswords().at({"admin", "ADMIN"});
    EXPECT_TRUE(signin::isHashedPassword(stored)) << stored;
    EXPECT_NE(stored, before);
    for (const char* typed : {"N3w-Secret", "n3w-secret", "N3W-SECRET"})
        EXPECT_TRUE(signin::verifyPassword(stored, typed).ok) << typed;
    EXPECT_FALSE(signin::verifyPassword(stored, "N3w-Secre").ok);
}

TEST_F(LoginCommands, PasswdWithStaffNumberSetsThatRowOnly)
{
    const test::CommandRun run = passwd({"JSMITH", "--staffno", "2002"}, "Row-Two-Pw");
    ASSERT_EQ(run.code, ExitCode::Ok) << run.err;
    const auto stored = storedPasswords();
    EXPECT_TRUE(signin::verifyPassword(stored.at({"JSmith", "2002"}), "row-two-pw").ok);
    EXPECT_EQ(stored.at({"jsmith", "2001"}), "old-pw");
}

struct Refusal {
    const char* name;
    std::vector<std::string> args;
    std::optional<std::string> password;
    const char* message;
    int passwordsAsked; ///< a login that cannot be set is refused before asking
};

const Refusal kRefusals[] = {
    {"unknown login", {"nobody"}, "Pw-123", "zorvweb-admin passwd: there is no login nobody\n", 0},
    {"unknown staff number", {"ann", "--staffno", "2001"}, "Pw-123",
     "zorvweb-admin passwd: there is no login ann with staff number 2001\n", 0},
    {"login with two staff numbers", {"jsmith"}, "Pw-123",
     "zorvweb-admin passwd: login jsmith has several staff numbers (2001, 2002): choose one with --staffno\n", 0},
    {"empty password", {"ann"}, "", "zorvweb-admin passwd: the password must not be empty\n", 1},
    {"no password given", {"ann"}, std::nullopt, "", 1},
};

TEST_F(LoginCommands, PasswdRefusesAndChangesNothing)
{
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.name);
        const auto before = storedPasswords();
        passwordsAsked = 0;
        const test::CommandRun run = passwd(refusal.args, refusal.password);
        EXPECT_EQ(run.code, ExitCode::Failed);
        EXPECT_EQ(run.err, refusal.message);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(passwordsAsked, refusal.passwordsAsked);
        EXPECT_EQ(storedPasswords(), before);
    }
}

TEST_F(LoginCommands, PasswdRevokesTheLiveTokensOfThatLoginOnly)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    const auto now = std::chrono::system_clock::now();
    const auto first = signin::remember::issue(web, "ann", "3001", kCookieDays, now);
    const auto second = signin::remember::issue(web, "ann", "3001", kCookieDays, now);
    const auto others = signin::remember::issue(web, "admin", "ADMIN", kCookieDays, now);

    const test::CommandRun run = passwd({"Ann"}, "Fresh-Pw-1");
    ASSERT_EQ(run.code, ExitCode::Ok) << run.err;
    EXPECT_EQ(run.out, "Password of ann (staff number 3001) set; 2 remember-me tokens revoked.\n");

    const auto later = now + std::chrono::minutes(1);
    EXPECT_FALSE(signin::remember::redeem(web, first.token, later));
    EXPECT_FALSE(signin::remember::redeem(web, second.token, later));
    const auto admin = signin::remember::redeem(web, others.token, later);
    ASSERT_TRUE(admin);
    EXPECT_EQ(admin->login, "admin");
}

} // namespace
} // namespace zorv::admin
