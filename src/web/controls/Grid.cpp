#include "web/controls/Grid.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace zorv::web {

namespace {
const std::string kEmpty;
constexpr const char* kCheckedText = "true";
constexpr const char* kUncheckedText = "false";

bool isTickedText(std::string_view text)
{
    if (text == "1")
        return true;
    if (text.size() != 4)
        return false;
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower == kCheckedText;
}
} // namespace

Grid::Grid(std::string id) : Control(std::move(id)) {}

// --- columns -----------------------------------------------------------------

int Grid::addColumn(std::string title, GridColumnKind kind)
{
    GridColumn c;
    c.title = std::move(title);
    c.kind = kind;
    return addColumn(std::move(c));
}

int Grid::addColumn(GridColumn column)
{
    columns_.push_back(std::move(column));
    return columnCount() - 1;
}

int Grid::addComboColumn(std::string title, std::vector<std::string> items)
{
    int col = addColumn(std::move(title), GridColumnKind::Combo);
    column(col).items = std::move(items);
    return col;
}

int Grid::addButtonColumn(std::string title, std::string caption)
{
    int col = addColumn(std::move(title), GridColumnKind::Button);
    column(col).caption = std::move(caption);
    return col;
}

// --- rows and cells ------------------------------------------------------------

void Grid::setRowCount(int count)
{
    rows_.resize(static_cast<size_t>(std::max(count, 0)));
    if (activeRow_ >= rowCount())
        activeRow_ = -1;
}

int Grid::addRow()
{
    rows_.emplace_back();
    return rowCount() - 1;
}

void Grid::insertRow(int at)
{
    if (at < 0 || at > rowCount())
        throw std::out_of_range("grid " + id() + ": no row position " + std::to_string(at));
    rows_.insert(rows_.begin() + at, Row{});
    if (activeRow_ >= at)
        ++activeRow_;
}

void Grid::removeRow(int at)
{
    rowAt(at);
    rows_.erase(rows_.begin() + at);
    if (activeRow_ == at)
        activeRow_ = -1;
    else if (activeRow_ > at)
        --activeRow_;
}

void Grid::clear()
{
    rows_.clear();
    activeRow_ = -1;
}

void Grid::clearCells()
{
    for (auto& r : rows_) {
        r.cells.clear();
        r.invalidCols.clear();
    }
}

void Grid::fill(const GridModel& model)
{
    clear();
    rows_.resize(static_cast<size_t>(std::max(model.rowCount(), 0)));
    for (int r = 0; r < rowCount(); ++r) {
        auto& cells = rowAt(r).cells;
        cells.reserve(columns_.size());
        for (int c = 0; c < columnCount(); ++c)
            cells.push_back(model.text(r, c));
    }
}

const std::string& Grid::cell(int row, int col) const
{
    const Row& r = rowAt(row);
    column(col);
    return static_cast<size_t>(col) < r.cells.size() ? r.cells[static_cast<size_t>(col)] : kEmpty;
}

void Grid::setCell(int row, int col, std::string text)
{
    Row& r = rowAt(row);
    column(col);
    if (r.cells.size() <= static_cast<size_t>(col))
        r.cells.resize(static_cast<size_t>(col) + 1);
    r.cells[static_cast<size_t>(col)] = std::move(text);
    r.invalidCols.erase(col);
}

bool Grid::cellChecked(int row, int col) const { return isTickedText(cell(row, col)); }

void Grid::setCellChecked(int row, int col, bool checked)
{
    setCell(row, col, checked ? kCheckedText : kUncheckedText);
}

// --- row state -------------------------------------------------------------------

std::vector<int> Grid::selectedRows() const
{
    std::vector<int> result;
    for (int r = 0; r < rowCount(); ++r)
        if (rowAt(r).selected)
            result.push_back(r);
    return result;
}

void Grid::clearSelection()
{
    for (auto& r : rows_)
        r.selected = false;
}

std::vector<GridCell> Grid::invalidCells() const
{
    std::vector<GridCell> result;
    for (int r = 0; r < rowCount(); ++r)
        for (int c : rowAt(r).invalidCols)
            result.push_back({r, c});
    return result;
}

bool Grid::cellInvalid(int row, int col) const { return rowAt(row).invalidCols.count(col) != 0; }

// --- paging ----------------------------------------------------------------------

void Grid::setRowsPerPage(int rows) { rowsPerPage_ = std::max(rows, 0); }

int Grid::pageCount() const
{
    if (rowsPerPage_ == 0 || rows_.empty())
        return 1;
    return (rowCount() + rowsPerPage_ - 1) / rowsPerPage_;
}

int Grid::pageIndex() const { return std::min(pageIndex_, pageCount() - 1); }

int Grid::firstRowOnPage() const { return rowsPerPage_ == 0 ? 0 : pageIndex() * rowsPerPage_; }

int Grid::endRowOnPage() const
{
    return rowsPerPage_ == 0 ? rowCount() : std::min(rowCount(), firstRowOnPage() + rowsPerPage_);
}

// --- what is shown and accepted --------------------------------------------------------

bool Grid::isInputCell(int row, int col) const
{
    if (readOnly_ || !isOnPage(row) || !isVisibleColumn(col))
        return false;
    return column(col).editable() && !rowAt(row).readOnly;
}

bool Grid::isClickableCell(int row, int col) const
{
    return onCellClick && isOnPage(row) && isColumnOfKind(col, GridColumnKind::Text);
}

std::string Grid::cellName(int row, int col) const
{
    return id() + "_r" + std::to_string(row) + "_c" + std::to_string(col);
}

bool Grid::dispatch(const Event& e)
{
    if (e.name == "page") {
        if (e.col >= 0 || e.row < 0 || e.row >= pageCount())
            return false;
        setPageIndex(e.row);
        return true;
    }
    if (e.name == "cell" && isClickableCell(e.row, e.col)) {
        setActiveRow(e.row);
        onCellClick(e.row, e.col);
        return true;
    }
    if (e.name == "button" && onButtonClick && isOnPage(e.row) && isColumnOfKind(e.col, GridColumnKind::Button)) {
        onButtonClick(e.row, e.col);
        return true;
    }
    if (e.name == "change" && onCellChange && isInputCell(e.row, e.col)) {
        onCellChange(e.row, e.col);
        return true;
    }
    return false;
}

} // namespace zorv::web
