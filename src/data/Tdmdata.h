#pragma once

#include <string>
#include <vector>

namespace zorv::data {

/// The application-wide data module: the databases shared by all sessions.
/// One instance lives from server start to server stop; the timers reach the
/// databases only through it, never through a session.
class Tdmdata {
public:
    virtual ~Tdmdata() = default;

    /// Names of every database alias known to the engine (application
    /// databases and the "dbZorv…" employee databases).
    virtual std::vector<std::string> aliasNames() const = 0;
    virtual bool aliasExists(const std::string& alias) const = 0;
    /// Opens sql on the database of alias with a connection of its own and
    /// reads it to the end; throws on any failure.
    virtual void probe(const std::string& alias, const std::string& sql) = 0;
    /// Closes and reopens every shared database connection; a database that
    /// fails is logged and the others are still reconnected.
    virtual void ReconnectDatabases() = 0;
};

} // namespace zorv::data
