#pragma once

// Internal to the database layer.

#include "data/db/Attachment.h"

#include <firebird/Interface.h>
#include <memory>

namespace zorv::db::detail {

/// One Firebird transaction. Rolled back when destroyed while still active.
class TransactionHandle {
public:
    TransactionHandle(std::shared_ptr<Attachment> attachment, Firebird::ITransaction* handle);
    ~TransactionHandle();
    TransactionHandle(const TransactionHandle&) = delete;
    TransactionHandle& operator=(const TransactionHandle&) = delete;

    bool isActive() const { return handle_ != nullptr; }
    /// Throws DatabaseError once committed or rolled back.
    Firebird::ITransaction* handle();
    Attachment& attachment() { return *attachment_; }
    const std::shared_ptr<Attachment>& sharedAttachment() const { return attachment_; }

    /// Throws DatabaseError; a failed commit leaves the transaction active.
    void commit();
    void rollback();
    void rollbackQuietly() noexcept;

private:
    std::shared_ptr<Attachment> attachment_;
    Firebird::ITransaction* handle_;
};

} // namespace zorv::db::detail
