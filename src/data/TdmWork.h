#pragma once

#include "data/DataModule.h"

namespace zorv::data {

/// Pay sign-off and flexi-time queries.
class TdmWork : public DataModule {
public:
    explicit TdmWork(DataContext context);
    ~TdmWork() override;
};

} // namespace zorv::data
