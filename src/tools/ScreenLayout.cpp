#include "tools/ReferenceData.h"
#include "tools/ScreenFields.h"

#include <string>

namespace zorv::admin {

namespace {

// Two columns of caption + field, a memo across the whole width.
constexpr int kMargin = 16;
constexpr int kHeadingHeight = 28;
constexpr int kColumnWidth = 380;
constexpr int kRowHeight = 28;
constexpr int kLabelWidth = 130;
constexpr int kLabelHeight = 17;
constexpr int kDataGap = 8;
constexpr int kDataWidth = 200;
constexpr int kDataHeight = 21;
constexpr int kMemoWidth = kColumnWidth + kLabelWidth + kDataWidth;
constexpr int kMemoRows = 3;
constexpr int kFontSize = 9;
constexpr int kHeadingFontSize = 11;
constexpr const char* kHeadingFill = "#eef4f7";

// A side panel right of the two columns of the details screen.
constexpr int kSideLeft = kMargin + 2 * kColumnWidth;
constexpr int kSideWidth = 150;
constexpr const char* kSideFill = "#ffffff";
/// Counted on the employee database each time the record is shown; the
/// server binds the staff number.
constexpr const char* kAbsenceCountCaption = "%SQL%select count(*) from absence where staffno = %STAFFNO%";

/// A free text box of a screen (TUSRREC).
struct TextBox {
    int left;
    int top;
    int height;
    int width;
    std::string_view caption;
    bool bold;
    int fontSize;
    std::string_view fill; ///< empty: no fill
};

const char* controlName(Control control)
{
    switch (control) {
    case Control::Edit: return "Edit Box";
    case Control::CheckBox: return "CheckBox";
    case Control::Date: return "Date";
    case Control::Memo: return "Memo";
    case Control::Lookup: return "Lookup";
    }
    return "Edit Box";
}

struct Cell {
    int left;
    int top;
};

/// Places fields row by row, two to a row; a memo takes a row of its own.
class Flow {
public:
    Cell place(const ScreenField& field)
    {
        const bool memo = field.control == Control::Memo;
        if (memo && column_ != 0)
            newRow();
        const Cell cell{kMargin + column_ * kColumnWidth, kMargin + kHeadingHeight + row_ * kRowHeight};
        if (memo) {
            row_ += kMemoRows;
            column_ = 0;
        } else if (++column_ == 2) {
            newRow();
        }
        return cell;
    }

private:
    void newRow()
    {
        ++row_;
        column_ = 0;
    }
    int row_ = 0;
    int column_ = 0;
};

void addFieldLayout(TableRows& layout, const RecordScreen& screen)
{
    Flow flow;
    int order = 0;
    for (const ScreenField& field : screen.fields) {
        const Cell cell = flow.place(field);
        const bool memo = field.control == Control::Memo;
        const int dataLeft = memo ? cell.left : cell.left + kLabelWidth + kDataGap;
        const int dataTop = memo ? cell.top + kLabelHeight + 4 : cell.top - 2;
        layout.add({screen.tag, std::string(field.field), cell.left, cell.top, kLabelHeight, kLabelWidth, dataLeft,
                    dataTop, memo ? kDataHeight * kMemoRows : kDataHeight, memo ? kMemoWidth : kDataWidth,
                    controlName(field.control), "TRUE", std::string(field.lookup), std::string(field.caption), ++order,
                    "Arial", "clNavy", "FALSE", kFontSize, "Arial", "clBlack", "FALSE", kFontSize, "TRUE"});
    }
}

void addTextBox(TableRows& boxes, KeySource& keys, int tag, const TextBox& box)
{
    boxes.add({tag, keys.next(), box.left, box.top, box.height, box.width, std::string(box.caption), "", "Left",
               "Center", "Arial", "clNavy", box.bold ? "TRUE" : "FALSE", box.fontSize, std::string(box.fill), 0});
}

void addTextBoxes(TableRows& boxes, KeySource& keys, const RecordScreen& screen)
{
    addTextBox(boxes, keys, screen.tag,
               {kMargin, kMargin / 2, kHeadingHeight - 8, kMemoWidth, screen.caption, true, kHeadingFontSize,
                kHeadingFill});
    if (screen.tag != kDetailsScreen)
        return;
    const int top = kMargin + kHeadingHeight;
    addTextBox(boxes, keys, screen.tag,
               {kSideLeft, top, kLabelHeight, kSideWidth, "Absences recorded", true, kFontSize, ""});
    addTextBox(boxes, keys, screen.tag,
               {kSideLeft, top + kRowHeight, kDataHeight, kSideWidth, kAbsenceCountCaption, false, kFontSize,
                kSideFill});
}

} // namespace

void addScreenLayouts(DatabaseContent& web, KeySource& keys)
{
    auto& screens = web.table("TTAGEVTS", {"ITAG", "ADATASET", "AQUERY", "ADESC", "ATABLENAME"});
    auto& layout = web.table("TUSRSCR", {"ITAG",       "AFIELDNAME",  "ILABELLEFT",  "ILABELTOP",     "ILABELHEIGHT",
                                         "ILABELWIDTH", "IDATALEFT",  "IDATATOP",    "IDATAHEIGHT",   "IDATAWIDTH",
                                         "ACOMTYPE",   "LVISIBLE",    "ALOOKUP",     "ACAPTION",      "IZINDEX",
                                         "ALABELFONT", "ALABELCOLOUR", "LLABELBOLD", "ILABELFONTSIZE", "ADATAFONT",
                                         "ADATACOLOUR", "LDATABOLD",  "IDATAFONTSIZE", "LLABELVIS"});
    auto& boxes = web.table("TUSRREC", {"ITAG", "IID", "ILABELLEFT", "ILABELTOP", "ILABELHEIGHT", "ILABELWIDTH",
                                        "ACAPTION", "ACAPTIONGA", "AHALIGN", "AVALIGN", "ALABELFONT", "ALABELCOLOUR",
                                        "LLABELBOLD", "ILABELFONTSIZE", "ARECCOLOUR", "IZINDEX"});
    for (const RecordScreen& screen : recordScreens()) {
        screens.add({screen.tag, std::string(screen.dataSource), std::string(screen.query),
                     std::string(screen.caption), std::string(screen.table)});
        addFieldLayout(layout, screen);
        addTextBoxes(boxes, keys, screen);
    }
}

} // namespace zorv::admin
