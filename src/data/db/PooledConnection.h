#pragma once

#include "data/db/Connection.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace zorv::db {

namespace detail {
class PoolState;
} // namespace detail

/// A connection borrowed from a ConnectionPool for one request. When it goes,
/// its open transactions are rolled back and it returns to the pool (or is
/// closed, when the pool was recycled meanwhile or the rollback failed).
/// Its transactions, statements and cursors must be gone first.
class PooledConnection {
public:
    ~PooledConnection();
    PooledConnection(PooledConnection&&) noexcept;
    /// Returns the connection this one held.
    PooledConnection& operator=(PooledConnection&&) noexcept;

    Connection& operator*() { return *connection_; }
    Connection* operator->() { return &*connection_; }

private:
    friend class ConnectionPool;
    PooledConnection(std::shared_ptr<detail::PoolState> pool, Connection connection, std::uint64_t generation);
    void giveBack() noexcept;

    std::shared_ptr<detail::PoolState> pool_;
    std::optional<Connection> connection_;
    std::uint64_t generation_;
};

} // namespace zorv::db
