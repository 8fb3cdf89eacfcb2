#include "TestDatabases.h"
#include "data/db/ConnectionPool.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <gtest/gtest.h>
#include <memory>

namespace zorv::db {
namespace {

using test::BackendTest;

class TransactionTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        Connection connection = databases().create("transactions");
        connection.execute("CREATE TABLE CLOCKING (ID INTEGER NOT NULL PRIMARY KEY, MINUTES INTEGER)");
        connection.execute("insert into CLOCKING values (1, 0)");
    }

    ConnectionTarget target() { return databases().target("transactions"); }

    std::int64_t rowCount()
    {
        return Connection::attach(target()).query("select count(*) from CLOCKING").first()[0].asInt();
    }
};

TEST_P(TransactionTest, RollsBackUnlessCommitted)
{
    Connection connection = Connection::attach(target());
    {
        Transaction forgotten(connection);
        forgotten.execute("insert into CLOCKING values (2, 0)");
    }
    {
        Transaction undone(connection);
        undone.execute("insert into CLOCKING values (3, 0)");
        undone.rollback();
        EXPECT_FALSE(undone.isActive());
        EXPECT_THROW(undone.commit(), DatabaseError);
    }
    {
        Transaction kept(connection);
        kept.execute("insert into CLOCKING values (4, 0)");
        kept.commit();
    }
    std::vector<std::int64_t> ids;
    for (const Row& row : connection.query("select ID from CLOCKING order by ID"))
        ids.push_back(row["ID"].asInt());
    EXPECT_EQ(ids, (std::vector<std::int64_t>{1, 4}));
}

TEST_P(TransactionTest, EndsWhenItsConnectionGoesBackOrCloses)
{
    ConnectionPool pool(target());
    std::unique_ptr<Transaction> outlivesBorrow;
    {
        PooledConnection borrowed = pool.borrow();
        outlivesBorrow = std::make_unique<Transaction>(*borrowed);
        outlivesBorrow->execute("insert into CLOCKING values (2, 0)");
    }
    EXPECT_FALSE(outlivesBorrow->isActive());

    Connection connection = Connection::attach(target());
    Transaction open(connection);
    open.execute("insert into CLOCKING values (3, 0)");
    connection.close();
    EXPECT_FALSE(open.isActive());
    EXPECT_EQ(rowCount(), 1);
}

TEST_P(TransactionTest, ConcurrentUpdatesAreLockConflicts)
{
    for (const int lockTimeoutSeconds : {0, 1}) {
        Connection first = Connection::attach(target());
        Connection second = Connection::attach(target());
        Transaction holder(first);
        holder.execute("update CLOCKING set MINUTES = 1 where ID = 1");

        TransactionOptions options;
        options.lockTimeoutSeconds = lockTimeoutSeconds;
        Transaction waiter(second, options);
        try {
            waiter.execute("update CLOCKING set MINUTES = 2 where ID = 1");
            ADD_FAILURE() << "no conflict with timeout " << lockTimeoutSeconds;
        } catch (const DatabaseError& error) {
            EXPECT_TRUE(error.isLockConflict()) << error.what();
            EXPECT_NE(error.sqlCode(), 0);
        }
    }
}

TEST_P(TransactionTest, StatementsRunManyTimesAndReportTheirRows)
{
    Connection connection = Connection::attach(target());
    Transaction transaction(connection);
    Statement insert = transaction.prepare("insert into CLOCKING (ID, MINUTES) values (?, ?)");
    EXPECT_EQ(insert.parameterCount(), 2u);
    for (int id = 2; id <= 5; ++id)
        EXPECT_EQ(insert.execute(transaction, {id, id * 10}), 1u);

    EXPECT_EQ(transaction.execute("update CLOCKING set MINUTES = MINUTES + 1 where ID >= ?", {3}), 3u);
    const ResultSet returned =
        transaction.query("update CLOCKING set MINUTES = 0 where ID = ? returning MINUTES, old.MINUTES as WAS", {5});
    ASSERT_EQ(returned.size(), 1u);
    EXPECT_EQ(returned[0]["WAS"].asInt(), 51);

    Cursor cursor = transaction.prepare("select ID from CLOCKING where ID > ? order by ID").open(transaction, {3});
    std::vector<std::int64_t> ids;
    while (cursor.next())
        ids.push_back(cursor.row()["ID"].asInt());
    EXPECT_EQ(ids, (std::vector<std::int64_t>{4, 5}));

    EXPECT_THROW(insert.execute(transaction, {6}), DatabaseError);
    EXPECT_THROW(transaction.prepare("select ID from CLOCKING").execute(transaction), DatabaseError);
    EXPECT_THROW(transaction.execute("selec nothing"), DatabaseError);
    transaction.commit();
}

ZORV_INSTANTIATE_FOR_BACKENDS(TransactionTest);

} // namespace
} // namespace zorv::db
