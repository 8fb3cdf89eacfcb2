#pragma once

#include "web/Control.h"

namespace zorv::web {

/// A container of controls. Regions of one group show one at a time.
class Region : public Container {
public:
    explicit Region(std::string id);
    /// Regions with the same group name are alternatives: showing one hides the others.
    void setGroup(std::string group) { group_ = std::move(group); }
    const std::string& group() const { return group_; }
    /// Makes this region visible and hides the other regions of its group.
    void showExclusive();
    /// Renders as a card with this heading (empty: no frame).
    void setHeading(std::string heading) { heading_ = std::move(heading); }
    void render(HtmlWriter& w) const override;

private:
    std::string group_;
    std::string heading_;
};

/// A horizontal rule or framed rectangle of the design.
class Rule : public Control {
public:
    using Control::Control;
    void render(HtmlWriter& w) const override;
};

} // namespace zorv::web
