#pragma once

#include "data/db/Columns.h"
#include "data/db/Cursor.h"
#include "data/db/ResultSet.h"
#include "data/db/Value.h"

#include <cstdint>
#include <memory>

namespace zorv::db {

class Transaction;

namespace detail {
class PreparedStatement;
} // namespace detail

/// A prepared statement, made by Transaction::prepare. It may run any number
/// of times, in any transaction of the same connection, and must not outlive
/// the connection. Parameters are the question marks of the SQL, bound in
/// order (see Value for the conversions).
class Statement {
public:
    /// The result columns; empty for a statement that gives no rows.
    const Columns& columns() const;
    unsigned parameterCount() const;

    /// Runs an insert, update, delete, DDL or procedure call and returns the
    /// rows it inserted, updated or deleted. A select throws DatabaseError:
    /// use query or open.
    std::uint64_t execute(Transaction& transaction, const Params& params = {});
    /// All the rows a select gives, in memory; for INSERT … RETURNING and
    /// EXECUTE PROCEDURE, its one row; otherwise runs it and gives no rows.
    ResultSet query(Transaction& transaction, const Params& params = {});
    /// A cursor on a select; anything else throws DatabaseError.
    Cursor open(Transaction& transaction, const Params& params = {});

private:
    friend class Transaction;
    explicit Statement(std::shared_ptr<detail::PreparedStatement> statement);

    std::shared_ptr<detail::PreparedStatement> statement_;
};

} // namespace zorv::db
