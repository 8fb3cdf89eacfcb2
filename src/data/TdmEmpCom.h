#pragma once

#include "data/DataModule.h"

namespace zorv::data {

/// Employee data module with its own database handle and audit log.
class TdmEmpCom : public DataModule {
public:
    explicit TdmEmpCom(DataContext context);
    ~TdmEmpCom() override;
};

} // namespace zorv::data
