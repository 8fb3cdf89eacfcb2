#include "testpages/TfrmBare.h"

#include "web/controls/Label.h"

namespace zorv::testpages {

TfrmBare::TfrmBare(web::WebSession& session) : Page(session, "TfrmBare")
{
    setTitle("Bare page");
    add<web::Label>("lblBare", "Bare page");
}

} // namespace zorv::testpages
