#include "tools/SchemaLoader.h"

#include "common/Text.h"
#include "data/db/DatabaseError.h"
#include "data/db/Transaction.h"

#include <stdexcept>

namespace zorv::admin {

namespace {

constexpr std::string_view kCreateTable = "CREATE TABLE ";
constexpr std::size_t kQuotedStatementLength = 60;

std::string withoutComments(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::string_view line : split(text, '\n')) {
        const std::size_t comment = line.find("--");
        out.append(line.substr(0, comment));
        out += '\n';
    }
    return out;
}

std::string_view leadingName(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && text[end] != '(' && text[end] != ' ' && text[end] != '\n' && text[end] != '\t')
        ++end;
    return text.substr(0, end);
}

/// "CREATE TABLE" and the name may be separated by several blanks or a line break.
std::string normalisedBlanks(std::string_view statement)
{
    std::string out;
    for (char c : statement) {
        const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\r';
        if (blank && !out.empty() && out.back() == ' ')
            continue;
        out += blank ? ' ' : c;
    }
    return out;
}

} // namespace

std::vector<std::string> schemaStatements(std::string_view text)
{
    std::vector<std::string> statements;
    for (std::string_view part : split(withoutComments(text), ';')) {
        std::string statement = trim(part);
        if (!statement.empty())
            statements.push_back(std::move(statement));
    }
    return statements;
}

std::vector<std::string> schemaTables(std::string_view text)
{
    std::vector<std::string> tables;
    for (const std::string& statement : schemaStatements(text)) {
        const std::string flat = normalisedBlanks(statement);
        if (!startsWithNoCase(flat, kCreateTable))
            continue;
        tables.push_back(toUpper(leadingName(std::string_view(flat).substr(kCreateTable.size()))));
    }
    return tables;
}

db::Connection createFromSchema(const db::ConnectionTarget& target, DatabaseKind kind)
{
    db::Connection connection = db::createDatabase(target, db::DatabaseOptions{});
    // One transaction for the whole schema: each commit writes the changed
    // system pages through to disk, so this is many times faster.
    db::Transaction transaction(connection);
    for (const std::string& statement : schemaStatements(schemaText(kind))) {
        try {
            transaction.execute(statement);
        } catch (const db::DatabaseError& e) {
            throw std::runtime_error(target.path + ": \"" + statement.substr(0, kQuotedStatementLength) +
                                     "…\" failed: " + e.what());
        }
    }
    try {
        transaction.commit();
    } catch (const db::DatabaseError& e) {
        throw std::runtime_error(target.path + ": the schema could not be committed: " + e.what());
    }
    return connection;
}

} // namespace zorv::admin
