#pragma once

#include <string>

namespace zorv {

/// The switch [Debugger] debugger in zorvwebdebug.ini (default off), read now.
bool debugTraceOn();

/// Writes section/key = value to zorvwebdebug.ini when the switch is on.
/// Never throws.
void debugTrace(const std::string& section, const std::string& key, const std::string& value);

/// A trace writer with the switch read once, for code that traces often.
class DebugTrace {
public:
    /// Writes to zorvwebdebug.ini of the program folder when on.
    explicit DebugTrace(bool on);
    /// Writes to the given INI file when on.
    DebugTrace(bool on, std::string iniPath);

    /// The switch as it is in the file now.
    static DebugTrace fromIni();

    bool on() const { return on_; }
    /// Sets section/key = value when on; a failed write goes to standard
    /// error and is not thrown.
    void write(const std::string& section, const std::string& key, const std::string& value) const;

private:
    bool on_;
    std::string iniPath_;
};

} // namespace zorv
