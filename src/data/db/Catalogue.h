#pragma once

#include "data/db/Connection.h"

#include <string_view>

namespace zorv::db {

// Checks against the database catalogue, for identifiers that come from
// configuration (a column named in an INI file) before they are composed into
// SQL text. Names compare ASCII case-insensitively. Each runs its own
// read-only transaction; they throw DatabaseError when the query fails.

bool tableExists(Connection& connection, std::string_view table);
bool fieldExists(Connection& connection, std::string_view table, std::string_view column);

/// An identifier that is safe to compose into SQL unquoted, in both dialects:
/// a letter, then letters, digits, '_' or '$', 31 characters at most.
bool isValidIdentifier(std::string_view name);

/// Both names are valid identifiers and the table has that column: the check
/// to pass before composing them into SQL.
bool columnExists(Connection& connection, std::string_view table, std::string_view column);

} // namespace zorv::db
