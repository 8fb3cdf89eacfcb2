#include "records/RecordForm.h"

#include <algorithm>
#include <numeric>
#include <set>

namespace zorv::records {

namespace {

constexpr size_t kMaxFontName = 64;
constexpr int kMaxFontSize = 72;

bool isPlainFontName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxFontName)
        return false;
    return std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '-';
    });
}

} // namespace

std::vector<std::vector<size_t>> designRows(const std::vector<DesignPosition>& positions)
{
    std::vector<size_t> order(positions.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return positions[a].top < positions[b].top; });
    std::vector<std::vector<size_t>> rows;
    int rowTop = 0;
    for (size_t index : order) {
        if (rows.empty() || positions[index].top - rowTop > kRowTolerance) {
            rows.emplace_back();
            rowTop = positions[index].top;
        }
        rows.back().push_back(index);
    }
    for (auto& row : rows)
        std::stable_sort(row.begin(), row.end(), [&](size_t a, size_t b) {
            if (positions[a].left != positions[b].left)
                return positions[a].left < positions[b].left;
            return positions[a].top < positions[b].top;
        });
    return rows;
}

std::string fontStyle(const DesignFont& font)
{
    std::string style;
    if (isPlainFontName(font.name))
        style += "font-family:'" + font.name + "';";
    if (font.bold)
        style += "font-weight:bold;";
    if (font.sizePt > 0 && font.sizePt <= kMaxFontSize)
        style += "font-size:" + std::to_string(font.sizePt) + "pt;";
    return style;
}

RecordForm::RecordForm(std::string id) : Container(std::move(id)) {}

void RecordForm::place(DesignPosition position, std::vector<web::Control*> controls, std::vector<DesignFont> fonts)
{
    Part part{position, std::move(controls), {}};
    for (size_t i = 0; i < part.controls.size(); ++i)
        part.styles.push_back(i < fonts.size() ? fontStyle(fonts[i]) : std::string());
    parts_.push_back(std::move(part));
}

void RecordForm::truncate(size_t count)
{
    if (count >= parts_.size())
        return;
    std::set<const web::Control*> dropped;
    for (size_t i = count; i < parts_.size(); ++i)
        dropped.insert(parts_[i].controls.begin(), parts_[i].controls.end());
    parts_.resize(count);
    removeChildren([&](const web::Control& child) { return dropped.count(&child) > 0; });
}

void RecordForm::render(web::HtmlWriter& w) const
{
    w.open("div");
    writeCommonAttributes(w, "zw-record-screen");
    w.end();
    std::vector<DesignPosition> positions;
    for (const Part& part : parts_)
        positions.push_back(part.position);
    for (const auto& row : designRows(positions)) {
        const bool anyShown = std::any_of(row.begin(), row.end(), [&](size_t i) {
            const auto& controls = parts_[i].controls;
            return std::any_of(controls.begin(), controls.end(), [](const web::Control* c) { return c->visible(); });
        });
        if (!anyShown)
            continue;
        w.open("div").cls("row g-2 mb-2 zw-record-row").end();
        for (size_t i : row)
            renderPart(w, parts_[i]);
        w.close("div");
    }
    w.close("div");
}

void RecordForm::renderPart(web::HtmlWriter& w, const Part& part) const
{
    if (std::none_of(part.controls.begin(), part.controls.end(), [](const web::Control* c) { return c->visible(); }))
        return;
    w.open("div").cls("col-12 col-md zw-record-part").end();
    for (size_t i = 0; i < part.controls.size(); ++i) {
        const web::Control* control = part.controls[i];
        if (!control->visible())
            continue;
        if (part.styles[i].empty()) {
            control->render(w);
            continue;
        }
        w.open("div").attr("style", part.styles[i]).end();
        control->render(w);
        w.close("div");
    }
    w.close("div");
}

} // namespace zorv::records
