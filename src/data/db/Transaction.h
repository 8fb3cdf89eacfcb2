#pragma once

#include "data/db/ResultSet.h"
#include "data/db/Statement.h"
#include "data/db/Value.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace zorv::db {

class Connection;

namespace detail {
class TransactionHandle;
} // namespace detail

struct TransactionOptions {
    enum class Isolation {
        ReadCommitted, ///< each statement sees what others committed before it ran
        Snapshot,      ///< the whole transaction sees the database as it was at its start
    };
    Isolation isolation = Isolation::ReadCommitted;
    bool readOnly = false;
    /// Seconds to wait for a row another transaction has changed; 0 fails at
    /// once with a DatabaseError whose isLockConflict() is true.
    int lockTimeoutSeconds = 0;
};

/// One transaction on a connection. Rolled back when destroyed unless
/// commit() or rollback() ran; also rolled back when its connection goes back
/// to the pool or closes. Must not outlive its connection; one thread only.
class Transaction {
public:
    /// Starts the transaction; throws DatabaseError.
    explicit Transaction(Connection& connection, const TransactionOptions& options = {});
    ~Transaction();
    Transaction(Transaction&&) noexcept;
    /// Rolls back the transaction this one held.
    Transaction& operator=(Transaction&&) noexcept;

    /// Throws DatabaseError; a failed commit leaves the transaction active,
    /// so the destructor still rolls it back.
    void commit();
    void rollback();
    bool isActive() const;

    /// Prepares sql for running, more than once, in this or another
    /// transaction of the same connection.
    Statement prepare(std::string_view sql);
    /// Prepares and runs sql once: see Statement::query.
    ResultSet query(std::string_view sql, const Params& params = {});
    /// Prepares and runs sql once: see Statement::execute.
    std::uint64_t execute(std::string_view sql, const Params& params = {});

private:
    friend class Statement;
    /// Throws DatabaseError for a moved-from transaction.
    detail::TransactionHandle& handle() const;
    std::shared_ptr<detail::TransactionHandle> sharedHandle() const;

    std::shared_ptr<detail::TransactionHandle> handle_;
};

} // namespace zorv::db
