#pragma once

#include "data/Rights.h"
#include "web/Page.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zorv::data {
class Dataset;
} // namespace zorv::data
namespace zorv::server {
class TUserSession;
}
namespace zorv::web {
class Button;
class ComboBox;
class Grid;
class Image;
class Label;
class OutlookBar;
class Region;
class Rule;
} // namespace zorv::web

namespace zorv::records {

class RecordScreen;

/// The hub page after a logon: the navigation bar built per profile and
/// rights, the tabs to the other pages, and the record screen of the current
/// employee, who is stepped through the employees the user may see.
class TfrmMainDetails : public web::Page {
public:
    explicit TfrmMainDetails(web::WebSession& session);
    ~TfrmMainDetails() override;

    void create() override;
    void beforeRender() override;
    void afterRender() override;

    /// Opens the record screen of tag (a row of ttagevts).
    void CreatePage(int tag);
    /// What a click on item of panel of the bar does.
    void OutMainItemClick(int panel, int item);

    /// The navigation bar (for tests and for the pages that return here).
    const web::OutlookBar& bar() const { return *OutMain_; }
    /// The screen tag shown.
    int screenTag() const { return screenTag_; }

private:
    // Creation steps.
    void loadHeaderPictures();
    void readSettings();
    void reloadMainModule();
    void buildBar();
    void addReportsPanel();
    void addTimePanel();

    // Employees and the record.
    data::Dataset& employees();
    void openEmployees();
    bool isEmployeeScreen() const;
    void openPageData();
    void showPosition();
    void Redisplay();
    void rememberSubRecordPosition();
    void closeData();
    void stepEmployee(int direction);
    void stepRecord(int direction);
    void showRecordButtons();

    // Guards and tabs.
    bool refuseWhileEditing();
    bool openFixedPage(int tag);
    void openNamedPage(const std::string& className, bool releaseThis = true);
    void cmdLogoutClick();
    void imgCalClick();
    void showSignOffImage(int tag);
    void imgSignOffClick();
    void ImgSignSaveClick();
    void ImgSignCancelClick();
    void grdUser1ButtonClick(int row);
    void fillSignOffGrid();

    server::TUserSession& user() const;

    // Header and tabs.
    web::Region* recBG_;
    web::Image* imgHeader_;
    web::Image* imgLogo_;
    web::Image* imglogoZorv_;
    web::Label* lblForm_;
    web::OutlookBar* OutMain_;
    web::Image* imgEdit_;
    web::Image* imgBrowse_;
    web::Image* imgMaint_;
    web::Image* imgHoliday_;
    web::Image* imgTrnReq_;
    web::Image* cmdAdmin_;
    web::Image* imglogout1_;
    web::Image* imgWorkTime_;
    web::Image* imgCal_;
    web::Image* imgSignOff_;

    // The record region.
    web::Region* regedit_;
    web::Label* lblStaffno_;
    web::Label* lblDash_;
    web::Label* lblName_;
    web::Button* cmdPrev_;
    web::Button* cmdNext_;
    web::Button* cmdAdd_;
    web::Button* cmdEdit_;
    web::Button* cmdSave_;
    web::Button* cmdCancel_;
    web::Button* cmdDelete_;
    web::Button* cmdFirstRec_;
    web::Button* cmdPriorRec_;
    web::Button* cmdNextRec_;
    web::Button* cmdLastRec_;
    web::Label* lblRecordCount_;
    web::ComboBox* cboHolScheme_;
    web::Rule* rulDetails_;
    web::Region* regScreen_;

    // Absence sign-off.
    web::Region* regSignoff_;
    web::ComboBox* cboMonth_;
    web::ComboBox* cboYear_;
    web::Image* ImgSignSave_;
    web::Image* ImgSignCancel_;
    web::Grid* grdUser1_;

    std::unique_ptr<RecordScreen> screen_;
    std::optional<data::BoundSql> employeeSql_; // the employee set's statement for employeeSelect_
    std::string employeeSelect_;
    data::Dataset* pageData_ = nullptr;
    int screenTag_ = 0;
    bool CloseAfterRender = true;
    bool NoSelfEdit = false;
    std::string ReadOnlyColour = "clYellow";
    std::string LockId;
    std::string LockCheckId;
    int workTimeTag_ = 0;
    bool browseSuppressed_ = false;
};

/// Opens a page of another module by its class name ("TfrmList"); the
/// server registers the pages it has. False when there is no such page.
using PageOpener = std::function<void(web::WebSession&)>;
void setPageOpener(const std::string& className, PageOpener opener);
bool openPage(web::WebSession& session, const std::string& className);

/// The text shown for a page that this server does not have yet.
inline constexpr const char* kPageNotAvailable = "This page is not available yet.";

} // namespace zorv::records
