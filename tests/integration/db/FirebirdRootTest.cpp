#include "FirebirdTestEnvironment.h"
#include "TestFolder.h"
#include "data/db/FirebirdRoot.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zorv::db {
namespace {

namespace fs = std::filesystem;

const fs::path kInstalled(FirebirdRoot::kInstalledRoot);

TEST(FirebirdRootTest, BuildsASuperClassicRootAndRepairsIt)
{
    test::TestFolder folder;
    const fs::path root = folder.path() / "root";
    fs::create_directories(root);
    fs::create_symlink("/nonexistent", root / "plugins");
    test::writeText((root / "plugins.conf").string(), "# the operator's own\n");

    FirebirdRoot::build(root, "RemoteServicePort = 3051");
    FirebirdRoot::build(root, "RemoteServicePort = 3051");

    EXPECT_EQ(test::readText((root / "firebird.conf").string()),
              "# Written by ZorvWeb whenever it starts: edits here are lost.\n"
              "ServerMode = SuperClassic\n"
              "RemoteServicePort = 3051\n");
    EXPECT_EQ(fs::read_symlink(root / "plugins"), kInstalled / "plugins");
    EXPECT_EQ(fs::read_symlink(root / "firebird.msg"), kInstalled / "firebird.msg");
    EXPECT_EQ(test::readText((root / "plugins.conf").string()), "# the operator's own\n");
    // The character-set module must be a file inside the root, not a link out of it.
    EXPECT_FALSE(fs::is_symlink(root / "intl"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root / "intl" / "libfbintl.so")));
    EXPECT_EQ(fs::read_symlink(root / "intl" / "fbintl.conf"), kInstalled / "intl" / "fbintl.conf");
}

TEST(FirebirdRootTest, PreparesOncePerProcess)
{
    struct stat lock{};
    ASSERT_EQ(::stat(test::firebirdLockFolder().c_str(), &lock), 0);
    EXPECT_EQ(lock.st_mode & 0777, 0700u);
    EXPECT_EQ(std::string(std::getenv("FIREBIRD")), test::firebirdRootFolder().string());
    EXPECT_EQ(std::string(std::getenv("FIREBIRD_LOCK")), test::firebirdLockFolder().string());

    EXPECT_NO_THROW(FirebirdRoot::prepare(test::firebirdRootFolder(), test::firebirdLockFolder()));
    test::TestFolder other;
    EXPECT_THROW(FirebirdRoot::prepare(other.path() / "root", other.path() / "lock"), std::logic_error);
}

} // namespace
} // namespace zorv::db
