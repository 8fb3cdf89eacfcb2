#include "ControlHarness.h"

#include "web/controls/Grid.h"

#include <functional>
#include <optional>

namespace zorv::web::testing {
namespace {

/// A staff grid with a column of every kind, five rows and a hidden key column.
class TfrmGridTest : public Page {
public:
    enum Col { colName, colNote, colHours, colRate, colPlace, colPaid, colSelect, colKey };
    static constexpr int kRows = 5;

    explicit TfrmGridTest(WebSession& s) : Page(s, "TfrmGridTest")
    {
        grd = add<Grid>("grdStaff");
        grd->addColumn("Name");
        grd->addColumn("Note", GridColumnKind::Edit);
        grd->addColumn("Hours", GridColumnKind::Integer);
        grd->addColumn("Rate", GridColumnKind::Decimal);
        grd->addComboColumn("Place", {"Front Door", "HR Dept"});
        grd->addColumn("Paid", GridColumnKind::CheckBox);
        grd->addButtonColumn("", "Select");
        grd->addColumn("Key", GridColumnKind::Edit);
        grd->setColumnVisible(colKey, false);
        for (int r = 0; r < kRows; ++r) {
            grd->addRow();
            const std::string n = std::to_string(r);
            for (auto [col, text] : {std::pair{colName, "r" + n}, {colNote, "n" + n}, {colHours, std::string("8")},
                                     {colRate, std::string("1.5")}, {colPlace, std::string("Front Door")},
                                     {colPaid, std::string("true")}, {colKey, "k" + n}})
                grd->setCell(r, col, text);
        }
        grd->onButtonClick = [this](int row, int col) {
            buttonClicks.push_back({row, col});
            rowAtClick.clear();
            for (int c = 0; c < grd->columnCount(); ++c)
                rowAtClick.push_back(grd->cell(row, c));
        };
        grd->onCellClick = [this](int row, int col) {
            cellClicks.push_back({row, col});
            activeRowAtClick = grd->activeRow();
        };
    }

