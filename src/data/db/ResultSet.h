#pragma once

#include "data/db/Columns.h"
#include "data/db/Row.h"

#include <memory>
#include <vector>

namespace zorv::db {

/// Every row of a query, held in memory; it needs no connection once read.
class ResultSet {
public:
    ResultSet() : columns_(std::make_shared<const Columns>()) {}
    ResultSet(std::shared_ptr<const Columns> columns, std::vector<Row> rows);

    const Columns& columns() const { return *columns_; }
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const Row& operator[](std::size_t index) const { return rows_[index]; }
    std::vector<Row>::const_iterator begin() const { return rows_.begin(); }
    std::vector<Row>::const_iterator end() const { return rows_.end(); }

    /// The first row; throws DatabaseError when there is none. For queries
    /// that always give one row (count, a generator value).
    const Row& first() const;

private:
    std::shared_ptr<const Columns> columns_;
    std::vector<Row> rows_;
};

} // namespace zorv::db
