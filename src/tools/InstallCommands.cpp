#include "tools/InstallCommands.h"

#include "tools/FirebirdSetup.h"
#include "tools/InstallArgs.h"
#include "tools/Installation.h"
#include "tools/InstallationCheck.h"

#include <chrono>
#include <fmt/format.h>
#include <random>
#include <sys/stat.h>

namespace zorv::admin {

namespace {

constexpr mode_t kInstallationUmask = 027;
constexpr std::size_t kPasswordLength = 14;
// No characters that are easily mistaken for one another (0/O, 1/l/I).
constexpr std::string_view kPasswordAlphabet = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";

std::optional<InstallArgs> parse(const std::vector<std::string>& args, InstallOptions options, std::ostream& err)
{
    std::string error;
    std::optional<InstallArgs> parsed = parseInstallArgs(args, options, error);
    if (!parsed)
        err << "zorvweb-admin: " << error << '\n';
    return parsed;
}

std::string randomPassword()
{
    std::random_device device;
    std::string password;
    for (std::size_t i = 0; i < kPasswordLength; ++i)
        password += kPasswordAlphabet[device() % kPasswordAlphabet.size()];
    return password;
}

void printLogins(const std::vector<Login>& logins, std::ostream& out)
{
    out << fmt::format("{:<12} {:<10} {:<12} {}\n", "login", "staff no", "password", "role");
    for (const Login& login : logins)
        out << fmt::format("{:<12} {:<10} {:<12} {}\n", login.login, login.staffNo, login.password,
                           roleName(login.role));
}

} // namespace

ExitCode runDemo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<InstallArgs> parsed = parse(args, InstallOptions{true}, err);
    if (!parsed)
        return ExitCode::Usage;
    const auto started = std::chrono::steady_clock::now();
    try {
        ::umask(kInstallationUmask);
        prepareFirebird(parsed->home);
        const DemoOptions options{parsed->home, parsed->employees, parsed->seed,
                                  parsed->today.value_or(DateTime::now().date)};
        const BuildResult result = buildDemo(options);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        out << fmt::format("Demo installation created in {} ({} databases, {} rows, {:.1f} s).\n\n",
                           parsed->home.string(), result.databases, result.rows, took.count());
        out << "Demo logins (database Hospital):\n";
        printLogins(result.logins, out);
        return ExitCode::Ok;
    } catch (const std::exception& e) {
        err << "zorvweb-admin demo: " << e.what() << '\n';
        return ExitCode::Failed;
    }
}

ExitCode runInit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<InstallArgs> parsed = parse(args, InstallOptions{}, err);
    if (!parsed)
        return ExitCode::Usage;
    try {
        ::umask(kInstallationUmask);
        prepareFirebird(parsed->home);
        const BuildResult result = buildSite(parsed->home, DateTime::now().date, randomPassword());
        out << fmt::format("Installation created in {}.\n\n", parsed->home.string());
        printLogins(result.logins, out);
        out << "\nThe password is shown only this once: note it and change it after the first login.\n";
        return ExitCode::Ok;
    } catch (const std::exception& e) {
        err << "zorvweb-admin init: " << e.what() << '\n';
        return ExitCode::Failed;
    }
}

ExitCode runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<InstallArgs> parsed = parse(args, InstallOptions{}, err);
    if (!parsed)
        return ExitCode::Usage;
    try {
        if (std::filesystem::is_regular_file(parsed->home / "zorvweb.ini"))
            prepareFirebird(parsed->home);
        const std::vector<CheckResult> results = checkInstallation(parsed->home);
        int failed = 0;
        for (const CheckResult& result : results) {
            out << fmt::format("{:<7} {:<22} {}{}\n", result.ok() ? "ok" : "FAILED", result.name, result.path,
                               result.ok() ? "" : ": " + result.problem);
            failed += result.ok() ? 0 : 1;
        }
        if (failed == 0) {
            out << fmt::format("All {} databases and folders are reachable.\n", results.size());
            return ExitCode::Ok;
        }
        out << fmt::format("{} of {} checks failed.\n", failed, results.size());
        return ExitCode::Failed;
    } catch (const std::exception& e) {
        err << "zorvweb-admin check: " << e.what() << '\n';
        return ExitCode::Failed;
    }
}

} // namespace zorv::admin
