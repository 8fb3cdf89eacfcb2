#pragma once

#include <string>

namespace zorv::data {

class TdmMain;

/// The text in language (a code such as "GA"), from the messages table row
/// whose English text equals text ignoring case. text itself when there is no
/// such row, the language has no column, or the row holds no translation.
/// Reads dmMain's qryMessages (opened on first use and kept open).
std::string Translate(TdmMain& dmMain, const std::string& language, const std::string& text);

/// zorvweb.ini [EmpWork] AddEmpWeek (default false), read now: the main page
/// adds an "Emp. Week" item to the first panel of its bar.
bool AddEmpWeekEnabled();

/// zorvweb.ini [<tag>] useList (default false), read now: the record screen
/// of tag opens as a list page.
bool UseListEnabled(int tag);

} // namespace zorv::data
