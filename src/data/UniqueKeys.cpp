#include "data/UniqueKeys.h"

#include "common/Text.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <chrono>
#include <mutex>
#include <random>
#include <set>
#include <thread>

namespace zorv::data {

namespace {

constexpr const char* kCounterTable = "SYSNO";
constexpr std::chrono::milliseconds kFirstPause{10};

/// The pause before retry attempt (1-based): doubling, with jitter so that
/// sessions that collided do not collide again in step.
std::chrono::milliseconds pauseBefore(int attempt)
{
    thread_local std::minstd_rand random{std::random_device{}()};
    const auto base = kFirstPause * (1 << (attempt - 1));
    std::uniform_int_distribution<long> jitter(0, base.count());
    return base + std::chrono::milliseconds(jitter(random));
}

/// Serialises the increments of this process. Firebird answers a read
/// committed update of a row that another transaction changed and then
/// committed with an update conflict, so sessions of this server racing for
/// the counter row would exhaust their retries; only other programs (the
/// desktop products) can still collide with us, and the retries cover them.
std::mutex& counterMutex()
{
    static std::mutex mutex;
    return mutex;
}

int incrementOnce(db::Connection& connection, const std::string& counter, int lockWaitSeconds)
{
    std::lock_guard serialised(counterMutex());
    db::TransactionOptions options;
    options.lockTimeoutSeconds = lockWaitSeconds;
    db::Transaction transaction(connection, options);
    // The counter column is a checked identifier; a NULL counter counts as 0.
    // More than one row fails the statement.
    const db::ResultSet result = transaction.query("update " + std::string(kCounterTable) + " set " + counter +
                                                   " = coalesce(" + counter + ", 0) + 1 returning " + counter);
    if (result.empty() || result[0][0].isNull())
        throw db::DatabaseError("The counter table " + std::string(kCounterTable) + " has no row.");
    const auto value = result[0][0].asInt();
    transaction.commit();
    return static_cast<int>(value);
}

/// Whether counter is a column of SYSNO in the database of connection; asked
/// of the catalogue once per database and counter.
bool isCounter(db::Connection& connection, const std::string& counter)
{
    static std::mutex mutex;
    static std::set<std::pair<std::string, std::string>> known; // database path, upper-cased counter
    const auto key = std::make_pair(connection.target().path, toUpper(counter));
    {
        std::lock_guard lock(mutex);
        if (known.count(key))
            return true;
    }
    if (!db::columnExists(connection, kCounterTable, counter))
        return false;
    std::lock_guard lock(mutex);
    known.insert(key);
    return true;
}

} // namespace

int nextUnique(db::Connection& connection, const std::string& counter, int lockWaitSeconds)
{
    if (!isCounter(connection, counter))
        throw db::DatabaseError("The counter " + counter + " does not exist in table " + kCounterTable + ".");
    for (int attempt = 0;; ++attempt) {
        try {
            return incrementOnce(connection, counter, lockWaitSeconds);
        } catch (const db::DatabaseError& e) {
            if (!e.isLockConflict())
                throw;
            if (attempt == kMaxUniqueKeyRetries)
                throw db::DatabaseError("No new number from counter " + counter +
                                            ": it stayed locked by other users. " + e.what(),
                                        e.sqlCode(), e.gdsCodes());
        }
        std::this_thread::sleep_for(pauseBefore(attempt + 1));
    }
}

} // namespace zorv::data
