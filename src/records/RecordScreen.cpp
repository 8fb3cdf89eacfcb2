#include "records/RecordScreen.h"

#include "data/Aliases.h"

#include "common/Ini.h"
#include "common/Text.h"
#include "data/Dataset.h"
#include "data/MainCatalogue.h"
#include "data/NamedSql.h"
#include "data/ReferenceCache.h"
#include "data/RightsTables.h"
#include "data/TdmMain.h"
#include "records/ComputedCaption.h"
#include "records/FieldControls.h"
#include "records/RecordForm.h"
#include "records/RecordLookups.h"
#include "records/ScreenNames.h"
#include "records/TabOrder.h"
#include "server/ErrorLog.h"
#include "server/ServerConfig.h"
#include "server/TUserSession.h"
#include "web/Colour.h"
#include "web/controls/CheckBox.h"
#include "web/controls/ComboBox.h"
#include "web/controls/DatePicker.h"
#include "web/controls/Edit.h"
#include "web/controls/Label.h"
#include "web/controls/Memo.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace zorv::records {

namespace {

constexpr const char* kErrorComponents = "Error-Components";
constexpr int kNoFieldsTag = 861;
constexpr int kGenericDataLeft = 160;
constexpr int kGenericTop = 10;
constexpr int kGenericStep = 30;
constexpr int kPriorities = 10;
constexpr int kMemoLineHeight = 18;
constexpr int kMinMemoRows = 2;
constexpr int kMaxMemoRows = 20;

std::string columnText(const db::Row& row, std::string_view column)
{
    return row.columns().find(column) ? trim(row[column].asString()) : std::string();
}

int columnNumber(const db::Row& row, std::string_view column)
{
    if (!row.columns().find(column) || row[column].isNull())
        return 0;
    try {
        return static_cast<int>(row[column].asInt());
    } catch (const std::exception&) {
        return 0;
    }
}

bool columnIsTrue(const db::Row& row, std::string_view column) { return iequals(columnText(row, column), "TRUE"); }

/// The font of a layout row: columns prefix + "FONT", "L" + prefix + "BOLD",
/// "I" + prefix + "FONTSIZE" (prefix "LABEL" or "DATA").
DesignFont rowFont(const db::Row& row, const std::string& prefix)
{
    return DesignFont{columnText(row, "A" + prefix + "FONT"), columnIsTrue(row, "L" + prefix + "BOLD"),
                      columnNumber(row, "I" + prefix + "FONTSIZE")};
}

void applyColour(web::Control& control, const db::Row& row, const std::string& column)
{
    if (std::string css = web::colourToCss(columnText(row, column)); !css.empty())
        control.setFontColor(std::move(css));
}

/// The caption column of language in a row of LABEL or tusrRec: base +
/// language code when the row has it and it is not empty, else base.
std::string languageCaption(const db::Row& row, const std::string& base, const std::string& language)
{
    if (!isEnglish(language))
        if (std::string own = columnText(row, base + toUpper(trim(language))); !own.empty())
            return own;
    return row.columns().find(base) ? row[base].asString() : std::string();
}

/// The caption of field from the LABEL rows of the table; the field name when it has none.
std::string fieldCaption(const db::ResultSet& labels, const std::string& field, const std::string& language)
{
    for (const db::Row& row : labels)
        if (iequals(columnText(row, "FIELDNAME"), field))
            return languageCaption(row, "CAPTION", language);
    return field;
}

/// The fields of the dataset's design statement, in order, each once.
std::vector<std::string> designFields(data::TdmMain& dmMain, const data::Dataset& dataset)
{
    const data::MainDatasetEntry* entry = catalogueEntry(dataset.name());
    const std::string sql = entry ? entry->sql : dataset.sql();
    std::vector<std::string> fields;
    for (const data::FieldOrigin& origin :
         data::FieldOrigins(dmMain.connection(dataset.databaseName()), data::NamedSql::parse(sql).sql)) {
        const bool repeated = std::any_of(fields.begin(), fields.end(),
                                          [&](const std::string& f) { return iequals(f, origin.field); });
        if (!repeated)
            fields.push_back(origin.field);
    }
    return fields;
}

/// The kind of data control of a layout row; nothing for a type that creates none.
std::optional<FieldKind> kindOf(const std::string& field, const db::Row& row)
{
    if (iequals(field, kPriorityField))
        return FieldKind::Priority;
    static const std::pair<const char*, FieldKind> kTypes[] = {
        {"EDIT BOX", FieldKind::Edit}, {"CHECKBOX", FieldKind::CheckBox}, {"DATE", FieldKind::Date},
        {"MEMO", FieldKind::Memo},     {"LOOKUP", FieldKind::Lookup},
    };
    const std::string type = toUpper(columnText(row, "ACOMTYPE"));
    for (const auto& [name, kind] : kTypes)
        if (type == name)
            return kind;
    return std::nullopt;
}

} // namespace

