#pragma once

#include <string>

namespace zorv::web {

/// Rows of cell texts that a grid copies in with Grid::fill(): an adapter over
/// a dataset or a list, so that pages do not fill cells in loops.
class GridModel {
public:
    virtual ~GridModel() = default;
    virtual int rowCount() const = 0;
    /// Text of a cell; col is the grid's column index (hidden columns count).
    virtual std::string text(int row, int col) const = 0;
};

} // namespace zorv::web
