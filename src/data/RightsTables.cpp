#include "data/RightsTables.h"

#include "common/Text.h"
#include "data/db/Transaction.h"
#include "server/ErrorLog.h"

#include <algorithm>
#include <exception>

namespace zorv::data {
namespace {

constexpr std::string_view kFull = "Full";
constexpr std::string_view kNone = "None";
constexpr std::string_view kUnknown = "UnKnown";

// RDB$FIELDS.RDB$FIELD_TYPE codes.
constexpr int kSmallInt = 7;
constexpr int kDoublePrecision = 27;
constexpr int kInt64 = 16; // BIGINT, and NUMERIC/DECIMAL over 9 digits in dialect 3
constexpr int kTimestamp = 35;

bool isNumericType(int type) { return (type >= kSmallInt && type <= 10) || type == kDoublePrecision || type == kInt64; }

/// "?,?,?" for count parameters.
std::string placeholders(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += i == 0 ? "?" : ",?";
    return text;
}

/// The tables of origins in first-appearance order, each with the base
/// fields of its columns. Expressions (no table) are left out.
std::vector<std::pair<std::string, std::vector<std::string>>> fieldsByTable(const std::vector<FieldOrigin>& origins)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> tables;
    for (const FieldOrigin& origin : origins) {
        if (origin.table.empty())
            continue;
        auto found = std::find_if(tables.begin(), tables.end(),
                                  [&](const auto& entry) { return iequals(entry.first, origin.table); });
        if (found == tables.end())
            found = tables.insert(tables.end(), {origin.table, {}});
        found->second.push_back(origin.baseField);
    }
    return tables;
}

bool queryAllowed(db::Connection& central, db::Connection& database, const std::string& query,
                  const std::string& securityCode)
{
    const auto tables = fieldsByTable(FieldOrigins(database, query));
    bool allFull = true;
    for (const auto& [table, fields] : tables) {
        const std::string right = TableRight(central, table, securityCode);
        if (right == kNone)
            return false;
        allFull = allFull && right == kFull;
    }
    if (allFull)
        return true;
    return std::all_of(tables.begin(), tables.end(), [&](const auto& entry) {
        return FieldsAllowed(central, entry.first, securityCode, entry.second);
    });
}

} // namespace

std::string TableRight(db::Connection& central, const std::string& table, const std::string& securityCode)
{
    const db::ResultSet rows = central.query(
        "select ARIGHTS from TSECTBL where AUSERCODE = ? and upper(ATABLE) = ?", {securityCode, toUpper(table)});
    if (rows.empty())
        return std::string(kFull);
    if (rows.size() > 1)
        return std::string(kUnknown);
    return rows[0][0].asString();
}

bool FieldsAllowed(db::Connection& central, const std::string& table, const std::string& securityCode,
                   const std::vector<std::string>& fields)
{
    if (fields.empty())
        return true;
    db::Params params{securityCode, toUpper(table)};
    for (const std::string& field : fields)
        params.emplace_back(toUpper(field));
    const std::string sql = "select first 1 ARIGHTS from TSECFLD where AUSERCODE = ? and upper(ATABLE) = ? "
                            "and upper(AFIELD) in (" + placeholders(fields.size()) + ") and ARIGHTS = 'None'";
    return central.query(sql, params).empty();
}

std::string FieldDataType(db::Connection& database, const std::string& field, const std::string& table)
{
    const db::ResultSet rows = database.query(
        "select f.RDB$FIELD_TYPE from RDB$RELATION_FIELDS r join RDB$FIELDS f on r.RDB$FIELD_SOURCE = f.RDB$FIELD_NAME "
        "where upper(trim(r.RDB$FIELD_NAME)) = ? and upper(trim(r.RDB$RELATION_NAME)) = ?",
        {toUpper(trim(field)), toUpper(trim(table))});
    if (rows.empty())
        return "STRING";
    const int type = static_cast<int>(rows[0][0].asInt());
    if (isNumericType(type))
        return "NUMERIC";
    return type == kTimestamp ? "DATETIME" : "STRING";
}

std::vector<FieldOrigin> FieldOrigins(db::Connection& database, const std::string& query)
{
    db::TransactionOptions options;
    options.readOnly = true;
    db::Transaction transaction(database, options);
    const db::Statement statement = transaction.prepare(query);
    std::vector<FieldOrigin> origins;
    for (const db::ColumnInfo& column : statement.columns())
        origins.push_back({column.relation, column.name, column.field});
    return origins;
}

bool QueryAllowed(db::Connection& central, db::Connection& database, const std::string& query,
                  const std::string& securityCode) noexcept
{
    try {
        return queryAllowed(central, database, query, securityCode);
    } catch (const std::exception& error) {
        logError("QueryAllowed", error.what());
    } catch (...) {
        logError("QueryAllowed", "unknown error");
    }
    return false;
}

} // namespace zorv::data