RecordScreen::RecordScreen(ScreenHost host, server::TUserSession& user)
    : host_(std::move(host)), user_(user), today_([] { return DateTime::now().date; }),
      employeeSelect_(kEmployeeSelect)
{
}

RecordScreen::~RecordScreen() = default;

std::string RecordScreen::referenceAlias() const
{
    return data::alias::globalFor(server::serverSettings().systemName());
}

void RecordScreen::removeScreenControls()
{
    host_.region.removeChildren([](const web::Control& c) { return startsWithNoCase(c.id(), kScreenPrefix); });
    form_ = nullptr;
    fields_.clear();
    captions_.clear();
    schemeLabel_ = nullptr;
    schemeCaption_ = nullptr;
    schemeLabelName_.clear();
    denied_ = false;
}

void RecordScreen::LayoutScreen(const std::string& table, int tag, data::Dataset& pageData)
{
    removeScreenControls();
    table_ = table;
    form_ = host_.region.add<RecordForm>(std::string(kScreenPrefix) + "form");
    try {
        layoutRectangles(tag);
    } catch (const std::exception& e) {
        logError(kErrorComponents, e.what());
        form_->truncate(0);
        captions_.clear();
    }
    const size_t rectangles = form_->partCount();
    try {
        layoutFields(tag, pageData);
    } catch (const std::exception& e) {
        logError(kErrorComponents, e.what());
        form_->truncate(rectangles);
        fields_.clear();
        schemeLabel_ = nullptr;
        schemeCaption_ = nullptr;
        schemeLabelName_.clear();
    }
}

void RecordScreen::layoutRectangles(int tag)
{
    const auto rows = data::ReferenceCache::instance().rows(
        user_.dmMain->connection(data::alias::kWeb), "select * from TUSRREC where ITAG = ? order by IID", {tag}, {"TUSRREC"});
    int number = 0;
    for (const db::Row& row : *rows) {
        auto* box = form_->add<web::Label>(kRectanglePrefix + std::to_string(++number));
        const std::string caption = languageCaption(row, "ACAPTION", user_.Language);
        // A computed caption keeps its statement here, never on the page.
        if (startsWithNoCase(caption, kCaptionMarker))
            captions_.push_back({box, caption.substr(kCaptionMarker.size())});
        else
            box->setCaption(caption);
        const std::string align = columnText(row, "AHALIGN");
        box->setCssClass(align == "Right" ? "text-end" : align == "CENTER" ? "text-center" : "");
        box->setWidth(columnNumber(row, "ILABELWIDTH"));
        applyColour(*box, row, "ALABELCOLOUR");
        if (std::string fill = web::colourToCss(columnText(row, "ARECCOLOUR")); !fill.empty())
            box->setBackgroundColor(std::move(fill));
        form_->place({columnNumber(row, "ILABELLEFT"), columnNumber(row, "ILABELTOP")}, {box}, {rowFont(row, "LABEL")});
    }
}

void RecordScreen::layoutFields(int tag, const data::Dataset& pageData)
{
    if (tag == kNoFieldsTag)
        return;
    auto& cache = data::ReferenceCache::instance();
    const std::vector<std::string> fields = designFields(*user_.dmMain, pageData);
    const auto labels = cache.rows(user_.dmMain->connection(referenceAlias()),
                                   "select * from LABEL where upper(TABLENAME) = ?", {toUpper(table_)}, {"LABEL"});
    const auto layout = cache.rows(user_.dmMain->connection(data::alias::kWeb), "select * from TUSRSCR where ITAG = ?", {tag},
                                   {"TUSRSCR"});
    if (layout->empty()) {
        layoutGeneric(fields, *labels);
        return;
    }
    for (const std::string& name : fields) {
        auto row = std::find_if(layout->begin(), layout->end(),
                                [&](const db::Row& r) { return iequals(columnText(r, "AFIELDNAME"), name); });
        if (row == layout->end() || !columnIsTrue(*row, "LVISIBLE") || !isScreenControlName(kSchemePrefix + name))
            continue;
        layoutField(name, *row, *labels);
    }
}

