#pragma once

#include <compare>
#include <string>
#include <vector>

namespace zorv::web {

/// What the cells of a grid column are.
enum class GridColumnKind {
    Text,     ///< shown text; clickable when the grid has onCellClick
    Edit,     ///< a one-line text input
    Integer,  ///< a whole-number input; other posted text is refused
    Decimal,  ///< a decimal-number input ("-12.5"); other posted text is refused
    Combo,    ///< a drop-down of the column's items; the cell holds the chosen item's text
    CheckBox, ///< a tick box; the cell holds "true" or "false"
    Button,   ///< a button per row; runs onButtonClick
};

/// A column of a grid. Columns are plain data: pages set the fields directly.
struct GridColumn {
    std::string title;  ///< header text; a line break in it starts a new header line
    GridColumnKind kind = GridColumnKind::Text;
    std::vector<std::string> items; ///< Combo: the choices
    std::string caption; ///< Button: the caption of every button; empty: the cell's text
    std::string footer;  ///< text under the column; the footer row shows when any is set
    bool visible = true;
    int width = -1;      ///< preferred width in pixels; -1: automatic

    /// True for kinds whose cells are inputs (unless the row or grid is read-only).
    bool editable() const
    {
        return kind != GridColumnKind::Text && kind != GridColumnKind::Button;
    }
};

/// Look of one cell, from Grid::cellStyle. Colours are names or #rrggbb;
/// anything else is ignored.
struct CellStyle {
    std::string background;
    std::string color;
    bool bold = false;
};

/// A cell position: row, then column.
struct GridCell {
    int row = 0;
    int col = 0;
    friend auto operator<=>(const GridCell&, const GridCell&) = default;
};

} // namespace zorv::web
