#include "tools/InstallArgs.h"

#include <gtest/gtest.h>

namespace zorv::admin {
namespace {

struct ArgsCase {
    const char* name;
    std::vector<std::string> args;
    bool demo;
    const char* error; ///< nullptr: parses
};

const ArgsCase kCases[] = {
    {"all demo options", {"--home", "h", "--employees", "40", "--seed", "7", "--today", "02/03/2025"}, true, nullptr},
    {"home is required", {"--employees", "40"}, true, "--home DIR is required"},
    {"value missing", {"--home"}, true, "--home needs a value"},
    {"employees not a number", {"--home", "h", "--employees", "many"}, true, "--employees takes a number, not many"},
    {"too few employees", {"--home", "h", "--employees", "11"}, true, "--employees must be between 12 and 3000"},
    {"seed out of range", {"--home", "h", "--seed", "4294967296"}, true,
     "--seed takes a number from 0 to 4294967295, not 4294967296"},
    {"today not a date", {"--home", "h", "--today", "2025-03-02"}, true,
     "--today takes a date dd/mm/yyyy, not 2025-03-02"},
    {"demo options are not init options", {"--home", "h", "--seed", "7"}, false, "unknown option --seed"},
};

TEST(InstallArgs, ParsesOrNamesTheFault)
{
    for (const ArgsCase& c : kCases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const std::optional<InstallArgs> parsed = parseInstallArgs(c.args, InstallOptions{c.demo}, error);
        if (c.error) {
            EXPECT_FALSE(parsed);
            EXPECT_EQ(error, c.error);
            continue;
        }
        ASSERT_TRUE(parsed) << error;
        EXPECT_EQ(parsed->home, "h");
        EXPECT_EQ(parsed->employees, 40);
        EXPECT_EQ(parsed->seed, 7u);
        EXPECT_EQ(parsed->today, (Date{2025, 3, 2}));
    }
}

struct CommandArgsCase {
    const char* name;
    std::vector<std::string> args;
    const char* error; ///< nullptr: parses to home "h", LOGIN "jsmith" and --staffno "1005"
};

const CommandArgsCase kCommandCases[] = {
    {"options before and after the login", {"--staffno", "1005", "jsmith", "--home", "h"}, nullptr},
    {"login missing", {"--home", "h", "--staffno", "1005"}, "LOGIN is required"},
    {"a second login", {"--home", "h", "jsmith", "jdoe"}, "unexpected argument jdoe"},
    {"home missing", {"jsmith"}, "--home DIR is required"},
    {"option of another command", {"--home", "h", "jsmith", "--since", "01/01/2025"}, "unknown option --since"},
    {"option without value", {"--home", "h", "jsmith", "--staffno"}, "--staffno needs a value"},
};

TEST(CommandArgs, ParsesOptionsAndLoginOrNamesTheFault)
{
    for (const CommandArgsCase& c : kCommandCases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const std::optional<CommandArgs> parsed = parseCommandArgs(c.args, {"--staffno"}, {"LOGIN"}, error);
        if (c.error) {
            EXPECT_FALSE(parsed);
            EXPECT_EQ(error, c.error);
            continue;
        }
        ASSERT_TRUE(parsed) << error;
        EXPECT_EQ(parsed->home, "h");
        EXPECT_EQ(parsed->positional, std::vector<std::string>{"jsmith"});
        EXPECT_EQ(parsed->option("--staffno"), "1005");
        EXPECT_EQ(parsed->option("--since"), std::nullopt);
    }
}

} // namespace
} // namespace zorv::admin
