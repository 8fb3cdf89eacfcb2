#pragma once

#include "tools/SchemaText.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

// Where an installation made by zorvweb-admin keeps its files
// (docs/installation.md). Paths are relative to the program folder, so an
// installation can be moved as a whole; the INI files and DBLIST hold them
// in this form.

inline constexpr std::string_view kGlobalDatabase = "data/global.fdb";
inline constexpr std::string_view kWebDatabase = "data/web.fdb";
inline constexpr std::string_view kGlobalWorkDatabase = "data/globalwork.fdb";
inline constexpr std::string_view kCentralDatabase = "data/central.fdb";
/// [PROGRAM] DBListDirectory; the list itself is dblist/tables.fdb below it.
inline constexpr std::string_view kDataDirectory = "data/";
inline constexpr std::string_view kListDirectory = "data/dblist/";
inline constexpr std::string_view kListDatabase = "data/dblist/tables.fdb";
inline constexpr std::string_view kGlobalSystemDirectory = "data/global/";
inline constexpr std::string_view kWorkSystemDirectory = "data/work/";
inline constexpr std::string_view kCentralSystemDirectory = "data/central/";
inline constexpr std::string_view kWindowsDirectory = "windows/";

/// The private Firebird root and lock folder that the server and
/// zorvweb-admin share for one installation.
inline constexpr std::string_view kFirebirdRoot = "firebird/root";
inline constexpr std::string_view kFirebirdLock = "firebird/lock";

/// An employee database: its DBLIST name and location.
struct EmployeeDatabase {
    std::string name;     ///< DBLIST.NAME, alias "dbZorv" + name
    std::string location; ///< DBLIST.LOCATION, relative to the program folder
};

/// One database of an installation: its alias, kind and file.
struct InstalledDatabase {
    std::string alias;
    DatabaseKind kind;
    std::string file; ///< relative to the program folder
};

/// The five application databases, in the order they are created.
std::vector<InstalledDatabase> applicationDatabases();

/// Every folder an installation holds, relative to the program folder.
const std::vector<std::string_view>& installationFolders();

/// Creates home (mode 0750) and every installation folder below it.
void createFolders(const std::filesystem::path& home);

/// True when home already holds an installation (a zorvweb.ini or a data folder).
bool holdsInstallation(const std::filesystem::path& home);

} // namespace zorv::admin
