// The record screen laid out from real layout rows, and the record shown in it.

#include "ScreenFixture.h"

#include "data/Dataset.h"
#include "data/TdmMain.h"
#include "records/RecordForm.h"
#include "web/controls/CheckBox.h"
#include "web/controls/ComboBox.h"
#include "web/controls/DatePicker.h"
#include "web/controls/Edit.h"
#include "web/controls/Label.h"
#include "web/controls/Memo.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zorv::records {
namespace {

constexpr int kDetailsTag = 590;

class RecordLayoutTest : public test::ScreenTest {
protected:
    RecordLayoutTest()
    {
        addLayout(kDetailsTag,
                  {
                      {"SURNAME", "EDIT BOX", 160, 10, {{"ALABELFONT", "Arial"}, {"LLABELBOLD", "TRUE"}}},
                      // Within a few pixels of SURNAME: the same row, to its right.
                      {"FORENAMES", "edit box", 400, 13, {{"LLABELVIS", "FALSE"}}},
                      {"ATITLE", "EDIT BOX", 160, 20, {{"LVISIBLE", "FALSE"}}},
                      {"ADDRESS1", "MEMO", 160, 40, {{"IDATAHEIGHT", "72"}}},
                      {"REENGAGE", "CHECKBOX", 400, 110},
                      {"DOB", "DATE", 160, 112},
                      {"GENDER", "LOOKUP", 160, 140, {{"ALOOKUP", "%GENDER%"}}},
                      {"PAYBASIS", "LOOKUP", 160, 170, {{"ALOOKUP", "%PayBasis%"}}},
                      {"DEPARTMENT", "LOOKUP", 160, 200, {{"ALOOKUP", "Departments"}}},
                      {"ISCHEMEID", "EDIT BOX", 160, 230},
                      {"KNOWNAS", "SPIN EDIT", 160, 260},
                  });
        addLabel("MASTER", "SURNAME", "Family name", "Sloinne");
        addLabel("MASTER", "DOB", "<b>Born</b>");
        for (const char* department : {"Wards", "Admissions"})
            reference.execute("insert into LOOKUP (ATYPE, AENTRY) values ('departments', ?)", {department});
        global.execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME) values (2, 'Nurses 2024')");
        employee.execute("insert into MASTER (STAFFNO, SURNAME, FORENAMES, ADDRESS1, REENGAGE, DOB, GENDER, "
                         "PAYBASIS, DEPARTMENT, ISCHEMEID) values ('S1', 'Byrne', 'Maura', 'Main St', 'Tru', "
                         "'1980-02-01', 'Female', 'Salary', 'Radiology', 2)");
    }

    data::Dataset& employees() { return dataset("qryEmpDts"); }
};

struct ControlCase {
    const char* field;
    const char* kind; // "edit", "memo", "check", "date", "list", "scheme", "none": no data control, "absent": nothing
    bool labelShown;
};

