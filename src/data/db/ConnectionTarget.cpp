#include "data/db/ConnectionTarget.h"

namespace zorv::db {

bool ConnectionTarget::isRemote() const
{
    return !path.starts_with('/') && path.find(':') != std::string::npos;
}

} // namespace zorv::db
