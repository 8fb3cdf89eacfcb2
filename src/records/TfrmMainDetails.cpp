#include "records/TfrmMainDetails.h"
#include "data/Aliases.h"

#include "common/Guarded.h"
#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/Dataset.h"
#include "data/ReferenceCache.h"
#include "data/TdmMain.h"
#include "data/UniqueKeys.h"
#include "records/RecordScreen.h"
#include "server/ActionRights.h"
#include "server/ErrorLog.h"
#include "server/TUserSession.h"
#include "signin/Logon.h"
#include "signin/TformMain.h"
#include "web/Colour.h"
#include "web/WebSession.h"
#include "web/controls/Button.h"
#include "web/controls/ComboBox.h"
#include "web/controls/Grid.h"
#include "web/controls/Image.h"
#include "web/controls/Label.h"
#include "web/controls/OutlookBar.h"
#include "web/controls/Region.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <set>

namespace zorv::records {

namespace {

using zorv::data::alias::kWeb;
using zorv::data::alias::kGlobal;
using zorv::data::alias::kGlobalWork;
constexpr const char* kSelfOnly = "VIEW SELF ONLY";
constexpr const char* kNoAccess = "No Access";
constexpr const char* kEditing = "Unable to move when add or editing a record.";
constexpr int kDetailsTag = 590;
constexpr int kAppraisalTag = 670;
constexpr int kAbsenceTag = 710;

/// The fixed items the rights add to the bar, and the pages they open.
struct FixedItem {
    const char* name; // the template's name
    const char* caption;
    int tag;
    int imageIndex;
    const char* page; // class name of the page it opens
};

constexpr FixedItem kFixedItems[] = {
    {"cmdFlexi", "Flexi", -1, 184, "TfrmFlexiNew"},
    {"cmdStatus", "Status", -2, 204, "TfrmStatus"},
    {"cmdEmpWeek", "Emp. Week", -3, 194, "TfrmEmpWork"},
    {"cmdCreweek", "Create week", -4, 190, "TfrmCreWeek"},
    {"cmdNCHD", "NCHD", -5, 6, "TfrmNCHD"},
    {"cmdRostered", "Rostered hours", -7, 148, "TfrmWebRoster"},
    {"cmdWorkSch", "Work Schedule", -8, 172, "TfrmWorkSch"},
    {"cmdMaster", "Time Keeper", -9, 50, "TfrmMastTime"},
    {"cmdSignoff", "Signoff", -10, 50, "TfrmPaySign"},
    {"cmdReports", "Reports", -11, 98, "TfrmReport"},
    {"cmdEWTD", "EWTD", -12, 34, "TfrmEWTA"},
    {"cmdWT", "Working Trend", -13, 88, "TfrmWT"},
    {"cmdAdvAllowance", "Advance Allowance", -14, 0, "TfrmMPInput"},
    {"cmdApprias", "Appraisal", -15, 204, "TfrmApprais"},
    {"cmdQEdit", "Quick Edit", -16, 0, "TfrmQEdit"},
    {"cmdTurnover", "Turnover Report", -17, 36, "TfrmTurnover"},
    {"cmdExp", "Expenses", -18, 50, "TfrmExpSheet"},
};

const FixedItem& fixedItem(std::string_view name)
{
    for (const FixedItem& item : kFixedItems)
        if (name == item.name)
            return item;
    throw std::logic_error("no fixed item " + std::string(name));
}

const FixedItem* fixedItemByTag(int tag)
{
    for (const FixedItem& item : kFixedItems)
        if (item.tag == tag)
            return &item;
    return nullptr;
}

/// The time items a screen right adds (the Time Keeper and Hours Entry rules
/// are applied by the caller).
std::vector<const char*> timeItemsFor(const std::string& screen)
{
    static const std::map<std::string, std::vector<const char*>> items = {
        {"Status", {"cmdStatus"}},     {"Quick Edit", {"cmdQEdit"}},   {"Turnover", {"cmdTurnover"}},
        {"Expenses", {"cmdExp"}},      {"Flexi", {"cmdFlexi"}},        {"CreWeek", {"cmdCreweek"}},
        {"EmpWeek", {"cmdEmpWeek"}},   {"Template", {"cmdRostered"}},  {"Time Keeper", {"cmdMaster"}},
        {"Work Schedule", {"cmdWorkSch"}}, {"Signoff", {"cmdSignoff"}}, {"EWTD", {"cmdEWTD", "cmdWT"}},
        {"Hours Entry", {"cmdAdvAllowance"}},
    };
    auto it = items.find(screen);
    return it == items.end() ? std::vector<const char*>{} : it->second;
}

std::mutex& openersMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, PageOpener>& openers()
{
    static std::map<std::string, PageOpener> map;
    return map;
}

void addFixedItem(web::OutlookBar& bar, int panel, const char* name)
{
    const FixedItem& item = fixedItem(name);
    bar.addItem(panel, item.caption, item.tag, item.imageIndex);
}

std::string monthName(int month)
{
    static constexpr const char* kNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
    return kNames[month - 1];
}

} // namespace

void setPageOpener(const std::string& className, PageOpener opener)
{
    std::lock_guard lock(openersMutex());
    if (opener)
        openers()[toUpper(className)] = std::move(opener);
    else
        openers().erase(toUpper(className));
}

bool openPage(web::WebSession& session, const std::string& className)
{
    PageOpener opener;
    {
        std::lock_guard lock(openersMutex());
        auto it = openers().find(toUpper(className));
        if (it == openers().end())
            return false;
        opener = it->second;
    }
    opener(session);
    return true;
}

TfrmMainDetails::TfrmMainDetails(web::WebSession& session) : Page(session, "TfrmMainDetails")
{
    using namespace web;
    setTitle("ZorvWeb");
    recBG_ = add<Region>("recBG");
    recBG_->setCssClass("zw-header d-flex align-items-center gap-3 px-3 py-2");
    imgLogo_ = recBG_->add<Image>("imgLogo");
    imgLogo_->setSource("/assets/img/logo.svg");
    imgLogo_->setAltText("Logo");
    imgLogo_->setCssClass("zw-header-logo");
    imglogoZorv_ = recBG_->add<Image>("imglogoZorv");
    imglogoZorv_->setSource("/assets/img/logo.svg");
    imglogoZorv_->setAltText("ZorvWeb");
    imglogoZorv_->setCssClass("zw-header-logo");
    imgHeader_ = recBG_->add<Image>("imgHeader");
    imgHeader_->setCssClass("zw-header-picture");
    imgHeader_->setVisible(false);
    lblForm_ = recBG_->add<Label>("lblForm");
    lblForm_->setCssClass("zw-form-caption h5 mb-0 me-auto");

    auto tab = [&](const char* id, const char* icon, const char* text, std::function<void()> click) {
        Image* image = recBG_->add<Image>(id);
        image->setIcon(icon);
        image->setAltText(text);
        image->setHint(text);
        image->setCssClass("zw-tab");
        image->onClick = std::move(click);
        return image;
    };
    imgEdit_ = tab("imgEdit", "person-vcard", "Details", [this] {
        if (!refuseWhileEditing())
            Redisplay();
    });
    imgBrowse_ = tab("imgBrowse", "list-ul", "Browse", [this] {
        if (refuseWhileEditing())
            return;
        openNamedPage("TfrmList");
    });
    imgMaint_ = tab("imgMaint", "key", "Password and database", [this] {
        if (!refuseWhileEditing())
            openNamedPage("TfrmMaint");
    });
    imgHoliday_ = tab("imgHoliday", "calendar-week", "Holidays", [this] {
        if (refuseWhileEditing())
            return;
        user().CurrentScreenTag = kDetailsTag;
        openNamedPage("TfrmHolReq");
    });
    imgTrnReq_ = tab("imgTrnReq", "mortarboard", "Training requests", [this] {
        if (!refuseWhileEditing())
            openNamedPage("TfrmTrnReq");
    });
    cmdAdmin_ = tab("cmdAdmin", "gear", "Administration", [this] {
        // The tab shows for administrators only; a forged click is refused.
        if (!refuseWhileEditing() && server::allowed(user(), this->session(), server::ActionRight::administrator()))
            openNamedPage("TfrmAdmin");
    });
    imgWorkTime_ = tab("imgWorkTime", "stopwatch", "Flexi time", [this] { openNamedPage("TfrmFlexi", false); });
    imgCal_ = tab("imgCal", "printer", "Print holidays", [this] { imgCalClick(); });
    imgSignOff_ = tab("imgSignOff", "check2-square", "Sign off absences", [this] { imgSignOffClick(); });
    imglogout1_ = tab("imglogout1", "box-arrow-right", "Log out", [this] { cmdLogoutClick(); });

    auto* body = add<Region>("regBody");
    body->setCssClass("zw-main row g-3 p-3");
    auto* nav = body->add<Region>("regNav");
    nav->setCssClass("col-12 col-md-3 col-xl-2");
    OutMain_ = nav->add<OutlookBar>("OutMain");
    OutMain_->onItemClick = [this](int panel, int item) { OutMainItemClick(panel, item); };
    OutMain_->onRefusedItem = [this](int panel, int item) {
        // Only what the bar shows can be opened: anything else is a forged post.
        auto& u = user();
        u.dmMain->wcLogFile.LogText(u.UserName, "Main Screen: refused item " + std::to_string(panel) + ":" +
                                                    std::to_string(item),
                                    "", u.StaffNo);
        guarded([&] { u.dmMain->wcLogFile.Flush(); });
        this->session().showMessage(server::kNoRightsMessage);
    };

    auto* work = body->add<Region>("regWork");
    work->setCssClass("col-12 col-md-9 col-xl-10");
    regedit_ = work->add<Region>("regedit");
    regedit_->setCssClass("zw-record card card-body");
    auto* who = regedit_->add<Region>("regWho");
    who->setCssClass("zw-record-head d-flex flex-wrap align-items-center gap-2 mb-2");
    cmdPrev_ = who->add<Button>("cmdPrev", "<");
    cmdPrev_->setHint("Previous employee");
    cmdPrev_->onClick = [this] { stepEmployee(-1); };
    lblStaffno_ = who->add<Label>("lblStaffno");
    lblStaffno_->setCssClass("fw-semibold");
    lblDash_ = who->add<Label>("lblDash", "  -  ");
    lblName_ = who->add<Label>("lblName");
    lblName_->setCssClass("fw-semibold");
    cmdNext_ = who->add<Button>("cmdNext", ">");
    cmdNext_->setHint("Next employee");
    cmdNext_->onClick = [this] { stepEmployee(1); };
    for (Button* b : {cmdPrev_, cmdNext_})
        b->setVariant("outline-secondary");

    auto* records = regedit_->add<Region>("regRecordButtons");
    records->setCssClass("zw-record-buttons d-flex flex-wrap align-items-center gap-1 mb-2");
    cmdFirstRec_ = records->add<Button>("cmdFirstRec", "|<");
    cmdPriorRec_ = records->add<Button>("cmdPriorRec", "<");
    lblRecordCount_ = records->add<Label>("lblRecordCount");
    lblRecordCount_->setCssClass("small text-muted");
    cmdNextRec_ = records->add<Button>("cmdNextRec", ">");
    cmdLastRec_ = records->add<Button>("cmdLastRec", ">|");
    cmdFirstRec_->onClick = [this] { stepRecord(-2); };
    cmdPriorRec_->onClick = [this] { stepRecord(-1); };
    cmdNextRec_->onClick = [this] { stepRecord(1); };
    cmdLastRec_->onClick = [this] { stepRecord(2); };
    for (Button* b : {cmdFirstRec_, cmdPriorRec_, cmdNextRec_, cmdLastRec_})
        b->setVariant("outline-secondary");
    cmdAdd_ = records->add<Button>("cmdAdd", "Add");
    cmdEdit_ = records->add<Button>("cmdEdit", "Edit");
    cmdSave_ = records->add<Button>("cmdSave", "Save");
    cmdCancel_ = records->add<Button>("cmdCancel", "Cancel");
    cmdDelete_ = records->add<Button>("cmdDelete", "Delete");
    // Adding and changing records is not offered on this page yet.
    for (Button* b : {cmdAdd_, cmdEdit_, cmdSave_, cmdCancel_, cmdDelete_}) {
        b->setVariant("outline-primary");
        b->setEnabled(false);
    }
    cmdSave_->setVisible(false);
    cmdCancel_->setVisible(false);
    cboHolScheme_ = regedit_->add<ComboBox>("cboHolScheme");
    cboHolScheme_->setVisible(false);
    rulDetails_ = regedit_->add<Rule>("rulDetails");
    regScreen_ = regedit_->add<Region>("regScreen");
    regScreen_->setCssClass("zw-screen");

    regSignoff_ = work->add<Region>("regSignoff");
    regSignoff_->setHeading("I verify that I have submitted all the absence for");
    regSignoff_->setVisible(false);
    cboMonth_ = regSignoff_->add<ComboBox>("cboMonth");
    cboYear_ = regSignoff_->add<ComboBox>("cboYear");
    ImgSignSave_ = regSignoff_->add<Image>("ImgSignSave");
    ImgSignSave_->setIcon("check-lg");
    ImgSignSave_->setAltText("Sign off");
    ImgSignSave_->onClick = [this] { ImgSignSaveClick(); };
    ImgSignCancel_ = regSignoff_->add<Image>("ImgSignCancel");
    ImgSignCancel_->setIcon("x-lg");
    ImgSignCancel_->setAltText("Cancel");
    ImgSignCancel_->onClick = [this] { ImgSignCancelClick(); };
    grdUser1_ = regSignoff_->add<Grid>("grdUser1");
    grdUser1_->addButtonColumn("", "Delete");
    grdUser1_->addColumn("UserName");
    grdUser1_->addColumn("Period");
    grdUser1_->addColumn("Signoff on");
    grdUser1_->addColumn("ikey");
    grdUser1_->setColumnVisible(4, false);
    grdUser1_->onButtonClick = [this](int row, int) { grdUser1ButtonClick(row); };
}

TfrmMainDetails::~TfrmMainDetails()
{
    // The page's end releases the user's record locks.
    if (auto* user = server::UserSession(); user && user->dmMain && !user->UserName.empty())
        guarded([&] { user->dmMain->UnlockAllForUser(); });
}

server::TUserSession& TfrmMainDetails::user() const
{
    auto* user = server::UserSession();
    if (!user)
        throw std::logic_error("the main page needs a user session");
    return *user;
}

// --- creation -------------------------------------------------------------------------

void TfrmMainDetails::create()
{
    auto& u = user();
    if (u.UserName.empty()) {
        // Only a signed-in session has a main page.
        release();
        session().open<signin::TformMain>();
        return;
    }
    // 1. Session hand-overs.
    u.ReturnToQuickEdit = false;
    if (u.CurrentScreenTag <= 0)
        u.CurrentScreenTag = kDetailsTag;
    u.BreakStaffNo.clear();
    u.BreakFrom = DateTime{Date{1899, 12, 30}};
    u.BreakTo = DateTime{Date{1899, 12, 30}};
    CloseAfterRender = true;
    const std::string returnStaffNo = u.CurrentStaffNo;

    loadHeaderPictures();
    try {
        readSettings();
        reloadMainModule();
        try {
            buildBar();
        } catch (const std::exception& e) {
            logError("Error-outlookBar2", e.what());
        }
        try {
            CreatePage(u.CurrentScreenTag);
        } catch (const std::exception& e) {
            logError("Error-CreatePage", e.what());
        }
        addReportsPanel();
        addTimePanel();
        cmdAdmin_->setVisible(u.IsAdministrator);
    } catch (const std::exception& e) {
        logError("Error-outlookBar", e.what());
    }
    if (!returnStaffNo.empty())
        u.CurrentStaffNo = returnStaffNo;
    u.NavigationBusy = false;
    if (u.HolidayPrintFromMain) {
        u.HolidayPrintFromMain = false;
        for (int p = 0; p < OutMain_->panelCount(); ++p)
            for (size_t i = 0; i < OutMain_->panel(p).items.size(); ++i)
                if (OutMain_->item(p, static_cast<int>(i)).tag == kAbsenceTag)
                    OutMainItemClick(p, static_cast<int>(i));
    }
}

void TfrmMainDetails::loadHeaderPictures()
{
    namespace fs = std::filesystem;
    const std::pair<const char*, web::Image*> pictures[] = {
        {"imgEdit.jpg", imgEdit_},       {"imgBrowse.jpg", imgBrowse_}, {"imgMaint.jpg", imgMaint_},
        {"imgHoliday.jpg", imgHoliday_}, {"imgTraining.jpg", imgTrnReq_}, {"imgHeader.jpg", imgHeader_},
        {"imgadmin.jpg", cmdAdmin_},     {"imgLogout.jpg", imglogout1_}, {"imgLogo.jpg", imgLogo_},
    };
    std::error_code ec;
    for (const auto& [file, image] : pictures) {
        if (!fs::is_regular_file(programFolder() / file, ec))
            continue;
        image->setSource(std::string("/media/") + file);
        image->setIcon({});
        if (image == imgHeader_)
            image->setVisible(true);
    }
    const Ini ini(zorvwebIniPath());
    recBG_->setBackgroundColor(web::colourToCss(ini.readString("Program", "bgColour", "clBlack")));
}

void TfrmMainDetails::readSettings()
{
    auto& u = user();
    const Ini ini(zorvwebIniPath());
    NoSelfEdit = ini.readBool("Program", "NoSelfEdit", false);
    if (NoSelfEdit)
        NoSelfEdit = ini.readBool("NoSelfEdit", u.StaffNo, true);
    const bool leftLogo = ini.readBool("Program", "leftlogo", true);
    imgLogo_->setVisible(leftLogo);
    imglogoZorv_->setVisible(ini.readBool("Program", "Imglogozorv", true) && !leftLogo);
    ReadOnlyColour = ini.readString("Program", "readonly", "clYellow");
    workTimeTag_ = ini.readInteger("Program", "zorvtime", 0);
    imgWorkTime_->setVisible(false);

    const bool selfOnly = toUpper(u.Group) == kSelfOnly;
    const bool list = ini.readBool("MainButton", selfOnly ? "ViewList" : "List", true);
    const bool maint = ini.readBool("MainButton", selfOnly ? "ViewMaint" : "Maint", true);
    imgBrowse_->setVisible(list);
    browseSuppressed_ = !list;
    imgMaint_->setVisible(maint);
    imgHoliday_->setVisible(ini.readBool("MainButton", selfOnly ? "ViewHoliday" : "Holiday", true));
    imgTrnReq_->setVisible(ini.readBool("MainButton", selfOnly ? "ViewTraining" : "Training", false));

    u.WorkModuleOn = ini.readBool("Program", "zorvWorkOn", false);
    u.NchdModuleOn = u.WorkModuleOn && ini.readBool("Program", "zorvNCHD", false);
    const char* alias = u.WorkModuleOn ? kGlobalWork : kGlobal;
    for (const char* name : {"qryButtons", "qryBars", "qryMessages", "tblLabels", "tblTables"})
        u.dmMain->dataset(name).setDatabaseName(alias);
}

void TfrmMainDetails::reloadMainModule()
{
    auto& u = user();
    if (u.ReloadMainModule) {
        u.RecreateMainModule();
        u.ReloadMainModule = false;
        readSettings();
    }
    try {
        u.dmMain->ConnectEmployeeDatabase(u.DatabaseName);
    } catch (const std::exception& e) {
        logError("Error-ConnectEmp", e.what());
    }
}

void TfrmMainDetails::buildBar()
{
    auto& u = user();
    OutMain_->clear();
    auto& main = *u.dmMain;
    const std::string profile = toUpper(u.Profile);
    const std::string barsAlias = main.dataset("qryBars").databaseName();
    auto& cache = data::ReferenceCache::instance();
    auto bars = cache.rows(main.connection(barsAlias), "select * from TBars where upper(auser) = ? order by Ibarno",
                           {profile}, {"TBARS"});
    auto buttons = cache.rows(main.connection(barsAlias),
                              "select * from TButtons where upper(aUser) = ? order by IBarNo, IPosition", {profile},
                              {"TBUTTONS"});
    auto tags = cache.rows(main.connection(kWeb), "select itag from ttagevts", {}, {"TTAGEVTS"});
    std::set<int> knownTags;
    for (const auto& row : *tags)
        if (!row[0].isNull())
            knownTags.insert(static_cast<int>(row[0].asInt()));

    int panel = -1;
    std::optional<long long> currentBar;
    for (const auto& button : *buttons) {
        const long long barNo = button["IBARNO"].isNull() ? 0 : button["IBARNO"].asInt();
        if (!currentBar || *currentBar != barNo) {
            const db::Row* bar = nullptr;
            for (const auto& row : *bars)
                if (!row["IBARNO"].isNull() && row["IBARNO"].asInt() == barNo)
                    bar = &row;
            if (!bar)
                continue; // the next button tries again
            currentBar = barNo;
            const std::string list = (*bar)["ALIST"].asString();
            panel = OutMain_->addPanel(replaceAll(list.size() > 9 ? list.substr(9) : std::string(), "&&", "&"));
        }
        const int tag = button["ITAG"].isNull() ? 0 : static_cast<int>(button["ITAG"].asInt());
        if (!iequals(trim(button["LVISIBLE"].asString()), "TRUE") || !knownTags.contains(tag))
            continue;
        const int image = button["IIMAGEINDEX"].isNull() ? -1 : static_cast<int>(button["IIMAGEINDEX"].asInt());
        OutMain_->addItem(panel, button["ATEXT"].asString(), tag, image);
    }
    OutMain_->removeEmptyPanels();
    if (OutMain_->panelCount() == 0)
        OutMain_->addItem(OutMain_->addPanel("Main"), "Main", 0, 0);
}

void TfrmMainDetails::addReportsPanel()
{
    auto& u = user();
    const Ini ini(zorvwebIniPath());
    const bool selfOnly = toUpper(u.Group) == kSelfOnly;
    if (!ini.readBool("Reports", selfOnly ? "viewself" : "MainUsers", false))
        return;
    const int panel = OutMain_->addPanel(ini.readString("settings", "extraOutlook", "Reports"));
    addFixedItem(*OutMain_, panel, "cmdReports");
}

void TfrmMainDetails::addTimePanel()
{
    auto& u = user();
    const Ini ini(zorvwebIniPath());
    const bool hoursEntryFirst = ini.readBool("Zorvweb", "ZorvwebAll", false);
    auto rights = u.dmMain->connection(kWeb).query("select ASCREEN, ARIGHTS from tuserSec where upper(auser) = upper(?)",
                                                   {u.UserName});
    bool anyRight = false;
    for (const auto& row : rights)
        anyRight = anyRight || row["ARIGHTS"].asString() != kNoAccess;
    if (!anyRight && !(u.NchdModuleOn && !u.SupervisedRights.empty()))
        return;

    const int panel = OutMain_->addPanel("Time Report");
    for (const auto& row : rights) {
        const std::string screen = row["ASCREEN"].asString();
        const std::string right = row["ARIGHTS"].asString();
        if (right == kNoAccess)
            continue;
        if (screen == "Time Keeper" && (toUpper(right) == "FALSE" || right.empty() || !u.NchdModuleOn))
            continue;
        for (const char* item : timeItemsFor(screen)) {
            const bool first = screen == "Hours Entry" && hoursEntryFirst;
            addFixedItem(*OutMain_, first ? 0 : panel, item);
        }
    }
    if (ini.readBool("EmpWork", "AddEmpWeek", false))
        addFixedItem(*OutMain_, 0, "cmdEmpWeek");
    if (OutMain_->panel(panel).items.empty())
        OutMain_->removePanel(panel);
}

// --- the record screen ------------------------------------------------------------------

data::Dataset& TfrmMainDetails::employees() { return user().dmMain->dataset("qryEmpDts"); }

bool TfrmMainDetails::isEmployeeScreen() const { return pageData_ == &user().dmMain->dataset("qryEmpDts"); }

void TfrmMainDetails::openEmployees()
{
    auto& u = user();
    data::Dataset& set = employees();
    if (set.active())
        return;
    // The select list follows the field rights of the details screen. The
    // user's visibility is worked out once per page and select list (the
    // rights are read when the page is made), not at every render.
    const std::string select = screen_ ? screen_->employeeSelect() : std::string("select * from master a");
    if (!employeeSql_ || employeeSelect_ != select) {
        data::BoundSql bound = u.dmMain->RestrictEmployeeSql(select, true);
        if (bound.empty())
            return;
        if (auto order = u.dmMain->MasterSortOrder(set.databaseName()))
            bound.sql += " Order by " + *order;
        employeeSql_ = std::move(bound);
        employeeSelect_ = select;
    }
    set.setSql(employeeSql_->sql, employeeSql_->params);
    u.dmMain->open(set);
    if (!u.CurrentStaffNo.empty())
        set.locate({{"STAFFNO", u.CurrentStaffNo}});
    // Only employees of the set are reachable: a position outside it falls back to the set's first row.
    u.CurrentStaffNo = set.isEmpty() ? std::string() : set.fieldText("STAFFNO");
}

void TfrmMainDetails::openPageData()
{
    auto& u = user();
    openEmployees();
    if (!pageData_ || isEmployeeScreen() || pageData_->active())
        return;
    pageData_->setParam("EmpNo", u.CurrentStaffNo);
    pageData_->setParam("StaffNo", u.CurrentStaffNo);
    u.dmMain->open(*pageData_);
    if (!u.RecordKeyField.empty() && pageData_->hasField(u.RecordKeyField) && !u.RecordKeyValue.empty())
        pageData_->locate({{u.RecordKeyField, u.RecordKeyValue}});
}

void TfrmMainDetails::CreatePage(int tag)
{
    auto& u = user();
    cmdAdmin_->setVisible(u.IsAdministrator);
    if (pageData_ && pageData_->active() && !isEmployeeScreen()) {
        if (pageData_->state() == data::DatasetState::Edit || pageData_->state() == data::DatasetState::Insert)
            pageData_->cancel();
        pageData_->close();
    }
    try {
        auto rows = data::ReferenceCache::instance().rows(u.dmMain->connection(kWeb),
                                                          "select * from ttagevts where itag = ?", {tag},
                                                          {"TTAGEVTS"});
        if (rows->empty()) {
            session().showMessage("Unable to find load Page, this page is unavaible via the web.");
            return;
        }
        const auto& row = rows->first();
        const std::string dataSource = trim(row["ADATASET"].asString());
        const std::string query = trim(row["AQUERY"].asString());
        // The data source names the dataset the screen edits ("dsEmpAbs" for qryEmpAbs).
        if (dataSource.empty()) {
            session().showMessage("Unable to locate Dataset.");
            return;
        }
        data::Dataset* dataset = nullptr;
        try {
            dataset = &u.dmMain->dataset(query);
        } catch (const std::logic_error&) {
            session().showMessage("Unable to locate query.");
            return;
        }
        pageData_ = dataset;
        screenTag_ = tag;
        if (!screen_)
            screen_ = std::make_unique<RecordScreen>(ScreenHost{*regScreen_, regedit_, cmdAdd_, cmdEdit_, cmdDelete_,
                                                                cmdSave_, cmdCancel_, imgBrowse_, imgEdit_,
                                                                ReadOnlyColour},
                                                     u);

        bool opened = true;
        try {
            openPageData();
        } catch (const std::exception& e) {
            logError("Error-CreatePage", e.what());
            opened = false;
        }
        for (web::Button* b : {cmdAdd_, cmdEdit_, cmdDelete_})
            b->setTag(0);
        if (opened) {
            screen_->SetDisplayLabels(*pageData_);
        } else {
            for (web::Button* b : {cmdAdd_, cmdEdit_, cmdDelete_})
                b->setVisible(false);
        }
        lblForm_->setCaption(row["ADESC"].asString());
        screen_->LayoutScreen(row["ATABLENAME"].asString(), tag, *pageData_);
        if (!screen_->ApplyScreenRights(*pageData_, isEmployeeScreen()))
            return;
        if (isEmployeeScreen()) {
            LockId = "-ALL-";
            LockCheckId.clear();
        } else {
            LockId = pageData_->name();
            LockCheckId = pageData_->name();
        }
        Redisplay();
        if (pageData_->active() && pageData_->isEmpty()) {
            cmdEdit_->setVisible(false);
            cmdDelete_->setVisible(false);
        }
        screen_->makeReadOnly();

        const Ini ini(zorvwebIniPath());
        const std::string section = std::to_string(tag);
        if (ini.readBool(section, "Add", false))
            cmdAdd_->setTag(kTagSuppressed);
        if (ini.readBool(section, "Edit", false))
            cmdEdit_->setTag(kTagSuppressed);
        if (ini.readBool(section, "Delete", false))
            cmdDelete_->setTag(kTagSuppressed);
        if (!browseSuppressed_) {
            const bool selfOnly = toUpper(u.Group) == kSelfOnly;
            const bool hide = ini.readBool(section, selfOnly ? "ListSelf" : "List", false);
            imgBrowse_->setVisible(!hide);
        }
        if (isEmployeeScreen())
            cmdDelete_->setTag(kTagSuppressed);
        showRecordButtons();
        imgWorkTime_->setVisible(workTimeTag_ == 1 && tag == kDetailsTag);
        screen_->SetTabOrder(tag);
        if (tag == kDetailsTag) {
            cboHolScheme_->clearItems();
            for (const auto& scheme : u.dmMain->connection(kGlobal).query("Select ASCHEME from TcmpHSch"))
                cboHolScheme_->addItem(scheme[0].asString());
        }
    } catch (const std::exception& e) {
        session().showMessage(std::string("An error has occured while creating the page, ") + e.what());
        logError("Error-CreatePage", e.what());
    }
}

void TfrmMainDetails::showRecordButtons()
{
    for (web::Button* b : {cmdAdd_, cmdEdit_, cmdDelete_})
        b->setVisible(b->tag() != kTagSuppressed);
    const bool subRecords = pageData_ && !isEmployeeScreen();
    for (web::Button* b : {cmdFirstRec_, cmdPriorRec_, cmdNextRec_, cmdLastRec_})
        b->setVisible(subRecords);
    lblRecordCount_->setVisible(subRecords);
}

void TfrmMainDetails::showPosition()
{
    data::Dataset& set = employees();
    if (set.active() && !set.isEmpty()) {
        // Field rights may leave a name column out of the set.
        auto text = [&](const char* field) { return set.hasField(field) ? set.fieldText(field) : std::string(); };
        lblStaffno_->setCaption(text("STAFFNO"));
        lblName_->setCaption(trim(text("FORENAMES") + " " + text("SURNAME")));
    } else {
        lblStaffno_->setCaption({});
        lblName_->setCaption({});
    }
    if (pageData_ && !isEmployeeScreen() && pageData_->active()) {
        const auto count = pageData_->recordCount();
        lblRecordCount_->setCaption(count == 0 ? std::string("No records")
                                               : std::to_string(pageData_->recNo() + 1) + " of " +
                                                     std::to_string(count));
    }
}

void TfrmMainDetails::Redisplay()
{
    if (!pageData_ || !screen_)
        return;
    openPageData();
    screen_->showRecord(*pageData_);
    showPosition();
}

void TfrmMainDetails::beforeRender()
{
    if (!pageData_ || !screen_)
        return;
    try {
        Redisplay();
    } catch (const std::exception& e) {
        logError("Error-Render", e.what());
    }
}

void TfrmMainDetails::rememberSubRecordPosition()
{
    auto& u = user();
    if (!pageData_ || isEmployeeScreen() || !pageData_->active() || pageData_->isEmpty()) {
        u.RecordKeyField.clear();
        u.RecordKeyValue.clear();
        return;
    }
    const std::string field = pageData_->name() == "qryEmpEdu" ? "iestabno" : "ikey";
    if (!pageData_->hasField(field) || pageData_->field(field).isNull()) {
        u.RecordKeyField.clear();
        u.RecordKeyValue.clear();
        return;
    }
    u.RecordKeyField = field;
    u.RecordKeyValue = pageData_->fieldText(field);
}

void TfrmMainDetails::closeData()
{
    if (pageData_ && !isEmployeeScreen())
        pageData_->close();
    employees().close();
}

void TfrmMainDetails::afterRender()
{
    if (!CloseAfterRender)
        return;
    guarded([&] {
        rememberSubRecordPosition();
        closeData();
    });
}

void TfrmMainDetails::stepEmployee(int direction)
{
    auto& u = user();
    if (pageData_ && !isEmployeeScreen())
        pageData_->close();
    openEmployees();
    data::Dataset& set = employees();
    if (set.isEmpty())
        return;
    if (direction > 0)
        set.next();
    else
        set.prior();
    u.CurrentStaffNo = set.fieldText("STAFFNO");
    u.RecordKeyField.clear();
    u.RecordKeyValue.clear();
    Redisplay();
}

void TfrmMainDetails::stepRecord(int direction)
{
    if (!pageData_ || isEmployeeScreen())
        return;
    openPageData();
    switch (direction) {
    case -2: pageData_->first(); break;
    case -1: pageData_->prior(); break;
    case 1: pageData_->next(); break;
    default: pageData_->last(); break;
    }
    rememberSubRecordPosition();
    Redisplay();
}

// --- the bar ----------------------------------------------------------------------------

bool TfrmMainDetails::refuseWhileEditing()
{
    if (!cmdSave_->visible())
        return false;
    session().showMessage(kEditing);
    return true;
}

void TfrmMainDetails::OutMainItemClick(int panel, int item)
{
    auto& u = user();
    if (refuseWhileEditing())
        return;
    const web::OutlookItem& clicked = OutMain_->item(panel, item);
    u.RecordKeyField.clear();
    u.RecordKeyValue.clear();
    if (employees().active() && !employees().isEmpty())
        u.CurrentStaffNo = employees().fieldText("STAFFNO");
    if (clicked.tag == kAppraisalTag) {
        openNamedPage("TfrmApprais");
        return;
    }
    u.CurrentScreenTag = clicked.tag;
    u.dmMain->wcLogFile.LogText(u.UserName, "Main Screen: " + clicked.caption, "", u.StaffNo);
    guarded([&] { u.dmMain->wcLogFile.Flush(); });

    // A screen configured as a list opens the list page; without one on this
    // server the record screen stands in for it.
    if (Ini(zorvwebIniPath()).readBool(std::to_string(clicked.tag), "useList", false) &&
        openPage(session(), "TfrmList")) {
        release();
        return;
    }
    if (!u.NavigationBusy) {
        u.NavigationBusy = true;
        try {
            if (pageData_ &&
                (pageData_->state() == data::DatasetState::Edit || pageData_->state() == data::DatasetState::Insert)) {
                session().showMessage("Unable to move to another screen while in edit or insert mode");
                u.NavigationBusy = false;
                return;
            }
            openEmployees();
            if (clicked.tag <= 0)
                openFixedPage(clicked.tag);
            else
                CreatePage(clicked.tag);
        } catch (const std::exception& e) {
            session().showMessage(e.what());
        }
        u.NavigationBusy = false;
    }
    showSignOffImage(clicked.tag);
    Redisplay();
}

bool TfrmMainDetails::openFixedPage(int tag)
{
    const FixedItem* item = fixedItemByTag(tag);
    if (!item)
        return false; // the "Main" item of an empty bar
    auto& u = user();
    std::string page = item->page;
    if (tag == -5) {
        u.NchdStaffNo = u.StaffNo;
        u.NchdMode = 0;
    }
    if (tag == -3 && !Ini(zorvwebIniPath()).readBool("EmpWork", "Break", true))
        page = "TfrmEmpWorkBreak";
    openNamedPage(page);
    return true;
}

void TfrmMainDetails::openNamedPage(const std::string& className, bool releaseThis)
{
    rememberSubRecordPosition();
    if (!openPage(session(), className)) {
        session().showMessage(kPageNotAvailable);
        return;
    }
    if (releaseThis)
        release();
}

void TfrmMainDetails::showSignOffImage(int tag)
{
    auto& u = user();
    imgSignOff_->setVisible(false);
    imgCal_->setVisible(tag == kAbsenceTag);
    if (tag != kAbsenceTag || !Ini(zorvwebIniPath()).readBool("settings", "AbsSignOff", false))
        return;
    const Date today = DateTime::now().date;
    auto rows = u.dmMain->connection(kWeb).query(
        "select count(auser) from ABSSignUser where ((dstart <= ? and dend = ?) or (dstart <= ? and dend >= ?)) "
        "and upper(auser) = upper(?)",
        {today, Date{1899, 12, 30}, today, today, u.UserName});
    imgSignOff_->setVisible(!rows.empty() && rows.first()[0].asInt() > 0);
}

// --- tabs -----------------------------------------------------------------------------

void TfrmMainDetails::imgCalClick()
{
    user().HolidayPrintFromMain = true;
    openNamedPage("TfrmPrintHol");
}

void TfrmMainDetails::cmdLogoutClick()
{
    if (refuseWhileEditing())
        return;
    auto& u = user();
    closeData();
    signin::SaveLastDatabase(u, u.DatabaseName);
    release();
    session().open<signin::TformMain>();
}

// --- absence sign-off -------------------------------------------------------------------

void TfrmMainDetails::imgSignOffClick()
{
    regedit_->setVisible(false);
    regSignoff_->setVisible(true);
    const Date today = DateTime::now().date;
    cboMonth_->clearItems();
    for (int month = 1; month <= 12; ++month)
        cboMonth_->addItem(monthName(month));
    cboYear_->clearItems();
    const int firstYear = today.addDays(-730).year;
    for (int year = firstYear; year < firstYear + 4; ++year)
        cboYear_->addItem(std::to_string(year));
    cboMonth_->setItemIndex(today.month - 1);
    cboYear_->setItemIndex(today.year - firstYear);
    fillSignOffGrid();
}

void TfrmMainDetails::fillSignOffGrid()
{
    auto& u = user();
    grdUser1_->clear();
    auto rows = u.dmMain->connection(kWeb).query(
        "select AUSER, IPERIOD, IYEAR, DSIGNOFF, IKEY from absSign where Auser = ? order by dsignoff desc",
        {u.UserName});
    for (const auto& row : rows) {
        const int r = grdUser1_->addRow();
        grdUser1_->setCell(r, 1, row["AUSER"].asString());
        grdUser1_->setCell(r, 2, row["IPERIOD"].asString() + "/" + row["IYEAR"].asString());
        grdUser1_->setCell(r, 3, row["DSIGNOFF"].isNull() ? std::string() : row["DSIGNOFF"].asDate().format());
        grdUser1_->setCell(r, 4, row["IKEY"].asString());
    }
}

void TfrmMainDetails::ImgSignSaveClick()
{
    auto& u = user();
    const int month = cboMonth_->itemIndex() + 1;
    const std::string yearText = cboYear_->text();
    if (month < 1 || yearText.empty())
        return;
    const int year = std::stoi(yearText);
    auto& web = u.dmMain->connection(kWeb);
    if (!web.query("select IKEY from absSign where Auser = ? and iperiod = ? and iyear = ?", {u.UserName, month, year})
             .empty()) {
        session().showMessage("Period has already been signed off");
        return;
    }
    const int key = u.dmMain->NextUnique(data::kUniqueCounter);
    web.execute("insert into absSign (AUSER, IKEY, DSIGNOFF, IPERIOD, IYEAR) values (?, ?, ?, ?, ?)",
                {u.UserName, key, DateTime::now(), month, year});
    ImgSignCancelClick();
}

void TfrmMainDetails::ImgSignCancelClick()
{
    regSignoff_->setVisible(false);
    regedit_->setVisible(true);
}

void TfrmMainDetails::grdUser1ButtonClick(int row)
{
    auto& u = user();
    const std::string key = grdUser1_->cell(row, 4);
    if (key.empty())
        return;
    // Only the user's own sign-offs are listed, and only those can go.
    u.dmMain->connection(kWeb).execute("delete from absSign where ikey = ? and Auser = ?", {std::stoi(key), u.UserName});
    grdUser1_->removeRow(row);
}

} // namespace zorv::records
