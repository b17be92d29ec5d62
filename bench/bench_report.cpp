// Report engine: a landscape statement of 2,000 lines in three levels of groups
// with sums, about 60 pages. Measures preparation, PDF export and peak memory.
#include "db/Dataset.h"
#include "db/Decimal.h"
#include "platform/report/Report.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* kTemplate = R"(<report name="bench">
  <page size="A4" orientation="landscape" margin="10"/>
  <font family="DejaVu Sans" size="8"/>
  <section dataset="s">
    <pageHeader height="12"><text x="0" y="0" width="200" height="8" size="12" bold="true">Statement</text>
      <text x="200" y="0" width="77" height="5" align="right">[FORMAT(DATE, 'd MMMM yyyy')]</text></pageHeader>
    <columnHeader height="6">
      <text x="0" y="0" width="120" height="6" border="all" bold="true">Uraian</text>
      <text x="120" y="0" width="40" height="6" border="all" align="right" bold="true">Volume</text>
      <text x="160" y="0" width="50" height="6" border="all" align="right" bold="true">Harga</text>
      <text x="210" y="0" width="67" height="6" border="all" align="right" bold="true">Jumlah</text>
    </columnHeader>
    <group by="[s.A]"><header height="6"><text x="0" y="0" width="200" height="6" bold="true">[s.A] [FORMAT(SUM([s.Amount]), '#,##0.00;(#,##0.00)')]</text></header>
      <group by="[s.B]"><header height="5"><text x="4" y="0" width="200" height="5">[s.B]</text></header>
        <group by="[s.C]"><header height="5"><text x="8" y="0" width="200" height="5" italic="true">[s.C]</text></header>
          <data height="5" stretch="true">
            <text x="0" y="0" width="120" height="5" border="left right bottom">[s.Desc]</text>
            <text x="120" y="0" width="40" height="5" border="right bottom" align="right">[FORMAT([s.Qty], '#,##0.000;(#,##0.000)')]</text>
            <text x="160" y="0" width="50" height="5" border="right bottom" align="right">[FORMAT([s.Price], '#,##0.00;(#,##0.00)')]</text>
            <text x="210" y="0" width="67" height="5" border="right bottom" align="right">[FORMAT([s.Amount], '#,##0.00;(#,##0.00)')]</text>
          </data>
          <footer height="5"><text x="210" y="0" width="67" height="5" align="right">[FORMAT(SUM([s.Amount]), '#,##0.00;(#,##0.00)')]</text></footer>
        </group>
        <footer height="5"><text x="210" y="0" width="67" height="5" align="right" bold="true">[FORMAT(SUM([s.Amount]), '#,##0.00;(#,##0.00)')]</text></footer>
      </group>
      <footer height="6"><text x="210" y="0" width="67" height="6" align="right" bold="true" border="top">[FORMAT(SUM([s.Amount]), '#,##0.00;(#,##0.00)')]</text></footer>
    </group>
    <summary height="8"><text x="210" y="1" width="67" height="6" align="right" bold="true">[FORMAT(SUM([s.Amount]), '#,##0.00;(#,##0.00)')]</text></summary>
    <pageFooter height="6"><text x="0" y="1" width="277" height="5" align="right">Page [PAGE] of [PAGES]</text></pageFooter>
  </section>
</report>)";

struct Fixture {
    db::Dataset data;
    report::Report report;
    Fixture() {
        db::Decimal::registerMetaType();
        std::vector<QVector<QVariant>> rows;
        for (int i = 0; i < 2000; ++i) {
            const db::Decimal qty = db::Decimal::fromString(QString("%1.25").arg(1 + i % 9));
            const db::Decimal price = db::Decimal::fromInt(1500 * (1 + i % 13));
            rows.push_back({QString("Mandor %1").arg(i / 500), QString("SPK %1").arg(i / 100),
                            QString("Periode %1").arg(i / 25),
                            QString("Pekerjaan %1 pasangan bata dan plesteran").arg(i),
                            QVariant::fromValue(qty), QVariant::fromValue(price),
                            QVariant::fromValue(qty * price)});
        }
        data.loadRows({{"A", db::FieldType::Text}, {"B", db::FieldType::Text},
                       {"C", db::FieldType::Text}, {"Desc", db::FieldType::Text},
                       {"Qty", db::FieldType::Decimal}, {"Price", db::FieldType::Decimal},
                       {"Amount", db::FieldType::Decimal}},
                      std::move(rows));
        report.setTemplate(
            report::ReportTemplate::parse(kTemplate, "bench.rpt.xml", QString()));
        report.addDataset("s", &data);
        report.setLocale(QLocale::c());
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

double peakMemoryMb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void BM_Prepare(benchmark::State& state) {
    int pages = 0;
    for (auto _ : state) {
        const report::PreparedReport p = fixture().report.prepare();
        pages = p.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] =
        benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peakMemoryMb();
}
BENCHMARK(BM_Prepare)->Unit(benchmark::kMillisecond);

void BM_ExportPdf(benchmark::State& state) {
    const report::PreparedReport p = fixture().report.prepare();
    QTemporaryDir dir;
    for (auto _ : state)
        p.exportPdf(dir.filePath("bench.pdf"));
    state.counters["pages"] = p.pageCount();
    state.counters["pdf_KB"] = QFile(dir.filePath("bench.pdf")).size() / 1024.0;
    state.counters["peak_MB"] = peakMemoryMb();
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);

// Floor: one pass evaluating nothing but reading every value of the data.
void BM_ScanFloor(benchmark::State& state) {
    const db::Dataset& d = fixture().data;
    for (auto _ : state) {
        int n = 0;
        for (int r = 0; r < d.rowCount(); ++r)
            for (int c = 0; c < d.fieldCount(); ++c)
                n += d.value(r, c).isValid();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ScanFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
