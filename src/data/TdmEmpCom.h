#pragma once

#include "data/DataModule.h"
#include "data/DesignNames.h"
#include "server/LogFile.h"

namespace zorv::data {

/// Employee data module: the employee database handle "Employee-Server"
/// (the design name its sibling modules' employee datasets carry) and the
/// audit log of the employee time datasets of TdmEmpDts.
class TdmEmpCom : public DataModule {
public:
    /// The design-time name of the employee database handle.
    static constexpr const char* kDatabaseName = kEmployeeServerDesignName;

    explicit TdmEmpCom(DataContext context);
    ~TdmEmpCom() override;

    /// Audit trail in the web audit folder, written by the update-record
    /// handlers of TdmEmpDts (user = the session's Profile, source
    /// "ZorvWeb"). Pass it to ApplyWithAudit when saving those datasets.
    TLogFile wcLogFile;
};

} // namespace zorv::data
