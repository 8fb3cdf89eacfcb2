#include "tools/ScreenFields.h"

namespace zorv::admin {

namespace {

using enum Control;

constexpr ScreenField kMaster[] = {
    {"StaffNo", "Staff Number", 'A', 20, true, Edit},
    {"ATitle", "Title", 'A', 20, false, Lookup, "Title"},
    {"Forenames", "Forenames", 'A', 50, true, Edit},
    {"Surname", "Surname", 'A', 50, true, Edit},
    {"Knownas", "Known As", 'A', 50, false, Edit},
    {"Gender", "Gender", 'A', 10, false, Lookup, "Gender"},
    {"DOB", "Date of Birth", 'D', 10, false, Date},
    {"Age", "Age", 'I', 3, false, Edit},
    {"MaritalStatus", "Marital Status", 'A', 20, false, Lookup, "Marital Status"},
    {"Address1", "Address", 'A', 50, false, Edit},
    {"Address2", "Address 2", 'A', 50, false, Edit},
    {"Address3", "Town", 'A', 50, false, Edit},
    {"Address4", "County", 'A', 50, false, Edit},
    {"HomeTel", "Home Telephone", 'A', 20, false, Edit},
    {"Email", "E-mail", 'A', 80, false, Edit},
    {"Department", "Department", 'A', 50, true, Lookup, "Department"},
    {"Division", "Division", 'A', 50, false, Lookup, "Division"},
    {"JobTitle", "Job Title", 'A', 50, false, Edit},
    {"PostName", "Post", 'A', 50, false, Edit},
    {"aLocation", "Location", 'A', 50, false, Lookup, "Location"},
    {"DateOfJoin", "Date Joined", 'D', 10, true, Date},
    {"DateOfLeaving", "Date Left", 'D', 10, false, Date},
    {"ContractType", "Contract Type", 'A', 30, false, Lookup, "Contract Type"},
    {"ContractEndDate", "Contract End", 'D', 10, false, Date},
    {"AGrade", "Grade", 'A', 50, false, Lookup, "Grade"},
    {"PointOnScale", "Point on Scale", 'A', 20, false, Edit},
    {"NPay", "Pay", 'N', 12, false, Edit},
    {"PayBasis", "Pay Basis", 'A', 20, false, Lookup, "Pay Basis"},
    {"PayPeriod", "Pay Period", 'A', 20, true, Lookup, "Pay Period"},
    {"ContractualHours", "Contractual Hours", 'N', 6, false, Edit},
    {"NWTE", "Whole-time Equivalent", 'N', 6, false, Edit},
    {"AllowOvertime", "Overtime Allowed", 'A', 3, false, Lookup, "Yes No"},
    {"ISchemeID", "Leave Scheme", 'I', 4, true, Edit},
    {"LeaveCF", "Leave Carried Forward", 'N', 6, false, Edit},
    {"LeaveAllowance", "Leave Allowance", 'N', 6, false, Edit},
    {"LeaveTaken", "Leave Taken", 'N', 6, false, Edit},
    {"LeaveRemaining", "Leave Remaining", 'N', 6, false, Edit},
    {"LManHol", "Manual Leave", 'L', 5, false, CheckBox},
    {"absclass", "Client Class", 'A', 20, false, Lookup, "Client Class"},
    {"User1", "Manager", 'A', 20, false, Edit},
    {"userno2", "Post Number", 'A', 20, false, Edit},
    {"REENGAGE", "Re-engage", 'L', 3, false, CheckBox},
};

constexpr ScreenField kEducation[] = {
    {"DFrom", "Date From", 'D', 10, true, Date},
    {"MNotes", "Qualification and Notes", 'M', 0, false, Memo},
};

constexpr ScreenField kEmergency[] = {
    {"iPriority", "Priority", 'I', 4, false, Edit},
};

constexpr ScreenField kAppraisal[] = {
    {"AppraisalDate", "Appraisal Date", 'D', 10, true, Date},
    {"Appraisor", "Appraiser", 'A', 50, false, Lookup, "Appraisor"},
    {"NextAppraisalDate", "Next Appraisal", 'D', 10, false, Date},
    {"Comments", "Comments", 'M', 0, false, Memo},
};

constexpr ScreenField kAbsence[] = {
    {"StartDate", "Start Date", 'D', 10, true, Date},
    {"EndDate", "End Date", 'D', 10, true, Date},
    {"AAbsType", "Type", 'A', 30, false, Lookup, "Absence Type"},
    {"ACategory", "Category", 'A', 50, true, Lookup, "Absence Category"},
    {"AReason", "Reason", 'A', 50, false, Lookup, "Absence Reason"},
    {"DaysLost", "Days Lost", 'N', 6, false, Edit},
    {"NHours", "Hours", 'N', 6, false, Edit},
    {"IsAnnualLeave", "Annual Leave", 'L', 5, false, CheckBox},
    {"LActive", "Active", 'L', 5, false, CheckBox},
    {"MNotes", "Notes", 'M', 0, false, Memo},
};

constexpr ScreenField kTraining[] = {
    {"DDate", "Training Date", 'D', 10, true, Date},
    {"ExpiryDate", "Expiry Date", 'D', 10, false, Date},
    {"DayName", "Day", 'A', 10, false, Edit},
    {"SYear", "Year", 'I', 4, false, Edit},
};

constexpr ScreenField kPayHistory[] = {
    {"FromDate", "Pay From", 'D', 10, true, Date},
    {"DToDate", "Pay To", 'D', 10, false, Date},
    {"PayBasis", "Pay Basis", 'A', 20, false, Lookup, "Pay Basis"},
    {"PayPeriod", "Pay Period", 'A', 20, true, Lookup, "Pay Period"},
    {"NPay", "Pay", 'N', 12, false, Edit},
    {"HourlyRate", "Hourly Rate", 'N', 12, false, Edit},
    {"MonthlyPay", "Monthly Pay", 'N', 12, false, Edit},
    {"ContractualHours", "Contractual Hours", 'N', 6, false, Edit},
    {"AGrade", "Grade", 'A', 50, false, Lookup, "Grade"},
    {"APoint", "Point on Scale", 'A', 20, false, Edit},
    {"AllowOvertime", "Overtime Allowed", 'A', 3, false, Lookup, "Yes No"},
    {"ACurrency", "Currency", 'A', 10, false, Lookup, "%CURRENCY%"},
    {"LActive", "Current Pay", 'L', 5, false, CheckBox},
};

constexpr RecordScreen kScreens[] = {
    {kDetailsScreen, "dsEmpDts", "qryEmpDts", "Employee Details", "master", kMaster},
    {kEducationScreen, "dsEmpEdu", "qryEmpEdu", "Education", "edestab", kEducation},
    {kEmergencyScreen, "dsEmpEct", "qryEmpEct", "Emergency Contacts", "Emergenc", kEmergency},
    {kAppraisalScreen, "dsEmpApr", "qryEmpApr", "Appraisals", "Apprais", kAppraisal},
    {kAbsenceScreen, "dsEmpAbs", "qryEmpAbs", "Absence", "Absence", kAbsence},
    {kTrainingScreen, "dsEmpTrn", "qryEmpTrn", "Training", "Training", kTraining},
    {kPayHistoryScreen, "dsEmpPay", "qryEmpPay", "Pay History", "PayHist", kPayHistory},
};

} // namespace

std::span<const RecordScreen> recordScreens() { return kScreens; }

} // namespace zorv::admin
