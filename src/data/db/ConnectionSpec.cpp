#include "data/db/ConnectionSpec.h"

namespace zorv::db {

bool ConnectionSpec::isRemote() const
{
    return !path.starts_with('/') && path.find(':') != std::string::npos;
}

} // namespace zorv::db
