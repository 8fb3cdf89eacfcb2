#include "leave/LeaveSettings.h"
#include "data/Aliases.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/MainCatalogue.h"
#include "data/TdmMain.h"

#include <filesystem>
#include <stdexcept>

namespace zorv::leave {

namespace {

constexpr const char* kDefaultSystemName = "ZorvWork";

std::string globalIniIn(const std::string& directory)
{
    std::filesystem::path folder(directory);
    if (folder.is_relative())
        folder = programFolder() / folder;
    return (folder / "global.ini").lexically_normal().string();
}

} // namespace

LeaveSettings LeaveSettings::read()
{
    const Ini zorvweb(zorvwebIniPath());
    const char* alias = data::alias::globalFor(zorvweb.readString("web", "System", kDefaultSystemName));
    const bool workSystem = alias == data::alias::kGlobalWork;
    const std::string directoryKey = workSystem ? "WorkGlobalSystemDirectory" : "GlobalSystemDirectory";
    return {alias,
            globalIniIn(zorvweb.readString("PROGRAM", directoryKey, ""))};
}

db::Connection& employeeConnection(data::TdmMain& dmMain)
{
    if (dmMain.employeeAlias() == data::kEmployeeDesignName)
        throw std::runtime_error("No employee database is connected.");
    return dmMain.connection(dmMain.employeeAlias());
}

} // namespace zorv::leave
