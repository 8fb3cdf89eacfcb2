#include "ControlHarness.h"

#include "web/controls/FileUpload.h"
#include "web/controls/Region.h"

#include <optional>

namespace zorv::web::testing {
namespace {

TEST(FileUpload, KeepsOnlyTheBaseNameOfTheTypedFileName)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"report.xlsx", "report.xlsx"},
        {"..\\..\\zorvweb.ini", "zorvweb.ini"},
        {"/etc/passwd", "passwd"},
        {"C:\\x\\y.txt", "y.txt"},
        {"a/b\\c.txt", "c.txt"},
        {"..", std::nullopt},
        {".", std::nullopt},
        {"x/..", std::nullopt},
        {"dir/", std::nullopt},
        {"", std::nullopt},
        {"bad\nname.txt", std::nullopt},
        {"\xC3\x28.txt", std::nullopt},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(uploadBaseName(typed), expected) << typed;
}

TEST(FileUpload, TakesTheFileOfItsOwnFieldFromEachPost)
{
    FileUpload upl("uplFile");
    PostedForm form;
    form.addFile({"otherField", "other.txt", "text/plain", "/tmp/a", 1});
    form.addFile({"uplFile", "..\\..\\zorvweb.ini", "text/plain", "/tmp/b", 12});
    upl.applyPosted(form);
    ASSERT_NE(upl.uploadedFile(), nullptr);
    EXPECT_EQ(upl.uploadedFile()->fileName, "zorvweb.ini");
    EXPECT_EQ(upl.uploadedFile()->tempPath, "/tmp/b");
    EXPECT_EQ(upl.uploadedFile()->size, 12u);

    upl.applyPosted(PostedForm());
    EXPECT_EQ(upl.uploadedFile(), nullptr) << "a post without a file leaves none";

    PostedForm unusable;
    unusable.addFile({"uplFile", "..", "", "/tmp/c", 3});
    upl.applyPosted(unusable);
    EXPECT_EQ(upl.uploadedFile(), nullptr);
}

TEST(FileUpload, MakesItsPageMultipart)
{
    class TfrmUpload : public Page {
    public:
        explicit TfrmUpload(WebSession& s) : Page(s, "TfrmUpload")
        {
            auto* reg = add<Region>("regUpload");
            reg->add<FileUpload>("uplFile")->setAccept(".xlsx");
        }
    };
    Harness h;
    h.open<BlankPage>();
    EXPECT_FALSE(contains(h.render(), "multipart/form-data"));
    h.open<TfrmUpload>();
    const std::string html = h.render();
    EXPECT_TRUE(contains(html, "enctype=\"multipart/form-data\""));
    EXPECT_TRUE(contains(html, "type=\"file\" name=\"uplFile\""));
}

} // namespace
} // namespace zorv::web::testing
