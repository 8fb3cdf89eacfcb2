// zorvweb-admin: operator commands that work on the files of an installation.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/AuditCommand.h"

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
        if (code == ExitCode::Usage)
            return printUsage();
        return static_cast<int>(code);
    }
    return printUsage();
}
