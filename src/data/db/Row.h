#pragma once

#include "data/db/Columns.h"
#include "data/db/Value.h"

#include <memory>
#include <string_view>
#include <vector>

namespace zorv::db {

/// One row of a result: its values and the columns they belong to.
class Row {
public:
    Row(std::shared_ptr<const Columns> columns, std::vector<Value> values);

    const Columns& columns() const { return *columns_; }
    std::size_t size() const { return values_.size(); }
    const std::vector<Value>& values() const { return values_; }

    /// Throws DatabaseError when index is out of range.
    const Value& operator[](std::size_t index) const;
    /// By column name, ASCII case-insensitive; throws DatabaseError for a
    /// name the result lacks.
    const Value& operator[](std::string_view name) const;

private:
    std::shared_ptr<const Columns> columns_;
    std::vector<Value> values_;
};

} // namespace zorv::db
