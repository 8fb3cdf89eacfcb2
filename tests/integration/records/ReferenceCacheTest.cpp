// The cache of reference rows on real databases: what it serves, and when it
// reads again.

#include "TestInstallation.h"

#include "data/ReferenceCache.h"
#include "data/db/Connection.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <string>
#include <vector>

namespace zorv::data {
namespace {

const char* const kCaptions = "select CAPTION from LABEL where TABLENAME = ? order by CAPTION";

class ReferenceCacheTest : public ::testing::Test {
protected:
    ReferenceCacheTest()
    {
        addLabel("MASTER", "Surname");
        addLabel("ABSENCE", "Reason");
    }

    void addLabel(const std::string& table, const std::string& caption)
    {
        global.execute("insert into LABEL (TABLENAME, CAPTION) values (?, ?)", {table, caption});
    }

    std::vector<std::string> captions(ReferenceCache& cache, db::Connection& connection, const db::Value& table)
    {
        std::vector<std::string> result;
        const auto rows = cache.rows(connection, kCaptions, {table}, {"label"});
        for (const db::Row& row : *rows)
            result.push_back(row["CAPTION"].asString());
        return result;
    }

    test::TestInstallation installation{std::vector<std::string>{}};
    db::Connection global = installation.attach(installation.databaseFile("global"));
    ReferenceCache cache;
};

using Captions = std::vector<std::string>;

TEST_F(ReferenceCacheTest, ServesTheFirstReadUntilItsTableIsInvalidated)
{
    EXPECT_EQ(captions(cache, global, "MASTER"), Captions{"Surname"});
    addLabel("MASTER", "Forenames");
    EXPECT_EQ(captions(cache, global, "MASTER"), Captions{"Surname"}) << "a hit does not read again";

    cache.invalidate("TABLES");
    EXPECT_EQ(captions(cache, global, "MASTER"), Captions{"Surname"}) << "another table leaves the entry";

    cache.invalidate("Label"); // the case of the name does not matter
    EXPECT_EQ(captions(cache, global, "MASTER"), (Captions{"Forenames", "Surname"}));
}

TEST_F(ReferenceCacheTest, ParametersAndDatabasesAreKeptApart)
{
    EXPECT_EQ(captions(cache, global, "MASTER"), Captions{"Surname"});
    EXPECT_EQ(captions(cache, global, "ABSENCE"), Captions{"Reason"});

    // The same statement on the global work database has rows of its own.
    db::Connection work = installation.attach(installation.databaseFile("globalwork"));
    work.execute("insert into LABEL (TABLENAME, CAPTION) values ('MASTER', 'Work surname')");
    EXPECT_EQ(captions(cache, work, "MASTER"), Captions{"Work surname"});
    EXPECT_EQ(captions(cache, global, "MASTER"), Captions{"Surname"});

    // A null parameter is not the empty text: each gets its own entry.
    global.execute("insert into LABEL (TABLENAME, CAPTION) values ('', 'Blank')");
    EXPECT_EQ(captions(cache, global, ""), Captions{"Blank"});
    EXPECT_EQ(captions(cache, global, nullptr), Captions{});
}

TEST_F(ReferenceCacheTest, DisabledReadsEveryTimeAndKeepsNothing)
{
    EXPECT_EQ(captions(cache, global, "MASTER"), Captions{"Surname"});
    cache.setEnabled(false);
    EXPECT_FALSE(cache.enabled());
    EXPECT_EQ(cache.size(), 0u);
    addLabel("MASTER", "Forenames");
    EXPECT_EQ(captions(cache, global, "MASTER"), (Captions{"Forenames", "Surname"}));
    addLabel("MASTER", "Title");
    EXPECT_EQ(captions(cache, global, "MASTER"), (Captions{"Forenames", "Surname", "Title"}));
    EXPECT_EQ(cache.size(), 0u);
}

TEST_F(ReferenceCacheTest, DropsTheLeastRecentlyUsedEntryWhenFull)
{
    ReferenceCache small(2);
    captions(small, global, "MASTER");
    captions(small, global, "ABSENCE");
    captions(small, global, "MASTER"); // MASTER is now the more recent one
    captions(small, global, "TRAINING");
    EXPECT_EQ(small.size(), 2u);

    addLabel("MASTER", "Forenames");
    addLabel("ABSENCE", "Days");
    EXPECT_EQ(captions(small, global, "MASTER"), Captions{"Surname"}) << "kept";
    EXPECT_EQ(captions(small, global, "ABSENCE"), (Captions{"Days", "Reason"})) << "dropped, read again";
}

TEST_F(ReferenceCacheTest, SessionsReadAndInvalidateAtTheSameTime)
{
    constexpr int kReaders = 4;
    constexpr int kRounds = 50;
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < kReaders; ++t) {
        threads.emplace_back([&, t] {
            db::Connection own = installation.attach(installation.databaseFile("global"));
            for (int round = 0; round < kRounds; ++round) {
                const bool master = (round + t) % 2 == 0;
                const Captions expected = master ? Captions{"Surname"} : Captions{"Reason"};
                if (captions(cache, own, master ? "MASTER" : "ABSENCE") != expected)
                    ++wrong;
                if (t == 0)
                    cache.invalidate("LABEL");
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_LE(cache.size(), 2u);
}

TEST_F(ReferenceCacheTest, AFailedReadIsNotCached)
{
    EXPECT_THROW(cache.rows(global, "select NOSUCHCOLUMN from LABEL", {}, {"LABEL"}), std::exception);
    EXPECT_EQ(cache.size(), 0u);
}

} // namespace
} // namespace zorv::data
