#include "server/DebugTrace.h"

#include <cstdio>
#include <exception>

#include "common/Ini.h"
#include "common/ProgramFolder.h"

namespace zorv {

namespace {

constexpr const char* kSwitchSection = "Debugger";
constexpr const char* kSwitchKey = "debugger";

} // namespace

bool debugTraceOn()
{
    try {
        return Ini(debugIniPath()).readBool(kSwitchSection, kSwitchKey, false);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot read %s: %s\n", debugIniPath().c_str(), e.what());
        return false;
    }
}

void debugTrace(const std::string& section, const std::string& key, const std::string& value)
{
    DebugTrace::fromIni().write(section, key, value);
}

DebugTrace::DebugTrace(bool on) : DebugTrace(on, debugIniPath()) {}

DebugTrace::DebugTrace(bool on, std::string iniPath) : on_(on), iniPath_(std::move(iniPath)) {}

DebugTrace DebugTrace::fromIni()
{
    return DebugTrace(debugTraceOn());
}

void DebugTrace::write(const std::string& section, const std::string& key,
                       const std::string& value) const
{
    if (!on_)
        return;
    try {
        Ini(iniPath_).writeString(section, key, value);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cannot write %s: %s\n", iniPath_.c_str(), e.what());
    }
}

} // namespace zorv
