#include "data/db/TransactionHandle.h"

namespace zorv::db::detail {

TransactionHandle::TransactionHandle(std::shared_ptr<Attachment> attachment, Firebird::ITransaction* handle)
    : attachment_(std::move(attachment)), handle_(handle)
{
}

TransactionHandle::~TransactionHandle()
{
    rollbackQuietly();
}

Firebird::ITransaction* TransactionHandle::handle()
{
    if (!handle_)
        throw DatabaseError("the transaction is no longer active");
    return handle_;
}

void TransactionHandle::commit()
{
    handle()->commit(attachment_->status());
    handle_ = nullptr;
}

void TransactionHandle::rollback()
{
    handle()->rollback(attachment_->status());
    handle_ = nullptr;
}

void TransactionHandle::rollbackQuietly() noexcept
{
    if (!handle_)
        return;
    QuietStatus quiet;
    if (attachment_->isOpen())
        handle_->rollback(quiet.get());
    if (!attachment_->isOpen() || quiet.failed())
        handle_->release();
    handle_ = nullptr;
}

} // namespace zorv::db::detail
