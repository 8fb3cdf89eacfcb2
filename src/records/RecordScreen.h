#pragma once

#include "common/DateTime.h"
#include "records/DisplayLabels.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zorv::data {
class Dataset;
}
namespace zorv::db {
class ResultSet;
class Row;
} // namespace zorv::db
namespace zorv::server {
class TUserSession;
}
namespace zorv::web {
class Container;
class Control;
class Label;
} // namespace zorv::web

namespace zorv::records {

class RecordForm;
struct FieldRight;

/// Control tags of a record screen; the page shows, hides and unlocks controls by them.
inline constexpr int kTagEditable = 12;    ///< a data control editable while a record is added or edited
inline constexpr int kTagFixedField = 64;  ///< made read-only by field rights; hidden while editing
inline constexpr int kTagSuppressed = 100; ///< a record button (add, edit, delete) never shown on this screen

/// The message shown when the user may not see the screen's table.
inline constexpr int kTableDeniedMessage = 903;

/// What the screen needs from its page. Nothing here is owned by the screen.
struct ScreenHost {
    /// regedit, or a container inside it: the screen's controls are added here
    /// and removed by the next layout.
    web::Container& region;
    /// Hidden with the tabs when the table right is "None" (null: region).
    web::Control* regedit = nullptr;
    web::Control* cmdAdd = nullptr;
    web::Control* cmdEdit = nullptr;
    web::Control* cmdDelete = nullptr;
    web::Control* cmdSave = nullptr;
    web::Control* cmdCancel = nullptr;
    web::Control* imgBrowse = nullptr; ///< the browse tab; its hint "FALSE" keeps it hidden
    web::Control* imgEdit = nullptr;   ///< the details tab
    /// Background of read-only fields ([Program] readonly), a colour name as stored.
    std::string readOnlyColour = "clYellow";
};

/// The kind of data control a field gets.
enum class FieldKind { Edit, Memo, CheckBox, Date, Lookup, Priority };

/// One data control of the screen and the field it shows.
struct FieldControl {
    std::string field; ///< as the dataset names it
    FieldKind kind = FieldKind::Edit;
    web::Control* control = nullptr; ///< "RMVEDT" + field
    web::Control* label = nullptr;   ///< "RMVLBL" + field; null when the row hides it
    bool bound = true;               ///< false: hidden by field rights, shows and takes nothing
    std::string checkedValue = "TRUE";
    std::string uncheckedValue = "FALSE";
    int left = 0; ///< design position of the data control
    int top = 0;
};

/// The record screen of the main page: lays out one screen from its layout
/// rows (tusrScr, tusrRec) in the page's region, shows the current row of the
/// page dataset in it and applies the user's table and field rights. One per
/// main page; every call runs inside a request of the page's session.
class RecordScreen {
public:
    using Today = std::function<Date()>;

    RecordScreen(ScreenHost host, server::TUserSession& user);
    ~RecordScreen();
    RecordScreen(const RecordScreen&) = delete;
    RecordScreen& operator=(const RecordScreen&) = delete;

