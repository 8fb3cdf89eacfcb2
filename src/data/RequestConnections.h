#pragma once

#include "data/db/PooledConnection.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace zorv::db {
class Connection;
class Pools;
} // namespace zorv::db

namespace zorv::data {

/// The database connections of one session's current request: one per
/// database alias, borrowed from the server's pools on first use and given
/// back by releaseAll() when the request ends. Nothing is shared with other
/// sessions, and no transaction outlives the request.
class RequestConnections {
public:
    /// pools returns the server's pools, or nothing while the databases
    /// could not be opened (get() then throws a clear error).
    explicit RequestConnections(std::function<db::Pools*()> pools);
    ~RequestConnections();
    RequestConnections(const RequestConnections&) = delete;
    RequestConnections& operator=(const RequestConnections&) = delete;

    /// The connection of this request to alias; throws DatabaseError.
    db::Connection& get(std::string_view alias);
    /// Gives every connection back (rolling back anything left open).
    void releaseAll() noexcept;
    size_t held() const { return held_.size(); }

private:
    std::function<db::Pools*()> pools_;
    std::map<std::string, db::PooledConnection> held_; // upper-cased alias
};

} // namespace zorv::data
