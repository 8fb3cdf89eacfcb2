#pragma once

#include "web/Control.h"

#include <string>
#include <unordered_map>

namespace zorv::web {

class WebSession;

/// A page: a tree of controls with handlers, shown one at a time per session.
///
/// A page builds its controls in its constructor and connects their events to
/// its own member handlers. The session calls create() once before the first
/// render (the page's creation event), beforeRender() before every render.
/// A page lives until it is released; a page that is not current and not
/// released is hidden and keeps its state until it is shown again.
class Page : public Container {
public:
    Page(WebSession& session, std::string className);
    ~Page() override;

    WebSession& session() const { return session_; }
    /// The class name of the page (such as "TformMain"); used as its form id.
    const std::string& className() const { return id(); }

    /// The page's creation step; runs once, after construction.
    virtual void create() {}
    /// Runs before each render of this page.
    virtual void beforeRender() {}
    /// Runs after each render of this page (the page's text is complete).
    virtual void afterRender() {}

    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& title() const { return title_; }
    /// Page background colour (a colour name or #rrggbb); invalid values are ignored.
    void setBackgroundColor(std::string colour) { background_ = std::move(colour); }
    const std::string& backgroundColor() const { return background_; }

    /// The button that Enter in an edit of this page clicks (empty: Enter does nothing).
    void setDefaultButton(std::string buttonId) { defaultButton_ = std::move(buttonId); }
    const std::string& defaultButton() const { return defaultButton_; }

    /// Makes this page the one the session shows next.
    void show();
    /// Marks the page for destruction at the end of the request.
    void release() { released_ = true; }
    bool released() const { return released_; }
    /// The page that opened this one without releasing itself (owner/child).
    Page* owner() const { return owner_; }
    void setOwner(Page* owner) { owner_ = owner; }

    Control* find(const std::string& id) const;
    template <class T>
    T* findAs(const std::string& id) const { return dynamic_cast<T*>(find(id)); }

    /// True when the page holds a file upload (the form is then multipart).
    bool hasUpload() const { return hasUpload_; }
    void setHasUpload() { hasUpload_ = true; }

    void render(HtmlWriter& w) const override;
    /// Copies posted values into every shown, enabled input control.
    void applyPosted(const PostedForm& form) override;
    /// Runs the handler of one event; false when no shown, enabled control takes it.
    bool dispatch(const Event& e) override;

private:
    friend class Container;
    void registerControl(Control& c);
    void forget(const Control& c);

    WebSession& session_;
    std::unordered_map<std::string, Control*> index_;
    std::string title_;
    std::string background_;
    std::string defaultButton_;
    Page* owner_ = nullptr;
    bool released_ = false;
    bool hasUpload_ = false;
};

} // namespace zorv::web
