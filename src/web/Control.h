#pragma once

#include "web/Html.h"
#include "web/Request.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zorv::web {

class Page;
class Container;

/// An event named by a post: the control it targets, the event's name and,
/// for controls with rows and columns (grids, outlook bars, planners), the
/// position. Each control checks the position against what it shows.
struct Event {
    std::string control;
    std::string name;
    int row = -1;
    int col = -1;

    /// Parses "id:name[:row[:col]]"; nothing for anything malformed.
    static std::optional<Event> parse(std::string_view text);
    /// The value a submit element carries to name this event.
    static std::string encode(std::string_view control, std::string_view name, int row = -1, int col = -1);
};

/// Size and position that a page's design gives in pixels. They are hints:
/// the layout flows, and a width becomes a maximum width.
struct Geometry {
    int left = -1;
    int top = -1;
    int width = -1;
    int height = -1;
};

/// Base of every control: an id (the HTML id), visibility, enabled state,
/// rendering and the reading of its own posted value.
class Control {
public:
    explicit Control(std::string id);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& id() const { return id_; }
    Page* page() const { return page_; }
    Container* parent() const { return parent_; }

    bool visible() const { return visible_; }
    void setVisible(bool v) { visible_ = v; }
    /// Visible and every container above it visible too.
    bool shown() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool e) { enabled_ = e; }

    Geometry& geometry() { return geometry_; }
    const Geometry& geometry() const { return geometry_; }
    void setWidth(int px) { geometry_.width = px; }
    /// Font colour: a colour name or "#rrggbb"; anything else is ignored.
    void setFontColor(std::string colour) { fontColor_ = std::move(colour); }
    const std::string& fontColor() const { return fontColor_; }
    /// Fill colour (a CSS colour); invalid values are ignored.
    void setBackgroundColor(std::string colour) { backgroundColor_ = std::move(colour); }
    const std::string& backgroundColor() const { return backgroundColor_; }
    /// A number the page keeps with the control (such as 100: never shown).
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    /// Position in the keyboard order (rendered as tabindex = position + 1);
    /// -1, the default, leaves the document order.
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int position) { tabOrder_ = position; }
    /// Extra CSS classes (our own style sheet or the CSS framework's).
    void setCssClass(std::string classes) { cssClass_ = std::move(classes); }
    const std::string& cssClass() const { return cssClass_; }
    void setHint(std::string hint) { hint_ = std::move(hint); }

    /// Writes the control's HTML. Called only for shown controls.
    virtual void render(HtmlWriter& w) const = 0;
    /// True for controls that read a posted value.
    virtual bool acceptsInput() const { return false; }
    /// Reads this control's value from the post. Called only for shown,
    /// enabled controls that accept input; a control parses and range-checks
    /// its own value and ignores what it cannot use.
    virtual void applyPosted(const PostedForm&) {}
    /// Runs the handler of an event addressed to this control; false when the
    /// control has no such event or the position is out of range.
    virtual bool dispatch(const Event&) { return false; }

protected:
    /// Runs when the control is placed on a page (page() is then set): for a
    /// control added to a container that is already on a page, or for each
    /// control of a container when the container is placed.
    virtual void attached() {}
    /// Writes id, classes, hint and the style hints common to all controls.
    void writeCommonAttributes(HtmlWriter& w, std::string_view classes) const;
    std::string styleText() const;

private:
    friend class Container;
    std::string id_;
    Page* page_ = nullptr;
    Container* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    Geometry geometry_;
    std::string fontColor_;
    std::string backgroundColor_;
    int tag_ = 0;
    int tabOrder_ = -1;
    std::string cssClass_;
    std::string hint_;
};

/// A control that owns other controls and renders them in order.
class Container : public Control {
public:
    using Control::Control;

    /// Creates a child control owned by this container and registers its id
    /// with the page. Ids are unique within a page.
    template <class T, class... Args>
    T* add(Args&&... args)
    {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = child.get();
        adopt(std::move(child));
        return raw;
    }
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }
    /// Destroys the children (and everything inside them) for which remove
    /// returns true; the page forgets their ids. Not during a render or
    /// while one of them runs a handler.
    void removeChildren(const std::function<bool(const Control&)>& remove);

    void render(HtmlWriter& w) const override;

protected:
    void renderChildren(HtmlWriter& w) const;
    void adopt(std::unique_ptr<Control> child);
    void setPage(Page* page) { attachTo(page); }

private:
    void attachTo(Page* page);
    std::vector<std::unique_ptr<Control>> children_;
};

} // namespace zorv::web
