#include "InstallationTestSupport.h"
#include "TestFolder.h"
#include "signin/Passwords.h"
#include "tools/InstallCommands.h"

#include <gtest/gtest.h>
#include <regex>

namespace zorv::admin {
namespace {

namespace fs = std::filesystem;
using test::openDatabase;
using test::runCommand;

TEST(SiteInstallation, InitGivesAnInstallationThatChecksAndOneAdministrator)
{
    zorv::test::TestFolder folder;
    const fs::path home = folder.path() / "site";
    const test::CommandRun init = runCommand(runInit, {"--home", home.string()});
    ASSERT_EQ(init.code, ExitCode::Ok) << init.err;

    std::smatch printed;
    ASSERT_TRUE(std::regex_search(init.out, printed, std::regex(R"(\nadmin +ADMIN +(\S{14}) +administrator\n)")))
        << init.out;
    db::Connection web = openDatabase(home, "data/web.fdb");
    const db::ResultSet logins = web.query("select AUSER, APASSWORD, LASTDB from TLOGIN");
    ASSERT_EQ(logins.size(), 1u);
    const std::string stored = logins[0]["APASSWORD"].asString();
    EXPECT_TRUE(signin::isHashedPassword(stored)) << stored;
    EXPECT_TRUE(signin::verifyPassword(stored, printed[1].str()).ok);
    EXPECT_EQ(logins[0]["LASTDB"].asString(), "Main");

    const test::CommandRun check = runCommand(runCheck, {"--home", home.string()});
    EXPECT_EQ(check.code, ExitCode::Ok) << check.out;
    EXPECT_NE(check.out.find("ok      dbZorvMain"), std::string::npos) << check.out;
}

struct Breakage {
    const char* what;
    const char* path; ///< moved away for the check, then back
    const char* expected;
};

const Breakage kBreakages[] = {
    {"central database", "data/central.fdb", "FAILED  CentQuennel "},
    {"employee database", "data/main.fdb", "FAILED  dbZorvMain "},
    {"database list", "data/dblist/tables.fdb", "FAILED  Zorv-Localdat "},
    {"audit folder", "data/work/audit/zorvweb", "FAILED  audit trail "},
};

TEST(SiteInstallation, CheckNamesWhatCannotBeReached)
{
    zorv::test::TestFolder folder;
    const fs::path home = folder.path() / "site";
    ASSERT_EQ(runCommand(runInit, {"--home", home.string()}).code, ExitCode::Ok);
    for (const Breakage& breakage : kBreakages) {
        SCOPED_TRACE(breakage.what);
        const fs::path original = home / breakage.path;
        const fs::path away = folder.path() / "away";
        fs::rename(original, away);
        const test::CommandRun check = runCommand(runCheck, {"--home", home.string()});
        fs::rename(away, original);
        EXPECT_EQ(check.code, ExitCode::Failed);
        const std::size_t line = check.out.find(breakage.expected);
        ASSERT_NE(line, std::string::npos) << check.out;
        const std::string rest = check.out.substr(line, check.out.find('\n', line) - line);
        EXPECT_NE(rest.find(original.lexically_normal().string() + ": the "), std::string::npos) << rest;
        EXPECT_NE(check.out.find("1 of "), std::string::npos) << check.out;
    }
}

TEST(SiteInstallation, CheckOfAFolderWithoutInstallationFails)
{
    zorv::test::TestFolder folder;
    const test::CommandRun check = runCommand(runCheck, {"--home", folder.path().string()});
    EXPECT_EQ(check.code, ExitCode::Failed);
    EXPECT_NE(check.out.find("zorvweb.ini"), std::string::npos);
    EXPECT_NE(check.out.find("the file does not exist"), std::string::npos);
}

} // namespace
} // namespace zorv::admin
