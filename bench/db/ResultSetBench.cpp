// Reading 10 000 rows of 20 columns (Connection::query into a ResultSet, and
// a dataset read field by field) against a bare OO API loop that fetches the
// same select; 1 000 single-row saves through ApplyWithAudit against the
// same updates straight through the OO API. bench/db/run.sh prints the rates
// and the ratios.

#include "data/ApplyWithAudit.h"
#include "data/Dataset.h"
#include "data/UniqueKeys.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "server/LogFile.h"
#include "data/db/FirebirdRoot.h"
#include "data/db/Transaction.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>
#include <firebird/Interface.h>
#include <ibase.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace zorv;

constexpr int kRows = 10000;

constexpr const char* kCreate = "CREATE TABLE BENCH (ID INTEGER NOT NULL, NAME1 VARCHAR(30), NAME2 VARCHAR(30), "
                                "NAME3 VARCHAR(30), NAME4 VARCHAR(30), NAME5 VARCHAR(30), AMOUNT1 NUMERIC(15,2), "
                                "AMOUNT2 NUMERIC(15,2), AMOUNT3 NUMERIC(15,2), AMOUNT4 NUMERIC(15,2), COUNT1 INTEGER, "
                                "COUNT2 INTEGER, COUNT3 INTEGER, DAY1 DATE, DAY2 DATE, STAMP1 TIMESTAMP, "
                                "STAMP2 TIMESTAMP, RATE1 DOUBLE PRECISION, RATE2 DOUBLE PRECISION, FLAG SMALLINT)";
constexpr const char* kInsert = "insert into BENCH values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
constexpr const char* kSelect = "select * from BENCH";

db::ConnectionTarget benchDatabase;

void fillDatabase()
{
    db::Connection connection = db::createDatabase(benchDatabase);
    connection.execute(kCreate);
    db::Transaction transaction(connection);
    db::Statement insert = transaction.prepare(kInsert);
    for (int i = 0; i < kRows; ++i) {
        const std::string name = "Employee number " + std::to_string(i);
        const Date day = Date{2024, 1, 1}.addDays(i % 366);
        insert.execute(transaction, {i, name, name, name, name, name, db::Decimal{i * 101LL, 2},
                                     db::Decimal{-i * 7LL, 2}, db::Decimal{i, 2}, db::Decimal{123456789, 2}, i, i * 2,
                                     i * 3, day, day.addDays(1), DateTime{day, 8, 30, 0}, DateTime{day, 17, 0, 0},
                                     i * 0.5, i * 0.25, i % 2});
    }
    transaction.commit();
}

