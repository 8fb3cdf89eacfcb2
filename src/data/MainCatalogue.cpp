#include "data/MainCatalogue.h"
#include "data/Aliases.h"

// The statements are dialect-3 SQL that runs on dialect-1 databases as well:
// values are parameters, constants single-quoted. Memo fields need no
// conversion before a post (the text is UTF-8 throughout), so no dataset
// carries a rule for them.

namespace zorv::data {

namespace {

constexpr const char* kEmp = kEmployeeDesignName;
using zorv::data::alias::kGlobal;
using zorv::data::alias::kCentral;
using zorv::data::alias::kWeb;
using zorv::data::alias::kGlobalWork;
using zorv::data::alias::kLocal;

constexpr RowRule A = RowRule::Audit;
constexpr RowRule K = RowRule::NewKey;
constexpr RowRule KA = RowRule::NewKey | RowRule::Audit;
constexpr RowRule N = RowRule::None;

constexpr const char* kStaffKey = "STAFFNO,IKEY";
constexpr const char* kDetailKey = "IAPPRNO,IKEY,STAFFNO";

const MainDatasetEntry kCatalogue[] = {
    // --- employee database (tag 1) -------------------------------------------------
    {"qryEmpDts", kEmp, "select * from master", "MASTER", "STAFFNO", RowRule::Master | A},
    {"qryEmpCor", kEmp, "SELECT * FROM CORRESP WHERE StaffNo = :EmpNo ORDER By CORRESP.DDate Desc", "CORRESP",
     kStaffKey, KA},
    {"qryEmpCer", kEmp, "SELECT * FROM Career WHERE StaffNo = :EmpNo ORDER By Career.DDate Desc", "CAREER", kStaffKey,
     KA},
    {"qryEmpBnk", kEmp, "SELECT * FROM Bank WHERE StaffNo = :EMPNO order by AName", "BANK", kStaffKey, KA},
    {"qryGrpNames", kEmp, "SELECT * FROM GrpNames order by GroupName", "GRPNAMES", "GROUPNAME", A},
    {"qryGroups", kEmp,
     "SELECT Groups.GroupName, Groups.StaffNo, Master.Forenames, Master.Surname FROM Groups, Master WHERE "
     "Master.StaffNo = Groups.StaffNo AND Groups.GroupName = :tsGroupName ORDER BY Master.Surname",
     "GROUPS", "GROUPNAME,STAFFNO", A},
    {"qryEmpAtt", kEmp,
     "SELECT f.fileName, f.fileType, f.AComment, f.Staffno, f.IKey, f.AFile, f.APath, f.aqryName FROM Files f WHERE "
     "f.staffno = :Empno ORDER By f.FileType, f.FileName Asc",
     "FILES", kStaffKey, KA},
    {"qryEmpExt", kEmp, "SELECT * FROM ExitInt WHERE StaffNo = :EmpNo ORDER By ExitInt.DDate Desc", "EXITINT",
     kStaffKey, RowRule::YearPart | KA, nullptr, "DDate"},
    {"qryEmpFam", kEmp, "SELECT * FROM Family WHERE StaffNo = :EMPNO order by Aname", "FAMILY", kStaffKey, KA},
    {"qryEmpTrn", kEmp, "SELECT * FROM Training WHERE StaffNo = :EMPNO ORDER By Training.DDate Desc", "TRAINING",
     kStaffKey, RowRule::DateParts | KA, nullptr, "DDate"},
    {"qryEmpAbs", kEmp, "SELECT * FROM Absence WHERE StaffNo = :EMPNO ORDER By StartDate Desc", "ABSENCE", kStaffKey,
     KA},
    {"qryEmpLat", kEmp, "SELECT * FROM tEmpLat WHERE StaffNo = :EMPNO ORDER By DDate Desc", "TEMPLAT", kStaffKey, KA},
    {"qryEmpBnf", kEmp, "SELECT * FROM Benefit WHERE StaffNo = :EMPNO ORDER By Benefit.DFrom Desc", "BENEFIT",
     kStaffKey, KA},
    {"qryEmpPay", kEmp, "SELECT * FROM Payhist WHERE StaffNo = :EMPNO ORDER By FromDate Desc, IKey Desc", "PAYHIST",
     kStaffKey, KA},
    {"qryEmpAcc", kEmp,
     "SELECT * FROM accident WHERE StaffNo = :EMPNO ORDER By DateOfAccident, TimeOfAccident Desc", "ACCIDENT",
     kStaffKey, RowRule::DateParts | KA, nullptr, "DateOfAccident"},
    {"qryEmpEct", kEmp, "SELECT ipriority , Emergenc.* FROM Emergenc WHERE StaffNo = :EMPNO order by 1", "EMERGENC",
     kStaffKey, KA},
    {"qrypay", kEmp,
     "SELECT Npay, paybasis, ContractualHours, HourlyRate, FromDate FROM PayHist WHERE FromDate <= :PayDate AND "
     "StaffNo = :Employee_Number ORDER BY FromDate DESC"},
    {"qryEmpWeek", kEmp,
     "SELECT * FROM ttplWeek WHERE StaffNo = :EmpNo and ddayofweek >= :startdate and ddayofweek <= :Enddate ORDER By "
     "ttplWeek.ddayofweek asc",
     nullptr, nullptr, K},
    {"qryHolReq", kEmp, "SELECT * FROM HolReq WHERE StaffNo = :EmpNo ORDER By Dstart asc", "HOLREQ", kStaffKey, KA},
    {"qryEmpSkl", kEmp, "SELECT * FROM Skills WHERE StaffNo = :EMPNO order by category, skill", "SKILLS", kStaffKey,
     K},
    {"qryEmpEdu", kEmp, "select * FROM edestab where staffno = :EMPNO order by EDESTAB.Dfrom desc", "EDESTAB",
     "STAFFNO,IESTABNO", RowRule::Education | A},
    {"qryEmpTpl", kEmp, "SELECT * FROM TEmpTpl WHERE StaffNo = :EMPNO ORDER By dCompleteBy , acourse, asubject",
     "TEMPTPL", kStaffKey, KA},
    {"qryEmpSub", kEmp, "SELECT * FROM tEmpSub WHERE StaffNo = :EmpNo Order by aSubStaffNo Asc", "TEMPSUB", kStaffKey,
     KA},
    {"qryEmpPro", kEmp, "SELECT * FROM ProMem WHERE StaffNo = :EMPNO order by dJoined desc", "PROMEM", kStaffKey, KA},
    {"qryTrnReq", kEmp, "SELECT * FROM TrnReq WHERE StaffNo = :EmpNo ORDER By DFrom asc", "TRNREQ", kStaffKey, KA},
    {"qryTrnMan", kEmp, "SELECT * FROM TrnReq WHERE ikey = :ikey ORDER By DFrom asc", "TRNREQ", kStaffKey, KA},
    {"qryEmpSP", kEmp, "SELECT * FROM tempSP WHERE StaffNo = :EmpNo", "TEMPSP", kStaffKey, RowRule::Allowance | KA},
    {"qryEmpNot", kEmp, "SELECT * FROM Notes WHERE StaffNo = :EmpNo ORDER By Notes.DDate Desc", "NOTES", kStaffKey,
     KA},
    {"qryEmpApr", kEmp, "select * from APPRAIS where staffno = :EmpNo order by APPRAISALDATE Desc", "APPRAIS",
     "STAFFNO,IAPPRNO", RowRule::Appraisal | KA, "IApprNo"},
    {"qryEmpAst", kEmp, "SELECT * FROM Assess WHERE StaffNo = :StaffNo AND iApprNo = :iApprNo", "ASSESS", kDetailKey,
     RowRule::AppraisalDetail | KA},
    {"qryempTrg", kEmp, "SELECT * FROM Trainagr WHERE StaffNo = :StaffNo AND iApprNo = :iApprNo", "TRAINAGR",
     kDetailKey, RowRule::AppraisalDetail | KA},
    {"QryEmpObj", kEmp, "SELECT * FROM Objectiv WHERE StaffNo = :StaffNo AND iApprNo = :iApprNo", "OBJECTIV",
     kDetailKey, RowRule::AppraisalDetail | KA},
    {"qryEmpIn", kEmp, "SELECT * FROM tempIn order by ain", "TEMPIN", kStaffKey, KA},
    {"qryEmpEmp", kEmp, "SELECT * FROM Employ WHERE StaffNo = :EmpNo", "EMPLOY", kStaffKey, A},
    {"qryEmpDtsA", kEmp, "SELECT * FROM MasterA WHERE StaffNo = :EmpNo", "MASTERA", "STAFFNO", KA},
    {"qryEmpUnr", kEmp, "SELECT * FROM tempUnr WHERE StaffNo = :EmpNo", "TEMPUNR", kStaffKey, KA},
    {"QryEmp1", kEmp, "select * from master order by staffno", "MASTER", "STAFFNO", KA},
    {"qryEmp2", kEmp, "select * from master order by staffno", "MASTER", "STAFFNO", KA},
    {"qryEmp1Bank", kEmp, "SELECT * FROM Bank order by AName", "BANK", kStaffKey, KA},
    {"qryEmpTme", kEmp, "SELECT * FROM TIMES WHERE STAFFNO = :EMPNO ORDER By WeekendDate Desc", "TIMES",
     "STAFFNO,ITIMESNO", A},
    {"qryEmpTds", kEmp,
     "SELECT * FROM TmeSheet WHERE StaffNo = :StaffNo AND iTimesNo = :iTimesNo ORDER By WeekendDate Desc", "TMESHEET",
     "ITIMESNO,STAFFNO,IKEY", A},
    {"qryEmpHrs", kEmp,
     "SELECT * From TempHrs where StaffNo = :EmpNo and dRealEvent >= :tstart and dRealEvent < :tend order by "
     "TeventTimestart",
     "TEMPHRS", "STAFFNO,IKEY,DWEEKDATE", RowRule::Hours},
    {"qryEmpCFo", kEmp, "SELECT * FROM CarryFor WHERE StaffNo = :EMPNO", "CARRYFOR", kStaffKey, N},

    // --- application databases ---------------------------------------------------------
    {"qryButtons", kGlobal, "select * from TButtons where upper(aUser)= :AUser order by IBarNo,IPosition", "TBUTTONS",
     "IBARNO,ATEXT", N},
    {"qryBars", kGlobal, "Select * from TBars where upper(auser) = :auser order by Ibarno"},
    {"qrySecFld", kCentral, "select * from tSecFld where aUserCode = :tsSecurityCode and aTable = :tsTableName"},
    {"qrySecTbl", kCentral,
     "select * from tSecTbl where aUserCode = :tsSecurityCode and Upper(aTable) = :tsTableName"},
    {"qryMessages", kGlobal, "select * from messages"},
    {"qryEvtCar", kGlobal, "select * from t_evtcar where upper(ltrigger) = 'TRUE' And aDataset = :tsDataset"},
    {"qryLUScheme", kGlobal, "select * from tCmpHSch"},
    {"qrytagEvts", kWeb, "select * from ttagevts", "TTAGEVTS", "ITAG", A},
    {"qryUsrScr", kWeb, "select * from tusrScr where itag = :itag", "TUSRSCR", "ITAG,AFIELDNAME", A},
    {"qryLogin", kWeb, "select * from tLogin order by AUSER", "TLOGIN", "AUSER,ASTAFFNO", A},
    {"qryFormula", kGlobal, "SELECT * FROM tMntFmla"},
    {"tblLabels", kGlobal, "select * from LABEL"},
    {"tblTables", kGlobal, "select * from TABLES"},
    {"tblSysNo", kGlobal, "select * from SYSNO"},
    {"tblUsers", kCentral, "select * from Users"},
    // A table read in the order of its key, as the list of databases is shown.
    {"tblDBList", kLocal, "select * from DBLIST order by NAME"},
    {"QryHolReqold", kGlobal, "SELECT * FROM EmpHolRq WHERE StaffNo = :EmpNo ORDER By Dstart", "EMPHOLRQ", kStaffKey,
     KA},
    {"qryHolGrp", kGlobal, "SELECT * FROM EmpHolGP WHERE StaffNo = :EmpNo ORDER By Dstart", "EMPHOLGP", kStaffKey, KA},
    {"qryUsrRec", kWeb, "select * from tusrRec where itag = :itag", "TUSRREC", "ITAG,IID", KA, "iID"},
    {"qryUsrSec", kWeb, "select * from tuserSec where upper(auser) = upper(:auser)", "TUSERSEC", "AUSER,ASCREEN,IKEY",
     KA},
    {"qryNCHDHrs", kWeb, "select * from NCHDHrs where upper(staffno) = upper(:empNo) and ddate = :ddate", "NCHDHRS",
     kStaffKey, KA},
    {"qryNCHDSub", kWeb,
     "select * from NCHDSub where upper(staffno) = upper(:empNo) and upper(AMONTHYEAR) = upper(:AMonthYear)",
     "NCHDSUB", kStaffKey, KA},
    {"qryNCHDRota", kWeb,
     "select * from NCHDRota where upper(staffno) = upper(:empNo) and upper(AMONTHYEAR) = upper(:AMonthYear)",
     "NCHDROTA", kStaffKey, KA},
    {"qryNCHDRos", kWeb, "select * from NCHDRostered order by Groupname,atitle,aforename,asurname", "NCHDROSTERED",
     "GROUPNAME,IKEY", K},
    {"qryNCHDWork", kWeb, "select * from NCHDWork", "NCHDWORK", "STAFFNO,DDATE,L5WEEK", K},
    {"qryParams", kGlobal, "SELECT * FROM Params"},
    {"qryCmpInf", kGlobal, "SELECT * FROM compinfo", "COMPINFO", "ANAME", A},
    {"qryPayScales", kGlobal, "SELECT * FROM Payscale order by grade", "PAYSCALE", "GRADE", A},
    {"qryLogIP", kWeb, "select * from logIp where ipaddress = :ipaddress", "LOGIP",
     "IPADDRESS,DLOGGED,AREASON,AUSERNAME,ASTAFFNO", A},
    {"QryEmail", kCentral, "select * from EmailDetails where aemail = :email", "EMAILDETAILS", "AEMAIL,IKEY", KA},
    {"qryNchdHrsSave", kWeb,
     "select * from NCHDHrs where upper(staffno) = upper(:empNo) and ddate < :dend and ddate >= :dstart order by ddate",
     "NCHDHRS", kStaffKey, KA},
    {"qryEmpCLKDel", kGlobalWork, "SELECT * From TEmpClkIns", "TEMPCLKDEL", kStaffKey, N, nullptr, nullptr, "TEMPCLKINS"},
    {"qryEmpClkIns", kGlobalWork, "Select * from tEmpClkIns", "TEMPCLKINS", kStaffKey, N},
    {"qrySignOff", kWeb, "select * from absSign where Auser = :tsUser order by dsignoff desc", "ABSSIGN", "AUSER,IKEY",
     KA},
    {"QrySignUser", kWeb, "select * from ABSSignUser order by aUser,dstart", "ABSSIGNUSER", "AUSER,IKEY", KA},
};

} // namespace

std::span<const MainDatasetEntry> mainCatalogue() { return kCatalogue; }

} // namespace zorv::data
