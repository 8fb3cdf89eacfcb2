#pragma once

#include <string>
#include <vector>

namespace zorv {

/// Access to one INI file with the semantics the whole system relies on.
///
/// Sections and keys are case-insensitive. Reading opens, reads and closes the
/// file at the moment of the call, so a value changed by an operator or by
/// another process is seen at once. Booleans are stored as 1/0; any whole
/// number other than 0 reads as true, and a value that is not a number reads
/// as the default (for integers and booleans alike).
///
/// Writes are serialised per file: one process-wide mutex per path plus an
/// flock() on the side file "<path>.lock", and each write replaces the file
/// atomically (temporary file + rename), so concurrent writers lose no key
/// and a reader never sees half a file. A missing file reads as empty and is
/// created by the first write (its folder must exist).
class Ini {
public:
    explicit Ini(std::string path);

    const std::string& path() const { return path_; }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& def = {}) const;
    int readInteger(const std::string& section, const std::string& key, int def) const;
    bool readBool(const std::string& section, const std::string& key, bool def) const;
    /// Real number written with '.' as decimal separator; not a number reads as def.
    double readFloat(const std::string& section, const std::string& key, double def) const;
    bool valueExists(const std::string& section, const std::string& key) const;
    bool sectionExists(const std::string& section) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(const std::string& section) const;

    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    void deleteKey(const std::string& section, const std::string& key);
    void eraseSection(const std::string& section);

    /// Writes value under key; when the key already exists in section, writes
    /// it under "key (2)", "key (3)" … instead, so no entry is overwritten.
    /// Returns the key actually used. One locked read-modify-write.
    std::string appendUnique(const std::string& section, const std::string& key,
                             const std::string& value);

private:
    std::string path_;
};

} // namespace zorv
