#pragma once

#include "web/Control.h"

#include <limits>

namespace zorv::web {

/// A whole-number box with a lower and an upper limit. A posted value that is
/// not a whole number leaves the value as it was; one outside the limits is
/// moved to the nearest limit (Clamp, the default) or ignored (Reject).
class SpinEdit : public Control {
public:
    enum class OutOfRange { Clamp, Reject };

    explicit SpinEdit(std::string id);

    int value() const { return value_; }
    /// Sets the value, moved into the limits.
    void setValue(int value);
    /// Both limits included; the value is moved into them.
    void setRange(int minValue, int maxValue);
    int minValue() const { return min_; }
    int maxValue() const { return max_; }
    void setOutOfRange(OutOfRange policy) { policy_ = policy; }
    /// Step of the browser's up and down buttons (default 1).
    void setStep(int step) { step_ = step; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    /// The label element that names this box for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return !readOnly_; }
    void applyPosted(const PostedForm& form) override;

private:
    std::string labelledBy_;
    int value_ = 0;
    int min_ = std::numeric_limits<int>::min();
    int max_ = std::numeric_limits<int>::max();
    int step_ = 1;
    OutOfRange policy_ = OutOfRange::Clamp;
    bool readOnly_ = false;
};

} // namespace zorv::web
