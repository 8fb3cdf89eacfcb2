// zorvweb-admin: operator commands that work on the files of an installation.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/db/FirebirdRoot.h"
#include "tools/AuditCommand.h"
#include "tools/InstallCommands.h"
#include "tools/LogonsCommand.h"
#include "tools/PasswdCommand.h"

namespace {

using zorv::admin::ExitCode;
using CommandFn = ExitCode (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct Command {
    std::string_view name;
    std::string_view usage;
    CommandFn run;
};

constexpr Command kCommands[] = {
    {"audit", "audit [--check] FILE...   print (or check) audit trail files",
     &zorv::admin::runAudit},
    {"demo", "demo --home DIR [--employees N] [--seed S] [--today dd/mm/yyyy]\n"
             "                            build the demo installation and print its logins",
     &zorv::admin::runDemo},
    {"init", "init --home DIR            build an empty installation with one administrator",
     &zorv::admin::runInit},
    {"check", "check --home DIR           check that the databases and folders can be reached",
     &zorv::admin::runCheck},
    {"logons", "logons --home DIR [--since dd/mm/yyyy]\n"
               "                            print the logon audit rows, oldest first",
     &zorv::admin::runLogons},
    {"passwd", "passwd --home DIR LOGIN [--staffno S]\n"
               "                            set the password of a web login (typed twice, or one line\n"
               "                            on standard input) and revoke its remember-me tokens",
     &zorv::admin::runPasswd},
};

int printUsage()
{
    std::cerr << "usage: zorvweb-admin COMMAND [ARGS]\n";
    for (const Command& command : kCommands)
        std::cerr << "  " << command.usage << '\n';
    return static_cast<int>(ExitCode::Usage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return printUsage();
    std::string_view name = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (command.name != name)
            continue;
        ExitCode code = command.run(args, std::cout, std::cerr);
        std::cout.flush();
        if (zorv::db::FirebirdRoot::isPrepared())
            zorv::db::FirebirdRoot::shutdown();
        if (code == ExitCode::Usage)
            return printUsage();
        return static_cast<int>(code);
    }
    return printUsage();
}
