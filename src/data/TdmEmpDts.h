#pragma once

#include "data/DataModule.h"

namespace zorv::data {

/// Clocking, hours, week and exception queries.
class TdmEmpDts : public DataModule {
public:
    explicit TdmEmpDts(DataContext context);
    ~TdmEmpDts() override;
};

} // namespace zorv::data
