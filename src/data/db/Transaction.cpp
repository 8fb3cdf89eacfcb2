#include "data/db/Transaction.h"

#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"
#include "data/db/PreparedStatement.h"
#include "data/db/TransactionHandle.h"
#include "data/db/Xpb.h"

#include <ibase.h>

namespace zorv::db {

namespace {

void describeIsolation(detail::Xpb& tpb, TransactionOptions::Isolation isolation)
{
    if (isolation == TransactionOptions::Isolation::Snapshot) {
        tpb.tag(isc_tpb_concurrency);
        return;
    }
    tpb.tag(isc_tpb_read_committed).tag(isc_tpb_rec_version);
}

void describeLockWait(detail::Xpb& tpb, int lockTimeoutSeconds)
{
    if (lockTimeoutSeconds <= 0) {
        tpb.tag(isc_tpb_nowait);
        return;
    }
    tpb.tag(isc_tpb_wait).integer(isc_tpb_lock_timeout, lockTimeoutSeconds);
}

std::shared_ptr<detail::TransactionHandle> start(const std::shared_ptr<detail::Attachment>& attachment,
                                                 const TransactionOptions& options)
{
    detail::Xpb tpb(Firebird::IXpbBuilder::TPB);
    tpb.tag(options.readOnly ? isc_tpb_read : isc_tpb_write);
    describeIsolation(tpb, options.isolation);
    describeLockWait(tpb, options.lockTimeoutSeconds);
    Firebird::ITransaction* handle = attachment->handle()->startTransaction(attachment->status(), tpb.length(),
                                                                            tpb.data());
    auto transaction = std::make_shared<detail::TransactionHandle>(attachment, handle);
    attachment->adopt(transaction);
    return transaction;
}

} // namespace

Transaction::Transaction(Connection& connection, const TransactionOptions& options)
    : handle_(start(connection.attachment(), options))
{
}

Transaction::~Transaction()
{
    if (handle_)
        handle_->rollbackQuietly();
}

Transaction::Transaction(Transaction&&) noexcept = default;

Transaction& Transaction::operator=(Transaction&& other) noexcept
{
    if (handle_)
        handle_->rollbackQuietly();
    handle_ = std::move(other.handle_);
    return *this;
}

void Transaction::commit()
{
    handle().commit();
}

void Transaction::rollback()
{
    handle().rollback();
}

bool Transaction::isActive() const
{
    return handle_ && handle_->isActive();
}

Statement Transaction::prepare(std::string_view sql)
{
    detail::TransactionHandle& transaction = handle();
    return Statement(std::make_shared<detail::PreparedStatement>(transaction.sharedAttachment(), transaction, sql));
}

ResultSet Transaction::query(std::string_view sql, const Params& params)
{
    return prepare(sql).query(*this, params);
}

std::uint64_t Transaction::execute(std::string_view sql, const Params& params)
{
    return prepare(sql).execute(*this, params);
}

detail::TransactionHandle& Transaction::handle() const
{
    if (!handle_)
        throw DatabaseError("the transaction is no longer active");
    return *handle_;
}

std::shared_ptr<detail::TransactionHandle> Transaction::sharedHandle() const
{
    handle();
    return handle_;
}

} // namespace zorv::db
