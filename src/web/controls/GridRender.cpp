// Grid: the HTML of the table, its inputs and its page buttons.
#include "web/controls/Grid.h"

namespace zorv::web {

namespace {
std::string cellStyleText(const CellStyle& s)
{
    std::string style;
    if (auto bg = safeCssValue(s.background); !bg.empty())
        style += "background-color:" + bg + ';';
    if (auto fg = safeCssValue(s.color); !fg.empty())
        style += "color:" + fg + ';';
    if (s.bold)
        style += "font-weight:bold;";
    return style;
}

/// Text for screen readers naming an input of a cell: "Title, row 3".
std::string cellLabel(const GridColumn& c, int row)
{
    std::string title = c.title;
    for (char& ch : title)
        if (ch == '\r' || ch == '\n')
            ch = ' ';
    return title + ", row " + std::to_string(row + 1);
}

void openSubmit(HtmlWriter& w, const std::string& eventValue)
{
    w.open("button").attr("type", "submit").attr("name", "__event").attr("value", eventValue);
}
} // namespace

void Grid::render(HtmlWriter& w) const
{
    w.open("div");
    writeCommonAttributes(w, "zw-grid");
    w.end();
    w.open("input").attr("type", "hidden").attr("name", markerName()).attr("value", "1").end();
    w.open("div").cls("table-responsive").end();
    w.open("table").cls("table table-sm table-bordered table-hover align-middle zw-grid-table").end();
    renderHeader(w);
    w.open("tbody").end();
    for (int r = firstRowOnPage(); r < endRowOnPage(); ++r)
        renderRow(w, r);
    w.close("tbody");
    if (hasFooter())
        renderFooter(w);
    w.close("table").close("div");
    if (pageCount() > 1)
        renderPager(w);
    w.close("div");
}

void Grid::renderHeader(HtmlWriter& w) const
{
    w.open("thead").end().open("tr").end();
    if (rowSelect_) {
        w.open("th").attr("scope", "col").cls("zw-grid-select").end();
        w.element("span", "visually-hidden", "Select").close("th");
    }
    for (const auto& c : columns_) {
        if (!c.visible)
            continue;
        w.open("th").attr("scope", "col");
        if (c.width > 0)
            w.attr("style", "width:" + std::to_string(c.width) + "px");
        w.end().markup(Markup::fromTextWithBreaks(c.title)).close("th");
    }
    w.close("tr").close("thead");
}

void Grid::renderRow(HtmlWriter& w, int row) const
{
    std::string classes = "zw-grid-row";
    if (row == activeRow_)
        classes += " table-active zw-grid-active";
    if (rowAt(row).selected)
        classes += " zw-grid-selected";
    w.open("tr").cls(classes).end();
    if (rowSelect_) {
        w.open("td").cls("zw-grid-select").end();
        w.open("input").attr("type", "checkbox").attr("name", selectName()).attr("value", row);
        w.cls("form-check-input").attr("aria-label", "Select row " + std::to_string(row + 1));
        w.flag("checked", rowAt(row).selected).flag("disabled", !enabled()).end();
        w.close("td");
    }
    for (int c = 0; c < columnCount(); ++c)
        if (column(c).visible)
            renderCell(w, row, c);
    w.close("tr");
}

void Grid::renderCell(HtmlWriter& w, int row, int col) const
{
    const bool input = isInputCell(row, col);
    w.open("td");
    if (!input)
        w.attr("id", cellName(row, col));
    if (auto style = cellStyle ? cellStyleText(cellStyle(row, col)) : std::string(); !style.empty())
        w.attr("style", style);
    w.end();
    if (input)
        renderInput(w, row, col);
    else
        renderCellContent(w, row, col);
    w.close("td");
}

void Grid::renderInput(HtmlWriter& w, int row, int col) const
{
    const GridColumn& c = column(col);
    if (c.kind == GridColumnKind::Combo) {
        renderComboInput(w, row, col);
        return;
    }
    const bool tickBox = c.kind == GridColumnKind::CheckBox;
    const bool invalid = cellInvalid(row, col);
    const std::string name = cellName(row, col);
    w.open("input").attr("type", tickBox ? "checkbox" : "text").attr("name", name).attr("id", name);
    if (tickBox) {
        w.attr("value", "1").cls("form-check-input").flag("checked", cellChecked(row, col));
    } else {
        w.attr("value", cell(row, col));
        w.cls(invalid ? "form-control form-control-sm zw-grid-input is-invalid"
                      : "form-control form-control-sm zw-grid-input");
        if (c.kind == GridColumnKind::Integer)
            w.attr("inputmode", "numeric");
        else if (c.kind == GridColumnKind::Decimal)
            w.attr("inputmode", "decimal");
        if (invalid)
            w.attr("aria-invalid", "true");
    }
    w.attr("aria-label", cellLabel(c, row));
    if (onCellChange)
        w.attr("data-zw-post", Event::encode(id(), "change", row, col));
    w.flag("disabled", !enabled()).end();
}

void Grid::renderComboInput(HtmlWriter& w, int row, int col) const
{
    const GridColumn& c = column(col);
    const std::string& current = cell(row, col);
    w.open("select").attr("name", cellName(row, col)).attr("id", cellName(row, col));
    w.cls("form-select form-select-sm zw-grid-input").attr("aria-label", cellLabel(c, row));
    if (onCellChange)
        w.attr("data-zw-post", Event::encode(id(), "change", row, col));
    w.flag("disabled", !enabled()).end();
    bool found = false;
    for (size_t i = 0; i < c.items.size(); ++i) {
        const bool chosen = !found && c.items[i] == current;
        found = found || chosen;
        w.open("option").attr("value", static_cast<long long>(i)).flag("selected", chosen).end();
        w.text(c.items[i]).close("option");
    }
    // A text that is not one of the items stays as it is unless another item is chosen.
    if (!found)
        w.open("option").attr("value", "").flag("selected").end().text(current).close("option");
    w.close("select");
}

void Grid::renderCellContent(HtmlWriter& w, int row, int col) const
{
    const GridColumn& c = column(col);
    const std::string& text = cell(row, col);
    switch (c.kind) {
    case GridColumnKind::Button:
        openSubmit(w, Event::encode(id(), "button", row, col));
        w.cls("btn btn-sm btn-outline-primary zw-grid-button").flag("disabled", !enabled()).end();
        w.text(c.caption.empty() ? text : c.caption).close("button");
        return;
    case GridColumnKind::CheckBox:
        w.open("input").attr("type", "checkbox").cls("form-check-input").attr("aria-label", cellLabel(c, row));
        w.flag("checked", cellChecked(row, col)).flag("disabled").end();
        return;
    default:
        break;
    }
    if (!isClickableCell(row, col)) {
        w.text(text);
        return;
    }
    openSubmit(w, Event::encode(id(), "cell", row, col));
    w.cls("btn btn-link btn-sm p-0 text-start zw-grid-cell-button").flag("disabled", !enabled()).end();
    w.text(text).close("button");
}

bool Grid::hasFooter() const
{
    for (const auto& c : columns_)
        if (c.visible && !c.footer.empty())
            return true;
    return false;
}

void Grid::renderFooter(HtmlWriter& w) const
{
    w.open("tfoot").end().open("tr").end();
    if (rowSelect_)
        w.open("td").end().close("td");
    for (const auto& c : columns_)
        if (c.visible)
            w.element("td", "zw-grid-footer", c.footer);
    w.close("tr").close("tfoot");
}

void Grid::renderPager(HtmlWriter& w) const
{
    const int current = pageIndex();
    const int last = pageCount() - 1;
    auto pageButton = [&](int target, const char* label, const char* symbol) {
        const bool off = target == current || !enabled();
        w.open("li").cls(off ? "page-item disabled" : "page-item").end();
        openSubmit(w, Event::encode(id(), "page", target));
        w.cls("page-link").attr("aria-label", label).flag("disabled", off).end().text(symbol).close("button");
        w.close("li");
    };
    w.open("nav").attr("aria-label", "Pages").end();
    w.open("ul").cls("pagination pagination-sm flex-wrap zw-grid-pager").end();
    pageButton(0, "First page", "\u00AB");
    pageButton(std::max(current - 1, 0), "Previous page", "\u2039");
    w.open("li").cls("page-item active").attr("aria-current", "page").end();
    w.element("span", "page-link", "Page " + std::to_string(current + 1) + " of " + std::to_string(last + 1));
    w.close("li");
    pageButton(std::min(current + 1, last), "Next page", "\u203A");
    pageButton(last, "Last page", "\u00BB");
    w.close("ul").close("nav");
}

} // namespace zorv::web
