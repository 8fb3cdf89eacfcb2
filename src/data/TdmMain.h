#pragma once

#include "data/DataModule.h"

namespace zorv::data {

/// Main data module: employee tables, login and rights queries, audit log.
class TdmMain : public DataModule {
public:
    explicit TdmMain(DataContext context);
    ~TdmMain() override;

    /// Deletes every record lock the session's user holds (session end,
    /// logout); false when the statement failed.
    bool UnlockAllForUser();
};

} // namespace zorv::data