TEST_F(RecordLayoutTest, EachLayoutRowGivesItsKindOfControl)
{
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    const ControlCase cases[] = {
        {"SURNAME", "edit", true},   {"FORENAMES", "edit", false},  {"ATITLE", "absent", false},
        {"ADDRESS1", "memo", true},  {"REENGAGE", "check", true},   {"DOB", "date", true},
        {"GENDER", "list", true},    {"PAYBASIS", "list", true},    {"DEPARTMENT", "list", true},
        {"ISCHEMEID", "scheme", true}, {"KNOWNAS", "none", true},   {"POSTNAME", "absent", false},
    };
    for (const ControlCase& c : cases) {
        SCOPED_TRACE(c.field);
        const std::string field = c.field;
        web::Control* data = control<web::Control>("RMVEDT" + field);
        const std::string kind = c.kind;
        if (kind == "edit")
            EXPECT_NE(dynamic_cast<web::Edit*>(data), nullptr);
        else if (kind == "memo")
            EXPECT_NE(dynamic_cast<web::Memo*>(data), nullptr);
        else if (kind == "check")
            EXPECT_NE(dynamic_cast<web::CheckBox*>(data), nullptr);
        else if (kind == "date")
            EXPECT_NE(dynamic_cast<web::DatePicker*>(data), nullptr);
        else if (kind == "list")
            EXPECT_NE(dynamic_cast<web::ComboBox*>(data), nullptr);
        else
            EXPECT_EQ(data, nullptr);
        EXPECT_EQ(control<web::Label>("RMVLBL1" + field) != nullptr, kind == "scheme");
        EXPECT_EQ(control<web::Label>("RMVLBL" + field) != nullptr, c.labelShown);
        if (data) {
            EXPECT_EQ(data->tag(), kTagEditable);
        }
    }
    EXPECT_EQ(screen->SchemeLabelName(), "RMVLBL1ISCHEMEID");
    EXPECT_EQ(control<web::Label>("RMVLBLSURNAME")->caption(), "Family name");
    EXPECT_EQ(control<web::Label>("RMVLBLADDRESS1")->caption(), "ADDRESS1") << "no LABEL row: the field name";

    const auto* reengage = screen->fieldControl("REENGAGE");
    EXPECT_EQ(reengage->checkedValue, "Tru");
    EXPECT_EQ(reengage->uncheckedValue, "Fal");
    std::vector<std::string> genders;
    for (int i = 0; i < control<web::ComboBox>("RMVEDTGENDER")->itemCount(); ++i)
        genders.push_back(control<web::ComboBox>("RMVEDTGENDER")->itemText(i));
    EXPECT_EQ(genders, (std::vector<std::string>{"Female", "Male"})) << "a sorted list";
    EXPECT_EQ(control<web::ComboBox>("RMVEDTPAYBASIS")->itemCount(), 4) << "sources compare in upper case";
    EXPECT_EQ(control<web::ComboBox>("RMVEDTDEPARTMENT")->itemCount(), 2) << "the lookup list of that name";
}

TEST_F(RecordLayoutTest, ShowsTheCurrentRowAndStoresWhatWasChanged)
{
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    openFor(employees(), "S1");
    screen->showRecord(employees());

    EXPECT_EQ(control<web::Edit>("RMVEDTSURNAME")->text(), "Byrne");
    EXPECT_EQ(control<web::Memo>("RMVEDTADDRESS1")->text(), "Main St");
    EXPECT_TRUE(control<web::CheckBox>("RMVEDTREENGAGE")->checked()) << "\"Tru\" ticks the box";
    EXPECT_EQ(control<web::DatePicker>("RMVEDTDOB")->text(), "01/02/1980");
    EXPECT_EQ(control<web::ComboBox>("RMVEDTGENDER")->text(), "Female");
    EXPECT_EQ(control<web::ComboBox>("RMVEDTDEPARTMENT")->text(), "Radiology") << "a value the list lacks is kept";
    EXPECT_EQ(control<web::Label>("RMVLBL1ISCHEMEID")->caption(), "Nurses 2024");
    EXPECT_TRUE(control<web::Edit>("RMVEDTSURNAME")->readOnly());

    screen->makeEditable();
    control<web::Edit>("RMVEDTSURNAME")->setText("Burke");
    control<web::CheckBox>("RMVEDTREENGAGE")->setChecked(false);
    control<web::DatePicker>("RMVEDTDOB")->setText("02/03/1981");
    employees().edit();
    screen->storeRecord(employees());
    employees().post();
    EXPECT_EQ(employees().fieldText("SURNAME"), "Burke");
    EXPECT_EQ(employees().fieldText("REENGAGE"), "Fal");
    EXPECT_EQ(employees().field("DOB").asDate(), (Date{1981, 3, 2}));
    EXPECT_EQ(employees().fieldText("DEPARTMENT"), "Radiology");

    // Without a row every control is empty.
    employees().close();
    screen->showRecord(employees());
    EXPECT_EQ(control<web::Edit>("RMVEDTSURNAME")->text(), "");
    EXPECT_TRUE(control<web::DatePicker>("RMVEDTDOB")->empty());
}

