#include "testpages/TestPages.h"

#include "testpages/TfrmBare.h"
#include "testpages/TfrmBench.h"
#include "testpages/TfrmTestGrid.h"
#include "web/WebSession.h"

namespace zorv::testpages {

bool openTestPage(web::WebSession& session, const std::string& className)
{
    if (className == "TfrmBare")
        session.open<TfrmBare>();
    else if (className == "TfrmTestGrid")
        session.open<TfrmTestGrid>();
    else if (className == "TfrmBench")
        session.open<TfrmBench>();
    else
        return false;
    return true;
}

} // namespace zorv::testpages
