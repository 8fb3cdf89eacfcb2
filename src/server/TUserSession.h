#pragma once

#include "common/DateTime.h"
#include "data/DataModules.h"
#include "data/RequestConnections.h"
#include "data/SessionView.h"
#include "web/WebSession.h"

#include <functional>

#include <memory>
#include <string>
#include <vector>

namespace zorv::server {

/// The state of one browser session: who is logged in, what that user may
/// do, the employee database in use, the session's own data modules and the
/// values one page leaves for the next. Touched only by its own session's
/// requests, which run one at a time.
class TUserSession : public web::SessionData, public data::SessionView {
public:
    /// Creates the five data modules in the order dmMain, dmWork, dmEmpCom,
    /// dmEmpDts, dmGlobal. Every other field starts empty, zero or false.
    /// app gives the server's shared data module (nothing while the
    /// databases are down).
    explicit TUserSession(std::function<data::Tdmdata*()> app = {});
    ~TUserSession() override;

    /// Frees the data modules in the order dmMain, dmWork, dmEmpCom, dmEmpDts,
    /// dmGlobal, each in its own guard (session end).
    void FreeDataModules();
    /// Clears the fields that describe the logged-in user and the values
    /// handed between pages (an unhandled error logs the user out).
    void ClearIdentity();
    /// Gives back the database connections of the request that ends.
    void RequestFinished() noexcept;
    /// Rolls back what is open and drops every unsaved change of the
    /// session's datasets (an unhandled error logs the user out).
    void DropPendingChanges() noexcept;
    /// Replaces dmMain by a fresh module (after a database change).
    void RecreateMainModule();
    /// The server's shared data module; nothing while the databases are down.
    data::Tdmdata* SharedData() const { return app_ ? app_() : nullptr; }

    // What the data modules see of the session.
    const std::string& userName() const override { return UserName; }
    const std::string& profile() const override { return Profile; }
    const std::string& language() const override { return Language; }
    const std::string& databaseName() const override { return DatabaseName; }
    const std::string& securityCode() const override { return SecurityCode; }
    const std::string& group() const override { return Group; }
    const std::string& staffNo() const override { return StaffNo; }
    void setDatabaseName(const std::string& name) override { DatabaseName = name; }
    void showMessage(const std::string& text) override;

    // Data modules (never empty while the session lives).
    std::unique_ptr<data::TdmMain> dmMain;
    std::unique_ptr<data::TdmEmpCom> dmEmpCom;
    std::unique_ptr<data::TdmWork> dmWork;
    std::unique_ptr<data::TdmEmpDts> dmEmpDts;
    std::unique_ptr<data::TdmGlobal> dmGlobal;

    // The logged-in user.
    std::string Profile;
    std::string UserName;
    std::string StaffNo;
    std::string NchdMasterField;
    std::string SecurityCode;
    std::string UserCode;
    std::string SupervisedRights;
    std::string Group;
    std::string DatabaseName;
    bool IsAdministrator = false;
    bool WorkModuleOn = false;
    bool NchdModuleOn = false;

    // Values handed from one page to the next.
    std::string NchdStaffNo;
    std::string NchdPeriod;
    std::string FlexiStaffNo;
    bool NavigationBusy = false;
    int CurrentScreenTag = 0;
    std::string CurrentStaffNo;
    int NchdMode = 0;
    std::vector<std::string> NchdStaffList;
    int NchdStaffIndex = 0;
    std::string RecordKeyField;
    std::string RecordKeyValue;
    std::string Language;
    bool ReloadMainModule = false;
    bool HolidayPrintFromMain = false;
    std::string BreakStaffNo;
    DateTime BreakFrom{Date{1899, 12, 30}};
    DateTime BreakTo{Date{1899, 12, 30}};
    bool ReturnToQuickEdit = false;

private:
    data::DataContext dataContext();

    std::function<data::Tdmdata*()> app_;
    data::RequestConnections connections_;
};

/// The session of the request the calling thread serves; nothing outside a
/// request (timers, start-up) or when the session carries no user session.
TUserSession* UserSession();
data::TdmMain* CurrentDmMain();
data::TdmEmpCom* CurrentDmEmpCom();
data::TdmWork* CurrentDmWork();
data::TdmEmpDts* CurrentDmEmpDts();
data::TdmGlobal* CurrentDmGlobal();

} // namespace zorv::server
