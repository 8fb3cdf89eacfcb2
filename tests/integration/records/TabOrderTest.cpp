// The tab order of a record screen and its file wTabOrder.ini.

#include "ScreenFixture.h"

#include "common/Ini.h"
#include "data/Dataset.h"
#include "data/ReferenceCache.h"
#include "records/TabOrder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zorv::records {
namespace {

constexpr int kTag = 590;

class TabOrderTest : public test::ScreenTest {
protected:
    TabOrderTest()
    {
        // Two columns of two fields, listed out of order.
        addLayout(kTag, {{"GENDER", "EDIT BOX", 400, 40},
                         {"SURNAME", "EDIT BOX", 160, 10},
                         {"DOB", "DATE", 400, 10},
                         {"FORENAMES", "EDIT BOX", 160, 40}});
        screen->LayoutScreen("MASTER", kTag, dataset("qryEmpDts"));
    }

    int tabOf(const std::string& field) { return screen->fieldControl(field)->control->tabOrder(); }
    static ino_t fileIdentity()
    {
        struct stat info {};
        return ::stat(tabOrderIniPath().c_str(), &info) == 0 ? info.st_ino : 0;
    }
};

TEST_F(TabOrderTest, ColumnByColumnTopToBottomWrittenOnlyWhenItChanges)
{
    screen->SetTabOrder(kTag);
    EXPECT_EQ(tabOf("SURNAME"), 0);
    EXPECT_EQ(tabOf("FORENAMES"), 1);
    EXPECT_EQ(tabOf("DOB"), 2);
    EXPECT_EQ(tabOf("GENDER"), 3);
    EXPECT_NE(renderScreen().find("id=\"RMVEDTDOB\" class=\"form-control zw-date\" tabindex=\"3\""),
              std::string::npos);
    const Ini file(tabOrderIniPath());
    EXPECT_EQ(file.readString("590", "0"), "RMVEDTSURNAME");
    EXPECT_EQ(file.readString("590", "3"), "RMVEDTGENDER");

    // The file is replaced on every write: the same file means nothing was written.
    const ino_t written = fileIdentity();
    ASSERT_NE(written, 0u);
    screen->SetTabOrder(kTag);
    EXPECT_EQ(fileIdentity(), written);

    // A field moved to the left of the first column changes the order and the file.
    web.execute("update TUSRSCR set IDATALEFT = 10 where ITAG = 590 and AFIELDNAME = 'GENDER'");
    data::ReferenceCache::instance().invalidate("TUSRSCR");
    screen->LayoutScreen("MASTER", kTag, dataset("qryEmpDts"));
    screen->SetTabOrder(kTag);
    EXPECT_EQ(tabOf("GENDER"), 0);
    EXPECT_EQ(Ini(tabOrderIniPath()).readString("590", "0"), "RMVEDTGENDER");
}

TEST_F(TabOrderTest, TheOverrideGivesTheListedControlsTheirPositions)
{
    Ini file(tabOrderIniPath());
    file.writeBool("override", "590", true);
    file.writeString("590", "0", "rmvedtGender");
    file.writeString("590", "1", "RMVEDTSURNAME");
    file.writeString("590", "3", "RMVEDTDOB"); // after the gap at "2": not read
    screen->SetTabOrder(kTag);
    EXPECT_EQ(tabOf("GENDER"), 0);
    EXPECT_EQ(tabOf("SURNAME"), 1);
    EXPECT_EQ(tabOf("DOB"), -1);
    EXPECT_EQ(tabOf("FORENAMES"), -1);
    EXPECT_EQ(file.readString("590", "2"), "") << "an override is not written back";
}

TEST(ColumnTabOrderTest, CountsTheStopsLeftOfEachOrAboveItInItsColumn)
{
    const std::vector<TabStop> stops = {{"a", 10, 50}, {"b", 10, 10}, {"c", 5, 90}, {"d", 30, 0}, {"e", 30, 0}};
    EXPECT_EQ(columnTabOrder(stops), (std::vector<int>{2, 1, 0, 3, 3}));
}

} // namespace
} // namespace zorv::records
