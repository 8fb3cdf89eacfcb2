#include "data/db/Connection.h"

#include "data/db/Attachment.h"
#include "data/db/FbClient.h"
#include "data/db/FirebirdRoot.h"
#include "data/db/Owned.h"
#include "data/db/Transaction.h"
#include "data/db/Xpb.h"

#include <ibase.h>
#include <stdexcept>

namespace zorv::db {

namespace {

constexpr std::string_view kConnectionCharset = "UTF8";

void requirePreparedRoot()
{
    if (!FirebirdRoot::isPrepared())
        throw std::logic_error("FirebirdRoot::prepare must run before the first database connection");
}

void describeLogin(detail::Xpb& dpb, const ConnectionTarget& target)
{
    dpb.text(isc_dpb_user_name, target.user);
    if (!target.password.empty())
        dpb.text(isc_dpb_password, target.password);
    dpb.text(isc_dpb_lc_ctype, kConnectionCharset);
}

} // namespace

Connection::Connection(ConnectionTarget target, std::shared_ptr<detail::Attachment> attachment)
    : target_(std::move(target)), attachment_(std::move(attachment))
{
}

Connection Connection::attach(const ConnectionTarget& target)
{
    requirePreparedRoot();
    detail::Xpb dpb(Firebird::IXpbBuilder::DPB);
    describeLogin(dpb, target);
    detail::OwnStatus status;
    detail::Owned<Firebird::IProvider> dispatcher(detail::master()->getDispatcher());
    Firebird::IAttachment* handle =
        dispatcher->attachDatabase(status.get(), target.path.c_str(), dpb.length(), dpb.data());
    return Connection(target, std::make_shared<detail::Attachment>(handle));
}

Connection createDatabase(const ConnectionTarget& target, const DatabaseOptions& options)
{
    requirePreparedRoot();
    if (options.dialect != 1 && options.dialect != 3)
        throw DatabaseError("a database has SQL dialect 1 or 3, not " + std::to_string(options.dialect));
    detail::Xpb dpb(Firebird::IXpbBuilder::DPB);
    describeLogin(dpb, target);
    dpb.text(isc_dpb_set_db_charset, kDatabaseCharset)
        .integer(isc_dpb_page_size, options.pageSize)
        .integer(isc_dpb_sql_dialect, options.dialect);
    detail::OwnStatus status;
    detail::Owned<Firebird::IProvider> dispatcher(detail::master()->getDispatcher());
    Firebird::IAttachment* handle =
        dispatcher->createDatabase(status.get(), target.path.c_str(), dpb.length(), dpb.data());
    return Connection(target, std::make_shared<detail::Attachment>(handle));
}

Connection::~Connection()
{
    close();
}

Connection::Connection(Connection&&) noexcept = default;

Connection& Connection::operator=(Connection&& other) noexcept
{
    close();
    target_ = std::move(other.target_);
    attachment_ = std::move(other.attachment_);
    return *this;
}

int Connection::dialect()
{
    return static_cast<int>(attachment()->dialect());
}

bool Connection::isOpen() const
{
    return attachment_ && attachment_->isOpen();
}

ResultSet Connection::query(std::string_view sql, const Params& params)
{
    TransactionOptions options;
    options.readOnly = true;
    Transaction transaction(*this, options);
    ResultSet rows = transaction.query(sql, params);
    transaction.commit();
    return rows;
}

std::uint64_t Connection::execute(std::string_view sql, const Params& params)
{
    Transaction transaction(*this);
    const std::uint64_t count = transaction.execute(sql, params);
    transaction.commit();
    return count;
}

void Connection::rollbackOpenTransactions()
{
    if (attachment_)
        attachment_->rollbackOpenTransactions();
}

void Connection::close() noexcept
{
    if (attachment_)
        attachment_->close();
}

const std::shared_ptr<detail::Attachment>& Connection::attachment() const
{
    if (!isOpen())
        throw DatabaseError("the database connection is closed");
    return attachment_;
}

} // namespace zorv::db