void BM_ResultSet(benchmark::State& state)
{
    db::Connection connection = db::Connection::attach(benchDatabase);
    for (auto _ : state) {
        db::ResultSet rows = connection.query(kSelect);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

/// An attachment straight through the OO API, as the bare loops use it.
struct BareAttachment {
    Firebird::IMaster* master = Firebird::fb_get_master_interface();
    Firebird::ThrowStatusWrapper status{master->getStatus()};
    Firebird::IXpbBuilder* dpb =
        master->getUtilInterface()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
    Firebird::IProvider* dispatcher = master->getDispatcher();
    Firebird::IAttachment* attachment = nullptr;

    BareAttachment()
    {
        dpb->insertString(&status, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
        attachment = dispatcher->attachDatabase(&status, benchDatabase.path.c_str(), dpb->getBufferLength(&status),
                                                dpb->getBuffer(&status));
    }
    ~BareAttachment()
    {
        attachment->detach(&status);
        dispatcher->release();
        dpb->dispose();
    }
};

/// Sums something of every field, so that the loop reads what a row holds.
long long touchFields(Firebird::IMessageMetadata* metadata, Firebird::ThrowStatusWrapper* status,
                      const unsigned char* message)
{
    long long sum = 0;
    const unsigned count = metadata->getCount(status);
    for (unsigned i = 0; i < count; ++i) {
        ISC_SHORT isNull = 0;
        std::memcpy(&isNull, message + metadata->getNullOffset(status, i), sizeof isNull);
        if (isNull)
            continue;
        const unsigned char* field = message + metadata->getOffset(status, i);
        ISC_USHORT length = 0;
        switch (metadata->getType(status, i)) {
        case SQL_VARYING: std::memcpy(&length, field, sizeof length); sum += length; break;
        default: sum += field[0]; break;
        }
    }
    return sum;
}

void BM_BareOoApi(benchmark::State& state)
{
    BareAttachment bare;
    Firebird::ThrowStatusWrapper& status = bare.status;
    Firebird::IAttachment* attachment = bare.attachment;
    const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version,
                                 isc_tpb_nowait};
    for (auto _ : state) {
        Firebird::ITransaction* transaction = attachment->startTransaction(&status, sizeof tpb, tpb);
        Firebird::IStatement* statement =
            attachment->prepare(&status, transaction, 0, kSelect, 3, Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        Firebird::IMessageMetadata* metadata = statement->getOutputMetadata(&status);
        std::vector<unsigned char> message(metadata->getMessageLength(&status));
        Firebird::IResultSet* cursor = statement->openCursor(&status, transaction, nullptr, nullptr, metadata, 0);
        long long sum = 0;
        while (cursor->fetchNext(&status, message.data()) == Firebird::IStatus::RESULT_OK)
            sum += touchFields(metadata, &status, message.data());
        benchmark::DoNotOptimize(sum);
        cursor->close(&status);
        metadata->release();
        statement->free(&status);
        transaction->commit(&status);
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

/// A dataset opened on the table, every field of every row read through it.
void BM_Dataset(benchmark::State& state)
{
    db::Connection connection = db::Connection::attach(benchDatabase);
    data::Dataset dataset("qryBench", kSelect);
    for (auto _ : state) {
        dataset.open(connection);
        long long sum = 0;
        const size_t columns = dataset.columns().size();
        for (dataset.first(); !dataset.eof(); dataset.next())
            for (size_t c = 0; c < columns; ++c)
                sum += dataset.field(c).isNull() ? 0 : 1;
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}

constexpr int kSaves = 1000;

/// 1 000 saves of one edited row each through ApplyWithAudit (one
/// transaction and one audit record a save).
void BM_ApplyWithAudit(benchmark::State& state)
{
    db::Connection connection = db::Connection::attach(benchDatabase);
    data::Dataset dataset("qryBench", "select * from BENCH where ID < 1000");
    dataset.setUpdateTable("BENCH", {"ID"});
    TLogFile log;
    log.setLogFileName((fs::path(benchDatabase.path).parent_path() / "audit.zvl").string());
    dataset.onUpdateRecord = [&](data::Dataset& d, const data::PendingChange& c) { log.LogChange(1, "bench", d.auditRow(c), "Web"); };
    dataset.open(connection);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (dataset.first(); !dataset.eof(); dataset.next()) {
            dataset.edit();
            dataset.setField("COUNT1", round);
            dataset.post();
            data::ApplyWithAudit(connection, {&dataset}, log);
        }
    }
    state.counters["saves/s"] = benchmark::Counter(static_cast<double>(kSaves) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

/// The same 1 000 single-row updates, each in its own committed transaction,
/// straight through the OO API.
void BM_BareOoApiUpdates(benchmark::State& state)
{
    BareAttachment bare;
    Firebird::IMaster* master = bare.master;
    Firebird::ThrowStatusWrapper& status = bare.status;
    Firebird::IAttachment* attachment = bare.attachment;
    const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                                 isc_tpb_nowait};
    struct Params {
        ISC_LONG count;
        ISC_SHORT countNull;
        ISC_LONG id;
        ISC_SHORT idNull;
    };
    Firebird::IMetadataBuilder* builder = master->getMetadataBuilder(&status, 2);
    builder->setType(&status, 0, SQL_LONG + 1);
    builder->setLength(&status, 0, sizeof(ISC_LONG));
    builder->setType(&status, 1, SQL_LONG + 1);
    builder->setLength(&status, 1, sizeof(ISC_LONG));
    Firebird::IMessageMetadata* inMeta = builder->getMetadata(&status);
    builder->release();
    std::vector<unsigned char> message(inMeta->getMessageLength(&status));
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int id = 0; id < kSaves; ++id) {
            Firebird::ITransaction* transaction = attachment->startTransaction(&status, sizeof tpb, tpb);
            ISC_LONG count = round, key = id;
            ISC_SHORT notNull = 0;
            std::memcpy(message.data() + inMeta->getOffset(&status, 0), &count, sizeof count);
            std::memcpy(message.data() + inMeta->getNullOffset(&status, 0), &notNull, sizeof notNull);
            std::memcpy(message.data() + inMeta->getOffset(&status, 1), &key, sizeof key);
            std::memcpy(message.data() + inMeta->getNullOffset(&status, 1), &notNull, sizeof notNull);
            attachment->execute(&status, transaction, 0, "update BENCH set COUNT1 = ? where ID = ?", 3, inMeta,
                                message.data(), nullptr, nullptr);
            transaction->commit(&status);
        }
    }
    inMeta->release();
    state.counters["saves/s"] = benchmark::Counter(static_cast<double>(kSaves) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

/// Unique keys from 32 threads at once, each with its own connection; every
/// key is checked for a duplicate.
void BM_NextUnique32Threads(benchmark::State& state)
{
    constexpr int kThreads = 32;
    constexpr int kKeysPerThread = 20;
    {
        db::Connection connection = db::Connection::attach(benchDatabase);
        if (!db::tableExists(connection, "SYSNO")) {
            connection.execute("create table SYSNO (IUNIQUE integer, STAFFNO integer)");
            connection.execute("insert into SYSNO values (0, 0)");
        }
    }
    long long duplicates = 0;
    for (auto _ : state) {
        std::vector<std::vector<int>> keys(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                db::Connection connection = db::Connection::attach(benchDatabase);
                for (int i = 0; i < kKeysPerThread; ++i)
                    keys[t].push_back(data::nextUnique(connection, "iUnique"));
            });
        for (auto& thread : threads)
            thread.join();
        std::set<int> seen;
        for (const auto& k : keys)
            for (int key : k)
                duplicates += seen.insert(key).second ? 0 : 1;
    }
    state.counters["keys/s"] = benchmark::Counter(
        static_cast<double>(kThreads * kKeysPerThread) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
    state.counters["duplicates"] = static_cast<double>(duplicates);
}

BENCHMARK(BM_ResultSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NextUnique32Threads)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_Dataset)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareOoApi)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ApplyWithAudit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareOoApiUpdates)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::string pattern = (fs::temp_directory_path() / "zorvbench.XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 2;
    const fs::path folder = pattern;
    db::FirebirdRoot::prepare(folder / "root", folder / "lock");
    benchDatabase.path = (folder / "bench.fdb").string();
    fillDatabase();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    db::FirebirdRoot::shutdown();
    fs::remove_all(folder);
    return 0;
}
