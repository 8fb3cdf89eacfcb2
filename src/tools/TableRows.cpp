#include "tools/TableRows.h"

#include "common/Text.h"
#include "data/db/Statement.h"
#include "data/db/Transaction.h"

#include <stdexcept>

namespace zorv::admin {

TableRows::TableRows(std::string table, std::vector<std::string> columns)
    : table_(std::move(table)), columns_(std::move(columns))
{
}

void TableRows::add(db::Params row)
{
    if (row.size() != columns_.size())
        throw std::logic_error(table_ + ": " + std::to_string(row.size()) + " values for " +
                               std::to_string(columns_.size()) + " columns");
    rows_.push_back(std::move(row));
}

std::string TableRows::insertSql() const
{
    std::vector<std::string> marks(columns_.size(), "?");
    return "insert into " + table_ + " (" + join(columns_, ", ") + ") values (" + join(marks, ", ") + ")";
}

TableRows* DatabaseContent::find(std::string_view name)
{
    for (TableRows& rows : tables_) {
        if (iequals(rows.table(), name))
            return &rows;
    }
    return nullptr;
}

const TableRows* DatabaseContent::find(std::string_view name) const
{
    return const_cast<DatabaseContent*>(this)->find(name);
}

TableRows& DatabaseContent::table(std::string_view name, std::initializer_list<std::string_view> columns)
{
    std::vector<std::string> wanted(columns.begin(), columns.end());
    if (TableRows* existing = find(name)) {
        if (existing->columns() != wanted)
            throw std::logic_error(std::string(name) + ": named again with other columns");
        return *existing;
    }
    return tables_.emplace_back(std::string(name), std::move(wanted));
}

const TableRows& DatabaseContent::table(std::string_view name) const
{
    const TableRows* rows = find(name);
    if (!rows)
        throw std::logic_error(std::string(name) + ": no rows were made for this table");
    return *rows;
}

bool DatabaseContent::hasTable(std::string_view name) const { return find(name) != nullptr; }

std::size_t DatabaseContent::rowCount() const
{
    std::size_t count = 0;
    for (const TableRows& rows : tables_)
        count += rows.rows().size();
    return count;
}

void DatabaseContent::append(const DatabaseContent& other)
{
    for (const TableRows& rows : other.tables_) {
        TableRows* mine = find(rows.table());
        if (!mine)
            mine = &tables_.emplace_back(rows.table(), rows.columns());
        else if (mine->columns() != rows.columns())
            throw std::logic_error(rows.table() + ": appended with other columns");
        for (const db::Params& row : rows.rows())
            mine->add(row);
    }
}

std::size_t writeContent(db::Connection& connection, const DatabaseContent& content)
{
    std::size_t written = 0;
    for (const TableRows& rows : content.tables()) {
        if (rows.rows().empty())
            continue;
        try {
            db::Transaction transaction(connection);
            db::Statement insert = transaction.prepare(rows.insertSql());
            for (const db::Params& row : rows.rows())
                insert.execute(transaction, row);
            transaction.commit();
        } catch (const std::exception& e) {
            throw std::runtime_error("cannot fill " + rows.table() + ": " + e.what());
        }
        written += rows.rows().size();
    }
    return written;
}

} // namespace zorv::admin
