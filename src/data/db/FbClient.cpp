#include "data/db/FbClient.h"

#include <atomic>

namespace zorv::db::detail {

namespace {
std::atomic<bool> used{false};
} // namespace

Firebird::IMaster* master()
{
    used.store(true, std::memory_order_relaxed);
    return Firebird::fb_get_master_interface();
}

bool clientUsed() { return used.load(std::memory_order_relaxed); }

Firebird::IUtil* util()
{
    return master()->getUtilInterface();
}

} // namespace zorv::db::detail
