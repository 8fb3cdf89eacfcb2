#include "data/db/Catalogue.h"

#include "common/Text.h"

#include <algorithm>

namespace zorv::db {

namespace {

constexpr std::size_t kMaxIdentifierLength = 31;

constexpr std::string_view kTableCount =
    "SELECT count(RDB$RELATION_NAME) FROM RDB$RELATIONS where UPPER(rdb$relation_name) = ?";
constexpr std::string_view kFieldCount = "select count(rdb$field_name) from rdb$relation_fields "
                                         "where UPPER(rdb$relation_name) = ? and UPPER(rdb$Field_name) = ?";

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isIdentifierCharacter(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

} // namespace

bool tableExists(Connection& connection, std::string_view table)
{
    return connection.query(kTableCount, {toUpper(table)}).first()[0].asInt() > 0;
}

bool fieldExists(Connection& connection, std::string_view table, std::string_view column)
{
    return connection.query(kFieldCount, {toUpper(table), toUpper(column)}).first()[0].asInt() > 0;
}

bool isValidIdentifier(std::string_view name)
{
    if (name.empty() || name.size() > kMaxIdentifierLength || !isAsciiLetter(name.front()))
        return false;
    return std::all_of(name.begin(), name.end(), isIdentifierCharacter);
}

bool columnExists(Connection& connection, std::string_view table, std::string_view column)
{
    return isValidIdentifier(table) && isValidIdentifier(column) && fieldExists(connection, table, column);
}

} // namespace zorv::db
