#pragma once

// The per-session data modules. Each holds the datasets of one area; they
// are created by the user session in this order and freed by the session end.

namespace zorv::data {

/// Main data module: employee tables, login and rights queries, audit log.
class TdmMain {
public:
    TdmMain();
    ~TdmMain();
    /// Deletes every record lock the given user holds (session end, logout).
    void UnlockAllForUser(const char* userName);
};

/// Employee data module with its own database handle and audit log.
class TdmEmpCom {
public:
    TdmEmpCom();
    ~TdmEmpCom();
};

/// Pay sign-off and flexi-time queries.
class TdmWork {
public:
    TdmWork();
    ~TdmWork();
};

/// Clocking, hours and week queries.
class TdmEmpDts {
public:
    TdmEmpDts();
    ~TdmEmpDts();
};

/// Global look-up tables: users, event colours, cycles, areas, pay codes.
class TdmGlobal {
public:
    TdmGlobal();
    ~TdmGlobal();
};

} // namespace zorv::data