TEST_F(RecordLayoutTest, StoringRefusesATextThatIsNoValueOfItsColumn)
{
    addLayout(600, {{"AGE", "EDIT BOX", 160, 10}, {"SURNAME", "EDIT BOX", 160, 40}});
    screen->LayoutScreen("MASTER", 600, employees());
    openFor(employees(), "S1");
    screen->showRecord(employees());
    screen->makeEditable();
    control<web::Edit>("RMVEDTAGE")->setText("forty");
    employees().edit();
    EXPECT_THROW(screen->storeRecord(employees()), std::invalid_argument);
}

TEST_F(RecordLayoutTest, LabelsFollowTheUsersLanguage)
{
    user.Language = "GA";
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    EXPECT_EQ(control<web::Label>("RMVLBLSURNAME")->caption(), "Sloinne");
    EXPECT_EQ(control<web::Label>("RMVLBLDOB")->caption(), "<b>Born</b>") << "no Irish caption: the English one";
}

TEST_F(RecordLayoutTest, RendersRowsByTopThenLeftWithEveryTextEscaped)
{
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    const std::string html = renderScreen();
    auto at = [&](const std::string& id) { return html.find("id=\"" + id + "\""); };
    const char* order[] = {"RMVEDTSURNAME", "RMVEDTFORENAMES", "RMVEDTADDRESS1", "RMVEDTDOB", "RMVEDTREENGAGE",
                           "RMVEDTGENDER"};
    for (size_t i = 1; i < std::size(order); ++i) {
        SCOPED_TRACE(order[i]);
        ASSERT_NE(at(order[i]), std::string::npos);
        EXPECT_LT(at(order[i - 1]), at(order[i]));
    }
    // SURNAME and FORENAMES (3 px apart) share a row, ADDRESS1 starts the next.
    const std::string between = html.substr(at("RMVEDTSURNAME"), at("RMVEDTFORENAMES") - at("RMVEDTSURNAME"));
    EXPECT_EQ(between.find("zw-record-row"), std::string::npos);
    const std::string next = html.substr(at("RMVEDTFORENAMES"), at("RMVEDTADDRESS1") - at("RMVEDTFORENAMES"));
    EXPECT_NE(next.find("zw-record-row"), std::string::npos);

    EXPECT_NE(html.find("&lt;b&gt;Born&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<b>Born"), std::string::npos);
    EXPECT_NE(html.find("font-family:&#39;Arial&#39;;font-weight:bold;"), std::string::npos) << html;
}

TEST_F(RecordLayoutTest, WithoutLayoutRowsEveryFieldGetsALabelAndAnEditBoxInOneColumn)
{
    // The statement names IPRIORITY twice (on its own and in Emergenc.*): one control.
    data::Dataset& contacts = dataset("qryEmpEct");
    screen->LayoutScreen("EMERGENC", 999, contacts);
    const auto& fields = screen->fields();
    ASSERT_EQ(fields.size(), 3u);
    const char* names[] = {"IPRIORITY", "STAFFNO", "IKEY"};
    // The schema corrections give IPRIORITY a LABEL row; the others show their names.
    const char* captions[] = {"Priority", "STAFFNO", "IKEY"};
    for (size_t i = 0; i < fields.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(fields[i].field, names[i]);
        EXPECT_EQ(fields[i].top, 10 + 30 * static_cast<int>(i));
        EXPECT_NE(dynamic_cast<web::Edit*>(fields[i].control), nullptr);
        EXPECT_EQ(dynamic_cast<web::Label*>(fields[i].label)->caption(), captions[i]);
    }
}