    /// Removes the controls of the previous screen and lays out the screen of
    /// tag for table from the layout rows (no rows: one label and edit box per
    /// field). The fields are those of pageData's design statement, as the
    /// database describes it (not run), so an earlier rights rewrite does not
    /// change the screen; pageData itself is not touched. A failure is logged
    /// as "Error-Components" and leaves the screen without field controls.
    void LayoutScreen(const std::string& table, int tag, data::Dataset& pageData);
    /// Puts the current row of pageData into the data controls (empty when
    /// closed or without rows), the holiday scheme name into its label, and
    /// recomputes the "%SQL%" captions.
    void showRecord(const data::Dataset& pageData);
    /// Copies the editable, bound data controls into the fields of the
    /// current row (a value that did not change is not set); pageData must be
    /// in edit or insert state. Throws std::invalid_argument, naming the
    /// field, for a text that is no value of its column.
    void storeRecord(data::Dataset& pageData) const;
    /// The text of a computed caption (text without its "%SQL%"): the first
    /// column of the first row of the statement, "-" when it is empty, fails
    /// (then logged) or is not a select.
    std::string ComputedCaption(const std::string& text);
    /// Reads the display labels of pageData's fields from LABEL (displayLabels()).
    void SetDisplayLabels(data::Dataset& pageData);
    const DisplayLabels& displayLabels() const { return displayLabels_; }
    /// Applies table and field rights to the screen and rewrites the
    /// statements of pageData; false when the table right is "None" (message
    /// 903 shown, the screen's controls removed, region and tabs hidden).
    /// cmdAdd, cmdEdit, cmdDelete get tag 100 where the table right
    /// suppresses them (their tags are otherwise left as they are). Under
    /// field rights the dataset reads only the fields the user may see and
    /// writes only those the user may change; its update keys and staff
    /// number are always read, written on insert and never changed by a
    /// modify. The employee set gets its statement through the session's
    /// record visibility, from employeeSelect().
    bool ApplyScreenRights(data::Dataset& pageData, bool isEmployeeSet);
    /// The statement the employee set is restricted from (before the record
    /// visibility): "select * from master a", or the fields the user may see.
    const std::string& employeeSelect() const { return employeeSelect_; }
    /// Tab order of the data controls for tag: from wTabOrder.ini when its
    /// [override] tag is on, else column by column (written back to the file
    /// when it changed).
    void SetTabOrder(int tag);
    /// Every data control read-only (browsing); tags stay.
    void makeReadOnly();
    /// The controls with tag 12 editable, those with tag 64 hidden (adding or editing).
    void makeEditable();

    /// The name of the holiday-scheme label; empty when the screen has none.
    const std::string& SchemeLabelName() const { return schemeLabelName_; }
    const std::vector<FieldControl>& fields() const { return fields_; }
    /// The data control of field (case ignored); null when there is none.
    const FieldControl* fieldControl(const std::string& field) const;
    /// Where "today" of the computed captions comes from (the server's date by default).
    void setToday(Today today) { today_ = std::move(today); }

    /// Runs when a date picker of the screen is changed (the record then
    /// goes into edit state). Set before LayoutScreen.
    std::function<void(const FieldControl&)> onDateChange;
    /// Runs when the pay grade or point-on-scale list changes. Set before LayoutScreen.
    std::function<void(const FieldControl&)> onPayGradeChange;

private:
    struct Caption {
        web::Label* box;
        std::string text; ///< the caption after "%SQL%"
    };
    void removeScreenControls();
    void layoutRectangles(int tag);
    void layoutFields(int tag, const data::Dataset& pageData);
    void layoutGeneric(const std::vector<std::string>& fields, const db::ResultSet& labels);
    void layoutField(const std::string& name, const db::Row& row, const db::ResultSet& labels);
    void createDataControl(FieldControl& field, const db::Row& row);
    std::string referenceAlias() const;
    std::string screenTable(const data::Dataset& pageData);
    void suppressButtons(const std::string& tableRight);
    void denyScreen();
    void applyFieldRights(data::Dataset& pageData, const std::string& table, bool isEmployeeSet);
    void applyControlRights(const std::vector<FieldRight>& rights);
    /// Unbinds field: it shows nothing, takes nothing and its label is hidden.
    void hideField(FieldControl& field);
    void restrictStatements(data::Dataset& pageData, const std::string& table, const std::vector<FieldRight>& rights,
                            bool isEmployeeSet);
    void restoreStatements(data::Dataset& pageData, bool isEmployeeSet);
    void setEmployeeStatement(data::Dataset& employees);

    ScreenHost host_;
    server::TUserSession& user_;
    Today today_;
    RecordForm* form_ = nullptr;
    std::string table_;
    std::vector<FieldControl> fields_;
    std::vector<Caption> captions_;
    web::Label* schemeLabel_ = nullptr;   ///< the scheme name
    web::Label* schemeCaption_ = nullptr; ///< the label of the scheme field
    std::string schemeLabelName_;
    DisplayLabels displayLabels_;
    std::string employeeSelect_;
    bool denied_ = false;
};

} // namespace zorv::records
