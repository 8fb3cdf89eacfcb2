#pragma once

#include "data/db/ConnectionTarget.h"
#include "data/db/ResultSet.h"
#include "data/db/Value.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace zorv::db {

namespace detail {
class Attachment;
} // namespace detail

/// The character set of the databases this system creates; the desktop
/// products read the same files.
inline constexpr std::string_view kDatabaseCharset = "WIN1252";

struct DatabaseOptions {
    int dialect = 3; ///< 3, or 1 for the old kind the desktop products still use
    int pageSize = 8192;
};

/// One attachment to a database, talking UTF-8 whatever the database's
/// character set. Not thread-safe: one request (one thread) owns it at a time,
/// normally through a ConnectionPool. Closed when destroyed; its transactions
/// are rolled back then, and its statements and cursors must be gone first.
class Connection {
public:
    /// Attaches to an existing database; throws DatabaseError, and
    /// std::logic_error when FirebirdRoot::prepare has not run.
    static Connection attach(const ConnectionTarget& target);

    ~Connection();
    Connection(Connection&&) noexcept;
    /// Closes the connection this one held.
    Connection& operator=(Connection&&) noexcept;

    const ConnectionTarget& target() const { return target_; }
    /// The database's SQL dialect, in which every statement is prepared.
    int dialect();
    bool isOpen() const;

    /// Runs sql in a read-only transaction of its own and returns its rows.
    ResultSet query(std::string_view sql, const Params& params = {});
    /// Runs sql in a transaction of its own, commits, and returns the rows
    /// it inserted, updated or deleted.
    std::uint64_t execute(std::string_view sql, const Params& params = {});

    /// Rolls back every transaction still open; throws DatabaseError when one
    /// fails (the connection should then be closed, not reused).
    void rollbackOpenTransactions();
    /// Rolls back what is open and detaches; never throws.
    void close() noexcept;

private:
    friend class Transaction;
    friend Connection createDatabase(const ConnectionTarget& target, const DatabaseOptions& options);
    Connection(ConnectionTarget target, std::shared_ptr<detail::Attachment> attachment);
    /// Throws DatabaseError once closed.
    const std::shared_ptr<detail::Attachment>& attachment() const;

    ConnectionTarget target_;
    std::shared_ptr<detail::Attachment> attachment_;
};

/// Creates the database file (or, for a server path, asks the server to) with
/// character set WIN1252 and attaches to it. Throws DatabaseError, among
/// others when the file exists or the dialect is neither 1 nor 3.
Connection createDatabase(const ConnectionTarget& target, const DatabaseOptions& options = {});

} // namespace zorv::db
