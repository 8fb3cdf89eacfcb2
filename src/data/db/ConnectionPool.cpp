#include "data/db/ConnectionPool.h"

#include "data/db/PoolState.h"

namespace zorv::db {

ConnectionPool::ConnectionPool(ConnectionTarget target, PoolOptions options)
    : state_(std::make_shared<detail::PoolState>(std::move(target), options.maxIdle))
{
}

ConnectionPool::~ConnectionPool()
{
    state_->shutDown();
}

const ConnectionTarget& ConnectionPool::target() const
{
    return state_->target();
}

PooledConnection ConnectionPool::borrow()
{
    std::uint64_t generation = 0;
    if (std::optional<Connection> idle = state_->takeIdle(generation))
        return PooledConnection(state_, std::move(*idle), generation);
    return PooledConnection(state_, Connection::attach(state_->target()), generation);
}

void ConnectionPool::recycle()
{
    state_->recycle();
}

std::size_t ConnectionPool::idleCount() const
{
    return state_->idleCount();
}

} // namespace zorv::db
