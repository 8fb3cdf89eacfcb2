#include "data/db/PooledConnection.h"

#include "data/db/PoolState.h"

namespace zorv::db {

PooledConnection::PooledConnection(std::shared_ptr<detail::PoolState> pool, Connection connection,
                                   std::uint64_t generation)
    : pool_(std::move(pool)), connection_(std::move(connection)), generation_(generation)
{
}

PooledConnection::~PooledConnection()
{
    giveBack();
}

PooledConnection::PooledConnection(PooledConnection&& other) noexcept
    : pool_(std::move(other.pool_)), connection_(std::move(other.connection_)), generation_(other.generation_)
{
    other.connection_.reset();
}

PooledConnection& PooledConnection::operator=(PooledConnection&& other) noexcept
{
    giveBack();
    pool_ = std::move(other.pool_);
    connection_ = std::move(other.connection_);
    generation_ = other.generation_;
    other.connection_.reset();
    return *this;
}

void PooledConnection::giveBack() noexcept
{
    if (!connection_ || !pool_)
        return;
    try {
        connection_->rollbackOpenTransactions();
    } catch (const std::exception&) {
        connection_->close(); // a connection that cannot roll back is not lent again
    }
    pool_->giveBack(std::move(*connection_), generation_);
    connection_.reset();
}

} // namespace zorv::db
