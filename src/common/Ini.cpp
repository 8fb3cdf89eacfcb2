#include "common/Ini.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

// Debian's SimpleIni.h compiles its member definitions only with this macro;
// this is the one translation unit that includes it.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "common/FileLock.h"
#include "common/Posix.h"
#include "common/Text.h"

namespace zorv {

namespace {

/// CSimpleIniA compares names with SI_GenericNoCase (ASCII case-insensitive);
/// CSimpleIniCaseA would be case-sensitive.
using IniDocument = CSimpleIniA;

constexpr mode_t kNewIniFileMode = 0640;

std::unique_ptr<IniDocument> load(const std::string& path)
{
    auto doc = std::make_unique<IniDocument>();
    std::optional<std::string> text = readFileIfExists(path);
    if (text && doc->LoadData(*text) < 0)
        throw std::runtime_error("cannot parse " + path);
    return doc;
}

/// A value is one line in the file: line breaks inside it would start new
/// entries (even new sections), so they are written as spaces.
std::string flattenLines(const std::string& value)
{
    std::string out = replaceAll(value, "\r\n", " ");
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool startsLikeCommentOrSection(std::string_view text)
{
    return !text.empty() && (text.front() == ';' || text.front() == '#' || text.front() == '[');
}

/// Names that would read back as something else are refused rather than
/// written: the file could not hold them.
void checkWritableNames(const std::string& section, const std::string& key)
{
    std::string_view trimmedKey = trimView(key);
    bool badSection = hasLineBreak(section) || section.find(']') != std::string::npos;
    bool badKey = trimmedKey.empty() || trimmedKey.size() != key.size() || hasLineBreak(key) ||
                  key.find('=') != std::string::npos || startsLikeCommentOrSection(key);
    if (badSection)
        throw std::invalid_argument("INI section name cannot be stored: " + section);
    if (badKey)
        throw std::invalid_argument("INI key name cannot be stored: " + key);
}

mode_t modeForReplacement(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    return kNewIniFileMode;
}

/// Replaces the file at path with content: a temporary file in the same
/// folder, written and synced, renamed over the old one.
void replaceFile(const std::string& path, const std::string& content)
{
    std::string tempPath = path + ".tmpXXXXXX";
    UniqueFd fd(::mkstemp(tempPath.data()));
    if (!fd.valid())
        throwErrno("cannot create temporary file for " + path);
    try {
        if (::fchmod(fd.get(), modeForReplacement(path)) != 0)
            throwErrno("cannot set mode of " + tempPath);
        writeAll(fd.get(), content, tempPath);
        if (::fsync(fd.get()) != 0)
            throwErrno("cannot sync " + tempPath);
        fd.reset();
        if (::rename(tempPath.c_str(), path.c_str()) != 0)
            throwErrno("cannot replace " + path);
    } catch (...) {
        ::unlink(tempPath.c_str());
        throw;
    }
    std::string folder = std::filesystem::path(path).parent_path().string();
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

/// One locked read-modify-write. change returns false when it left the
/// document as it was, and the file is then not rewritten.
void modify(const std::string& path, const std::function<bool(IniDocument&)>& change)
{
    std::string target = canonicalFilePath(path);
    ExclusiveFileAccess access(target);
    auto doc = load(target);
    if (!change(*doc))
        return;
    std::string content;
    if (doc->Save(content, true) < 0)
        throw std::runtime_error("cannot format " + path);
    replaceFile(target, content);
}

void setValue(IniDocument& doc, const std::string& section, const std::string& key,
              const std::string& value)
{
    if (doc.SetValue(section.c_str(), key.c_str(), flattenLines(value).c_str()) < 0)
        throw std::runtime_error("cannot set INI value " + section + "/" + key);
}

std::vector<std::string> namesInFileOrder(IniDocument::TNamesDepend names)
{
    names.sort(IniDocument::Entry::LoadOrder());
    std::vector<std::string> out;
    out.reserve(names.size());
    for (const auto& entry : names)
        out.emplace_back(entry.pItem);
    return out;
}

std::optional<double> parseReal(std::string_view text)
{
    text = trimView(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

Ini::Ini(std::string path) : path_(std::move(path)) {}

std::string Ini::readString(const std::string& section, const std::string& key,
                            const std::string& def) const
{
    auto doc = load(path_);
    const char* value = doc->GetValue(section.c_str(), key.c_str(), nullptr);
    return value ? std::string(value) : def;
}

int Ini::readInteger(const std::string& section, const std::string& key, int def) const
{
    std::optional<long long> number = parseWholeNumber(readString(section, key));
    bool fitsInt = number && *number >= std::numeric_limits<int>::min() &&
                   *number <= std::numeric_limits<int>::max();
    return fitsInt ? static_cast<int>(*number) : def;
}

bool Ini::readBool(const std::string& section, const std::string& key, bool def) const
{
    std::optional<long long> number = parseWholeNumber(readString(section, key));
    return number ? *number != 0 : def;
}

double Ini::readFloat(const std::string& section, const std::string& key, double def) const
{
    return parseReal(readString(section, key)).value_or(def);
}

bool Ini::valueExists(const std::string& section, const std::string& key) const
{
    return load(path_)->GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

bool Ini::sectionExists(const std::string& section) const
{
    return load(path_)->GetSectionSize(section.c_str()) >= 0;
}

std::vector<std::string> Ini::sections() const
{
    auto doc = load(path_);
    IniDocument::TNamesDepend names;
    doc->GetAllSections(names);
    return namesInFileOrder(std::move(names));
}

std::vector<std::string> Ini::keys(const std::string& section) const
{
    auto doc = load(path_);
    IniDocument::TNamesDepend names;
    doc->GetAllKeys(section.c_str(), names);
    return namesInFileOrder(std::move(names));
}

void Ini::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    checkWritableNames(section, key);
    modify(path_, [&](IniDocument& doc) {
        setValue(doc, section, key, value);
        return true;
    });
}

void Ini::writeInteger(const std::string& section, const std::string& key, int value)
{
    writeString(section, key, std::to_string(value));
}

void Ini::writeBool(const std::string& section, const std::string& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void Ini::deleteKey(const std::string& section, const std::string& key)
{
    modify(path_, [&](IniDocument& doc) { return doc.Delete(section.c_str(), key.c_str()); });
}

void Ini::eraseSection(const std::string& section)
{
    modify(path_, [&](IniDocument& doc) { return doc.Delete(section.c_str(), nullptr); });
}

std::string Ini::appendUnique(const std::string& section, const std::string& key,
                              const std::string& value)
{
    checkWritableNames(section, key);
    std::string used = key;
    modify(path_, [&](IniDocument& doc) {
        for (int n = 2; doc.GetValue(section.c_str(), used.c_str(), nullptr) != nullptr; ++n)
            used = key + " (" + std::to_string(n) + ")";
        setValue(doc, section, used, value);
        return true;
    });
    return used;
}

} // namespace zorv
