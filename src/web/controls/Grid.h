#pragma once

#include "web/Control.h"
#include "web/controls/GridColumn.h"
#include "web/controls/GridModel.h"

#include <functional>
#include <set>
#include <vector>

namespace zorv::web {

/// A table of cells with typed columns, optional inputs, button columns, row
/// selection and paging.
///
/// Positions are always (row, col), counted from 0: row is the row's index in
/// the whole grid (not on the page), col the column's index in the order the
/// columns were added, hidden columns included.
///
/// Posting: the inputs of the rows on the current page are named
/// "<id>_r<row>_c<col>" (cellName()); they exist only in visible, editable
/// columns of rows that are not read-only. The page copies their posted
/// values into the cells before any event runs. A value an Integer or Decimal
/// cell refuses keeps the old text and marks the cell in invalidCells().
///
/// Events: cell clicks, button clicks and cell changes are accepted only for
/// rows of the current page and visible columns of the right kind; page
/// buttons change the page without a handler.
class Grid : public Control {
public:
    explicit Grid(std::string id);

    // --- columns -------------------------------------------------------------
    /// Adds a column (also after rows exist; their new cells are empty) and returns its index.
    int addColumn(std::string title, GridColumnKind kind = GridColumnKind::Text);
    int addColumn(GridColumn column);
    /// Adds a Combo column offering these items.
    int addComboColumn(std::string title, std::vector<std::string> items);
    /// Adds a Button column; an empty caption shows each cell's text on its button.
    int addButtonColumn(std::string title, std::string caption);
    int columnCount() const { return static_cast<int>(columns_.size()); }
    GridColumn& column(int col) { return columns_.at(static_cast<size_t>(col)); }
    const GridColumn& column(int col) const { return columns_.at(static_cast<size_t>(col)); }
    void setColumnVisible(int col, bool visible) { column(col).visible = visible; }
    void setFooter(int col, std::string text) { column(col).footer = std::move(text); }

    // --- rows and cells --------------------------------------------------------
    int rowCount() const { return static_cast<int>(rows_.size()); }
    /// Adds empty rows at the end or removes rows from the end.
    void setRowCount(int count);
    /// Appends an empty row and returns its index.
    int addRow();
    /// Inserts an empty row before row at (0..rowCount()).
    void insertRow(int at);
    void removeRow(int at);
    /// Removes every row; the columns stay.
    void clear();
    /// Empties the text of every cell; rows and columns stay.
    void clearCells();
    /// Replaces every row with the rows of the model.
    void fill(const GridModel& model);
    /// Text of a cell. Positions outside the grid throw std::out_of_range.
    const std::string& cell(int row, int col) const;
    void setCell(int row, int col, std::string text);
    /// A tick-box cell: "true" or "1" (any case) is ticked.
    bool cellChecked(int row, int col) const;
    void setCellChecked(int row, int col, bool checked);

    // --- row state -------------------------------------------------------------
    /// A read-only grid shows no inputs (buttons and row selection still work).
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    /// A read-only row shows no inputs and takes no posted values.
    void setRowReadOnly(int row, bool readOnly) { rowAt(row).readOnly = readOnly; }
    bool rowReadOnly(int row) const { return rowAt(row).readOnly; }
    /// The row of the last cell click (highlighted); -1: none.
    int activeRow() const { return activeRow_; }
    /// Sets the active row; a row outside the grid makes it none.
    void setActiveRow(int row) { activeRow_ = row >= 0 && row < rowCount() ? row : -1; }
    /// Adds a column of tick boxes that choose rows (posted as "<id>_sel").
    void setRowSelect(bool on) { rowSelect_ = on; }
    bool rowSelect() const { return rowSelect_; }
    bool rowSelected(int row) const { return rowAt(row).selected; }
    void setRowSelected(int row, bool selected) { rowAt(row).selected = selected; }
    /// Chosen rows in ascending order.
    std::vector<int> selectedRows() const;
    void clearSelection();

    // --- validation ------------------------------------------------------------
    /// Cells whose value in the last post was refused, in (row, col) order.
    std::vector<GridCell> invalidCells() const;
    bool cellInvalid(int row, int col) const;

    // --- paging ----------------------------------------------------------------
    /// Rows shown per page; 0 (the default) shows all rows.
    void setRowsPerPage(int rows);
    int rowsPerPage() const { return rowsPerPage_; }
    /// Number of pages; at least 1.
    int pageCount() const;
    /// The shown page, kept within the pages that exist.
    int pageIndex() const;
    void setPageIndex(int index) { pageIndex_ = index < 0 ? 0 : index; }
    /// Rows of the shown page: firstRowOnPage() to endRowOnPage() - 1.
    int firstRowOnPage() const;
    int endRowOnPage() const;

    // --- events and look ---------------------------------------------------------
    /// A click on a cell of a Text column; the row becomes the active row first.
    std::function<void(int row, int col)> onCellClick;
    /// A click on a button of a Button column.
    std::function<void(int row, int col)> onButtonClick;
    /// When set, a change of an input cell posts the page at once and runs this.
    std::function<void(int row, int col)> onCellChange;
    /// Colours and weight of each shown cell.
    std::function<CellStyle(int row, int col)> cellStyle;

    /// The visible columns except button columns as CSV (RFC 4180): the titles,
    /// then every row of the grid (all pages); lines end with CRLF.
    std::string toCsv() const;
    /// Name and HTML id of the input of a cell.
    std::string cellName(int row, int col) const;

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return !readOnly_ || rowSelect_; }
    void applyPosted(const PostedForm& form) override;
    bool dispatch(const Event& e) override;

private:
    struct Row {
        std::vector<std::string> cells;
        std::set<int> invalidCols;
        bool readOnly = false;
        bool selected = false;
    };

    Row& rowAt(int row) { return rows_.at(static_cast<size_t>(row)); }
    const Row& rowAt(int row) const { return rows_.at(static_cast<size_t>(row)); }
    std::string markerName() const { return id() + "_shown"; }
    std::string selectName() const { return id() + "_sel"; }
    bool isOnPage(int row) const { return row >= firstRowOnPage() && row < endRowOnPage(); }
    bool isVisibleColumn(int col) const { return col >= 0 && col < columnCount() && column(col).visible; }
    bool isColumnOfKind(int col, GridColumnKind kind) const { return isVisibleColumn(col) && column(col).kind == kind; }
    /// The cell is rendered as an input: its posted value is used.
    bool isInputCell(int row, int col) const;
    bool isClickableCell(int row, int col) const;
    bool hasFooter() const;

    // Rendering (GridRender.cpp).
    void renderHeader(HtmlWriter& w) const;
    void renderRow(HtmlWriter& w, int row) const;
    void renderCell(HtmlWriter& w, int row, int col) const;
    void renderInput(HtmlWriter& w, int row, int col) const;
    void renderComboInput(HtmlWriter& w, int row, int col) const;
    void renderCellContent(HtmlWriter& w, int row, int col) const;
    void renderFooter(HtmlWriter& w) const;
    void renderPager(HtmlWriter& w) const;

    // Posting (GridPost.cpp).
    void applySelection(const PostedForm& form);
    void applyCell(const PostedForm& form, int row, int col);

    std::vector<GridColumn> columns_;
    std::vector<Row> rows_;
    int activeRow_ = -1;
    int rowsPerPage_ = 0;
    int pageIndex_ = 0;
    bool readOnly_ = false;
    bool rowSelect_ = false;
};

} // namespace zorv::web
