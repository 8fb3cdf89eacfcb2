#include "data/db/Columns.h"

#include "common/Text.h"
#include "data/db/DatabaseError.h"

namespace zorv::db {

Columns::Columns(std::vector<ColumnInfo> columns) : columns_(std::move(columns))
{
    for (std::size_t i = 0; i < columns_.size(); ++i)
        byUpperName_.emplace(toUpper(columns_[i].name), i);
}

std::optional<std::size_t> Columns::find(std::string_view name) const
{
    const auto found = byUpperName_.find(toUpper(name));
    if (found == byUpperName_.end())
        return std::nullopt;
    return found->second;
}

std::size_t Columns::indexOf(std::string_view name) const
{
    if (const std::optional<std::size_t> index = find(name))
        return *index;
    throw DatabaseError("the result has no column " + std::string(name));
}

} // namespace zorv::db
