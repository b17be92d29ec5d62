#include "ReportTestSupport.h"

#include "platform/report/ReportError.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

TEST(PdfExport, writes_every_page_with_its_text) {
    auto lines = reporttest::makeLines(2, 2, 15);
    const PreparedReport p = reporttest::exampleReport(lines.get(), true).prepare();
    QTemporaryDir dir;
    const QString file = dir.filePath("statement.pdf");
    p.exportPdf(file);
    ASSERT_TRUE(QFile::exists(file));
    // REPORT_PDF_OUT keeps a copy for looking at the pages (pdftoppm -png).
    if (const QString keep = qEnvironmentVariable("REPORT_PDF_OUT"); !keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(file, keep);
    }
    EXPECT_EQ(pdfPages(file), p.pageCount());
    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains("Rekap SPK Mandor"));
    EXPECT_TRUE(text.contains("Pekerjaan 60"));
    EXPECT_TRUE(text.contains(QString("Halaman %1 dari %1").arg(p.pageCount())));
    EXPECT_TRUE(text.contains("Dicetak: 11 Desember 2026"));
}

TEST(PdfExport, unwritable_target_is_an_error) {
    auto lines = reporttest::makeLines(1, 1, 2);
    const PreparedReport p = reporttest::exampleReport(lines.get()).prepare();
    EXPECT_THROW(p.exportPdf("/nonexistent-folder/x.pdf"), ReportError);
}

} // namespace
