#pragma once

// Internal to the database layer.

#include "data/db/Attachment.h"

#include <firebird/Interface.h>
#include <string>
#include <string_view>

namespace zorv::db::detail {

/// The whole content of a blob. The engine turns a text blob into the
/// connection character set (UTF-8) on the way.
std::string readBlob(Attachment& attachment, Firebird::ITransaction* transaction, ISC_QUAD id);

/// A new blob holding bytes, for an input message; the engine converts it
/// to the column's character set when it stores a text blob.
ISC_QUAD writeBlob(Attachment& attachment, Firebird::ITransaction* transaction, std::string_view bytes);

} // namespace zorv::db::detail
