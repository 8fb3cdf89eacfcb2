#include "tools/PasswdCommand.h"
#include "data/Aliases.h"

#include "common/Text.h"
#include "data/db/Catalogue.h"
#include "data/db/Transaction.h"
#include "signin/Passwords.h"
#include "signin/RememberStore.h"
#include "tools/InstallArgs.h"
#include "tools/InstallationDatabase.h"
#include "tools/PasswordInput.h"
#include "tools/PrintableText.h"

#include <chrono>
#include <fmt/format.h>
#include <set>
#include <unistd.h>

namespace zorv::admin {

namespace {

constexpr std::string_view kStaffNo = "--staffno";
constexpr std::string_view kWebDatabase = data::alias::kWeb;

/// The key of one tLogin row, as stored.
struct LoginRow {
    std::string login;
    std::string staffNo;
};

struct PasswdArgs {
    std::filesystem::path home;
    std::string login;
    std::optional<std::string> staffNo;
};

std::optional<PasswdArgs> parse(const std::vector<std::string>& args, std::ostream& err)
{
    std::string error;
    const std::optional<CommandArgs> parsed = parseCommandArgs(args, {kStaffNo}, {"LOGIN"}, error);
    if (!parsed) {
        err << "zorvweb-admin passwd: " << error << '\n';
        return std::nullopt;
    }
    return PasswdArgs{parsed->home, parsed->positional.front(), parsed->option(kStaffNo)};
}

/// The rows of the login (and staff number), matched without regard to case
/// as the logon matches them.
std::vector<LoginRow> findRows(db::Connection& web, const PasswdArgs& args)
{
    const db::ResultSet rows =
        args.staffNo ? web.query("select AUSER, ASTAFFNO from TLOGIN where upper(AUSER) = upper(?) "
                                 "and upper(ASTAFFNO) = upper(?) order by ASTAFFNO, AUSER",
                                 {args.login, *args.staffNo})
                     : web.query("select AUSER, ASTAFFNO from TLOGIN where upper(AUSER) = upper(?) "
                                 "order by ASTAFFNO, AUSER",
                                 {args.login});
    std::vector<LoginRow> found;
    for (const db::Row& row : rows)
        found.push_back({row["AUSER"].asString(), row["ASTAFFNO"].asString()});
    return found;
}

/// The staff numbers of rows, as the logon tells them apart (ignoring case).
std::set<std::string> distinctStaffNumbers(const std::vector<LoginRow>& rows)
{
    std::set<std::string> numbers;
    for (const LoginRow& row : rows)
        numbers.insert(toUpper(row.staffNo));
    return numbers;
}

std::string staffNumberList(const std::vector<LoginRow>& rows)
{
    std::vector<std::string> numbers;
    for (const LoginRow& row : rows)
        numbers.push_back(printableText(row.staffNo));
    return join(numbers, ", ");
}

/// Says why rows cannot take the new password; empty when they can.
std::string refusal(const PasswdArgs& args, const std::vector<LoginRow>& rows)
{
    const std::string login = printableText(args.login);
    if (rows.empty() && args.staffNo)
        return fmt::format("there is no login {} with staff number {}", login, printableText(*args.staffNo));
    if (rows.empty())
        return fmt::format("there is no login {}", login);
    if (!args.staffNo && distinctStaffNumbers(rows).size() > 1)
        return fmt::format("login {} has several staff numbers ({}): choose one with --staffno", login,
                           staffNumberList(rows));
    return {};
}

void storeHash(db::Connection& web, const std::vector<LoginRow>& rows, const std::string& hash)
{
    db::Transaction transaction(web);
    for (const LoginRow& row : rows)
        transaction.execute("update TLOGIN set APASSWORD = ? where AUSER = ? and ASTAFFNO = ?",
                            {hash, row.login, row.staffNo});
    transaction.commit();
}

/// Revokes every remember-me token of login; an installation whose server has
/// not yet made the token table has none.
std::uint64_t revokeTokens(db::Connection& web, const std::string& login)
{
    if (!db::tableExists(web, "TREMEMBER"))
        return 0;
    // Runs after the new password is stored: a token redeemed meanwhile was
    // reissued under the old password and must go too.
    return signin::remember::revokeAll(web, login, std::chrono::system_clock::now());
}

} // namespace

ExitCode runPasswdWith(const std::vector<std::string>& args, const PasswordReader& readPassword, std::ostream& out,
                       std::ostream& err)
{
    const std::optional<PasswdArgs> parsed = parse(args, err);
    if (!parsed)
        return ExitCode::Usage;
    try {
        db::Connection web = openApplicationDatabase(parsed->home, std::string(kWebDatabase));
        const std::vector<LoginRow> rows = findRows(web, *parsed);
        if (const std::string why = refusal(*parsed, rows); !why.empty()) {
            err << "zorvweb-admin passwd: " << why << '\n';
            return ExitCode::Failed;
        }
        const std::optional<std::string> password = readPassword(err);
        if (!password)
            return ExitCode::Failed;
        if (password->empty()) {
            err << "zorvweb-admin passwd: the password must not be empty\n";
            return ExitCode::Failed;
        }
        storeHash(web, rows, signin::hashPassword(*password));
        const std::string who = fmt::format("{} (staff number {})", printableText(rows.front().login),
                                            staffNumberList(rows));
        std::uint64_t revoked = 0;
        try {
            revoked = revokeTokens(web, rows.front().login);
        } catch (const std::exception& e) {
            err << "zorvweb-admin passwd: the password of " << who
                << " is set, but its remember-me tokens could not be revoked: " << e.what() << '\n';
            return ExitCode::Failed;
        }
        out << fmt::format("Password of {} set; {} remember-me token{} revoked.\n", who, revoked,
                           revoked == 1 ? "" : "s");
        return ExitCode::Ok;
    } catch (const std::exception& e) {
        err << "zorvweb-admin passwd: " << e.what() << '\n';
        return ExitCode::Failed;
    }
}

ExitCode runPasswd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return runPasswdWith(
        args, [](std::ostream& prompts) { return readNewPassword(STDIN_FILENO, prompts); }, out, err);
}

} // namespace zorv::admin
