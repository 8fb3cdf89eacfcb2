#include "data/db/ResultSet.h"

#include "data/db/DatabaseError.h"

namespace zorv::db {

ResultSet::ResultSet(std::shared_ptr<const Columns> columns, std::vector<Row> rows)
    : columns_(std::move(columns)), rows_(std::move(rows))
{
}

const Row& ResultSet::first() const
{
    if (rows_.empty())
        throw DatabaseError("the query gave no row");
    return rows_.front();
}

} // namespace zorv::db
