#include "server/KeepAliveProbe.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/Tdmdata.h"

#include <array>

namespace zorv::server {

namespace {

struct ProbeTarget {
    const char* alias;
    const char* sql;
    const char* logKey;
};

constexpr std::array kFixedTargets{
    ProbeTarget{"CentQuennel", "select * from users", "Zorvcent"},
    ProbeTarget{"GlobalQuennel", "select * from label", "GlobalHR"},
    ProbeTarget{"VizereDivIdid", "select * from label", "GlobalWork"},
};
constexpr const char* kEmployeeProbeSql = "select staffno from master";
constexpr std::string_view kEmployeeAliasPrefix = "DBZORV";

/// Runs one probe and records its result; never throws.
void probeAndLog(data::Tdmdata& db, Ini& log, bool logSuccess, const std::string& section,
                 const std::string& alias, const std::string& sql, const std::string& key) {
    try {
        db.probe(alias, sql);
    } catch (...) {
        log.writeString(section, key, "Failure");
        return;
    }
    if (logSuccess)
        log.writeString(section, key, "success");
}

} // namespace

std::string keepAliveIniPath() { return (programFolder() / "zorvtest.ini").string(); }

bool isEmployeeDatabaseAlias(std::string_view alias) {
    return startsWithNoCase(alias, kEmployeeAliasPrefix);
}

void keepAliveTick(data::Tdmdata& db, Ini& zorvtestIni, bool logSuccess, DateTime now) {
    const std::string section = now.format();
    for (const ProbeTarget& target : kFixedTargets) {
        if (db.aliasExists(target.alias))
            probeAndLog(db, zorvtestIni, logSuccess, section, target.alias, target.sql,
                        target.logKey);
    }
    for (const std::string& alias : db.aliasNames()) {
        if (isEmployeeDatabaseAlias(alias))
            probeAndLog(db, zorvtestIni, logSuccess, section, alias, kEmployeeProbeSql, alias);
    }
}

} // namespace zorv::server
