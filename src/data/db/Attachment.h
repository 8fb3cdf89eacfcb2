#pragma once

// Internal to the database layer.

#include "data/db/StatusWrapper.h"

#include <firebird/Interface.h>
#include <memory>
#include <vector>

namespace zorv::db::detail {

class TransactionHandle;

/// One Firebird attachment, shared by the Connection and everything made
/// from it (transactions, statements, cursors), so those can tell whether it
/// is still open. Used by one thread at a time.
class Attachment {
public:
    /// Takes over handle.
    explicit Attachment(Firebird::IAttachment* handle);
    ~Attachment();
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    /// Throws DatabaseError once the attachment is closed.
    Firebird::IAttachment* handle();
    StatusWrapper* status() { return &status_; }
    /// The SQL dialect of the database (1 or 3), asked once. Statements are
    /// prepared and run in it, so dialect-1 databases keep working.
    unsigned dialect();
    bool isOpen() const { return handle_ != nullptr; }

    /// Remembers a transaction so that rollbackOpenTransactions and close
    /// can end it.
    void adopt(const std::shared_ptr<TransactionHandle>& transaction);
    /// Rolls back every transaction still active; throws DatabaseError when
    /// one fails (the attachment is then not fit to be reused).
    void rollbackOpenTransactions();
    /// Rolls back what is open and detaches; never throws.
    void close() noexcept;

private:
    Firebird::IAttachment* handle_;
    Firebird::IStatus* statusObject_;
    StatusWrapper status_;
    unsigned dialect_ = 0;
    std::vector<std::weak_ptr<TransactionHandle>> transactions_;
};

} // namespace zorv::db::detail
