// The unique-key counter under concurrent sessions.

#include "TestDatabases.h"
#include "TestInstallation.h"

#include "data/UniqueKeys.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace zorv::data {
namespace {

using test::TestInstallation;
using test::TestSession;

TEST(NextUniqueTest, ConcurrentSessionsNeverGetTheSameKey)
{
    constexpr int kThreads = 32;
    constexpr int kKeysEach = 200;
    TestInstallation installation(std::vector<std::string>{});
    installation.open();

    std::vector<std::vector<int>> keys(kThreads);
    std::vector<std::string> errors(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            try {
                TestSession session(installation); // its own connections from the pools
                for (int i = 0; i < kKeysEach; ++i)
                    keys[t].push_back(session.dmMain->NextUnique("iUnique"));
            } catch (const std::exception& e) {
                errors[t] = e.what();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();

    std::set<int> distinct;
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(errors[t], "") << "thread " << t;
        EXPECT_TRUE(std::is_sorted(keys[t].begin(), keys[t].end()));
        distinct.insert(keys[t].begin(), keys[t].end());
    }
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kThreads * kKeysEach));
    EXPECT_EQ(*distinct.rbegin(), kThreads * kKeysEach) << "no number skipped";
}

TEST(NextUniqueTest, ACounterLockedLongerThanTheRetriesGiveRaisesOneError)
{
    TestInstallation installation(std::vector<std::string>{});
    installation.open();
    auto holder = installation.data().pools().borrow("GlobalQuennel");
    db::Transaction blocking(*holder);
    blocking.execute("update SYSNO set IUNIQUE = IUNIQUE + 1");

    auto connection = installation.data().pools().borrow("GlobalQuennel");
    try {
        nextUnique(*connection, "iUnique", 0);
        FAIL() << "got a key while another transaction held the counter";
    } catch (const db::DatabaseError& e) {
        EXPECT_TRUE(e.isLockConflict());
        EXPECT_NE(std::string(e.what()).find("stayed locked"), std::string::npos) << e.what();
    }
    blocking.rollback();
    EXPECT_EQ(nextUnique(*connection, "iUnique"), 1);
    EXPECT_THROW(nextUnique(*connection, "NoSuchCounter"), db::DatabaseError);
}

TEST(NextUniqueTest, CountsOnADialectOneDatabaseAndFromAnEmptyCounter)
{
    test::TestDatabases databases;
    db::Connection connection = databases.create("old", 1);
    connection.execute("create table SYSNO (IUNIQUE integer, STAFFNO integer)");
    connection.execute("insert into SYSNO (STAFFNO) values (5)");
    EXPECT_EQ(nextUnique(connection, "iUnique"), 1);
    EXPECT_EQ(nextUnique(connection, "IUNIQUE"), 2);
    EXPECT_EQ(nextUnique(connection, "StaffNo"), 6);
}

} // namespace
} // namespace zorv::data
