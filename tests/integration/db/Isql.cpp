#include "Isql.h"

#include "TestFolder.h"

#include <cstdio>
#include <sys/wait.h>

namespace zorv::test {

IsqlRun runIsql(const std::string& script, const std::string& database)
{
    TestFolder folder;
    const std::string scriptFile = folder.file("script.sql");
    writeText(scriptFile, script);
    std::string command = "isql-fb -q -ch UTF8 -user SYSDBA -i '" + scriptFile + "'";
    if (!database.empty())
        command += " '" + database + "'";
    command += " 2>&1";

    IsqlRun run{-1, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace zorv::test
