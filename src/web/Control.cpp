#include "web/Control.h"

#include "web/Page.h"

#include <charconv>
#include <stdexcept>

namespace zorv::web {

namespace {
bool parseIndex(std::string_view text, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && out >= 0;
}

bool isIdentifier(std::string_view s)
{
    if (s.empty() || s.size() > 64)
        return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
            return false;
    return true;
}
} // namespace

std::optional<Event> Event::parse(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (parts.size() < 5) {
        size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 4 || !isIdentifier(parts[0]) || !isIdentifier(parts[1]))
        return std::nullopt;
    Event e{std::string(parts[0]), std::string(parts[1])};
    if (parts.size() > 2 && !parseIndex(parts[2], e.row))
        return std::nullopt;
    if (parts.size() > 3 && !parseIndex(parts[3], e.col))
        return std::nullopt;
    return e;
}

std::string Event::encode(std::string_view control, std::string_view name, int row, int col)
{
    std::string s(control);
    s += ':';
    s += name;
    if (row >= 0) {
        s += ':' + std::to_string(row);
        if (col >= 0)
            s += ':' + std::to_string(col);
    }
    return s;
}

Control::Control(std::string id) : id_(std::move(id))
{
    if (!isIdentifier(id_))
        throw std::logic_error("invalid control id: " + id_);
}

bool Control::shown() const
{
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

std::string Control::styleText() const
{
    std::string style;
    if (geometry_.width > 0)
        style += "max-width:" + std::to_string(geometry_.width) + "px;";
    if (auto colour = safeCssValue(fontColor_); !colour.empty())
        style += "color:" + colour + ';';
    if (auto colour = safeCssValue(backgroundColor_); !colour.empty())
        style += "background-color:" + colour + ';';
    return style;
}

void Control::writeCommonAttributes(HtmlWriter& w, std::string_view classes) const
{
    w.attr("id", id_);
    std::string all(classes);
    if (!cssClass_.empty())
        all += (all.empty() ? "" : " ") + cssClass_;
    w.cls(all);
    if (!hint_.empty())
        w.attr("title", hint_);
    if (tabOrder_ >= 0)
        w.attr("tabindex", tabOrder_ + 1);
    if (auto style = styleText(); !style.empty())
        w.attr("style", style);
}

void Container::render(HtmlWriter& w) const
{
    w.open("div");
    writeCommonAttributes(w, "zw-container");
    w.end();
    renderChildren(w);
    w.close("div");
}

void Container::renderChildren(HtmlWriter& w) const
{
    for (const auto& child : children_)
        if (child->visible())
            child->render(w);
}

void Container::adopt(std::unique_ptr<Control> child)
{
    child->parent_ = this;
    if (page_)
        page_->registerControl(*child);
    if (auto* box = dynamic_cast<Container*>(child.get()))
        box->attachTo(page_);
    else
        child->page_ = page_;
    if (page_)
        child->attached();
    children_.push_back(std::move(child));
}

void Container::removeChildren(const std::function<bool(const Control&)>& remove)
{
    auto forgetTree = [this](const Control& gone, auto& self) -> void {
        if (page_)
            page_->forget(gone);
        if (auto* box = dynamic_cast<const Container*>(&gone))
            for (const auto& child : box->children_)
                self(*child, self);
    };
    std::erase_if(children_, [&](const std::unique_ptr<Control>& child) {
        if (!remove(*child))
            return false;
        forgetTree(*child, forgetTree);
        return true;
    });
}

void Container::attachTo(Page* page)
{
    page_ = page;
    for (auto& child : children_) {
        if (page)
            page->registerControl(*child);
        if (auto* box = dynamic_cast<Container*>(child.get()))
            box->attachTo(page);
        else
            child->page_ = page;
        if (page)
            child->attached();
    }
}

} // namespace zorv::web
