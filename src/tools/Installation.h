#pragma once

#include "common/DateTime.h"
#include "tools/Logins.h"
#include "tools/SchemaText.h"
#include "tools/TableRows.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zorv::admin {

/// A database to create from its schema and fill.
struct PlannedDatabase {
    std::string file; ///< relative to the program folder
    DatabaseKind kind;
    std::vector<const DatabaseContent*> contents;
};

/// Creates each database below home from its schema (dialect 3, WIN1252)
/// and writes its rows; returns the number of rows written. The Firebird
/// root must be prepared. Throws std::runtime_error.
std::size_t createDatabases(const std::filesystem::path& home, const std::vector<PlannedDatabase>& databases);

struct DemoOptions {
    std::filesystem::path home;
    int employees = 300; ///< hospital staff; the council always has 50
    std::uint32_t seed = 1;
    Date today; ///< the data is laid out around this day and its year
};

inline constexpr int kMaximumEmployees = 3000;

struct BuildResult {
    std::vector<Login> logins;
    std::size_t rows = 0;
    int databases = 0;
};

/// Builds the demo installation in options.home, which must not hold one
/// yet. The same options give the same installation, except for the random
/// salts of the password hashes. Throws
/// std::invalid_argument for an employee count out of range and
/// std::runtime_error for anything that fails.
BuildResult buildDemo(const DemoOptions& options);

/// Builds an empty installation for a real site in home (which must not
/// hold one yet): every database with its schema and the rows the pages
/// need, one employee database "Main", and one administrator login with
/// password, whose record is returned.
BuildResult buildSite(const std::filesystem::path& home, const Date& today, const std::string& password);

} // namespace zorv::admin
