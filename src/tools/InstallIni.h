#pragma once

#include "common/DateTime.h"
#include "tools/InstallLayout.h"
#include "tools/IniText.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zorv::admin {

/// What the INI files of a new installation depend on.
struct IniPlan {
    bool demo = false;                         ///< the demo's captions, colours and examples
    std::vector<EmployeeDatabase> databases;   ///< DBLIST, the first is the default
    Date today;
    /// dbSec.ini: logins kept out of a database, as (staff number + login, DBLIST name).
    std::vector<std::pair<std::string, std::string>> deniedDatabases;
};

/// zorvweb.ini: the start-up, database, display and page settings.
IniText zorvwebIni(const IniPlan& plan);

/// Writes every INI file of the program folder (zorvweb.ini, zorvwebdebug.ini,
/// ZorvError.ini, aliases.ini, update.ini, dbSec.ini, Mailsent.ini,
/// signoff.ini, wTabOrder.ini, customColumn.ini), of the Windows folder
/// (ZorvCent.INI, ZorvWork.ini) and of the system folders (global.ini twice,
/// FlexSet.ini, PAYPER.INI, ADVMPLink.ini), the e-mail templates and the
/// report definitions. The folders must exist.
void writeIniFiles(const std::filesystem::path& home, const IniPlan& plan);

} // namespace zorv::admin
