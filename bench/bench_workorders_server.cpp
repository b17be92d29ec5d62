// Work orders on the server with a large project (a year of 5,000 work orders
// with 100,000 lines over 20,000 budget items, made by ScaleGenerator): the
// register for a week, a month and the whole year, the client's labour-item
// list with its committed volumes, and a save of a 20-line work order followed
// by its submission (rolled back, so every iteration starts alike).
#include "db/Dataset.h"
#include "db/StoredProc.h"
#include "support/TestCluster.h"
#include "support/TestDatabase.h"
#include "tools/ScaleGenerator.h"
#include "tools/SqlSession.h"
#include "workorders/SpkQueries.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

const QDate kLastDay(2026, 6, 30);

struct LargeProject {
    skmtest::TestDatabase db;
    int projectID = 0;
    LargeProject() {
        admin::ScaleGenerator::Options o;
        o.lastDay = kLastDay;
        admin::SqlSession statistics(skmtest::TestCluster::instance().superLogin(db.name()));
        admin::ScaleGenerator generator(db.owner());
        generator.setScriptRunner(
            [&](const QString& sql) { statistics.execScript(sql, QStringLiteral("statistics")); });
        projectID =
            generator.generate(o); // no transaction: the statistics session must see the rows
        db.owner().exec(
            QStringLiteral("SELECT count(*) FROM mstProjectSPKDetail")); // warm the cache
    }
};

LargeProject& large() {
    static LargeProject p;
    return p;
}

void BM_RegisterPeriod(benchmark::State& state) {
    LargeProject& p = large();
    db::StoredProc view(&p.db.sa(), QStringLiteral("procProjectSPKMandorViewR2"));
    view.declare("ProjectID", db::FieldType::Integer)
        .declare("PeriodBegin", db::FieldType::DateTime)
        .declare("PeriodEnd", db::FieldType::DateTime);
    view.setParam("ProjectID", p.projectID);
    view.setParam("PeriodBegin",
                  QDateTime(kLastDay.addDays(-int(state.range(0)) + 1), QTime(0, 0)));
    view.setParam("PeriodEnd", QDateTime(kLastDay, QTime(0, 0)));
    db::Dataset rows;
    for (auto _ : state) {
        view.open(rows);
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.counters["rows"] = rows.rowCount();
}

void BM_LabourItemList(benchmark::State& state) {
    LargeProject& p = large();
    db::Dataset items(&p.db.sa(), QString::fromLatin1(SpkQueries::kProjectRAPUpah));
    items.setParam("ProjectID", p.projectID);
    for (auto _ : state) {
        items.reopen();
        benchmark::DoNotOptimize(items.rowCount());
    }
    state.counters["rows"] = items.rowCount();
}

void BM_SaveAndSubmit20Lines(benchmark::State& state) {
    LargeProject& p = large();
    db::Connection& c = p.db.sa();
    const int firm = p.db.scalar("SELECT CompanyID FROM mstProjectSPK WHERE ProjectID = :p LIMIT 1",
                                 {{"p", p.projectID}})
                         .toInt();
    db::Dataset items(&c, QString::fromLatin1(SpkQueries::kProjectRAPUpah));
    items.setParam("ProjectID", p.projectID);
    items.open();

    db::StoredProc header(&c, QStringLiteral("procProjectSPKMandorEntry"));
    for (const char* n : {"EntryCode", "EntryBy", "EntryFrom", "SPKCode", "SPKCodeNew"})
        header.declare(n, db::FieldType::Text);
    header.declare("SPKDate", db::FieldType::DateTime)
        .declare("ProjectID", db::FieldType::Integer)
        .declare("CompanyID", db::FieldType::Integer)
        .declare("SPKTotalAmount", db::FieldType::Decimal)
        .declare("SPKRetensionPercentage", db::FieldType::Decimal)
        .declare("SPKPPhPercentage", db::FieldType::Decimal)
        .declare("SPKDesc3", db::FieldType::Text)
        .declare("Hasil", db::FieldType::Text, db::ParamDirection::Output);
    db::StoredProc line(&c, QStringLiteral("procProjectSPKMandorDetailEntry"));
    line.declare("EntryCode", db::FieldType::Text)
        .declare("SPKCode", db::FieldType::Text)
        .declare("RAP2ID", db::FieldType::Integer)
        .declare("SPKDWorkDesc", db::FieldType::Text)
        .declare("MeasurementID", db::FieldType::Integer)
        .declare("SPKDQuantity", db::FieldType::Decimal)
        .declare("SPKDPriceAmount", db::FieldType::Decimal)
        .declare("SPKDDesc", db::FieldType::Text)
        .declare("Hasil", db::FieldType::Text, db::ParamDirection::Output);
    db::StoredProc submit(&c, QStringLiteral("procProjectSPKMandorSubmit"));
    submit.declare("EntryCode", db::FieldType::Text)
        .declare("EntryBy", db::FieldType::Text)
        .declare("EntryFrom", db::FieldType::Text)
        .declare("ProjectID", db::FieldType::Integer)
        .declare("SPKCode", db::FieldType::Text)
        .declare("Hasil", db::FieldType::Text, db::ParamDirection::Output);

    const QString code = QStringLiteral("BENCH/SPK/1");
    for (auto _ : state) {
        c.begin();
        header.setParam("EntryCode", QStringLiteral("INSERT"));
        header.setParam("EntryBy", QStringLiteral("bench"));
        header.setParam("EntryFrom", QStringLiteral("bench"));
        header.setParam("SPKCode", code);
        header.setParam("SPKCodeNew", code);
        header.setParam("SPKDate", QDateTime(kLastDay, QTime(9, 0)));
        header.setParam("ProjectID", p.projectID);
        header.setParam("CompanyID", firm);
        header.setParam("SPKTotalAmount", QStringLiteral("0"));
        header.setParam("SPKRetensionPercentage", QStringLiteral("5"));
        header.setParam("SPKPPhPercentage", QStringLiteral("4"));
        header.setParam("SPKDesc3", QString());
        header.execute();
        bool ok = header.hasil().ok();
        for (int i = 0; i < 20 && ok; ++i) {
            const int row = (i * 997) % items.rowCount();
            line.setParam("EntryCode", QStringLiteral("INSERT"));
            line.setParam("SPKCode", code);
            line.setParam("RAP2ID", items.value(row, u"RAP2ID"));
            line.setParam("SPKDWorkDesc", items.value(row, u"RAPFullName"));
            line.setParam("MeasurementID", items.value(row, u"MeasurementID"));
            line.setParam("SPKDQuantity", QStringLiteral("0.001"));
            line.setParam("SPKDPriceAmount", items.value(row, u"RAPPriceAmount"));
            line.setParam("SPKDDesc", QString());
            line.execute();
            ok = line.hasil().ok();
        }
        submit.setParam("EntryCode", QString());
        submit.setParam("EntryBy", QStringLiteral("bench"));
        submit.setParam("EntryFrom", QStringLiteral("bench"));
        submit.setParam("ProjectID", p.projectID);
        submit.setParam("SPKCode", code);
        submit.execute();
        c.rollback();
        if (!ok) {
            state.SkipWithError("a call was refused");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_RegisterPeriod)
    ->Arg(7)
    ->Arg(31)
    ->Arg(365)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_LabourItemList)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveAndSubmit20Lines)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