    Grid* grd;
    std::vector<GridCell> buttonClicks;
    std::vector<GridCell> cellClicks;
    std::vector<std::string> rowAtClick;
    int activeRowAtClick = -1;
};

using Col = TfrmGridTest::Col;

/// Posts the grid's fields (with its marker, as the browser sends it).
std::string postGrid(Harness& h, Fields fields)
{
    fields.emplace_back("grdStaff_shown", "1");
    return h.post(fields);
}

TEST(GridPost, PostedCellsReachTheGridBeforeTheButtonHandlerRuns)
{
    Harness h;
    auto& page = h.open<TfrmGridTest>();
    postGrid(h, {{"grdStaff_r1_c1", "typed"},
                 {"grdStaff_r1_c2", "7"},
                 {"grdStaff_r1_c3", "2.25"},
                 {"grdStaff_r1_c4", "1"},
                 {"__event", "grdStaff:button:1:6"}});
    ASSERT_EQ(page.buttonClicks, (std::vector<GridCell>{{1, Col::colSelect}}));
    // Paid was not posted: an unticked box.
    EXPECT_EQ(page.rowAtClick, (std::vector<std::string>{"r1", "typed", "7", "2.25", "HR Dept", "false", "", "k1"}));
    EXPECT_EQ(page.grd->cell(0, Col::colNote), "n0") << "rows that were not posted keep their text";
}

TEST(GridPost, EachCellKindParsesItsOwnValue)
{
    struct Case {
        const char* name;
        int col;
        std::string before;
        std::optional<std::string> posted;
        std::string after;
        bool invalid;
    };
    const Case cases[] = {
        {"text loses control characters", Col::colNote, "n", "a\tb\x01" "c", "a bc", false},
        {"integer with blanks", Col::colHours, "8", " 42 ", "42", false},
        {"integer with a plus sign", Col::colHours, "8", "+5", "5", false},
        {"integer emptied", Col::colHours, "8", "", "", false},
        {"integer with letters", Col::colHours, "8", "4x", "8", true},
        {"integer past 64 bits", Col::colHours, "8", "99999999999999999999", "8", true},
        {"integer with a decimal point", Col::colHours, "8", "7.5", "8", true},
        {"decimal", Col::colRate, "1.5", "-12.50", "-12.50", false},
        {"decimal with two points", Col::colRate, "1.5", "1.2.3", "1.5", true},
        {"decimal with a comma", Col::colRate, "1.5", "1,5", "1.5", true},
        {"decimal sign only", Col::colRate, "1.5", "-", "1.5", true},
        {"combo index", Col::colPlace, "Front Door", "1", "HR Dept", false},
        {"combo index past the items", Col::colPlace, "Front Door", "2", "Front Door", false},
        {"combo negative index", Col::colPlace, "Front Door", "-1", "Front Door", false},
        {"combo text instead of an index", Col::colPlace, "Front Door", "HR Dept", "Front Door", false},
        {"combo keeps a text that is not an item", Col::colPlace, "Attic", "", "Attic", false},
        {"tick box ticked", Col::colPaid, "false", "1", "true", false},
        {"tick box absent is unticked", Col::colPaid, "true", std::nullopt, "false", false},
        {"tick box with another value", Col::colPaid, "false", "on", "false", false},
    };
    for (const auto& c : cases) {
        Harness h;
        auto& page = h.open<TfrmGridTest>();
        page.grd->setCell(2, c.col, c.before);
        Fields fields;
        if (c.posted)
            fields.emplace_back(page.grd->cellName(2, c.col), *c.posted);
        postGrid(h, fields);
        EXPECT_EQ(page.grd->cell(2, c.col), c.after) << c.name;
        EXPECT_EQ(page.grd->cellInvalid(2, c.col), c.invalid) << c.name;
    }
}

TEST(GridPost, RefusedValuesAreListedUntilTheNextPost)
{
    Harness h;
    auto& page = h.open<TfrmGridTest>();
    postGrid(h, {{"grdStaff_r3_c2", "x"}, {"grdStaff_r1_c3", "y"}});
    EXPECT_EQ(page.grd->invalidCells(), (std::vector<GridCell>{{1, Col::colRate}, {3, Col::colHours}}));
    EXPECT_TRUE(contains(h.render(), "is-invalid"));
    postGrid(h, {{"grdStaff_r3_c2", "9"}});
    EXPECT_TRUE(page.grd->invalidCells().empty());
}

TEST(GridPost, CellsThatAreNotInputsIgnorePostedValues)
{
    struct Case {
        const char* name;
        std::function<void(Grid&)> setup;
        int row;
        int col;
    };
    const Case cases[] = {
        {"hidden column", [](Grid&) {}, 1, Col::colKey},
        {"text column", [](Grid&) {}, 1, Col::colName},
        {"read-only row", [](Grid& g) { g.setRowReadOnly(1, true); }, 1, Col::colNote},
        {"read-only grid", [](Grid& g) { g.setReadOnly(true); }, 1, Col::colNote},
        {"row of another page", [](Grid& g) { g.setRowsPerPage(2); }, 3, Col::colNote},
    };
    for (const auto& c : cases) {
        Harness h;
        auto& page = h.open<TfrmGridTest>();
        c.setup(*page.grd);
        const std::string name = page.grd->cellName(c.row, c.col);
        EXPECT_FALSE(contains(h.render(), "name=\"" + name + "\"")) << c.name;
        const std::string before = page.grd->cell(c.row, c.col);
        postGrid(h, {{name, "changed"}});
        EXPECT_EQ(page.grd->cell(c.row, c.col), before) << c.name;
    }
}

TEST(GridPost, WithoutTheMarkerNothingIsApplied)
{
    Harness h;
    auto& page = h.open<TfrmGridTest>();
    h.post({{"grdStaff_r1_c1", "typed"}});
    EXPECT_EQ(page.grd->cell(1, Col::colNote), "n1");
    EXPECT_TRUE(page.grd->cellChecked(1, Col::colPaid)) << "a missing tick box means nothing without the marker";
}

TEST(GridEvents, PositionsOutsideTheShownCellsDispatchNothing)
{
    struct Case {
        const char* name;
        const char* event;
        std::function<void(Grid&)> setup = [](Grid&) {};
    };
    // Page 1 of 3 shows rows 2 and 3.
    const Case cases[] = {
        {"button on a row of another page", "grdStaff:button:0:6"},
        {"button past the last row", "grdStaff:button:9:6"},
        {"button in a column without buttons", "grdStaff:button:2:1"},
        {"button past the columns", "grdStaff:button:2:99"},
        {"button without a column", "grdStaff:button:2"},
        {"button of a hidden column", "grdStaff:button:2:6",
         [](Grid& g) { g.setColumnVisible(Col::colSelect, false); }},
        {"cell click on a row of another page", "grdStaff:cell:4:0"},
        {"cell click on an input", "grdStaff:cell:2:1"},
        {"cell click on a hidden column", "grdStaff:cell:2:7"},
        {"page past the last page", "grdStaff:page:3"},
        {"page with a column", "grdStaff:page:0:1"},
        {"unknown event", "grdStaff:dblclick:2:0"},
    };
    for (const auto& c : cases) {
        Harness h;
        auto& page = h.open<TfrmGridTest>();
        page.grd->setRowsPerPage(2);
        page.grd->setPageIndex(1);
        c.setup(*page.grd);
        h.render();
        postGrid(h, {{"__event", c.event}});
        EXPECT_TRUE(page.buttonClicks.empty()) << c.name;
        EXPECT_TRUE(page.cellClicks.empty()) << c.name;
        EXPECT_EQ(page.grd->pageIndex(), 1) << c.name;
        EXPECT_EQ(page.grd->activeRow(), -1) << c.name;
    }
}

TEST(GridEvents, PagingShowsAndAcceptsOnlyTheRowsOfTheShownPage)
{
    Harness h;
    auto& page = h.open<TfrmGridTest>();
    page.grd->setRowsPerPage(2);
    std::string html = h.render();
    EXPECT_TRUE(contains(html, "name=\"grdStaff_r1_c1\""));
    EXPECT_FALSE(contains(html, "grdStaff_r2_c1"));
    EXPECT_TRUE(contains(html, "Page 1 of 3"));

    html = postGrid(h, {{"__event", "grdStaff:page:2"}});
    EXPECT_EQ(page.grd->pageIndex(), 2);
    EXPECT_TRUE(contains(html, "name=\"grdStaff_r4_c1\""));
    EXPECT_FALSE(contains(html, "grdStaff_r1_c1"));

    postGrid(h, {{"__event", "grdStaff:button:4:6"}});
    postGrid(h, {{"__event", "grdStaff:button:1:6"}});
    EXPECT_EQ(page.buttonClicks, (std::vector<GridCell>{{4, Col::colSelect}}));
}

TEST(GridEvents, CellClickMakesTheRowActiveBeforeTheHandlerRuns)
{
    Harness h;
    auto& page = h.open<TfrmGridTest>();
    const std::string html = postGrid(h, {{"__event", "grdStaff:cell:3:0"}});
    EXPECT_EQ(page.cellClicks, (std::vector<GridCell>{{3, Col::colName}}));
    EXPECT_EQ(page.activeRowAtClick, 3);
    EXPECT_TRUE(contains(html, "table-active"));
}

TEST(GridRows, SelectionComesFromTheShownPageOnly)
{
    Harness h;
    auto& page = h.open<TfrmGridTest>();
    page.grd->setRowSelect(true);
    page.grd->setRowsPerPage(2);
    page.grd->setPageIndex(1);
    page.grd->setRowSelected(0, true);
    page.grd->setRowSelected(2, true);
    h.render();
    // Row 2 unticked; 3 ticked; junk, rows of other pages and rows past the end ignored.
    postGrid(h, {{"grdStaff_sel", "3"}, {"grdStaff_sel", "x"}, {"grdStaff_sel", "4"}, {"grdStaff_sel", "1"},
                 {"grdStaff_sel", "99"}});
    EXPECT_EQ(page.grd->selectedRows(), (std::vector<int>{0, 3}));
}

TEST(GridRows, RowStateMovesWithItsRow)
{
    Grid g("grdX");
    g.addColumn("A", GridColumnKind::Edit);
    g.setRowCount(4);
    g.setCell(2, 0, "two");
    g.setRowReadOnly(2, true);
    g.setRowSelected(3, true);
    g.setActiveRow(3);

    g.insertRow(0);
    EXPECT_EQ(g.cell(3, 0), "two");
    EXPECT_TRUE(g.rowReadOnly(3));
    EXPECT_EQ(g.selectedRows(), (std::vector<int>{4}));
    EXPECT_EQ(g.activeRow(), 4);

    g.removeRow(1);
    EXPECT_EQ(g.activeRow(), 3);
    g.removeRow(3);
    EXPECT_EQ(g.activeRow(), -1);
    EXPECT_TRUE(g.selectedRows().empty());
    EXPECT_THROW(g.removeRow(3), std::out_of_range);
    EXPECT_THROW(g.cell(0, 1), std::out_of_range);
}

TEST(GridRows, FillReplacesEveryRowWithTheModelsRows)
{
    struct TwoRows : GridModel {
        int rowCount() const override { return 2; }
        std::string text(int row, int col) const override { return std::to_string(row) + ":" + std::to_string(col); }
    };
    Grid g("grdX");
    g.addColumn("A");
    g.addColumn("B");
    g.setRowCount(5);
    g.setRowReadOnly(1, true);
    g.setActiveRow(4);
    g.fill(TwoRows());
    ASSERT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cell(1, 1), "1:1");
    EXPECT_FALSE(g.rowReadOnly(1));
    EXPECT_EQ(g.activeRow(), -1);
}

TEST(GridRender, CellStylesKeepOnlyPlainColours)
{
    Grid g("grdX");
    g.addColumn("A");
    g.addRow();
    g.cellStyle = [](int, int) { return CellStyle{"red;background:url(x)", "#00ff00", true}; };
    const std::string html = htmlOf(g);
    EXPECT_TRUE(contains(html, "style=\"color:#00ff00;font-weight:bold;\""));
    EXPECT_FALSE(contains(html, "url("));
}

TEST(GridCsv, QuotesFieldsAndLeavesOutHiddenAndButtonColumns)
{
    Grid g("grdX");
    g.addColumn("Name");
    g.addColumn("Note, long", GridColumnKind::Edit);
    g.addButtonColumn("Go", "Go");
    g.setColumnVisible(g.addColumn("Key"), false);
    const std::vector<std::vector<std::string>> rows = {
        {"plain", "a,b", "", "k1"},
        {"say \"hi\"", "line 1\r\nline 2", "", "k2"},
        {"", "", "", ""},
    };
    for (const auto& cells : rows) {
        int r = g.addRow();
        for (int c = 0; c < g.columnCount(); ++c)
            g.setCell(r, c, cells[static_cast<size_t>(c)]);
    }
    EXPECT_EQ(g.toCsv(), "Name,\"Note, long\"\r\n"
                         "plain,\"a,b\"\r\n"
                         "\"say \"\"hi\"\"\",\"line 1\r\nline 2\"\r\n"
                         ",\r\n");
}

} // namespace
} // namespace zorv::web::testing
