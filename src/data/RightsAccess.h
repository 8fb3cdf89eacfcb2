#pragma once

#include "data/db/Connection.h"

#include <filesystem>
#include <string>

namespace zorv::data {

// Screen rights of a login (tuserSec of QuennelMain) and the employee
// databases a user may switch to (dbSec.ini of the program folder).

/// The dbSec.ini section of a user: the staff number followed by the login name.
std::string DatabaseSection(const std::string& staffNo, const std::string& userName);

/// True unless dbSec.ini in the program folder home denies the employee
/// database databaseName to the user; a missing key or file means allowed.
bool DatabaseAllowed(const std::filesystem::path& home, const std::string& staffNo, const std::string& userName,
                     const std::string& databaseName);

/// Writes the access of section (see DatabaseSection) to databaseName into
/// dbSec.ini of home at once. Throws when the file cannot be written.
void SetDatabaseAllowed(const std::filesystem::path& home, const std::string& section,
                        const std::string& databaseName, bool allowed);

/// Sets the right of user for screen in tuserSec, in one transaction: the
/// first row of the user (case ignored) for the screen (case ignored) by
/// IKEY is updated, else a row is added with the next unique key of keys
/// (the GlobalQuennel database). Throws DatabaseError, also for a value
/// longer than the columns.
void SetScreenRight(db::Connection& web, db::Connection& keys, const std::string& user, const std::string& screen,
                    const std::string& rights);

} // namespace zorv::data
