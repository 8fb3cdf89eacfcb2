#pragma once

#include "data/db/Columns.h"
#include "data/db/ResultSet.h"
#include "data/db/Row.h"
#include "data/db/Value.h"

#include <memory>

namespace zorv::db {

namespace detail {
class PreparedStatement;
class TransactionHandle;
} // namespace detail

/// An open select, read one row at a time. It keeps its transaction's
/// handle, but rolling back or committing the Transaction ends the cursor.
/// Closed when destroyed.
class Cursor {
public:
    ~Cursor();
    Cursor(Cursor&&) noexcept;
    Cursor& operator=(Cursor&&) noexcept;

    const Columns& columns() const;
    /// Fetches the next row; false at the end (the cursor is then closed).
    /// Throws DatabaseError.
    bool next();
    /// The row the last next() fetched; throws DatabaseError before the first
    /// row and after the end.
    const Row& row() const;
    /// The rows not fetched yet, in memory; closes the cursor.
    ResultSet readAll();
    void close() noexcept;

private:
    friend class Statement;
    Cursor(std::shared_ptr<detail::PreparedStatement> statement, std::shared_ptr<detail::TransactionHandle> transaction,
           const Params& params);

    struct State;
    std::unique_ptr<State> state_;
};

} // namespace zorv::db
