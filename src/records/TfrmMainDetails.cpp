#include "records/TfrmMainDetails.h"

#include "common/Guarded.h"
#include "data/TdmMain.h"
#include "server/TUserSession.h"
#include "signin/Logon.h"
#include "signin/TformMain.h"
#include "web/WebSession.h"
#include "web/controls/Image.h"
#include "web/controls/Label.h"
#include "web/controls/Region.h"

namespace zorv::records {

TfrmMainDetails::TfrmMainDetails(web::WebSession& session) : Page(session, "TfrmMainDetails")
{
    using namespace web;
    setTitle("ZorvWeb");
    auto* region = add<Region>("regMain");
    region->setHeading("ZorvWeb");
    region->setCssClass("zw-signed-in");
    lblUser_ = region->add<Label>("lblUser");
    lblDatabase_ = region->add<Label>("lblDatabase");
    imgLogout_ = region->add<Image>("imgLogout");
    imgLogout_->setIcon("box-arrow-right");
    imgLogout_->setAltText("Log out");
    imgLogout_->setHint("Log out");
    imgLogout_->onClick = [this] { imgLogoutClick(); };
}

void TfrmMainDetails::create()
{
    auto* user = server::UserSession();
    if (!user)
        return;
    if (user->CurrentScreenTag < 0)
        user->CurrentScreenTag = 590;
    // The session works on its employee database from here on.
    guarded([&] { user->dmMain->ConnectEmployeeDatabase(user->DatabaseName); });
    lblUser_->setCaption("Signed in as " + user->UserName + " (employee " + user->StaffNo + ")");
    lblDatabase_->setCaption("Employee database: " + user->DatabaseName);
}

void TfrmMainDetails::imgLogoutClick()
{
    if (auto* user = server::UserSession())
        signin::SaveLastDatabase(*user, user->DatabaseName);
    release();
    session().open<signin::TformMain>();
}

} // namespace zorv::records
