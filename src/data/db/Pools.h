#pragma once

#include "data/db/ConnectionPool.h"
#include "data/db/ConnectionTarget.h"
#include "data/db/PooledConnection.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::db {

/// The databases of the installation by alias ("GlobalQuennel"), ASCII
/// case-insensitive. Aliases naming the same database with the same login
/// share one pool. Thread-safe.
class Pools {
public:
    explicit Pools(PoolOptions options = {});

    /// Registers alias, or points it at another database; connections already
    /// borrowed through it are not affected.
    void add(std::string_view alias, const ConnectionTarget& target);
    bool contains(std::string_view alias) const;
    /// The aliases as they were registered, in case-insensitive order.
    std::vector<std::string> aliases() const;

    /// A connection to the database of alias; throws DatabaseError for an
    /// unknown alias or when attaching fails.
    PooledConnection borrow(std::string_view alias);
    /// The pool of alias; throws DatabaseError for an unknown alias.
    std::shared_ptr<ConnectionPool> pool(std::string_view alias) const;
    /// Recycles every pool (see ConnectionPool::recycle).
    void recycleAll();

private:
    struct Entry {
        std::string alias;
        std::shared_ptr<ConnectionPool> pool;
    };

    std::shared_ptr<ConnectionPool> poolFor(const ConnectionTarget& target) const;

    PoolOptions options_;
    mutable std::mutex mutex_;
    std::map<std::string, Entry> byUpperAlias_;
};

} // namespace zorv::db
