#include "signin/RememberStore.h"

#include "common/DateTime.h"
#include "data/db/Transaction.h"
#include "signin/RememberToken.h"

namespace zorv::signin::remember {
namespace {

/// Stored times are UTC civil date-times.
DateTime utc(TimePoint at)
{
    return DateTime::fromSerial(std::chrono::duration_cast<std::chrono::seconds>(at.time_since_epoch()).count());
}

TimePoint fromUtc(const DateTime& at) { return TimePoint{std::chrono::seconds{at.serial()}}; }

} // namespace

Issued issue(db::Connection& web, const std::string& login, const std::string& staffNo, int cookieDays,
             TimePoint now)
{
    Issued issued{newToken(), expiresAt(now, cookieDays)};
    web.execute("insert into TREMEMBER (ATOKENHASH, AUSER, ASTAFFNO, DISSUEDUTC, DEXPIRESUTC) values (?, ?, ?, ?, ?)",
                {tokenHash(issued.token), login, staffNo, utc(now), utc(issued.expiresAt)});
    return issued;
}

std::optional<Holder> redeem(db::Connection& web, std::string_view presented, TimePoint now)
{
    if (!isWellFormed(presented))
        return std::nullopt;
    const std::string hash = tokenHash(presented);
    db::Transaction transaction(web);
    // The login must still exist: a deleted login's tokens die with it.
    auto rows = transaction.query(
        "select r.ATOKENHASH, r.AUSER, r.ASTAFFNO, r.DEXPIRESUTC, r.DREVOKEDUTC from TREMEMBER r "
        "where r.ATOKENHASH = ? and exists (select 1 from TLOGIN l where upper(l.AUSER) = upper(r.AUSER) "
        "and upper(l.ASTAFFNO) = upper(r.ASTAFFNO))",
        {hash});
    if (rows.empty())
        return std::nullopt;
    const auto& row = rows.first();
    const StoredToken stored{row["ATOKENHASH"].asString(), fromUtc(row["DEXPIRESUTC"].asDateTime()),
                             !row["DREVOKEDUTC"].isNull()};
    if (check(presented, stored, now) != TokenCheck::Valid)
        return std::nullopt;
    // Only the request that revokes the row may use it: a second request
    // with the same cookie finds it revoked (or waits and then does).
    if (transaction.execute("update TREMEMBER set DREVOKEDUTC = ? where ATOKENHASH = ? and DREVOKEDUTC is null",
                            {utc(now), hash}) != 1)
        return std::nullopt;
    Holder holder{row["AUSER"].asString(), row["ASTAFFNO"].asString()};
    transaction.commit();
    return holder;
}

void revoke(db::Connection& web, std::string_view presented, TimePoint now)
{
    if (!isWellFormed(presented))
        return;
    web.execute("update TREMEMBER set DREVOKEDUTC = ? where ATOKENHASH = ? and DREVOKEDUTC is null",
                {utc(now), tokenHash(presented)});
}

std::uint64_t revokeAll(db::Connection& web, const std::string& login, TimePoint now)
{
    return web.execute("update TREMEMBER set DREVOKEDUTC = ? where upper(AUSER) = upper(?) and DREVOKEDUTC is null",
                       {utc(now), login});
}

} // namespace zorv::signin::remember
