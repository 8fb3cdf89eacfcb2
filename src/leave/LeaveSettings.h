#pragma once

#include <string>

namespace zorv::db {
class Connection;
}

namespace zorv::data {
class TdmMain;
}

namespace zorv::leave {

/// Where the leave configuration of this installation lives, by the system
/// name (zorvweb.ini [web] System): for "ZORVWORK" (any case; the default)
/// the global work database and the global.ini of WorkGlobalSystemDirectory,
/// otherwise the global HR database and the global.ini of
/// GlobalSystemDirectory ([PROGRAM] keys, relative to the program folder).
struct LeaveSettings {
    std::string databaseAlias;
    std::string globalIniPath;

    /// zorvweb.ini as it is now.
    static LeaveSettings read();
};

/// The session's employee database; throws std::runtime_error when dmMain
/// has connected none.
db::Connection& employeeConnection(data::TdmMain& dmMain);

} // namespace zorv::leave
