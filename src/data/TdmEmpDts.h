#pragma once

#include "data/DataModule.h"

namespace zorv {
class TLogFile;
}

namespace zorv::data {

/// Clocking, hours, week and exception queries on the employee database.
/// They carry the design name "Employee-Server" until TdmMain's
/// MapDesignDatabaseNames makes them follow the session's employee database.
class TdmEmpDts : public DataModule {
public:
    explicit TdmEmpDts(DataContext context);
    ~TdmEmpDts() override;

    /// The log the update-record handlers write to: TdmEmpCom's wcLogFile,
    /// as the session's Profile with source "ZorvWeb". Until it is set, a
    /// save of an audited dataset fails rather than go unaudited.
    void setAuditLog(TLogFile& log);
};

} // namespace zorv::data
