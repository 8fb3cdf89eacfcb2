// Grid: reading the posted inputs of the shown page.
#include "web/controls/Grid.h"

#include "web/controls/Edit.h"
#include "web/controls/PostedText.h"
#include "web/controls/PostedValue.h"

namespace zorv::web {

namespace {
constexpr const char* kTickedValue = "1";

bool isBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

/// The text a numeric cell keeps for a posted value, or nothing when the value is refused.
std::optional<std::string> numericCellText(GridColumnKind kind, std::string_view posted)
{
    if (isBlank(posted))
        return std::string();
    if (kind == GridColumnKind::Integer) {
        auto n = postedInteger(posted);
        return n ? std::optional<std::string>(std::to_string(*n)) : std::nullopt;
    }
    return postedDecimal(posted);
}
} // namespace

void Grid::applyPosted(const PostedForm& form)
{
    // Without the marker the grid was not on the posted form; with it, a
    // missing tick box means "unticked".
    if (!form.has(markerName()))
        return;
    for (auto& r : rows_)
        r.invalidCols.clear();
    if (rowSelect_)
        applySelection(form);
    for (int r = firstRowOnPage(); r < endRowOnPage(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (isInputCell(r, c))
                applyCell(form, r, c);
}

void Grid::applySelection(const PostedForm& form)
{
    const int first = firstRowOnPage();
    const int end = endRowOnPage();
    for (int r = first; r < end; ++r)
        rowAt(r).selected = false;
    for (const auto& posted : form.all(selectName())) {
        auto row = postedIndex(posted, end);
        if (row && *row >= first)
            rowAt(*row).selected = true;
    }
}

void Grid::applyCell(const PostedForm& form, int row, int col)
{
    const GridColumn& c = column(col);
    auto posted = form.get(cellName(row, col));
    if (c.kind == GridColumnKind::CheckBox) {
        if (!posted || *posted == kTickedValue)
            setCellChecked(row, col, posted.has_value());
        return;
    }
    if (!posted)
        return;
    switch (c.kind) {
    case GridColumnKind::Edit:
        setCell(row, col, postedLine(*posted, kMaxEditLength));
        return;
    case GridColumnKind::Combo:
        if (auto index = postedIndex(*posted, static_cast<int>(c.items.size())))
            setCell(row, col, c.items[static_cast<size_t>(*index)]);
        return;
    case GridColumnKind::Integer:
    case GridColumnKind::Decimal:
        if (auto text = numericCellText(c.kind, *posted))
            setCell(row, col, std::move(*text));
        else
            rowAt(row).invalidCols.insert(col);
        return;
    default:
        return;
    }
}

} // namespace zorv::web
