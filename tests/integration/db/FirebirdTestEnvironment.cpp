#include "FirebirdTestEnvironment.h"

#include "FirebirdServer.h"
#include "TestFolder.h"
#include "data/db/FirebirdRoot.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>

// LeakSanitizer of GCC 12 crashes at exit ("Tracer caught signal 11") when it
// scans the dynamic thread-local storage of the Firebird client's threads, so
// this program leaves thread-local storage out of its root set. What the client
// library keeps until exit is suppressed by tests/lsan.supp, which needs whole
// allocation stacks: the fast unwinder stops in ICU and glibc frames called by
// the engine. Environment variables still override these defaults.
extern "C" const char* __lsan_default_options()
{
    return "use_tls=0:suppressions=" ZORV_LSAN_SUPPRESSIONS;
}

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

namespace zorv::test {

namespace {

/// Keeps the engine and its character-set module mapped after Firebird closes
/// them at exit, so the leak report can still name them in the stacks of the
/// allocations they keep (tests/lsan.supp).
void pinFirebirdModules()
{
    for (const char* module : {"plugins/libEngine12.so", "intl/libfbintl.so"})
        ::dlopen((firebirdRootFolder() / module).c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

/// Prepares a private Firebird root for the whole test process and, at the
/// end, stops the server when a test started one.
class FirebirdTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        folder_ = std::make_unique<TestFolder>();
        db::FirebirdRoot::prepare(firebirdRootFolder(), firebirdLockFolder());
    }

    void TearDown() override
    {
        FirebirdServer::stopShared();
        pinFirebirdModules();
        db::FirebirdRoot::shutdown();
    }

    static const std::filesystem::path& folder() { return folder_->path(); }

private:
    static inline std::unique_ptr<TestFolder> folder_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new FirebirdTestEnvironment);

} // namespace

const std::filesystem::path& firebirdRootFolder()
{
    static const std::filesystem::path root = FirebirdTestEnvironment::folder() / "root";
    return root;
}

const std::filesystem::path& firebirdLockFolder()
{
    static const std::filesystem::path lock = FirebirdTestEnvironment::folder() / "lock";
    return lock;
}

} // namespace zorv::test
