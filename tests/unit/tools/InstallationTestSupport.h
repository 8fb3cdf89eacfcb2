#pragma once

#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "tools/AdminExit.h"

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zorv::admin::test {

/// What a command printed and how it ended.
struct CommandRun {
    ExitCode code;
    std::string out;
    std::string err;
};

template <class Command>
CommandRun runCommand(Command command, const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const ExitCode code = command(args, out, err);
    return {code, out.str(), err.str()};
}

inline db::Connection openDatabase(const std::filesystem::path& home, const std::string& file)
{
    db::ConnectionTarget target;
    target.path = (home / file).string();
    return db::Connection::attach(target);
}

/// Names of the tables of a database, upper case.
inline std::set<std::string> tablesOf(db::Connection& connection)
{
    std::set<std::string> tables;
    for (const db::Row& row :
         connection.query("select trim(RDB$RELATION_NAME) from RDB$RELATIONS where RDB$SYSTEM_FLAG = 0"))
        tables.insert(row[0].asString());
    return tables;
}

/// (table, column) of every table of the database that has one of columns.
inline std::vector<std::pair<std::string, std::string>> columnsNamed(db::Connection& connection,
                                                                      const std::vector<std::string>& columns)
{
    std::vector<std::pair<std::string, std::string>> found;
    const db::ResultSet rows = connection.query(
        "select trim(f.RDB$RELATION_NAME), trim(f.RDB$FIELD_NAME) from RDB$RELATION_FIELDS f "
        "join RDB$RELATIONS r on r.RDB$RELATION_NAME = f.RDB$RELATION_NAME where r.RDB$SYSTEM_FLAG = 0 "
        "order by 1, 2");
    for (const db::Row& row : rows) {
        const std::string column = row[1].asString();
        for (const std::string& wanted : columns) {
            if (column == wanted && db::isValidIdentifier(row[0].asString()))
                found.emplace_back(row[0].asString(), column);
        }
    }
    return found;
}

} // namespace zorv::admin::test
