#pragma once

#include <string_view>

namespace zorv::admin {

/// The six kinds of database of an installation, one db/schema file each.
enum class DatabaseKind {
    Global,     ///< GlobalQuennel, global.sql
    Central,    ///< CentQuennel, central.sql
    Web,        ///< QuennelMain, web.sql
    GlobalWork, ///< VizereDivIdid, globalwork.sql
    LocalList,  ///< Zorv-Localdat, locallist.sql
    Employee,   ///< dbZorv<Name>, employee.sql
};

/// The text of the schema file of kind, built into the program from db/schema.
std::string_view schemaText(DatabaseKind kind);

} // namespace zorv::admin
