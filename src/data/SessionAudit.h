#pragma once

#include <functional>
#include <string>

namespace zorv {
class TLogFile;
}

namespace zorv::data {

class Dataset;
struct PendingChange;

/// An update-record handler that adds the audit line of each applied change
/// to log, as written by user() from source. It never catches: a failure
/// stops the save.
std::function<void(Dataset&, const PendingChange&)> auditChangesTo(TLogFile& log, std::function<std::string()> user,
                                                                   std::string source);

/// zorvweb.ini [PROGRAM] WorkGlobalSystemDirectory, relative to the program
/// folder unless absolute.
std::string workGlobalFolder();

/// The folder of the web audit files: <WorkGlobalSystemDirectory>/audit/zorvweb/
/// (zorvweb.ini [PROGRAM], relative to the program folder unless absolute).
std::string webAuditFolder();

/// Points log at webAuditFolder(), creating the folder when it is missing.
/// A folder that cannot be created is logged; the first flush then fails.
void useWebAuditFolder(TLogFile& log) noexcept;

} // namespace zorv::data
