#include "TestDatabases.h"
#include "data/db/ConnectionPool.h"
#include "data/db/DatabaseError.h"
#include "data/db/Pools.h"
#include "data/db/Transaction.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace zorv::db {
namespace {

using test::BackendTest;

constexpr std::size_t kMaxIdle = 3;

/// The server's number for the attachment behind a connection.
std::int64_t attachmentId(Connection& connection)
{
    return connection.query("select CURRENT_CONNECTION from RDB$DATABASE").first()[0].asInt();
}

class PoolTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        databases().create("pool").execute("CREATE TABLE HIT (THREADNO INTEGER, N INTEGER)");
        pool_.emplace(databases().target("pool"), PoolOptions{kMaxIdle});
    }

    ConnectionPool& pool() { return *pool_; }

private:
    std::optional<ConnectionPool> pool_;
};

TEST_P(PoolTest, LendsReturnedConnectionsAgainUpToTheIdleLimit)
{
    std::int64_t first = 0;
    {
        PooledConnection borrowed = pool().borrow();
        first = attachmentId(*borrowed);
        PooledConnection meanwhile = pool().borrow();
        EXPECT_NE(attachmentId(*meanwhile), first);
    }
    EXPECT_EQ(pool().idleCount(), 2u);
    EXPECT_EQ(attachmentId(*pool().borrow()), first);

    {
        std::vector<PooledConnection> many;
        for (std::size_t i = 0; i < kMaxIdle + 2; ++i)
            many.push_back(pool().borrow());
    }
    EXPECT_EQ(pool().idleCount(), kMaxIdle);
}

TEST_P(PoolTest, RecycleReplacesIdleAndBorrowedConnections)
{
    std::optional<PooledConnection> borrowed(pool().borrow());
    const std::int64_t borrowedId = attachmentId(**borrowed);
    const std::int64_t idleId = attachmentId(*pool().borrow());
    ASSERT_EQ(pool().idleCount(), 1u);

    pool().recycle();
    EXPECT_EQ(pool().idleCount(), 0u);
    (*borrowed)->execute("insert into HIT values (0, 0)"); // still usable until it goes back
    borrowed.reset();
    EXPECT_EQ(pool().idleCount(), 0u);

    const std::int64_t fresh = attachmentId(*pool().borrow());
    EXPECT_NE(fresh, borrowedId);
    EXPECT_NE(fresh, idleId);
}

TEST_P(PoolTest, ServesManyThreadsWhileRecycling)
{
    constexpr int kThreads = 6;
    constexpr int kRounds = 20;
    std::atomic<int> failures = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int n = 0; n < kRounds; ++n) {
                try {
                    PooledConnection connection = pool().borrow();
                    Transaction transaction(*connection);
                    transaction.execute("insert into HIT values (?, ?)", {t, n});
                    transaction.commit();
                    if (t == 0 && n % 5 == 0)
                        pool().recycle();
                } catch (const DatabaseError&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(failures, 0);
    EXPECT_LE(pool().idleCount(), kMaxIdle);
    EXPECT_EQ(pool().borrow()->query("select count(distinct THREADNO * 1000 + N) from HIT").first()[0].asInt(),
              kThreads * kRounds);
}

ZORV_INSTANTIATE_FOR_BACKENDS(PoolTest);

TEST(PoolsTest, FindsPoolsByAliasWhateverTheCase)
{
    test::TestDatabases databases;
    databases.create("global").execute("CREATE TABLE T (N INTEGER)");
    databases.create("staff");
    Pools pools;
    pools.add("GlobalQuennel", databases.target("global"));
    pools.add("dbZorvGlobal", databases.target("global"));
    pools.add("dbZorvStaff", databases.target("staff"));

    EXPECT_TRUE(pools.contains("GLOBALQUENNEL"));
    EXPECT_FALSE(pools.contains("Global"));
    EXPECT_EQ(pools.aliases(), (std::vector<std::string>{"dbZorvGlobal", "dbZorvStaff", "GlobalQuennel"}));
    EXPECT_EQ(pools.pool("globalquennel"), pools.pool("DBZORVGLOBAL"));
    EXPECT_NE(pools.pool("globalquennel"), pools.pool("dbZorvStaff"));
    EXPECT_EQ(pools.borrow("globalQuennel")->query("select count(*) from T").first()[0].asInt(), 0);
    try {
        pools.borrow("Nowhere");
        ADD_FAILURE() << "lent a connection for an unknown alias";
    } catch (const DatabaseError& error) {
        EXPECT_STREQ(error.what(), "no database is known by the alias Nowhere");
    }
}

} // namespace
} // namespace zorv::db
