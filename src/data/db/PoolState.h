#pragma once

// Internal to the database layer.

#include "data/db/Connection.h"
#include "data/db/ConnectionTarget.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace zorv::db::detail {

/// The shared part of a ConnectionPool: its idle connections and the
/// generation that recycle() moves on. Borrowed connections keep it alive, so
/// they may come back after the pool object is gone. Thread-safe.
class PoolState {
public:
    PoolState(ConnectionTarget target, std::size_t maxIdle);

    const ConnectionTarget& target() const { return target_; }

    /// An idle connection, or nothing; also the generation to return it with.
    std::optional<Connection> takeIdle(std::uint64_t& generation);
    /// Keeps connection for the next borrower when it belongs to the current
    /// generation, is open and there is room; closes it otherwise.
    void giveBack(Connection connection, std::uint64_t generation);
    /// Starts a new generation and closes the idle connections.
    void recycle();
    /// Closes the idle connections and keeps none from now on.
    void shutDown();
    std::size_t idleCount() const;

private:
    const ConnectionTarget target_;
    const std::size_t maxIdle_;
    mutable std::mutex mutex_;
    std::vector<Connection> idle_;
    std::uint64_t generation_ = 0;
    bool shutDown_ = false;
};

} // namespace zorv::db::detail
