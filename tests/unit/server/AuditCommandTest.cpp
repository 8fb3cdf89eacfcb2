#include "tools/AuditCommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "TestFolder.h"
#include "server/LogFile.h"

namespace zorv::admin {
namespace {

using test::TestFolder;
using test::writeText;

class AuditCommandTest : public ::testing::Test {
protected:
    AuditCommandTest()
    {
        writeText(good, encodeAuditRecord("RT,one,¼") + encodeAuditRecord("RT,two\nRI,forged"));
        writeText(damaged, encodeAuditRecord("RT,one") + encodeAuditRecord("RT,two").substr(0, 9));
    }

    struct Run {
        ExitCode code;
        std::string out;
        std::string err;
    };
    Run run(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        ExitCode code = runAudit(args, out, err);
        return {code, out.str(), err.str()};
    }

    TestFolder folder;
    std::string good = folder.file("good.zvl");
    std::string damaged = folder.file("damaged.zvl");
    std::string missing = folder.file("missing.zvl");
};

TEST_F(AuditCommandTest, BadArgumentsAreAUsageError)
{
    const std::vector<std::vector<std::string>> cases = {{}, {"--check"}, {"--verbose", "x"}, {"x", "--check"}};
    for (const auto& args : cases)
        EXPECT_EQ(run(args).code, ExitCode::Usage);
}

TEST_F(AuditCommandTest, CheckReportsEachFile)
{
    Run r = run({"--check", good, damaged});

    EXPECT_EQ(r.code, ExitCode::Failed);
    EXPECT_EQ(r.out, good + ": 2 records, whole\n" + damaged + ": damaged after record 1\n");
    EXPECT_EQ(run({"--check", good}).code, ExitCode::Ok);
}

TEST_F(AuditCommandTest, PrintsOneRecordPerLine)
{
    Run r = run({good});

    EXPECT_EQ(r.code, ExitCode::Ok);
    EXPECT_EQ(r.out, "RT,one,¼\nRT,two\\nRI,forged\n");
}

TEST_F(AuditCommandTest, DamagedOrMissingFilesFail)
{
    Run r = run({damaged, missing});

    EXPECT_EQ(r.code, ExitCode::Failed);
    EXPECT_EQ(r.out, "RT,one\n");
    EXPECT_NE(r.err.find(damaged + ": damaged after record 1"), std::string::npos);
    EXPECT_NE(r.err.find(missing + ": cannot be read"), std::string::npos);
}

} // namespace
} // namespace zorv::admin
