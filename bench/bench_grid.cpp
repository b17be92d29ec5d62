// The data grid over 200,000 register rows: load, one filter keystroke, grouping by two
// columns with sums, sorting, painting; against a bare scan of the same texts.
#include "db/Dataset.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/GridModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <random>

using db::FieldDef;
using db::FieldType;

namespace {

constexpr int kRows = 200000;

db::Dataset& registerData() {
    static db::Dataset* ds = [] {
        auto* d = new db::Dataset;
        const QVector<FieldDef> fields = {{QStringLiteral("SPKCode"), FieldType::Text},
                                          {QStringLiteral("MandorName"), FieldType::Text},
                                          {QStringLiteral("CoaCode"), FieldType::Text},
                                          {QStringLiteral("WorkDesc"), FieldType::Text},
                                          {QStringLiteral("MeasurementCode"), FieldType::Text},
                                          {QStringLiteral("SPKDate"), FieldType::DateTime},
                                          {QStringLiteral("Qty"), FieldType::Decimal},
                                          {QStringLiteral("Price"), FieldType::Decimal},
                                          {QStringLiteral("Total"), FieldType::Decimal},
                                          {QStringLiteral("LineNo"), FieldType::Integer}};
        static const char* words[] = {"galian",    "urugan",  "pasir", "beton", "bekisting",
                                      "pembesian", "plester", "acian", "cat",   "keramik",
                                      "pondasi",   "kolom",   "balok", "plat",  "atap"};
        std::mt19937 rng(42);
        std::vector<QVector<QVariant>> rows;
        rows.reserve(kRows);
        const QDate start(2023, 1, 2);
        for (int i = 0; i < kRows; ++i) {
            const int order = i / 8;
            const qint64 qty = static_cast<qint64>(rng() % 100000);
            const qint64 price = static_cast<qint64>(rng() % 5000000);
            rows.push_back(
                {QStringLiteral("SPK-%1").arg(order, 6, 10, QChar(u'0')),
                 QStringLiteral("Mandor %1").arg(order % 300),
                 QStringLiteral("%1.%2").arg(rng() % 40).arg(rng() % 100),
                 QStringLiteral("%1 %2 lantai %3")
                     .arg(QLatin1String(words[rng() % 15]), QLatin1String(words[rng() % 15]))
                     .arg(rng() % 9),
                 QStringLiteral("m%1").arg(rng() % 3 + 1),
                 QDateTime(start.addDays(order % 700), QTime(0, 0)),
                 QVariant::fromValue(db::Decimal::fromRaw(qty * 1000000)),
                 QVariant::fromValue(db::Decimal::fromInt(price)),
                 QVariant::fromValue(db::Decimal::fromRaw(qty * 1000000) *
                                     db::Decimal::fromInt(price)),
                 i});
        }
        d->loadRows(fields, std::move(rows));
        return d;
    }();
    return *ds;
}

void addColumns(ui::DataGrid& grid) {
    const ui::DisplayFormat money(QStringLiteral("#,##0;(#,##0)"));
    const ui::DisplayFormat qty(QStringLiteral("#,##0.00;(#,##0.00)"));
    auto add = [&](const char* field, const char* caption, ui::DisplayFormat f = {},
                   bool sum = false) {
        ui::GridColumn c(QString::fromLatin1(field), QString::fromLatin1(caption));
        c.format = f;
        c.dateOnly = QByteArray(field) == "SPKDate";
        c.footer = sum ? ui::GridSummary::Sum : ui::GridSummary::None;
        c.groupSum = sum;
        grid.addColumn(c);
    };
    add("SPKCode", "No. SPK");
    add("MandorName", "Nama Mandor");
    add("CoaCode", "Kode");
    add("WorkDesc", "Uraian");
    add("MeasurementCode", "Satuan");
    add("SPKDate", "Tanggal");
    add("Qty", "Volume", qty, true);
    add("Price", "Harga", money);
    add("Total", "Total", money, true);
    add("LineNo", "No");
}

struct Fixture {
    ui::DataGrid grid;
    Fixture() {
        addColumns(grid);
        grid.setFilterRowVisible(true);
        grid.setFooterVisible(true);
        grid.resize(1200, 700);
        grid.setDataset(&registerData());
        grid.show();
    }
};

Fixture& shared() {
    static Fixture* f = new Fixture;
    return *f;
}

void BM_LoadIntoGrid(benchmark::State& state) {
    db::Dataset& ds = registerData();
    for (auto _ : state) {
        ui::DataGrid grid;
        addColumns(grid);
        grid.setDataset(&ds);
        benchmark::DoNotOptimize(grid.rowCountVisible());
    }
    state.counters["rows"] = kRows;
}
BENCHMARK(BM_LoadIntoGrid)->Unit(benchmark::kMillisecond)->Iterations(3);

// A keystroke in the filter row after the debounce: filter, sums, model reset, repaint.
void BM_FilterKeystroke(benchmark::State& state) {
    Fixture& f = shared();
    const QStringList typed = {QStringLiteral("be"), QStringLiteral("bet"), QStringLiteral("b")};
    int i = 0;
    for (auto _ : state) {
        f.grid.setFilterText(QStringLiteral("WorkDesc"), typed[i++ % typed.size()]);
        f.grid.view()->viewport()->repaint();
        benchmark::DoNotOptimize(f.grid.rowCountVisible());
    }
    state.counters["shown"] = f.grid.rowCountVisible();
    f.grid.clearFilters();
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond)->Iterations(20);

// The floor: a bare scan of the same texts with contains.
void BM_BareScan(benchmark::State& state) {
    db::Dataset& ds = registerData();
    const int field = ds.fieldIndex(u"WorkDesc");
    QVector<QString> texts;
    texts.reserve(kRows);
    for (int r = 0; r < kRows; ++r)
        texts.append(ds.value(r, field).toString());
    const QStringList typed = {QStringLiteral("be"), QStringLiteral("bet"), QStringLiteral("b")};
    int i = 0;
    for (auto _ : state) {
        std::vector<int> hits;
        hits.reserve(kRows);
        const QString& needle = typed[i++ % typed.size()];
        for (int r = 0; r < kRows; ++r)
            if (texts[r].contains(needle, Qt::CaseInsensitive))
                hits.push_back(r);
        benchmark::DoNotOptimize(hits.data());
    }
}
BENCHMARK(BM_BareScan)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_GroupTwoColumnsWithSums(benchmark::State& state) {
    Fixture& f = shared();
    for (auto _ : state) {
        f.grid.setGroupColumns({QStringLiteral("MandorName"), QStringLiteral("SPKCode")});
        benchmark::DoNotOptimize(f.grid.displayRowCount());
        state.PauseTiming();
        f.grid.setGroupColumns({});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GroupTwoColumnsWithSums)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SortByNumber(benchmark::State& state) {
    Fixture& f = shared();
    int i = 0;
    for (auto _ : state)
        f.grid.sortBy(QStringLiteral("Total"), i++ % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
    f.grid.clearSort();
}
BENCHMARK(BM_SortByNumber)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SortByText(benchmark::State& state) {
    Fixture& f = shared();
    int i = 0;
    for (auto _ : state)
        f.grid.sortBy(QStringLiteral("WorkDesc"),
                      i++ % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
    f.grid.clearSort();
}
BENCHMARK(BM_SortByText)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FirstPaint(benchmark::State& state) {
    Fixture& f = shared();
    for (auto _ : state) {
        QPixmap p = f.grid.grab();
        benchmark::DoNotOptimize(p.cacheKey());
    }
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ScrollFrame(benchmark::State& state) {
    Fixture& f = shared();
    QScrollBar* bar = f.grid.view()->verticalScrollBar();
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 5000) % bar->maximum();
        bar->setValue(pos);
        QPixmap p = f.grid.view()->viewport()->grab();
        benchmark::DoNotOptimize(p.cacheKey());
    }
}
BENCHMARK(BM_ScrollFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_EditCellToSums(benchmark::State& state) {
    Fixture& f = shared();
    db::Dataset& ds = registerData();
    int i = 0;
    for (auto _ : state) {
        ds.setValue(1000, QStringLiteral("Total"), (i++ % 2) ? 12345 : 54321);
        benchmark::DoNotOptimize(f.grid.footerText(QStringLiteral("Total")));
    }
}
BENCHMARK(BM_EditCellToSums)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerData();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
