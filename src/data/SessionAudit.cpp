#include "data/SessionAudit.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/Dataset.h"
#include "server/ErrorLog.h"
#include "server/LogFile.h"

#include <filesystem>

namespace zorv::data {

namespace fs = std::filesystem;

namespace {

AuditAction auditActionOf(UpdateKind kind)
{
    switch (kind) {
    case UpdateKind::Insert:
        return AuditAction::Insert;
    case UpdateKind::Delete:
        return AuditAction::Delete;
    case UpdateKind::Modify:
        break;
    }
    return AuditAction::Modify;
}

} // namespace

std::function<void(Dataset&, const PendingChange&)> auditChangesTo(TLogFile& log, std::function<std::string()> user,
                                                                   std::string source)
{
    return [&log, user = std::move(user), source = std::move(source)](Dataset& dataset, const PendingChange& change) {
        log.LogChange(auditActionOf(change.kind), user(), dataset.auditRow(change), source);
    };
}

std::string workGlobalFolder()
{
    const Ini zorvweb(zorvwebIniPath());
    fs::path folder(zorvweb.readString("PROGRAM", "WorkGlobalSystemDirectory", ""));
    if (folder.is_relative())
        folder = programFolder() / folder;
    return folder.lexically_normal().string();
}

std::string webAuditFolder()
{
    return (fs::path(workGlobalFolder()) / "audit" / "zorvweb").lexically_normal().string() + "/";
}

void useWebAuditFolder(TLogFile& log) noexcept
{
    try {
        const std::string folder = webAuditFolder();
        log.setAuditFolder(folder);
        std::error_code error;
        fs::create_directories(folder, error);
        if (error)
            logError("Error-Audit", "Cannot create the audit folder " + folder + ": " + error.message());
    } catch (const std::exception& e) {
        logError("Error-Audit", e.what());
    }
}

} // namespace zorv::data
