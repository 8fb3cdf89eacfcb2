#pragma once

#include "data/DataModule.h"

namespace zorv::data {

/// Global look-up tables: users, event colours, cycles, areas, pay codes.
class TdmGlobal : public DataModule {
public:
    explicit TdmGlobal(DataContext context);
    ~TdmGlobal() override;
};

} // namespace zorv::data
