#pragma once

#include "signin/Logon.h"
#include "web/Page.h"

namespace zorv::web {
class Button;
class Edit;
class Image;
class Label;
class Link;
class Region;
} // namespace zorv::web

namespace zorv::signin {

/// The login page: the first page of every session and the page every
/// logout returns to.
class TformMain : public web::Page {
public:
    explicit TformMain(web::WebSession& session);

    /// Applies the page's configuration (the creation step).
    void create() override;
    /// Shows an error text in the error label, on one line across the page.
    void ShowErrorText(const std::string& text);

    web::Label* lblerror() const { return lblerror_; }

private:
    void applyProgramKeys();
    void loadLogo();
    void hideError();

    /// The logon check of the three edits for button; renews the session id
    /// on success.
    LogonOutcome logon(LogonButton button);
    /// Releases this page and opens page, or stays with a message when the
    /// server has no such page.
    void leaveFor(SignedInPage page);
    void openAdministrationPage(SignedInPage page);
    void oneOffCustomerSetUp();
    void prepareSessionFolders();

    void cmdLoginClick();
    void cmdClockClick();
    void cmdTSLoginClick();
    void cmdMoveLocClick();
    void cmdMoveEmpClick();
    void cmdImportClick();
    void cmdUploadClick();

    web::Region* regLogin_;
    web::Image* imgback_;
    web::Label* lblWelcome_;
    web::Label* lblCopy_;
    web::Label* lblemail1_;
    web::Link* lblemail_;
    web::Label* lblLogin_;
    web::Edit* edtLogin_;
    web::Label* lblStaffno_;
    web::Edit* edtStaffno_;
    web::Label* LblPassword_;
    web::Edit* edtPassword_;
    web::Button* cmdLogin_;
    web::Button* cmdClock_;
    web::Button* cmdTSLogin_;
    web::Button* cmdMoveLoc_;
    web::Button* cmdMoveEmp_;
    web::Button* cmdImport_;
    web::Button* cmdUpload_;
    web::Label* lblerror_;
};

/// Splits the configured support anchor "<A Href=TARGET>CAPTION</a>" into its
/// target and caption (the closing tag is found without regard to case).
struct SupportLink {
    std::string target;
    std::string caption;
};
SupportLink parseSupportAnchor(const std::string& anchor);

} // namespace zorv::signin