void RecordScreen::layoutGeneric(const std::vector<std::string>& fields, const db::ResultSet& labels)
{
    for (const std::string& name : fields) {
        if (!isScreenControlName(kDataPrefix + name))
            continue;
        FieldControl field{name};
        field.left = kGenericDataLeft;
        field.top = kGenericTop + kGenericStep * static_cast<int>(fields_.size());
        auto* label = form_->add<web::Label>(kLabelPrefix + name, fieldCaption(labels, name, user_.Language));
        auto* edit = form_->add<web::Edit>(kDataPrefix + name);
        edit->setReadOnly(true);
        edit->setLabelledBy(label->id());
        edit->setTag(kTagEditable);
        field.control = edit;
        field.label = label;
        form_->place({field.left, field.top}, {label, edit});
        fields_.push_back(std::move(field));
    }
}

void RecordScreen::layoutField(const std::string& name, const db::Row& row, const db::ResultSet& labels)
{
    web::Label* label = nullptr;
    const DesignFont labelFont = rowFont(row, "LABEL");
    const DesignFont dataFont = rowFont(row, "DATA");
    if (!iequals(columnText(row, "LLABELVIS"), "FALSE")) {
        label = form_->add<web::Label>(kLabelPrefix + name, fieldCaption(labels, name, user_.Language));
        applyColour(*label, row, "ALABELCOLOUR");
    }
    const DesignPosition at{columnNumber(row, "IDATALEFT"), columnNumber(row, "IDATATOP")};
    if (iequals(name, kSchemeField)) {
        schemeLabel_ = form_->add<web::Label>(kSchemePrefix + name);
        schemeLabel_->setWordWrap(false);
        schemeLabel_->setWidth(columnNumber(row, "IDATAWIDTH"));
        applyColour(*schemeLabel_, row, "ADATACOLOUR");
        schemeLabelName_ = schemeLabel_->id();
        schemeCaption_ = label;
        form_->place(at, {label, schemeLabel_}, {labelFont, dataFont});
        return;
    }
    const std::optional<FieldKind> kind = kindOf(name, row);
    if (!kind) {
        if (label)
            form_->place({columnNumber(row, "ILABELLEFT"), columnNumber(row, "ILABELTOP")}, {label}, {labelFont});
        return;
    }
    FieldControl field{name, *kind};
    field.label = label;
    field.left = at.left;
    field.top = at.top;
    createDataControl(field, row);
    field.control->setWidth(columnNumber(row, "IDATAWIDTH"));
    applyColour(*field.control, row, "ADATACOLOUR");
    if (label)
        form_->place(at, {label, field.control}, {labelFont, dataFont});
    else
        form_->place(at, {field.control}, {dataFont});
    fields_.push_back(std::move(field));
}

void RecordScreen::createDataControl(FieldControl& field, const db::Row& row)
{
    const std::string id = kDataPrefix + field.field;
    const size_t index = fields_.size(); // the field's place once added
    switch (field.kind) {
    case FieldKind::Edit:
        field.control = form_->add<web::Edit>(id);
        break;
    case FieldKind::Memo: {
        auto* memo = form_->add<web::Memo>(id);
        memo->setRows(std::clamp(columnNumber(row, "IDATAHEIGHT") / kMemoLineHeight, kMinMemoRows, kMaxMemoRows));
        field.control = memo;
        break;
    }
    case FieldKind::CheckBox:
        if (iequals(field.field, kReengageField)) {
            field.checkedValue = "Tru";
            field.uncheckedValue = "Fal";
        }
        field.control = form_->add<web::CheckBox>(id);
        break;
    case FieldKind::Date: {
        auto* picker = form_->add<web::DatePicker>(id);
        if (onDateChange)
            picker->onChange = [this, index] { onDateChange(fields_.at(index)); };
        field.control = picker;
        break;
    }
    case FieldKind::Lookup: {
        auto* list = form_->add<web::ComboBox>(id);
        const std::string source = columnText(row, "ALOOKUP");
        list->setItems(lookupChoices(user_.dmMain->connection(referenceAlias()), source));
        if (onPayGradeChange && isPayGradeSource(source))
            list->onChange = [this, index] { onPayGradeChange(fields_.at(index)); };
        field.control = list;
        break;
    }
    case FieldKind::Priority: {
        auto* list = form_->add<web::ComboBox>(id);
        for (int priority = 1; priority <= kPriorities; ++priority)
            list->addItem(std::to_string(priority));
        field.control = list;
        break;
    }
    }
    if (field.label)
        if (auto* labelled = dynamic_cast<web::Edit*>(field.control))
            labelled->setLabelledBy(field.label->id());
    field.control->setTag(kTagEditable);
    setEditable(field, false);
}

