// Opening a 100,000-row result set into a dataset, against a bare loop over the
// same query through QSqlQuery. Needs a PostgreSQL server: the test support starts
// a private one (or joins the one named by SKM_TEST_PG*).
#include "support/TestDatabase.h"
#include "db/Dataset.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <benchmark/benchmark.h>

namespace {

const char* const kSql =
    "SELECT g AS LineID, 'SPK-' || lpad(CAST(g % 5000 AS text), 5, '0') AS SPKCode, "
    "CAST(g % 997 AS numeric(18,3)) + 0.125 AS Quantity, "
    "CAST(g * 13 % 100000 AS numeric(18,2)) + 0.5 AS Price, "
    "TIMESTAMP '2026-01-01' + (g % 365) * INTERVAL '1 day' AS SPKDate, "
    "'Pekerjaan nomor ' || g AS WorkDesc, (g % 2 = 0) AS Flag "
    "FROM generate_series(1, :n) AS g";

skmtest::TestDatabase& database() {
    static skmtest::TestDatabase tdb;
    return tdb;
}

void BM_BareQueryLoop(benchmark::State& state) {
    auto& conn = database().sa();
    for (auto _ : state) {
        QSqlQuery q = conn.exec(QString::fromLatin1(kSql), {{QStringLiteral("n"), int(state.range(0))}});
        qint64 n = 0;
        const int cols = q.record().count();
        while (q.next())
            for (int i = 0; i < cols; ++i)
                n += q.value(i).isNull() ? 0 : 1;
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DatasetOpen(benchmark::State& state) {
    db::Dataset ds(&database().sa(), QString::fromLatin1(kSql));
    ds.setParam(QStringLiteral("n"), int(state.range(0)));
    for (auto _ : state) {
        ds.reopen();
        benchmark::DoNotOptimize(ds.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_BareQueryLoop)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DatasetOpen)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
