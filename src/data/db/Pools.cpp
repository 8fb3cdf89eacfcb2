#include "data/db/Pools.h"

#include "common/Text.h"
#include "data/db/DatabaseError.h"

namespace zorv::db {

Pools::Pools(PoolOptions options) : options_(options) {}

std::shared_ptr<ConnectionPool> Pools::poolFor(const ConnectionTarget& target) const
{
    for (const auto& [key, entry] : byUpperAlias_) {
        if (entry.pool->target() == target)
            return entry.pool;
    }
    return std::make_shared<ConnectionPool>(target, options_);
}

void Pools::add(std::string_view alias, const ConnectionTarget& target)
{
    std::lock_guard<std::mutex> guard(mutex_);
    byUpperAlias_[toUpper(alias)] = Entry{std::string(alias), poolFor(target)};
}

bool Pools::contains(std::string_view alias) const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return byUpperAlias_.contains(toUpper(alias));
}

std::vector<std::string> Pools::aliases() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    std::vector<std::string> names;
    for (const auto& [key, entry] : byUpperAlias_)
        names.push_back(entry.alias);
    return names;
}

PooledConnection Pools::borrow(std::string_view alias)
{
    return pool(alias)->borrow();
}

std::shared_ptr<ConnectionPool> Pools::pool(std::string_view alias) const
{
    std::lock_guard<std::mutex> guard(mutex_);
    const auto found = byUpperAlias_.find(toUpper(alias));
    if (found == byUpperAlias_.end())
        throw DatabaseError("no database is known by the alias " + std::string(alias));
    return found->second.pool;
}

void Pools::recycleAll()
{
    std::vector<std::shared_ptr<ConnectionPool>> pools;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        for (const auto& [key, entry] : byUpperAlias_)
            pools.push_back(entry.pool);
    }
    for (const std::shared_ptr<ConnectionPool>& pool : pools)
        pool->recycle();
}

} // namespace zorv::db
