#include "data/db/Attachment.h"

#include "data/db/FbClient.h"
#include "data/db/TransactionHandle.h"

#include <algorithm>
#include <array>
#include <ibase.h>

namespace zorv::db::detail {

namespace {

constexpr std::size_t kInfoBufferSize = 16;

} // namespace

Attachment::Attachment(Firebird::IAttachment* handle)
    : handle_(handle), statusObject_(master()->getStatus()), status_(statusObject_)
{
}

Attachment::~Attachment()
{
    close();
    statusObject_->dispose();
}

Firebird::IAttachment* Attachment::handle()
{
    if (!handle_)
        throw DatabaseError("the database connection is closed");
    return handle_;
}

unsigned Attachment::dialect()
{
    if (dialect_ != 0)
        return dialect_;
    const std::array<unsigned char, 2> items = {isc_info_db_sql_dialect, isc_info_end};
    std::array<unsigned char, kInfoBufferSize> answer{};
    handle()->getInfo(&status_, items.size(), items.data(), answer.size(), answer.data());
    if (answer[0] != isc_info_db_sql_dialect)
        throw DatabaseError("the database did not tell its SQL dialect");
    const auto length = static_cast<short>(isc_portable_integer(answer.data() + 1, 2));
    dialect_ = static_cast<unsigned>(isc_portable_integer(answer.data() + 3, length));
    return dialect_;
}

void Attachment::adopt(const std::shared_ptr<TransactionHandle>& transaction)
{
    std::erase_if(transactions_, [](const std::weak_ptr<TransactionHandle>& t) { return t.expired(); });
    transactions_.push_back(transaction);
}

void Attachment::rollbackOpenTransactions()
{
    for (const std::weak_ptr<TransactionHandle>& weak : transactions_) {
        const std::shared_ptr<TransactionHandle> transaction = weak.lock();
        if (transaction && transaction->isActive())
            transaction->rollback();
    }
}

void Attachment::close() noexcept
{
    if (!handle_)
        return;
    for (const std::weak_ptr<TransactionHandle>& weak : transactions_) {
        if (const std::shared_ptr<TransactionHandle> transaction = weak.lock())
            transaction->rollbackQuietly();
    }
    transactions_.clear();
    QuietStatus quiet;
    handle_->detach(quiet.get());
    if (quiet.failed())
        handle_->release();
    handle_ = nullptr;
}

} // namespace zorv::db::detail
