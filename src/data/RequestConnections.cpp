#include "data/RequestConnections.h"

#include "common/Text.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"
#include "data/db/Pools.h"

#include <stdexcept>

namespace zorv::data {

RequestConnections::RequestConnections(std::function<db::Pools*()> pools) : pools_(std::move(pools)) {}

RequestConnections::~RequestConnections() { releaseAll(); }

db::Connection& RequestConnections::get(std::string_view alias)
{
    const std::string key = toUpper(alias);
    if (auto it = held_.find(key); it != held_.end())
        return *it->second;
    db::Pools* pools = pools_ ? pools_() : nullptr;
    if (!pools)
        throw std::runtime_error("Unable to connect to database, please try again. If this problem persist, "
                                 "contact your IT Dept.");
    auto [it, inserted] = held_.emplace(key, pools->borrow(alias));
    return *it->second;
}

void RequestConnections::releaseAll() noexcept { held_.clear(); }

} // namespace zorv::data
