#include "server/LogFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <thread>

#include "TestFolder.h"
#include "common/Text.h"
#include "tools/AuditCommand.h"

namespace zorv {
namespace {

using test::readText;
using test::TestFolder;
using test::writeText;

const DateTime kWhen {{2024, 3, 5}, 9, 7, 3};
const std::string kStamp = "05/03/2024,09:07:03";

TLogFile trailAt(const DateTime& when)
{
    TLogFile trail;
    trail.setClock([when] { return when; });
    return trail;
}

AuditField field(std::string name, std::optional<std::string> oldValue,
                 std::optional<std::string> newValue)
{
    return AuditField {std::move(name), std::move(oldValue), std::move(newValue)};
}

std::string lineFor(AuditAction action, std::vector<AuditField> fields, std::string user = "jdoe")
{
    TLogFile trail = trailAt(kWhen);
    trail.LogChange(action, user, AuditRow {"dmStaff", "qryStaff", std::move(fields)}, "TfrmStaff");
    return trail.pendingLines().at(0);
}

TEST(AuditLineTest, ChangeLines)
{
    const std::string head = kStamp + ",jdoe,TfrmStaff,dmStaff,qryStaff";
    AuditField photo = field("PHOTO", "old-bytes", "new-bytes");
    photo.isGraphic = true;
    struct Case {
        const char* name;
        AuditAction action;
        std::vector<AuditField> fields;
        std::string expected;
    };
    const Case cases[] = {
        {"insert lists new values, null empty", AuditAction::Insert,
         {field("SURNAME", std::nullopt, "Smith"), field("NOTE", std::nullopt, std::nullopt)},
         "RI," + head + ",SURNAME,Smith,NOTE,"},
        {"modify lists every field, changed or not", AuditAction::Modify,
         {field("STAFFNO", "00123", "00123"), field("GRADE", "3", "4"), field("NOTE", std::nullopt, std::nullopt)},
         "RM," + head + ",STAFFNO,00123,00123,GRADE,3,4,NOTE,,"},
        {"delete lists old values", AuditAction::Delete,
         {field("SURNAME", "Smith", std::nullopt), field("GRADE", "3", std::nullopt)},
         "RD," + head + ",SURNAME,Smith,GRADE,3"},
        {"a comma quotes the value", AuditAction::Insert,
         {field("ADDRESS", std::nullopt, "a,b")},
         "RI," + head + ",ADDRESS,\"a,b\""},
        {"a quote without a comma is written as it is", AuditAction::Insert,
         {field("SIZE", std::nullopt, "5\" wheel")},
         "RI," + head + ",SIZE,5\" wheel"},
        {"quotes inside a quoted value are doubled", AuditAction::Modify,
         {field("NOTE", "say \"hi\", bob", "x")},
         "RM," + head + ",NOTE,\"say \"\"hi\"\", bob\",x"},
        {"a field name with a comma is quoted", AuditAction::Insert,
         {field("A,B", std::nullopt, "1")},
         "RI," + head + ",\"A,B\",1"},
        {"graphic fields are left out", AuditAction::Modify,
         {photo, field("GRADE", "3", "4")},
         "RM," + head + ",GRADE,3,4"},
        {"passwords are masked whatever the case of the name", AuditAction::Modify,
         {field("aPassword", "secret,1", "hunter2"), field("APASSWORD", "old", std::nullopt)},
         "RM," + head + ",aPassword,********,********,APASSWORD,********,"},
        {"an inserted password is masked", AuditAction::Insert,
         {field("APASSWORD", std::nullopt, "hunter2")},
         "RI," + head + ",APASSWORD,********"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lineFor(c.action, c.fields), c.expected);
    }
}

TEST(AuditLineTest, TextFieldsAreQuotedLikeValues)
{
    EXPECT_EQ(lineFor(AuditAction::Delete, {}, "Doe, J"),
              "RD," + kStamp + ",\"Doe, J\",TfrmStaff,dmStaff,qryStaff");

    TLogFile trail = trailAt(kWhen);
    trail.LogText("jdoe", "Holiday request", "Approved 3 days, from 05/03", "00123");
    EXPECT_EQ(trail.pendingLines().at(0),
              "RT," + kStamp + ",jdoe,Holiday request,\"Approved 3 days, from 05/03\",00123");
}

TEST(AuditLineTest, ActionNumbersAndUnknownActions)
{
    TLogFile trail = trailAt(kWhen);
    AuditRow row {"dm", "qry", {}};
    trail.LogChange(0, "u", row, "s");
    trail.LogChange(1, "u", row, "s");
    trail.LogChange(2, "u", row, "s");
    EXPECT_EQ(trail.pendingLines().at(0).substr(0, 3), "RI,");
    EXPECT_EQ(trail.pendingLines().at(1).substr(0, 3), "RM,");
    EXPECT_EQ(trail.pendingLines().at(2).substr(0, 3), "RD,");
    EXPECT_THROW(trail.LogChange(3, "u", row, "s"), std::invalid_argument);
    EXPECT_EQ(trail.pendingCount(), 3u);
}

std::string unscrambled(std::string bytes)
{
    for (char& c : bytes)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kAuditScrambleKey);
    return bytes;
}

TEST(AuditFileTest, RecordsAreLengthPrefixedScrambledCp1252)
{
    TestFolder folder;
    std::string path = folder.file("audit.zvl");
    TLogFile trail = trailAt(kWhen);
    trail.setLogFileName(path);
    trail.LogText("jdoe", "Rate", "¼½¾€", "1");
    trail.LogText("jdoe", "Rate", "none", "2");
    trail.Flush();

    const std::string first = "RT," + kStamp + ",jdoe,Rate,\xBC\xBD\xBE\x80,1";
    const std::string second = "RT," + kStamp + ",jdoe,Rate,none,2";
    std::string raw = readText(path);
    ASSERT_EQ(raw.size(), 6 + first.size() + 6 + second.size());
    EXPECT_EQ(raw.substr(0, 6), "    " + std::to_string(first.size()));
    EXPECT_EQ(unscrambled(raw.substr(6, first.size())), first);
    EXPECT_EQ(raw.substr(6 + first.size(), 6), "    " + std::to_string(second.size()));

    bool whole = false;
    EXPECT_EQ(readAuditFile(path, whole),
              (std::vector<std::string> {"RT," + kStamp + ",jdoe,Rate,¼½¾€,1", second}));
    EXPECT_TRUE(whole);
    EXPECT_EQ(trail.pendingCount(), 0u);
}

TEST(AuditFileTest, FlushAppendsAndCreatesTheFileWithMode0640)
{
    TestFolder folder;
    std::string path = folder.file("audit.zvl");
    mode_t previousMask = ::umask(022);
    TLogFile trail = trailAt(kWhen);
    trail.setLogFileName(path);
    trail.LogText("a", "c", "s", "1");
    trail.Flush();
    trail.LogText("b", "c", "s", "2");
    trail.Flush();
    ::umask(previousMask);

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    bool whole = false;
    EXPECT_EQ(readAuditFile(path, whole).size(), 2u);
}

TEST(AuditFileTest, ClearPendingDropsTheLinesOfAFailedApply)
{
    TestFolder folder;
    std::string path = folder.file("audit.zvl");
    TLogFile trail = trailAt(kWhen);
    trail.setLogFileName(path);
    trail.LogChange(AuditAction::Insert, "u", AuditRow {"dm", "qry", {}}, "s");

    trail.ClearPending();
    trail.Flush();

    EXPECT_EQ(trail.pendingCount(), 0u);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(AuditFileTest, AFailedFlushKeepsThePendingLines)
{
    TestFolder folder;
    TLogFile trail = trailAt(kWhen);
    trail.setLogFileName(folder.file("no-such-folder/audit.zvl"));
    trail.LogText("u", "c", "s", "1");

    EXPECT_THROW(trail.Flush(), std::system_error);
    EXPECT_EQ(trail.pendingCount(), 1u);

    TLogFile unnamed = trailAt(kWhen);
    unnamed.LogText("u", "c", "s", "1");
    EXPECT_THROW(unnamed.Flush(), std::logic_error);
}

TEST(AuditFileTest, FolderModeWritesEachFlushToTheFileOfItsDay)
{
    TestFolder folder;
    DateTime clock {{2024, 3, 5}, 23, 59, 59};
    TLogFile trail;
    trail.setClock([&clock] { return clock; });
    trail.setAuditFolder(folder.path().string());

    trail.LogText("u", "c", "before midnight", "1");
    trail.Flush();
    clock = DateTime {{2024, 3, 6}, 0, 0, 1};
    trail.LogText("u", "c", "after midnight", "1");
    EXPECT_EQ(trail.logFileName(), folder.file("06032024.zvl"));
    trail.Flush();

    bool whole = false;
    auto day1 = readAuditFile(folder.file("05032024.zvl"), whole);
    auto day2 = readAuditFile(folder.file("06032024.zvl"), whole);
    ASSERT_EQ(day1.size(), 1u);
    ASSERT_EQ(day2.size(), 1u);
    EXPECT_NE(day1[0].find("before midnight"), std::string::npos);
    EXPECT_NE(day2[0].find("after midnight"), std::string::npos);
}

TEST(AuditFileTest, ConcurrentSessionsNeverInterleaveRecords)
{
    constexpr int kSessions = 8;
    constexpr int kLinesPerSession = 150;
    TestFolder folder;
    std::string path = folder.file("audit.zvl");

    std::vector<std::thread> sessions;
    for (int s = 0; s < kSessions; ++s) {
        sessions.emplace_back([&path, s] {
            TLogFile trail;
            trail.setLogFileName(path);
            for (int i = 0; i < kLinesPerSession; ++i) {
                // Lengths vary so a torn record would shift every header after it.
                trail.LogText("user" + std::to_string(s), std::to_string(i), std::string(i % 40 * 7, 'x'), "€");
                if (i % 3 == 2)
                    trail.Flush();
            }
            trail.Flush();
        });
    }
    for (std::thread& session : sessions)
        session.join();

    bool whole = false;
    std::vector<std::string> lines = readAuditFile(path, whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(lines.size(), static_cast<size_t>(kSessions * kLinesPerSession));
    // Each session's lines arrive whole and in the order it logged them.
    std::vector<int> nextOfSession(kSessions, 0);
    for (const std::string& line : lines) {
        std::vector<std::string> fields = split(line, ',');
        ASSERT_EQ(fields.size(), 7u) << line;
        int session = std::stoi(fields[3].substr(std::string("user").size()));
        ASSERT_TRUE(session >= 0 && session < kSessions) << line;
        EXPECT_EQ(fields[4], std::to_string(nextOfSession[static_cast<size_t>(session)]++)) << line;
        EXPECT_EQ(fields[6], "€") << line;
    }

    std::ostringstream out, err;
    EXPECT_EQ(admin::runAudit({"--check", path}, out, err), admin::ExitCode::Ok);
    EXPECT_EQ(out.str(), path + ": 1200 records, whole\n");
}

TEST(AuditFileTest, ADamagedFileIsDetected)
{
    TestFolder folder;
    std::string path = folder.file("audit.zvl");
    const std::string a = encodeAuditRecord("RT,first");
    const std::string b = encodeAuditRecord("RT,second");
    struct Case {
        const char* name;
        std::string content;
        size_t wholeRecords;
    };
    const Case cases[] = {
        {"cut inside a record", a + b.substr(0, b.size() - 2), 1},
        {"cut inside a header", a + b.substr(0, 3), 1},
        {"a header that is not a number", a + "  x123" + b, 1},
        {"a blank header", "      " + a, 0},
        {"bytes appended after the last record", a + b + "\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(path, c.content);
        bool whole = true;
        EXPECT_EQ(readAuditFile(path, whole).size(), c.wholeRecords);
        EXPECT_FALSE(whole);
    }
}

} // namespace
} // namespace zorv
