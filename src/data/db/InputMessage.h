#pragma once

// Internal to the database layer.

#include "data/db/Attachment.h"
#include "data/db/Owned.h"
#include "data/db/Value.h"

#include <firebird/Interface.h>
#include <vector>

namespace zorv::db::detail {

/// The input message of one execution. Each parameter is converted here to
/// the kind its described type needs (a number to the column's scale, text
/// to a date by our dd/mm/yyyy rules, text to a new blob), and sent in a
/// type of the same family that the engine widens or narrows with its own
/// range checks: integers as BIGINT, text as VARCHAR of its own length.
class InputMessage {
public:
    /// Throws DatabaseError naming the parameter (from 1) that does not
    /// convert, or when the count differs from the statement's.
    InputMessage(Firebird::IMessageMetadata* described, const Params& params, Attachment& attachment,
                 Firebird::ITransaction* transaction);

    /// Null for a statement without parameters.
    Firebird::IMessageMetadata* metadata() const { return metadata_.get(); }
    unsigned char* data() { return buffer_.empty() ? nullptr : buffer_.data(); }

private:
    Owned<Firebird::IMessageMetadata> metadata_;
    std::vector<unsigned char> buffer_;
};

} // namespace zorv::db::detail
