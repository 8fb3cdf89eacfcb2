#include "data/db/PreparedStatement.h"

#include "data/db/InputMessage.h"

#include <ibase.h>

namespace zorv::db::detail {

namespace {

Firebird::IStatement* prepareStatement(Attachment& attachment, TransactionHandle& transaction, std::string_view sql)
{
    return attachment.handle()->prepare(attachment.status(), transaction.handle(), static_cast<unsigned>(sql.size()),
                                        sql.data(), attachment.dialect(),
                                        Firebird::IStatement::PREPARE_PREFETCH_METADATA);
}

} // namespace

PreparedStatement::PreparedStatement(std::shared_ptr<Attachment> attachment, TransactionHandle& transaction,
                                     std::string_view sql)
    : attachment_(std::move(attachment)), handle_(prepareStatement(*attachment_, transaction, sql)),
      input_(handle_->getInputMetadata(attachment_->status())),
      output_(handle_->getOutputMetadata(attachment_->status())), type_(handle_->getType(attachment_->status())),
      parameterCount_(input_->getCount(attachment_->status())), decoder_(output_.get(), attachment_->status())
{
}

PreparedStatement::~PreparedStatement()
{
    if (!attachment_->isOpen())
        return; // detaching freed it; releasing our reference is all that is left
    QuietStatus quiet;
    handle_->free(quiet.get());
    if (!quiet.failed())
        (void)handle_.release(); // free() released the interface
}

bool PreparedStatement::isSelect() const
{
    return type_ == isc_info_sql_stmt_select || type_ == isc_info_sql_stmt_select_for_upd;
}

void PreparedStatement::requireSameAttachment(TransactionHandle& transaction) const
{
    if (&transaction.attachment() != attachment_.get())
        throw DatabaseError("the statement and the transaction belong to different connections");
}

std::uint64_t PreparedStatement::execute(TransactionHandle& transaction, const Params& params,
                                         std::vector<unsigned char>& output)
{
    requireSameAttachment(transaction);
    InputMessage input(input_.get(), params, *attachment_, transaction.handle());
    const bool hasOutput = decoder_.columns()->size() > 0;
    output.assign(hasOutput ? decoder_.messageLength() : 0, 0);
    handle_->execute(attachment_->status(), transaction.handle(), input.metadata(), input.data(),
                     hasOutput ? output_.get() : nullptr, hasOutput ? output.data() : nullptr);
    return handle_->getAffectedRecords(attachment_->status());
}

Owned<Firebird::IResultSet> PreparedStatement::openCursor(TransactionHandle& transaction, const Params& params)
{
    requireSameAttachment(transaction);
    InputMessage input(input_.get(), params, *attachment_, transaction.handle());
    return Owned<Firebird::IResultSet>(handle_->openCursor(attachment_->status(), transaction.handle(),
                                                           input.metadata(), input.data(), output_.get(), 0));
}

} // namespace zorv::db::detail
