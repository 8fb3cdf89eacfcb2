#include "tools/FirebirdSetup.h"

#include "data/db/FirebirdRoot.h"
#include "tools/InstallLayout.h"

namespace zorv::admin {

void prepareFirebird(const std::filesystem::path& home)
{
    if (db::FirebirdRoot::isPrepared())
        return;
    const std::filesystem::path absolute = std::filesystem::absolute(home);
    db::FirebirdRoot::prepare(absolute / kFirebirdRoot, absolute / kFirebirdLock);
}

} // namespace zorv::admin
