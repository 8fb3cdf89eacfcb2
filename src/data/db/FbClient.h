#pragma once

// Internal to the database layer: the only way into the client library.

#include <firebird/Interface.h>

namespace zorv::db::detail {

/// The client library's master interface. The library reads FIREBIRD and
/// FIREBIRD_LOCK when it is first used, so FirebirdRoot::prepare must run
/// before the first call.
Firebird::IMaster* master();
/// True once master() was called: the client library is loaded and running.
bool clientUsed();
Firebird::IUtil* util();

} // namespace zorv::db::detail
