#include "data/db/Statement.h"

#include "data/db/DatabaseError.h"
#include "data/db/PreparedStatement.h"
#include "data/db/Transaction.h"

#include <vector>

namespace zorv::db {

Statement::Statement(std::shared_ptr<detail::PreparedStatement> statement) : statement_(std::move(statement)) {}

const Columns& Statement::columns() const
{
    return *statement_->decoder().columns();
}

unsigned Statement::parameterCount() const
{
    return statement_->parameterCount();
}

std::uint64_t Statement::execute(Transaction& transaction, const Params& params)
{
    if (statement_->isSelect())
        throw DatabaseError("a select gives rows: run it with query or open");
    std::vector<unsigned char> output;
    return statement_->execute(transaction.handle(), params, output);
}

ResultSet Statement::query(Transaction& transaction, const Params& params)
{
    if (statement_->isSelect())
        return open(transaction, params).readAll();
    std::vector<unsigned char> output;
    statement_->execute(transaction.handle(), params, output);
    if (!statement_->hasSingletonOutput())
        return ResultSet();
    const detail::RowDecoder& decoder = statement_->decoder();
    std::vector<Row> rows;
    rows.emplace_back(decoder.columns(),
                      decoder.decode(output.data(), statement_->attachment(), transaction.handle().handle()));
    return ResultSet(decoder.columns(), std::move(rows));
}

Cursor Statement::open(Transaction& transaction, const Params& params)
{
    if (!statement_->isSelect())
        throw DatabaseError("only a select opens a cursor");
    return Cursor(statement_, transaction.sharedHandle(), params);
}

} // namespace zorv::db
