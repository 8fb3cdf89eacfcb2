#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace zorv::admin {

/// The text of a new INI file, sections and keys in the order they are set,
/// so the files an installation starts with read like a hand-written one.
/// (Later changes go through Ini, which keeps them.)
class IniText {
public:
    /// Starts a section; the keys set next belong to it.
    IniText& section(std::string name);
    IniText& set(std::string key, std::string value);
    IniText& set(std::string key, const char* value) { return set(std::move(key), std::string(value)); }
    IniText& set(std::string key, int value) { return set(std::move(key), std::to_string(value)); }
    /// Booleans are written 1/0.
    IniText& flag(std::string key, bool value) { return set(std::move(key), std::string(value ? "1" : "0")); }

    std::string text() const;
    /// Writes the file (mode 0640 by the umask of the commands); throws
    /// std::runtime_error when it cannot.
    void write(const std::filesystem::path& file) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    std::vector<Section> sections_;
};

/// Writes text as a whole file; throws std::runtime_error when it cannot.
void writeFile(const std::filesystem::path& file, const std::string& text);

} // namespace zorv::admin
