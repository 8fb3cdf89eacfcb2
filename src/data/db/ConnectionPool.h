#pragma once

#include "data/db/ConnectionTarget.h"
#include "data/db/PooledConnection.h"

#include <cstddef>
#include <memory>

namespace zorv::db {

namespace detail {
class PoolState;
} // namespace detail

struct PoolOptions {
    /// Idle connections kept for the next borrower; more are closed on return.
    std::size_t maxIdle = 8;
};

/// Connections to one database with one login, lent to one request at a
/// time. There is no limit on borrowed connections: the server's worker
/// semaphore bounds them. Thread-safe.
class ConnectionPool {
public:
    explicit ConnectionPool(ConnectionTarget target, PoolOptions options = {});
    /// Closes the idle connections; borrowed ones close when they come back.
    ~ConnectionPool();
    ConnectionPool(const ConnectionPool&) = delete;
    ConnectionPool& operator=(const ConnectionPool&) = delete;

    const ConnectionTarget& target() const;

    /// An idle connection, or a new attachment; throws DatabaseError when
    /// attaching fails.
    PooledConnection borrow();
    /// Closes the idle connections and has those now borrowed closed when
    /// they come back, so every later borrow attaches afresh (the daily
    /// reconnection).
    void recycle();
    std::size_t idleCount() const;

private:
    std::shared_ptr<detail::PoolState> state_;
};

} // namespace zorv::db
