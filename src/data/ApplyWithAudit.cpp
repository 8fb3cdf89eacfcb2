#include "data/ApplyWithAudit.h"

#include "data/Dataset.h"
#include "data/db/Connection.h"
#include "data/db/Transaction.h"
#include "server/LogFile.h"

namespace zorv::data {

void ApplyWithAudit(db::Connection& connection, const std::vector<Dataset*>& datasets, TLogFile& log)
{
    try {
        db::Transaction transaction(connection);
        for (Dataset* d : datasets)
            d->applyUpdates(transaction);
        transaction.commit();
    } catch (...) {
        log.ClearPending();
        throw;
    }
    for (Dataset* d : datasets)
        d->commitUpdates();
    log.Flush();
}

} // namespace zorv::data
