#include "tools/InstallLayout.h"

namespace zorv::admin {

namespace fs = std::filesystem;

namespace {
constexpr fs::perms kFolderMode = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec;
} // namespace

std::vector<InstalledDatabase> applicationDatabases()
{
    return {
        {"GlobalQuennel", DatabaseKind::Global, std::string(kGlobalDatabase)},
        {"CentQuennel", DatabaseKind::Central, std::string(kCentralDatabase)},
        {"QuennelMain", DatabaseKind::Web, std::string(kWebDatabase)},
        {"VizereDivIdid", DatabaseKind::GlobalWork, std::string(kGlobalWorkDatabase)},
        {"Zorv-Localdat", DatabaseKind::LocalList, std::string(kListDatabase)},
    };
}

const std::vector<std::string_view>& installationFolders()
{
    // TimeData and Attach are read below the global system folder by some
    // pages and below the work one by others: both exist.
    static const std::vector<std::string_view> folders = {
        "windows",
        "data",
        "data/dblist",
        "data/global",
        "data/global/Attach",
        "data/global/TimeData",
        "data/work",
        "data/work/audit/zorvweb",
        "data/work/TimeData",
        "data/work/Attach",
        "data/central",
        "data/central/Emails",
        "reports",
        "csv",
        "files/Customer",
        "images",
    };
    return folders;
}

void createFolders(const fs::path& home)
{
    fs::create_directories(home);
    fs::permissions(home, kFolderMode);
    for (std::string_view folder : installationFolders()) {
        const fs::path path = home / folder;
        fs::create_directories(path);
        fs::permissions(path, kFolderMode);
    }
}

bool holdsInstallation(const fs::path& home)
{
    return fs::exists(home / "zorvweb.ini") || fs::exists(home / "data");
}

} // namespace zorv::admin
