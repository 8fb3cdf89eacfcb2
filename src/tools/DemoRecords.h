#pragma once

// Internal to the demo builder: the rows of an employee database, made from
// the generated staff of a site.

#include "tools/DemoAbsences.h"
#include "tools/DemoCalendar.h"
#include "tools/DemoStaff.h"
#include "tools/Random.h"
#include "tools/TableRows.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// What every record writer needs: the dates, the choices, the keys and the
/// rows of the database being filled.
struct RecordContext {
    const DemoCalendar& calendar;
    Random& random;
    KeySource& keys;
    DatabaseContent& db;
};

/// The parts of a date kept beside it (SDAY, DAYNAME, SMONTH, SYEAR).
db::Params dateParts(const Date& date);

/// MASTER, MASTERA, PAYHIST and CAREER rows of an employee.
void addMasterRecords(RecordContext& context, const Employee& employee, double leaveTakenDays);
/// Family, emergency contacts, bank, skills, memberships, notes,
/// correspondence, employment history, education, training, benefits,
/// accidents, exit interview and attachments.
void addPersonalRecords(RecordContext& context, const Employee& employee);
/// ABSENCE rows, holiday and training requests, the training plan and
/// allowances. A showcase employee (one with a demo login) always has a
/// pending and an approved holiday request and a training request.
void addAbsencesAndRequests(RecordContext& context, const Employee& employee,
                            const std::vector<AbsenceSpan>& absences, bool showcase);
/// Appraisals with their assessments, objectives and agreed training.
void addAppraisals(RecordContext& context, const Employee& employee, const Site& site, bool showcase);
/// Groups, supervision, working-time settings and the in/out board of the
/// whole site. loginOf maps a staff number to its login name.
void addSiteRecords(RecordContext& context, const Site& site, const std::map<std::string, std::string>& loginOf);

/// The login that approves the employee's requests.
std::string_view approverLogin(const Employee& employee);

/// The file name of an employee's attachment (FILES.FILENAME), kept in the
/// global system folder's Attach folder.
std::string attachmentName(std::string_view staffNo);

} // namespace zorv::admin
