#pragma once

#include <string>

namespace zorv::web {
class WebSession;
}

namespace zorv::testpages {

/// Opens the test page of that class name; false for an unknown name.
bool openTestPage(web::WebSession& session, const std::string& className);

} // namespace zorv::testpages
