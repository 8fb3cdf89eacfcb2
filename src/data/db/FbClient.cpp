#include "data/db/FbClient.h"

namespace zorv::db::detail {

Firebird::IMaster* master()
{
    return Firebird::fb_get_master_interface();
}

Firebird::IUtil* util()
{
    return master()->getUtilInterface();
}

} // namespace zorv::db::detail
