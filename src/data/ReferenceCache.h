#pragma once

#include "data/db/Connection.h"
#include "data/db/ResultSet.h"
#include "data/db/Value.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zorv::data {

/// Rows of reference tables that only administration changes (LABEL, TABLES,
/// tusrScr, tusrRec, ttagevts, TBars, TButtons, lookup lists), kept per
/// database so that a page does not read them on every request.
/// Thread-safe; bounded to a capacity (kCapacity entries by default), the
/// least recently used entry is dropped first. A page that writes one of these
/// tables calls invalidate(table) after its commit.
class ReferenceCache {
public:
    static constexpr std::size_t kCapacity = 4096;

    /// The one cache of the process (enabled at start).
    static ReferenceCache& instance();

    /// A cache of its own (tests); capacity at least 1.
    explicit ReferenceCache(std::size_t capacity = kCapacity) : capacity_(capacity < 1 ? 1 : capacity) {}
    ReferenceCache(const ReferenceCache&) = delete;
    ReferenceCache& operator=(const ReferenceCache&) = delete;

    /// The rows of sql with params on connection (read-only transaction of its
    /// own); the database is identified by connection.target().path.
    /// tables: the tables the statement reads (compared upper-case);
    /// invalidate(table) drops every entry that read it. Throws what
    /// Connection::query throws; a failed read is not cached. Keep the
    /// returned pointer while using the rows (not `for (… : *rows(…))`).
    std::shared_ptr<const db::ResultSet> rows(db::Connection& connection, std::string_view sql,
                                              const db::Params& params,
                                              std::initializer_list<std::string_view> tables);

    /// Drops the entries that read table, in every database.
    void invalidate(std::string_view table);
    void clear();
    /// Off: every call reads the database and nothing is kept (benchmarks
    /// compare both). Turning it off also clears it.
    void setEnabled(bool on);
    bool enabled() const;
    std::size_t size() const;

private:
    struct Entry {
        std::string key;
        std::vector<std::string> tables; ///< upper-case
        std::shared_ptr<const db::ResultSet> rows;
    };
    using Entries = std::list<Entry>; ///< most recently used first

    std::shared_ptr<const db::ResultSet> find(const std::string& key);
    void store(Entry entry);
    void erase(Entries::iterator it);

    const std::size_t capacity_;
    mutable std::mutex mutex_;
    bool enabled_ = true;
    /// Raised by invalidate/clear, so that a read that ran across one is not
    /// stored with rows older than the change.
    std::uint64_t generation_ = 0;
    Entries entries_;
    std::unordered_map<std::string, Entries::iterator> index_;
};

} // namespace zorv::data
