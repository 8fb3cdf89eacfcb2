#pragma once

#include <map>
#include <set>
#include <string>

namespace zorv::db {
class Connection;
}

namespace zorv::records {

/// The titles of a dataset's fields in lists and grids, from LABEL through
/// TABLES (the tables the dataset edits).
class DisplayLabels {
public:
    /// Reads the labels of dataset (its component name) in language on
    /// reference (the global or global work database), through the reference
    /// cache. A row without a caption is skipped. Throws DatabaseError.
    static DisplayLabels read(db::Connection& reference, const std::string& dataset, const std::string& language);

    /// The title of field (case ignored): its caption, else field itself.
    std::string title(const std::string& field) const;
    /// False for the fields lists do not show (ikey).
    bool visible(const std::string& field) const;
    bool empty() const { return titles_.empty(); }

private:
    std::map<std::string, std::string> titles_; // upper-cased field
};

/// True when language is English (also when it is empty): captions come
/// from the Caption columns without a language suffix.
bool isEnglish(const std::string& language);

} // namespace zorv::records
