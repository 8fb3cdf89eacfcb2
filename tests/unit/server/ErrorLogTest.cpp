#include "server/ErrorLog.h"

#include <gtest/gtest.h>

#include "TestFolder.h"
#include "common/Ini.h"
#include "common/ProgramFolder.h"

namespace zorv {
namespace {

using test::TestFolder;

const DateTime kWhen {{2024, 3, 5}, 9, 7, 3};

TEST(ErrorLogTest, TwoErrorsInOneSecondKeepBoth)
{
    TestFolder folder;
    std::string path = folder.file("ZorvError.ini");

    EXPECT_EQ(logError(path, kWhen, "TfrmHolReq.cmdSaveClick", "deadlock\nretry"), "05/03/2024 09:07:03");
    EXPECT_EQ(logError(path, kWhen, "TfrmHolReq.cmdSaveClick", "lost connection"), "05/03/2024 09:07:03");

    Ini ini(path);
    EXPECT_EQ(ini.keys("05/03/2024 09:07:03"),
              (std::vector<std::string> {"TfrmHolReq.cmdSaveClick", "TfrmHolReq.cmdSaveClick (2)"}));
    EXPECT_EQ(ini.readString("05/03/2024 09:07:03", "TfrmHolReq.cmdSaveClick"), "deadlock retry");
    EXPECT_EQ(ini.readString("05/03/2024 09:07:03", "TfrmHolReq.cmdSaveClick (2)"), "lost connection");
}

TEST(ErrorLogTest, AnAwkwardContextIsStillRecorded)
{
    TestFolder folder;
    std::string path = folder.file("ZorvError.ini");
    const std::pair<const char*, const char*> cases[] = {
        {"a=b", "a:b"},
        {"[Section]", "Section]"},
        {"", "Error"},
        {"two\nlines", "two lines"},
    };
    for (const auto& [context, key] : cases) {
        SCOPED_TRACE(context);
        logError(path, kWhen, context, "message");
        EXPECT_EQ(Ini(path).readString("05/03/2024 09:07:03", key), "message");
    }
}

TEST(ErrorLogTest, AnUnwritableFileStillGivesTheReference)
{
    TestFolder folder;
    std::string path = folder.file("missing-folder/ZorvError.ini");

    EXPECT_EQ(logError(path, kWhen, "ctx", "message"), "05/03/2024 09:07:03");
}

TEST(ErrorLogTest, WritesToTheErrorFileOfTheProgramFolder)
{
    TestFolder folder;
    setProgramFolder(folder.path());

    std::string section = logError("TformMain.Login", "no database");

    EXPECT_TRUE(DateTime::parse(section).has_value()) << section;
    EXPECT_EQ(Ini(folder.file("ZorvError.ini")).readString(section, "TformMain.Login"), "no database");
}

} // namespace
} // namespace zorv
