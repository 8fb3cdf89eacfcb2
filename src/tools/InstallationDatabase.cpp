#include "tools/InstallationDatabase.h"

#include "common/Text.h"
#include "tools/FirebirdSetup.h"

#include <stdexcept>

namespace zorv::admin {

std::string databasePath(const data::DatabaseLayout& layout, const std::string& alias, const std::string& path)
{
    for (const auto& [name, configured] : layout.configured) {
        if (iequals(name, alias))
            return layout.resolve(configured, false);
    }
    return path;
}

db::Connection openApplicationDatabase(const std::filesystem::path& home, const std::string& alias)
{
    if (!std::filesystem::is_regular_file(home / "zorvweb.ini"))
        throw std::runtime_error(home.string() + " holds no installation (no zorvweb.ini)");
    prepareFirebird(home);
    const data::DatabaseLayout layout = data::DatabaseLayout::read(home);
    std::string path;
    for (const auto& [name, layoutPath] : layout.databases) {
        if (name == alias)
            path = layoutPath;
    }
    path = databasePath(layout, alias, path);
    if (path.empty())
        throw std::runtime_error("no database is configured for " + alias);
    const db::ConnectionTarget target{path, layout.user, layout.password};
    if (!target.isRemote() && !std::filesystem::exists(path))
        throw std::runtime_error("the database file of " + alias + " does not exist: " + path);
    return db::Connection::attach(target);
}

} // namespace zorv::admin
