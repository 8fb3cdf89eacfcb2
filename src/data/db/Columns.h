#pragma once

#include "data/db/ColumnInfo.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zorv::db {

/// The columns of a result, found by position or by name (ASCII
/// case-insensitive). When two columns share a name, the first one wins.
class Columns {
public:
    Columns() = default;
    explicit Columns(std::vector<ColumnInfo> columns);

    std::size_t size() const { return columns_.size(); }
    const ColumnInfo& operator[](std::size_t index) const { return columns_[index]; }
    std::vector<ColumnInfo>::const_iterator begin() const { return columns_.begin(); }
    std::vector<ColumnInfo>::const_iterator end() const { return columns_.end(); }

    std::optional<std::size_t> find(std::string_view name) const;
    /// The position of name; throws DatabaseError when there is no such column.
    std::size_t indexOf(std::string_view name) const;

private:
    std::vector<ColumnInfo> columns_;
    std::unordered_map<std::string, std::size_t> byUpperName_;
};

} // namespace zorv::db
