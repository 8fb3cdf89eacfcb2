#include "data/db/PoolState.h"

namespace zorv::db::detail {

PoolState::PoolState(ConnectionTarget target, std::size_t maxIdle) : target_(std::move(target)), maxIdle_(maxIdle) {}

std::optional<Connection> PoolState::takeIdle(std::uint64_t& generation)
{
    std::lock_guard<std::mutex> guard(mutex_);
    generation = generation_;
    if (idle_.empty())
        return std::nullopt;
    Connection connection = std::move(idle_.back());
    idle_.pop_back();
    return connection;
}

void PoolState::giveBack(Connection connection, std::uint64_t generation)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        const bool keep = !shutDown_ && generation == generation_ && connection.isOpen() && idle_.size() < maxIdle_;
        if (keep) {
            idle_.push_back(std::move(connection));
            return;
        }
    }
    connection.close(); // outside the lock: detaching may wait for the server
}

void PoolState::recycle()
{
    std::vector<Connection> stale;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        ++generation_;
        stale.swap(idle_);
    }
    stale.clear();
}

void PoolState::shutDown()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        shutDown_ = true;
    }
    recycle();
}

std::size_t PoolState::idleCount() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return idle_.size();
}

} // namespace zorv::db::detail
