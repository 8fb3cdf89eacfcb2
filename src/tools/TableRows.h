#pragma once

#include "data/db/Connection.h"
#include "data/db/Value.h"

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// The rows to insert into one table, held in memory until written.
class TableRows {
public:
    TableRows(std::string table, std::vector<std::string> columns);

    /// Appends a row; its values follow the order of the columns. Throws
    /// std::logic_error when the number of values differs.
    void add(db::Params row);

    const std::string& table() const { return table_; }
    const std::vector<std::string>& columns() const { return columns_; }
    const std::vector<db::Params>& rows() const { return rows_; }
    /// "insert into TABLE (A, B) values (?, ?)": names come from code, values
    /// are always parameters.
    std::string insertSql() const;

private:
    std::string table_;
    std::vector<std::string> columns_;
    std::vector<db::Params> rows_;
};

/// The rows for one database, table by table in the order they were first
/// named (so a table may be written before the ones that refer to it).
class DatabaseContent {
public:
    /// The rows of table, made with columns on first use; a later call must
    /// name the same columns (std::logic_error otherwise). The reference stays
    /// valid while the content lives.
    TableRows& table(std::string_view name, std::initializer_list<std::string_view> columns);
    /// The rows of a table named earlier; std::logic_error when it was not.
    const TableRows& table(std::string_view name) const;
    bool hasTable(std::string_view name) const;

    const std::deque<TableRows>& tables() const { return tables_; }
    std::size_t rowCount() const;
    /// Appends the tables and rows of other (tables it shares must have the
    /// same columns).
    void append(const DatabaseContent& other);

private:
    TableRows* find(std::string_view name);
    const TableRows* find(std::string_view name) const;

    std::deque<TableRows> tables_;
};

/// Inserts every row of content: for each table one prepared statement run in
/// one transaction, committed at the end of the table. Returns the number of
/// rows written. Throws std::runtime_error naming the table on failure.
std::size_t writeContent(db::Connection& connection, const DatabaseContent& content);

} // namespace zorv::admin
