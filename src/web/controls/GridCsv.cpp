// Grid: export of the shown columns as CSV.
#include "web/controls/Grid.h"

namespace zorv::web {

namespace {
constexpr const char* kLineEnd = "\r\n";

/// One CSV field: quoted, with inner quotes doubled, when it holds a comma,
/// a quote or a line break.
std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

bool isExported(const GridColumn& c) { return c.visible && c.kind != GridColumnKind::Button; }
} // namespace

std::string Grid::toCsv() const
{
    std::vector<int> cols;
    for (int c = 0; c < columnCount(); ++c)
        if (isExported(column(c)))
            cols.push_back(c);

    std::string out;
    auto writeLine = [&](auto&& fieldOf) {
        for (size_t i = 0; i < cols.size(); ++i)
            out += (i ? "," : "") + csvField(fieldOf(cols[i]));
        out += kLineEnd;
    };
    writeLine([&](int c) -> const std::string& { return column(c).title; });
    for (int r = 0; r < rowCount(); ++r)
        writeLine([&](int c) -> const std::string& { return cell(r, c); });
    return out;
}

} // namespace zorv::web
