#pragma once

#include "data/db/Connection.h"

#include <string>
#include <vector>

namespace zorv::data {

// Table and field rights of a security code (tSecTbl and tSecFld of
// CentQuennel), which decide whether the user may run a report query.

/// Where one result column of a query comes from.
struct FieldOrigin {
    std::string table;     ///< the base table or view; empty for an expression
    std::string field;     ///< the column's name in the result (its alias when it has one)
    std::string baseField; ///< the column in that table
};

/// The rights value of tSecTbl for table (case ignored) and security code:
/// "Full" without a row, "UnKnown" with more than one. Throws DatabaseError.
std::string TableRight(db::Connection& central, const std::string& table, const std::string& securityCode);

/// False when tSecFld hides ("None") one of fields (case ignored) of table
/// from security code; true for no fields. Throws DatabaseError.
bool FieldsAllowed(db::Connection& central, const std::string& table, const std::string& securityCode,
                   const std::vector<std::string>& fields);

/// The origin of every result column of query, in order, as the database
/// describes it when preparing the query (it is not run). Throws
/// DatabaseError, also for a query that does not prepare.
std::vector<FieldOrigin> FieldOrigins(db::Connection& database, const std::string& query);

/// The kind of column field of table (both case ignored) in database:
/// "NUMERIC" for the integer, floating and exact numeric types, "DATETIME"
/// for TIMESTAMP, "STRING" for anything else and for a column that does not
/// exist. Throws DatabaseError.
std::string FieldDataType(db::Connection& database, const std::string& field, const std::string& table);

/// True when security code may run query on database: no table of its
/// columns has the right "None" and, unless all have "Full", no column is
/// hidden by a field right. Fails closed: any error (the query or the rights
/// tables cannot be read) denies it and is written to the error log.
bool QueryAllowed(db::Connection& central, db::Connection& database, const std::string& query,
                  const std::string& securityCode) noexcept;

} // namespace zorv::data
