#include "testpages/TestPages.h"

namespace zorv::testpages {

bool openTestPage(web::WebSession&, const std::string&) { return false; }

} // namespace zorv::testpages
