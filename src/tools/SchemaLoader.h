#pragma once

#include "data/db/Connection.h"
#include "tools/SchemaText.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// The statements of a schema text: "--" comments dropped, split on ';',
/// surrounding blanks trimmed, empty ones left out.
std::vector<std::string> schemaStatements(std::string_view text);

/// Upper-case names of the tables that the statements of text create, in order.
std::vector<std::string> schemaTables(std::string_view text);

/// Creates the database of target (dialect 3, WIN1252) and runs every statement
/// of the schema of kind in one transaction. Throws std::runtime_error
/// naming the database and the statement that failed.
db::Connection createFromSchema(const db::ConnectionTarget& target, DatabaseKind kind);

} // namespace zorv::admin
