#include "data/db/Cursor.h"

#include "data/db/DatabaseError.h"
#include "data/db/Owned.h"
#include "data/db/PreparedStatement.h"
#include "data/db/TransactionHandle.h"

#include <optional>
#include <vector>

namespace zorv::db {

struct Cursor::State {
    std::shared_ptr<detail::PreparedStatement> statement;
    std::shared_ptr<detail::TransactionHandle> transaction;
    detail::Owned<Firebird::IResultSet> results;
    std::vector<unsigned char> message;
    std::optional<Row> row;

    /// Decodes the next row into row; false at the end.
    bool fetch()
    {
        row.reset();
        if (!results)
            return false;
        detail::Attachment& attachment = statement->attachment();
        if (results->fetchNext(attachment.status(), message.data()) == Firebird::IStatus::RESULT_NO_DATA)
            return false;
        const detail::RowDecoder& decoder = statement->decoder();
        row.emplace(decoder.columns(), decoder.decode(message.data(), attachment, transaction->handle()));
        return true;
    }

    void close() noexcept
    {
        if (!results)
            return;
        if (statement->attachment().isOpen() && transaction->isActive()) {
            detail::QuietStatus quiet;
            results->close(quiet.get());
            if (!quiet.failed())
                (void)results.release(); // close() released the interface
        }
        results.reset();
    }
};

Cursor::Cursor(std::shared_ptr<detail::PreparedStatement> statement,
               std::shared_ptr<detail::TransactionHandle> transaction, const Params& params)
    : state_(std::make_unique<State>())
{
    state_->results = statement->openCursor(*transaction, params);
    state_->message.assign(statement->decoder().messageLength(), 0);
    state_->statement = std::move(statement);
    state_->transaction = std::move(transaction);
}

Cursor::~Cursor()
{
    close();
}

Cursor::Cursor(Cursor&&) noexcept = default;

Cursor& Cursor::operator=(Cursor&& other) noexcept
{
    close();
    state_ = std::move(other.state_);
    return *this;
}

const Columns& Cursor::columns() const
{
    return *state_->statement->decoder().columns();
}

bool Cursor::next()
{
    if (state_->fetch())
        return true;
    close();
    return false;
}

const Row& Cursor::row() const
{
    if (!state_->row)
        throw DatabaseError("the cursor has no current row");
    return *state_->row;
}

ResultSet Cursor::readAll()
{
    std::vector<Row> rows;
    while (state_->fetch())
        rows.push_back(std::move(*state_->row));
    close();
    return ResultSet(state_->statement->decoder().columns(), std::move(rows));
}

void Cursor::close() noexcept
{
    if (state_)
        state_->close();
}

} // namespace zorv::db
