#pragma once

#include "data/Tdmdata.h"
#include "data/db/Connection.h"

#include <filesystem>
#include <string>

namespace zorv::admin {

/// The path the server opens for alias: the installation's aliases.ini entry
/// when it has one (which wins, as in the server), else path, the layout's own.
std::string databasePath(const data::DatabaseLayout& layout, const std::string& alias, const std::string& path);

/// Opens the application database alias (such as "QuennelMain") of the
/// installation in home the way the server finds it, with the Firebird root of
/// the installation (prepareFirebird). Throws std::runtime_error when home
/// holds no installation, no database is configured for alias or its file is
/// missing, and DatabaseError when the database cannot be opened.
db::Connection openApplicationDatabase(const std::filesystem::path& home, const std::string& alias);

} // namespace zorv::admin