TEST_F(RecordLayoutTest, PriorityIsAListOfOneToTen)
{
    addLayout(253, {{"IPRIORITY", "EDIT BOX", 160, 10}});
    screen->LayoutScreen("EMERGENC", 253, dataset("qryEmpEct"));
    auto* priority = control<web::ComboBox>("RMVEDTIPRIORITY");
    ASSERT_NE(priority, nullptr);
    ASSERT_EQ(priority->itemCount(), 10);
    EXPECT_EQ(priority->itemText(0), "1");
    EXPECT_EQ(priority->itemText(9), "10");
}

TEST_F(RecordLayoutTest, ANewLayoutReplacesTheControlsOfTheLastOne)
{
    addRectangle(861, 1, "Notes only");
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    ASSERT_NE(control<web::Edit>("RMVEDTSURNAME"), nullptr);

    // Screen 861 has rectangles and no field controls, whatever its rows say.
    addLayout(861, {{"SURNAME", "EDIT BOX", 160, 10}});
    screen->LayoutScreen("MASTER", 861, employees());
    EXPECT_EQ(control<web::Edit>("RMVEDTSURNAME"), nullptr);
    EXPECT_EQ(control<web::Label>("RMVLBLSURNAME"), nullptr);
    EXPECT_TRUE(screen->fields().empty());
    EXPECT_EQ(screen->SchemeLabelName(), "");
    ASSERT_NE(control<web::Label>("RMVrec1"), nullptr);
    EXPECT_EQ(control<web::Label>("RMVrec1")->caption(), "Notes only");

    // And back: the same names can be created again.
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    EXPECT_NE(control<web::Edit>("RMVEDTSURNAME"), nullptr);
    EXPECT_EQ(control<web::Label>("RMVrec1"), nullptr);
}

TEST_F(RecordLayoutTest, ALayoutThatFailsIsLoggedAndLeavesNoFieldControls)
{
    // The look-up list of DEPARTMENT cannot be read.
    reference.execute("drop table LOOKUP");
    addRectangle(kDetailsTag, 1, "Heading");
    screen->LayoutScreen("MASTER", kDetailsTag, employees());
    EXPECT_TRUE(screen->fields().empty());
    EXPECT_NE(control<web::Label>("RMVrec1"), nullptr);
    const auto contexts = loggedContexts();
    EXPECT_NE(std::find(contexts.begin(), contexts.end(), "Error-Components"), contexts.end());
}

TEST(DesignRowsTest, GroupsTopsWithinTheToleranceAndOrdersEachRowByLeft)
{
    struct Case {
        const char* name;
        std::vector<DesignPosition> positions;
        std::vector<std::vector<size_t>> rows;
    };
    const Case cases[] = {
        {"one column", {{10, 70}, {10, 10}, {10, 40}}, {{1}, {2}, {0}}},
        {"label and field on one row", {{160, 12}, {10, 10}}, {{1, 0}}},
        {"a few pixels apart", {{300, 10 + kRowTolerance}, {10, 10}}, {{1, 0}}},
        {"just beyond", {{300, 10 + kRowTolerance + 1}, {10, 10}}, {{1}, {0}}},
        // A row is measured from its first top, so a slope does not chain into one row.
        {"a slope", {{10, 0}, {20, 6}, {30, 12}}, {{0, 1}, {2}}},
        {"same place", {{10, 10}, {10, 10}}, {{0, 1}}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(designRows(c.positions), c.rows);
    }
}

TEST(FontStyleTest, KeepsOnlyPlainFontNamesAndSensibleSizes)
{
    EXPECT_EQ(fontStyle({"MS Sans Serif", true, 10}), "font-family:'MS Sans Serif';font-weight:bold;font-size:10pt;");
    EXPECT_EQ(fontStyle({"x';background:url(evil)", false, 0}), "");
    EXPECT_EQ(fontStyle({"", false, 500}), "");
}

} // namespace
} // namespace zorv::records
