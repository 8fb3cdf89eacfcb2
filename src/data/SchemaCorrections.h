#pragma once

#include <string>

namespace zorv {
class Ini;
}

namespace zorv::data {

class Tdmdata;

/// Brings older databases up to date. Structural checks ask the catalogue
/// every time; one-off corrections are guarded by a flag in zorvweb.ini (or
/// global.ini), written only when the statement succeeded or the catalogue
/// shows the change is already there, so a transient failure is retried at
/// the next start. Errors are logged, never raised.
class SchemaCorrections {
public:
    SchemaCorrections(Tdmdata& data, Ini& zorvweb) : data_(data), zorvweb_(zorvweb) {}

    /// When the application data module is created.
    void runAtCreation();
    /// When an employee database is connected for the first time.
    void runAtEmployeeConnect(const std::string& alias, const std::string& name);
    /// At every employee database connect, keyed by the requested name.
    void runAtEveryEmployeeConnect(const std::string& alias, const std::string& requestedName);

private:
    /// Runs sql on alias; true when it succeeded. Failures are logged.
    bool run(const std::string& alias, const std::string& sql);
    bool createTableIfMissing(const std::string& alias, const std::string& table, const std::string& ddl);
    /// A one-off correction: runs when the flag reads true (default true),
    /// and clears the flag when done says so.
    template <class Step>
    void oneOff(Ini& ini, const std::string& section, const std::string& key, bool def, bool flagAfter, Step step);

    Tdmdata& data_;
    Ini& zorvweb_;
};

} // namespace zorv::data
