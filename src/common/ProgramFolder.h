#pragma once

#include <filesystem>
#include <string>

namespace zorv {

/// The installation home (the program folder) and the files the whole
/// system finds there. Set once at start-up, before any session exists.
void setProgramFolder(const std::filesystem::path& home);
const std::filesystem::path& programFolder();

/// zorvweb.ini in the program folder.
std::string zorvwebIniPath();
/// zorvwebdebug.ini in the program folder.
std::string debugIniPath();
/// ZorvError.ini in the program folder.
std::string errorIniPath();

} // namespace zorv
