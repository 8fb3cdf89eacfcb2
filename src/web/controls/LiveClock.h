#pragma once

#include "common/DateTime.h"
#include "web/Control.h"

namespace zorv::web {

/// The server's time, as it was when the page was rendered; the page script
/// keeps it ticking in the browser from there.
///
/// The format has the fields HH (hour 00-23), MM (minute), SS (second),
/// dd (day), mm (month) and yyyy (year); every other character is copied.
class LiveClock : public Control {
public:
    static constexpr const char* kDefaultFormat = "HH:MM:SS";

    explicit LiveClock(std::string id);
    void setFormat(std::string format) { format_ = std::move(format); }
    const std::string& format() const { return format_; }

    void render(HtmlWriter& w) const override;

    /// The time written in a clock format.
    static std::string formatTime(const DateTime& time, std::string_view format);

private:
    std::string format_ = kDefaultFormat;
};

} // namespace zorv::web
