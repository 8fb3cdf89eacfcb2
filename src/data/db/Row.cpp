#include "data/db/Row.h"

#include "data/db/DatabaseError.h"

namespace zorv::db {

Row::Row(std::shared_ptr<const Columns> columns, std::vector<Value> values)
    : columns_(std::move(columns)), values_(std::move(values))
{
}

const Value& Row::operator[](std::size_t index) const
{
    if (index >= values_.size())
        throw DatabaseError("column " + std::to_string(index) + " is beyond the " + std::to_string(values_.size()) +
                            " columns of the row");
    return values_[index];
}

const Value& Row::operator[](std::string_view name) const
{
    return values_[columns_->indexOf(name)];
}

} // namespace zorv::db
