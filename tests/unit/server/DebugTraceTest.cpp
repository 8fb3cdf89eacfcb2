#include "server/DebugTrace.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/Ini.h"
#include "common/ProgramFolder.h"

namespace zorv {
namespace {

using test::TestFolder;
using test::writeText;

TEST(DebugTraceTest, TheSwitchIsReadFromTheDebugFile)
{
    TestFolder folder;
    setProgramFolder(folder.path());
    std::string path = folder.file("zorvwebdebug.ini");
    const std::pair<const char*, bool> cases[] = {
        {"[Debugger]\ndebugger=1\n", true},
        {"[DEBUGGER]\nDebugger=1\n", true},
        {"[Debugger]\ndebugger=0\n", false},
        {"[Debugger]\ndebugger=yes\n", false},
        {"", false},
    };
    for (const auto& [content, on] : cases) {
        SCOPED_TRACE(content);
        writeText(path, content);
        EXPECT_EQ(debugTraceOn(), on);
        EXPECT_EQ(DebugTrace::fromIni().on(), on);
    }
}

TEST(DebugTraceTest, WritesOnlyWhenOn)
{
    TestFolder folder;
    std::string path = folder.file("trace.ini");

    DebugTrace(false, path).write("Login", "step", "1");
    EXPECT_FALSE(std::filesystem::exists(path));

    DebugTrace(true, path).write("Login", "step", "2");
    EXPECT_EQ(Ini(path).readString("Login", "step"), "2");
}

TEST(DebugTraceTest, TheFreeFunctionFollowsTheSwitchInTheFile)
{
    TestFolder folder;
    setProgramFolder(folder.path());
    Ini ini(folder.file("zorvwebdebug.ini"));

    debugTrace("Login", "off", "x");
    ini.writeBool("Debugger", "debugger", true);
    debugTrace("Login", "on", "y");

    EXPECT_FALSE(ini.valueExists("Login", "off"));
    EXPECT_EQ(ini.readString("Login", "on"), "y");
}

TEST(DebugTraceTest, AFailedWriteIsNotThrown)
{
    TestFolder folder;
    EXPECT_NO_THROW(DebugTrace(true, folder.file("missing/trace.ini")).write("S", "k", "v"));
}

} // namespace
} // namespace zorv
