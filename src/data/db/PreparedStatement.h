#pragma once

// Internal to the database layer.

#include "data/db/Attachment.h"
#include "data/db/Owned.h"
#include "data/db/RowDecoder.h"
#include "data/db/TransactionHandle.h"
#include "data/db/Value.h"

#include <cstdint>
#include <firebird/Interface.h>
#include <memory>
#include <string_view>
#include <vector>

namespace zorv::db::detail {

/// A statement prepared on an attachment; it may run in any transaction of
/// that attachment, any number of times.
class PreparedStatement {
public:
    /// Prepares sql in the database's dialect; throws DatabaseError.
    PreparedStatement(std::shared_ptr<Attachment> attachment, TransactionHandle& transaction, std::string_view sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    Attachment& attachment() { return *attachment_; }
    const RowDecoder& decoder() const { return decoder_; }
    unsigned parameterCount() const { return parameterCount_; }
    /// A select, whose rows come through a cursor.
    bool isSelect() const;
    /// Gives output without a cursor: INSERT … RETURNING, EXECUTE PROCEDURE.
    bool hasSingletonOutput() const { return !isSelect() && decoder_.columns()->size() > 0; }

    /// Runs a statement that is not a select; its output message, if any,
    /// goes to output (sized here). Returns the rows inserted, updated or deleted.
    std::uint64_t execute(TransactionHandle& transaction, const Params& params, std::vector<unsigned char>& output);
    /// Opens a cursor on a select.
    Owned<Firebird::IResultSet> openCursor(TransactionHandle& transaction, const Params& params);

private:
    void requireSameAttachment(TransactionHandle& transaction) const;

    std::shared_ptr<Attachment> attachment_;
    Owned<Firebird::IStatement> handle_;
    Owned<Firebird::IMessageMetadata> input_;
    Owned<Firebird::IMessageMetadata> output_;
    unsigned type_;
    unsigned parameterCount_;
    RowDecoder decoder_;
};

} // namespace zorv::db::detail
