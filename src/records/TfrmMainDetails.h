#pragma once

#include "web/Page.h"

namespace zorv::web {
class Image;
class Label;
} // namespace zorv::web

namespace zorv::records {

/// The first working page after a logon. For now it shows who is signed in
/// and the employee database in use, and offers the logout image.
class TfrmMainDetails : public web::Page {
public:
    explicit TfrmMainDetails(web::WebSession& session);
    void create() override;

private:
    void imgLogoutClick();

    web::Label* lblUser_;
    web::Label* lblDatabase_;
    web::Image* imgLogout_;
};

} // namespace zorv::records