// --- showing and storing the record ---------------------------------------------------------

void RecordScreen::showRecord(const data::Dataset& pageData)
{
    if (denied_)
        return;
    const bool hasRow = pageData.active() && !pageData.isEmpty();
    for (const FieldControl& field : fields_) {
        const bool readable = field.bound && hasRow && pageData.hasField(field.field);
        showValue(field, readable ? pageData.field(field.field) : db::Value());
    }
    if (schemeLabel_) {
        std::string name;
        if (schemeLabel_->visible() && hasRow && pageData.hasField(kSchemeField) &&
            !pageData.field(kSchemeField).isNull()) {
            try {
                name = user_.dmMain->SchemeName(static_cast<int>(pageData.field(kSchemeField).asInt()));
            } catch (const std::exception&) {
                // The scheme name is a courtesy; the record shows without it.
            }
        }
        schemeLabel_->setCaption(name);
    }
    for (const Caption& caption : captions_)
        caption.box->setCaption(ComputedCaption(caption.text));
}

void RecordScreen::storeRecord(data::Dataset& pageData) const
{
    for (const FieldControl& field : fields_) {
        if (!field.bound || field.control->tag() != kTagEditable)
            continue;
        const std::optional<size_t> column = pageData.columns().find(field.field);
        if (!column)
            continue;
        const std::string text = controlText(field);
        if (text == shownText(field, pageData.field(*column)))
            continue;
        pageData.setField(field.field, columnValue(pageData.columns()[*column], field.field, text));
    }
}

std::string RecordScreen::ComputedCaption(const std::string& text)
{
    try {
        db::Connection& employee = user_.dmMain->connection(user_.dmMain->employeeAlias());
        return evaluateCaption(employee, text, user_.CurrentStaffNo, today_());
    } catch (const std::exception& e) {
        logError("Error-ComputedCaption", e.what());
        return kNoCaptionValue;
    }
}

void RecordScreen::SetDisplayLabels(data::Dataset& pageData)
{
    try {
        displayLabels_ =
            DisplayLabels::read(user_.dmMain->connection(referenceAlias()), pageData.name(), user_.Language);
    } catch (const std::exception& e) {
        displayLabels_ = DisplayLabels();
        logError("Error-DisplayLabels", e.what());
    }
}

// --- editing state and tab order ------------------------------------------------------------

void RecordScreen::makeReadOnly()
{
    for (const FieldControl& field : fields_) {
        setEditable(field, false);
        field.control->setVisible(true);
    }
}

void RecordScreen::makeEditable()
{
    for (const FieldControl& field : fields_) {
        if (field.control->tag() == kTagFixedField)
            field.control->setVisible(false);
        else if (field.control->tag() == kTagEditable && field.bound)
            setEditable(field, true);
    }
}

const FieldControl* RecordScreen::fieldControl(const std::string& name) const
{
    for (const FieldControl& field : fields_)
        if (iequals(field.field, name))
            return &field;
    return nullptr;
}

void RecordScreen::SetTabOrder(int tag)
{
    try {
        std::vector<const FieldControl*> shown;
        std::vector<TabStop> stops;
        for (const FieldControl& field : fields_) {
            field.control->setTabOrder(-1);
            if (field.control->visible()) {
                shown.push_back(&field);
                stops.push_back({field.control->id(), field.left, field.top});
            }
        }
        Ini ini(tabOrderIniPath());
        if (auto names = overriddenTabOrder(ini, tag)) {
            for (size_t position = 0; position < names->size(); ++position)
                for (const FieldControl& field : fields_)
                    if (iequals(field.control->id(), (*names)[position]))
                        field.control->setTabOrder(static_cast<int>(position));
            return;
        }
        const std::vector<int> positions = columnTabOrder(stops);
        for (size_t i = 0; i < shown.size(); ++i)
            shown[i]->control->setTabOrder(positions[i]);
        writeTabOrder(ini, tag, stops, positions);
    } catch (const std::exception& e) {
        logError("Error-TabOrder", e.what());
    }
}

} // namespace zorv::records
