#include "web/Page.h"

#include "web/WebSession.h"

#include <stdexcept>

namespace zorv::web {

Page::Page(WebSession& session, std::string className) : Container(std::move(className)), session_(session)
{
    setPage(this);
}

Page::~Page() = default;

void Page::show() { session_.setCurrentPage(*this); }

Control* Page::find(const std::string& id) const
{
    auto it = index_.find(id);
    return it == index_.end() ? nullptr : it->second;
}

void Page::registerControl(Control& c)
{
    auto [it, inserted] = index_.emplace(c.id(), &c);
    if (!inserted && it->second != &c)
        throw std::logic_error("duplicate control id on page " + id() + ": " + c.id());
}

void Page::forget(const Control& c)
{
    if (auto it = index_.find(c.id()); it != index_.end() && it->second == &c)
        index_.erase(it);
}

void Page::render(HtmlWriter& w) const
{
    w.open("div").attr("id", id()).cls("zw-page").end();
    renderChildren(w);
    w.close("div");
}

namespace {
void applyTo(const Container& box, const PostedForm& form)
{
    for (const auto& child : box.children()) {
        if (!child->visible())
            continue;
        if (child->enabled() && child->acceptsInput())
            child->applyPosted(form);
        if (auto* inner = dynamic_cast<const Container*>(child.get()))
            applyTo(*inner, form);
    }
}
} // namespace

void Page::applyPosted(const PostedForm& form) { applyTo(*this, form); }

bool Page::dispatch(const Event& e)
{
    Control* target = find(e.control);
    if (!target || target == this || !target->shown() || !target->enabled())
        return false;
    return target->dispatch(e);
}

} // namespace zorv::web
