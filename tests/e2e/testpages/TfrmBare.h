#pragma once

#include "web/Page.h"

namespace zorv::testpages {

/// The smallest dynamic page: one label. The baseline of the HTTP benchmarks.
class TfrmBare : public web::Page {
public:
    explicit TfrmBare(web::WebSession& session);
};

} // namespace zorv::testpages
