#include "data/ReferenceCache.h"

#include "common/Text.h"

#include <algorithm>
#include <iterator>

namespace zorv::data {

namespace {

/// Appends one length-prefixed part, so that no two different inputs give the
/// same key ("a" + "bc" differs from "ab" + "c").
void appendPart(std::string& key, std::string_view part)
{
    key += std::to_string(part.size());
    key += ':';
    key += part;
}

std::string keyOf(const db::Connection& connection, std::string_view sql, const db::Params& params)
{
    std::string key;
    appendPart(key, connection.target().path);
    appendPart(key, sql);
    for (const db::Value& value : params) {
        // The kind keeps 1 apart from "1" and null apart from "".
        key += std::to_string(static_cast<int>(value.kind()));
        appendPart(key, value.asString());
    }
    return key;
}

} // namespace

ReferenceCache& ReferenceCache::instance()
{
    static ReferenceCache cache;
    return cache;
}

std::shared_ptr<const db::ResultSet> ReferenceCache::rows(db::Connection& connection, std::string_view sql,
                                                          const db::Params& params,
                                                          std::initializer_list<std::string_view> tables)
{
    if (!enabled())
        return std::make_shared<const db::ResultSet>(connection.query(sql, params));

    std::string key = keyOf(connection, sql, params);
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(mutex_);
        if (auto cached = find(key))
            return cached;
        generation = generation_;
    }
    // Read outside the lock: other sessions keep using the cache meanwhile.
    auto result = std::make_shared<const db::ResultSet>(connection.query(sql, params));

    Entry entry{std::move(key), {}, result};
    for (std::string_view table : tables)
        entry.tables.push_back(toUpper(table));
    std::lock_guard lock(mutex_);
    if (enabled_ && generation == generation_)
        store(std::move(entry));
    return result;
}

std::shared_ptr<const db::ResultSet> ReferenceCache::find(const std::string& key)
{
    auto found = index_.find(key);
    if (found == index_.end())
        return nullptr;
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->rows;
}

void ReferenceCache::store(Entry entry)
{
    if (auto existing = index_.find(entry.key); existing != index_.end())
        erase(existing->second);
    entries_.push_front(std::move(entry));
    index_.emplace(entries_.front().key, entries_.begin());
    while (entries_.size() > capacity_)
        erase(std::prev(entries_.end()));
}

void ReferenceCache::erase(Entries::iterator it)
{
    index_.erase(it->key);
    entries_.erase(it);
}

void ReferenceCache::invalidate(std::string_view table)
{
    const std::string name = toUpper(table);
    std::lock_guard lock(mutex_);
    ++generation_;
    for (auto it = entries_.begin(); it != entries_.end();) {
        auto next = std::next(it);
        if (std::find(it->tables.begin(), it->tables.end(), name) != it->tables.end())
            erase(it);
        it = next;
    }
}

void ReferenceCache::clear()
{
    std::lock_guard lock(mutex_);
    ++generation_;
    index_.clear();
    entries_.clear();
}

void ReferenceCache::setEnabled(bool on)
{
    std::lock_guard lock(mutex_);
    enabled_ = on;
    if (!on) {
        ++generation_;
        index_.clear();
        entries_.clear();
    }
}

bool ReferenceCache::enabled() const
{
    std::lock_guard lock(mutex_);
    return enabled_;
}

std::size_t ReferenceCache::size() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

} // namespace zorv::data
