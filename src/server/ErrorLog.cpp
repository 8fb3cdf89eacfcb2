#include "server/ErrorLog.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"

namespace zorv {

namespace {

constexpr const char* kUnnamedContext = "Error";

std::string oneLine(const std::string& text)
{
    std::string out = replaceAll(text, "\r\n", " ");
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

/// The context as an INI key that reads back as itself: one line, no '=',
/// no leading comment or section mark, no outer blanks.
std::string keyFor(const std::string& context)
{
    std::string key = trim(oneLine(context));
    std::replace(key.begin(), key.end(), '=', ':');
    while (!key.empty() && (key.front() == ';' || key.front() == '#' || key.front() == '['))
        key.erase(0, 1);
    key = trim(key);
    return key.empty() ? kUnnamedContext : key;
}

void reportUnwritten(const std::string& iniPath, const std::string& section,
                     const std::string& key, const std::string& value, const char* reason)
{
    std::fprintf(stderr, "cannot write %s (%s): [%s] %s = %s\n", iniPath.c_str(), reason,
                 section.c_str(), key.c_str(), value.c_str());
}

} // namespace

std::string logError(const std::string& iniPath, const DateTime& at, const std::string& context,
                     const std::string& message) noexcept
{
    std::string section;
    try {
        section = at.format();
        std::string key = keyFor(context);
        std::string value = oneLine(message);
        try {
            Ini(iniPath).appendUnique(section, key, value);
        } catch (const std::exception& e) {
            reportUnwritten(iniPath, section, key, value, e.what());
        }
    } catch (...) {
        // Out of memory while formatting: nothing more can be done here.
    }
    return section;
}

std::string logError(const std::string& context, const std::string& message) noexcept
{
    try {
        return logError(errorIniPath(), DateTime::now(), context, message);
    } catch (...) {
        return {};
    }
}

} // namespace zorv
