#include "common/Ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "TestFolder.h"

namespace zorv {
namespace {

using test::readText;
using test::TestFolder;
using test::writeText;

class IniTest : public ::testing::Test {
protected:
    TestFolder folder;
    std::string path = folder.file("zorvweb.ini");
    Ini ini {path};
};

TEST_F(IniTest, SectionsAndKeysAreCaseInsensitive)
{
    writeText(path, "[Program]\nWindowsDir = /opt/win\n");

    EXPECT_EQ(ini.readString("PROGRAM", "windowsdir"), "/opt/win");
    EXPECT_TRUE(ini.valueExists("program", "WINDOWSDIR"));
    EXPECT_TRUE(ini.sectionExists("pRoGrAm"));

    ini.writeString("program", "WINDOWSDIR", "/srv/win");
    EXPECT_EQ(ini.keys("Program"), std::vector<std::string> {"WindowsDir"});
    EXPECT_EQ(ini.readString("Program", "WindowsDir"), "/srv/win");
}

TEST_F(IniTest, NumbersAndBooleansReadTheDefaultWhenNotANumber)
{
    struct Case {
        const char* stored;
        int asInteger; ///< read with default -7
        int asBool;    ///< 1/0, or -1 for "the default" (checked with both defaults)
    };
    const Case cases[] = {
        {"12", 12, 1},          {" 12 ", 12, 1},       {"+5", 5, 1},     {"-3", -3, 1},
        {"0", 0, 0},            {"1", 1, 1},           {"2", 2, 1},      {"abc", -7, -1},
        {"12abc", -7, -1},      {"1.5", -7, -1},       {"", -7, -1},     {"yes", -7, -1},
        {"99999999999", -7, 1}, {"+-1", -7, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored '") + c.stored + "'");
        writeText(path, std::string("[S]\nk=") + c.stored + "\n");
        EXPECT_EQ(ini.readInteger("S", "k", -7), c.asInteger);
        if (c.asBool < 0) {
            EXPECT_TRUE(ini.readBool("S", "k", true));
            EXPECT_FALSE(ini.readBool("S", "k", false));
        } else {
            EXPECT_EQ(ini.readBool("S", "k", c.asBool == 0), c.asBool == 1);
        }
    }
    EXPECT_EQ(ini.readInteger("S", "missing", 4), 4);
    EXPECT_TRUE(ini.readBool("Missing", "k", true));
}

TEST_F(IniTest, RealNumbersUseAPointAndOtherwiseReadTheDefault)
{
    const std::pair<const char*, double> cases[] = {
        {"1.5", 1.5}, {"-0.25", -0.25}, {"7", 7.0}, {"1,5", 9.0}, {"abc", 9.0}, {"inf", 9.0}, {"", 9.0},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        writeText(path, std::string("[S]\nk=") + stored + "\n");
        EXPECT_DOUBLE_EQ(ini.readFloat("S", "k", 9.0), expected);
    }
}

TEST_F(IniTest, BooleansAreStoredAsOneAndZero)
{
    ini.writeBool("S", "on", true);
    ini.writeBool("S", "off", false);
    ini.writeInteger("S", "n", -42);

    EXPECT_EQ(ini.readString("S", "on"), "1");
    EXPECT_EQ(ini.readString("S", "off"), "0");
    EXPECT_EQ(ini.readString("S", "n"), "-42");
}

TEST_F(IniTest, AMissingFileReadsEmptyAndTheFirstWriteCreatesIt)
{
    EXPECT_EQ(ini.readString("S", "k", "def"), "def");
    EXPECT_TRUE(ini.sections().empty());
    EXPECT_FALSE(std::filesystem::exists(path));

    ini.writeString("S", "k", "v");
    EXPECT_EQ(Ini(path).readString("S", "k"), "v");
}

TEST_F(IniTest, AWriteKeepsEveryOtherKeyCommentAndOrder)
{
    writeText(path, "; installation settings\n"
                    "[Program]\nWindowsDir=/opt/win\nPort=8080\n"
                    "[Mail]\n; outgoing server\nHost=smtp.local\n");

    ini.writeString("Program", "Port", "9090");
    ini.writeString("Mail", "From", "hr@example.org");
    ini.deleteKey("Program", "NoSuchKey");

    EXPECT_EQ(ini.sections(), (std::vector<std::string> {"Program", "Mail"}));
    EXPECT_EQ(ini.keys("Program"), (std::vector<std::string> {"WindowsDir", "Port"}));
    EXPECT_EQ(ini.readString("Program", "WindowsDir"), "/opt/win");
    EXPECT_EQ(ini.readString("Program", "Port"), "9090");
    EXPECT_EQ(ini.readString("Mail", "Host"), "smtp.local");
    std::string text = readText(path);
    EXPECT_NE(text.find("; installation settings"), std::string::npos);
    EXPECT_NE(text.find("; outgoing server"), std::string::npos);
}

TEST_F(IniTest, DeleteKeyAndEraseSection)
{
    writeText(path, "[A]\nx=1\ny=2\n[B]\nz=3\n");

    ini.deleteKey("a", "X");
    ini.eraseSection("b");

    EXPECT_FALSE(ini.valueExists("A", "x"));
    EXPECT_EQ(ini.readString("A", "y"), "2");
    EXPECT_FALSE(ini.sectionExists("B"));
}

TEST_F(IniTest, ValuesAreUtf8AndLineBreaksCannotInjectEntries)
{
    ini.writeString("S", "name", "Zoë Ó Súilleabháin ½");
    ini.writeString("S", "note", "first\r\n[Evil]\nk=1");

    EXPECT_EQ(ini.readString("S", "name"), "Zoë Ó Súilleabháin ½");
    EXPECT_FALSE(ini.sectionExists("Evil"));
    EXPECT_EQ(ini.readString("S", "note"), "first [Evil] k=1");
}

TEST_F(IniTest, NamesThatCannotReadBackAreRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        {"S", "a=b"}, {"S", ""}, {"S", " padded"}, {"S", ";comment"}, {"S", "two\nlines"}, {"a]b", "k"},
    };
    for (const auto& [section, key] : cases) {
        SCOPED_TRACE(std::string(section) + "/" + key);
        EXPECT_THROW(ini.writeString(section, key, "v"), std::invalid_argument);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniTest, WritingThroughASymlinkUpdatesTheTarget)
{
    std::string link = folder.file("link.ini");
    writeText(path, "[S]\nold=1\n");
    std::filesystem::create_symlink(path, link);

    Ini(link).writeString("S", "new", "2");

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ini.readString("S", "new"), "2");
    EXPECT_EQ(ini.readString("S", "old"), "1");
}

TEST_F(IniTest, AppendUniqueNeverOverwrites)
{
    writeText(path, "[12/03/2024 10:00:00]\nTfrmLogin=first\n");

    EXPECT_EQ(ini.appendUnique("12/03/2024 10:00:00", "tfrmlogin", "second"), "tfrmlogin (2)");
    EXPECT_EQ(ini.appendUnique("12/03/2024 10:00:00", "TfrmLogin", "third"), "TfrmLogin (3)");
    EXPECT_EQ(ini.appendUnique("12/03/2024 10:00:01", "TfrmLogin", "other"), "TfrmLogin");

    EXPECT_EQ(ini.readString("12/03/2024 10:00:00", "TfrmLogin"), "first");
    EXPECT_EQ(ini.readString("12/03/2024 10:00:00", "TfrmLogin (2)"), "second");
    EXPECT_EQ(ini.readString("12/03/2024 10:00:00", "TfrmLogin (3)"), "third");
}

constexpr int kKeysPerWriter = 25;

void writeKeys(const std::string& path, const std::string& writer)
{
    Ini ini(path);
    for (int i = 0; i < kKeysPerWriter; ++i)
        ini.writeString("Shared", writer + "_" + std::to_string(i), std::to_string(i));
}

void expectAllKeys(const Ini& ini, const std::vector<std::string>& writers)
{
    EXPECT_EQ(ini.keys("Shared").size(), writers.size() * kKeysPerWriter);
    for (const std::string& writer : writers) {
        for (int i = 0; i < kKeysPerWriter; ++i)
            EXPECT_EQ(ini.readInteger("Shared", writer + "_" + std::to_string(i), -1), i) << writer;
    }
}

TEST_F(IniTest, ConcurrentWritersInThreadsLoseNoKey)
{
    constexpr int kThreads = 8;
    std::vector<std::string> writers;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        writers.push_back("thread" + std::to_string(t));
    for (const std::string& writer : writers)
        threads.emplace_back(writeKeys, path, writer);
    for (std::thread& thread : threads)
        thread.join();

    expectAllKeys(ini, writers);
}

TEST_F(IniTest, ConcurrentWritersInProcessesLoseNoKey)
{
    const std::vector<std::string> writers {"child0", "child1", "parent"};
    std::vector<pid_t> children;
    for (int c = 0; c < 2; ++c) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                writeKeys(path, writers[static_cast<size_t>(c)]);
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    writeKeys(path, "parent");
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    expectAllKeys(ini, writers);
}

} // namespace
} // namespace zorv
