#pragma once

// Internal to the database layer.

#include "data/db/Attachment.h"
#include "data/db/Columns.h"
#include "data/db/Value.h"

#include <firebird/Interface.h>
#include <memory>
#include <vector>

namespace zorv::db::detail {

/// Reads the output messages of one statement into values, as its output
/// metadata describes them.
class RowDecoder {
public:
    RowDecoder(Firebird::IMessageMetadata* output, StatusWrapper* status);

    const std::shared_ptr<const Columns>& columns() const { return columns_; }
    unsigned messageLength() const { return messageLength_; }

    /// The values of one fetched message. Blobs are read through the
    /// transaction that fetched the row.
    std::vector<Value> decode(const unsigned char* message, Attachment& attachment,
                              Firebird::ITransaction* transaction) const;

private:
    struct Field {
        unsigned offset;
        unsigned nullOffset;
        unsigned sqlType;
        int scale;
        unsigned length;
        unsigned charSet;
    };

    Value decodeField(const Field& field, const unsigned char* data, Attachment& attachment,
                      Firebird::ITransaction* transaction) const;

    std::vector<Field> fields_;
    std::shared_ptr<const Columns> columns_;
    unsigned messageLength_;
};

} // namespace zorv::db::detail
