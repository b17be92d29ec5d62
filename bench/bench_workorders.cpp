// The work-order client on a large project (ScaleGenerator: 20,000 budget items,
// 5,000 work orders, 100,000 lines over a year): the register query and its grid
// for the whole year, a 200-line save through the entry dialog's transaction, and
// preparing a printout — each next to the bare queries it is made of.
#include "app/SessionContext.h"
#include "db/DbError.h"
#include "db/TransactionGuard.h"
#include "platform/report/PreparedReport.h"
#include "platform/report/Report.h"
#include "platform/report/ReportTemplate.h"
#include "platform/ui/DataGrid.h"
#include "support/TestDatabase.h"
#include "tools/ScaleGenerator.h"
#include "workorders/TDMSPK.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <benchmark/benchmark.h>

namespace {

const QDate kLastDay(2026, 6, 30);

struct LargeProject {
    skmtest::TestDatabase db;
    int projectID = 0;
    int firm = 0;
    TDMSPK dm{&db.sa()};
    LargeProject() {
        admin::ScaleGenerator::Options o;
        o.lastDay = kLastDay;
        // Generating a year of a large project takes longer than a client statement may.
        db.owner().exec(QStringLiteral("SELECT set_config('statement_timeout', '0', false)"));
        db.owner().begin();
        projectID = admin::ScaleGenerator(db.owner()).generate(o);
        db.owner().commit();
        db.exec(QStringLiteral("ANALYZE")); // statistics as a database in use has them
        firm = db.scalar(QStringLiteral(
                             "SELECT CompanyID FROM mstProjectSPK WHERE ProjectID = :p LIMIT 1"),
                         {{"p", projectID}})
                   .toInt();
        dm.openProjectRAPUpah(projectID);
        dm.openMeasurement();
    }
};

LargeProject& large() {
    static LargeProject p;
    return p;
}

// Register: the data module's query, then the grid over it (grouped by foreman and number).
void BM_RegisterYearQuery(benchmark::State& state) {
    LargeProject& p = large();
    for (auto _ : state) {
        p.dm.openProjectSPKMandorView(p.projectID, kLastDay.addYears(-1), kLastDay);
        benchmark::DoNotOptimize(p.dm.adospProjectSPKMandorView.rowCount());
    }
    state.counters["rows"] = p.dm.adospProjectSPKMandorView.rowCount();
}

void BM_RegisterYearQueryAndGrid(benchmark::State& state) {
    LargeProject& p = large();
    ui::DataGrid grid;
    for (const char* f :
         {"MandorName", "SPKCode", "StatusDesc", "SPKDate", "CoaFullName", "SPKDWorkDesc",
          "SPKDQuantity", "SPKDPriceAmount", "SPKDTotalAmount", "RealisasiTotalAmount"}) {
        ui::GridColumn c(QString::fromLatin1(f), QString::fromLatin1(f));
        if (c.fieldName.endsWith(QLatin1String("Amount"))) {
            c.footer = ui::GridSummary::Sum;
            c.groupSum = true;
        }
        grid.addColumn(c);
    }
    grid.setDataset(&p.dm.adospProjectSPKMandorView);
    grid.setGroupColumns({QStringLiteral("MandorName"), QStringLiteral("SPKCode")});
    for (auto _ : state) {
        p.dm.openProjectSPKMandorView(p.projectID, kLastDay.addYears(-1), kLastDay);
        benchmark::DoNotOptimize(grid.rowCountVisible());
    }
    state.counters["rows"] = grid.rowCountVisible();
}

// Floor: the same function read row by row with a bare QSqlQuery.
void BM_RegisterYearBare(benchmark::State& state) {
    LargeProject& p = large();
    long rows = 0;
    for (auto _ : state) {
        QSqlQuery q =
            p.db.sa().exec(QStringLiteral("SELECT * FROM procProjectSPKMandorViewR2(:p, :b, :e)"),
                           {{"p", p.projectID},
                            {"b", QDateTime(kLastDay.addYears(-1), QTime(0, 0))},
                            {"e", QDateTime(kLastDay, QTime(0, 0))}});
        rows = 0;
        const int n = q.record().count();
        while (q.next()) {
            for (int i = 0; i < n; ++i)
                benchmark::DoNotOptimize(q.value(i));
            ++rows;
        }
    }
    state.counters["rows"] = double(rows);
}

// A 200-line work order saved the way the entry dialog saves it: header, then
// each line, in one transaction (rolled back so every iteration starts alike).
void save200(LargeProject& p, bool viaProcs) {
    db::Connection& c = p.db.sa();
    db::TransactionGuard tx(c);
    if (viaProcs) {
        db::StoredProc& head = p.dm.adospProjectSPKMandorEntry;
        head.clearValues();
        head.setParam("EntryCode", QStringLiteral("INSERT"));
        head.setParam("EntryBy", QStringLiteral("bench"));
        head.setParam("EntryFrom", QStringLiteral("bench"));
        head.setParam("SPKCode", QStringLiteral("BENCH-200"));
        head.setParam("SPKCodeNew", QStringLiteral("BENCH-200"));
        head.setParam("SPKDate", QDateTime(kLastDay, QTime(0, 0)));
        head.setParam("ProjectID", p.projectID);
        head.setParam("CompanyID", p.firm);
        head.setParam("SPKTotalAmount", 0);
        head.setParam("SPKRetensionPercentage", 5);
        head.setParam("SPKPPhPercentage", 4);
        head.setParam("SPKDesc3", QString());
        head.execute();
        if (!head.hasil().ok())
            throw db::DbError(head.hasil().text());
        db::StoredProc& line = p.dm.adospProjectSPKMandorDetailEntry;
        const db::Dataset& items = p.dm.adodsProjectRAPUpah;
        for (int r = 0; r < 200; ++r) {
            line.clearValues();
            line.setParam("EntryCode", QStringLiteral("INSERT"));
            line.setParam("SPKCode", QStringLiteral("BENCH-200"));
            line.setParam("RAP2ID", items.value(r, u"RAP2ID"));
            line.setParam("SPKDWorkDesc", QStringLiteral("Pekerjaan"));
            line.setParam("MeasurementID", items.value(r, u"MeasurementID"));
            line.setParam("SPKDQuantity", 1);
            line.setParam("SPKDPriceAmount", 1000);
            line.setParam("SPKDDesc", QString());
            line.execute();
            if (!line.hasil().ok())
                throw db::DbError(line.hasil().text());
        }
    } else {
        // Floor: 201 trivial round trips inside one transaction.
        for (int r = 0; r < 201; ++r)
            benchmark::DoNotOptimize(c.exec(QStringLiteral("SELECT :x"), {{"x", r}}).next());
    }
    // rolled back by the guard
}

void BM_Save200Lines(benchmark::State& state) {
    LargeProject& p = large();
    for (auto _ : state)
        save200(p, true);
}

void BM_Save200RoundTripsBare(benchmark::State& state) {
    LargeProject& p = large();
    for (auto _ : state)
        save200(p, false);
}

// Printout: the print query of a 20-line approved work order and the final template prepared.
void BM_PreparePrintout(benchmark::State& state) {
    LargeProject& p = large();
    const QString code =
        p.db.scalar(
                QStringLiteral("SELECT s.SPKCode FROM mstProjectSPK s JOIN mstProjectSPKDetail d "
                               "ON d.SPKCode = s.SPKCode WHERE s.ProjectID = :p GROUP BY "
                               "s.SPKCode ORDER BY count(*) DESC LIMIT 1"),
                {{"p", p.projectID}})
            .toString();
    const report::ReportTemplate tpl = report::ReportTemplate::load(
        QStringLiteral(SKM_SOURCE_DIR "/reports/rptProjectSPKMandorPrint") +
        QString::fromLatin1(report::ReportTemplate::Extension));
    int pages = 0;
    for (auto _ : state) {
        TDMSPK::reopenWith(p.dm.adodsSPKPrint, {{QStringLiteral("SPKCode"), code}});
        report::Report rpt;
        rpt.setTemplate(tpl);
        rpt.addDataset(QStringLiteral("frxSPKPrint"), &p.dm.adodsSPKPrint);
        rpt.setVariable(QStringLiteral("Petugas"), QStringLiteral("bench"));
        pages = rpt.prepare().pageCount();
    }
    state.counters["lines"] = p.dm.adodsSPKPrint.rowCount();
    state.counters["pages"] = pages;
}

void BM_PrintQueryBare(benchmark::State& state) {
    LargeProject& p = large();
    const QString code =
        p.db.scalar(
                QStringLiteral("SELECT s.SPKCode FROM mstProjectSPK s JOIN mstProjectSPKDetail d "
                               "ON d.SPKCode = s.SPKCode WHERE s.ProjectID = :p GROUP BY "
                               "s.SPKCode ORDER BY count(*) DESC LIMIT 1"),
                {{"p", p.projectID}})
            .toString();
    for (auto _ : state) {
        QSqlQuery q = p.db.sa().exec(p.dm.adodsSPKPrint.sql(), {{"SPKCode", code}});
        while (q.next())
            benchmark::DoNotOptimize(q.value(0));
    }
}

} // namespace

BENCHMARK(BM_RegisterYearBare)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RegisterYearQuery)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RegisterYearQueryAndGrid)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Save200RoundTripsBare)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Save200Lines)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PrintQueryBare)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PreparePrintout)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
