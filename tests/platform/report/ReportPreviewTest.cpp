#include "ReportTestSupport.h"

#include "platform/report/PreviewCanvas.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportPreview.h"
#include "platform/report/ReportPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace report;

namespace {

template <class T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(c) << name;
    return c;
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        lines = reporttest::makeLines(3, 3, 20);
        report = reporttest::exampleReport(lines.get());
        preview = std::make_unique<ReportPreview>(report, report.prepare());
        preview->resize(900, 700);
        preview->show();
        QApplication::processEvents();
    }
    std::unique_ptr<db::Dataset> lines;
    Report report;
    std::unique_ptr<ReportPreview> preview;
};

TEST_F(PreviewTest, pages_through_with_its_buttons_and_page_box) {
    const int pages = preview->prepared().pageCount();
    ASSERT_GT(pages, 3);
    auto* spn = child<QSpinBox>(preview.get(), "spnPage");
    EXPECT_EQ(preview->currentPage(), 0);
    child<QPushButton>(preview.get(), "btnNext")->click();
    EXPECT_EQ(preview->currentPage(), 1);
    EXPECT_EQ(spn->value(), 2);
    child<QPushButton>(preview.get(), "btnLast")->click();
    EXPECT_EQ(preview->currentPage(), pages - 1);
    child<QPushButton>(preview.get(), "btnNext")->click();
    EXPECT_EQ(preview->currentPage(), pages - 1);
    child<QPushButton>(preview.get(), "btnPrior")->click();
    EXPECT_EQ(preview->currentPage(), pages - 2);
    spn->setValue(2);
    EXPECT_EQ(preview->currentPage(), 1);
    child<QPushButton>(preview.get(), "btnFirst")->click();
    EXPECT_EQ(preview->currentPage(), 0);
    EXPECT_EQ(spn->maximum(), pages);
}

TEST_F(PreviewTest, zooms_and_paints_only_visible_pages) {
    auto* zoom = child<QComboBox>(preview.get(), "cboZoom");
    const int i200 = zoom->findText("200%");
    ASSERT_GE(i200, 0);
    zoom->setCurrentIndex(i200);
    EXPECT_DOUBLE_EQ(preview->zoomFactor(), 2.0);
    const int width200 = preview->canvas()->width();
    zoom->setCurrentIndex(zoom->findText("50%"));
    EXPECT_DOUBLE_EQ(preview->zoomFactor(), 0.5);
    EXPECT_LT(preview->canvas()->width() * 3, width200);
    zoom->setCurrentIndex(zoom->findText("Fit page"));
    EXPECT_LE(preview->canvas()->pageRect(0).height(),
              preview->findChild<QWidget*>("scrPages")->height());
    preview->canvas()->repaint();
    EXPECT_GE(preview->canvas()->paintedPages(), 1);
    EXPECT_LE(preview->canvas()->paintedPages(), 3);
    EXPECT_LT(preview->canvas()->paintedPages(), preview->prepared().pageCount());
}

TEST_F(PreviewTest, search_highlights_hits_one_after_another) {
    auto* text = child<QLineEdit>(preview.get(), "txtSearch");
    auto* find = child<QPushButton>(preview.get(), "btnSearch");
    text->setText("Pekerjaan 100");
    find->click();
    const SearchHit hit = preview->currentHit();
    ASSERT_TRUE(hit.isValid());
    EXPECT_EQ(preview->prepared().page(hit.page).items[size_t(hit.item)].text, "Pekerjaan 100");
    EXPECT_EQ(preview->currentPage(), hit.page);
    text->setText("Jumlah SPK");
    find->click();
    const SearchHit first = preview->currentHit();
    find->click();
    const SearchHit second = preview->currentHit();
    ASSERT_TRUE(first.isValid() && second.isValid());
    EXPECT_TRUE(second.page > first.page || second.item > first.item);
    text->setText("no such text anywhere");
    find->click();
    EXPECT_FALSE(preview->currentHit().isValid());
}

TEST_F(PreviewTest, outline_goes_to_the_group_page) {
    auto* tree = child<QTreeWidget>(preview.get(), "treeOutline");
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    QTreeWidgetItem* last = tree->topLevelItem(2);
    EXPECT_EQ(last->text(0), "Mandor C");
    EXPECT_EQ(last->childCount(), 3);
    emit tree->itemClicked(last, 0);
    EXPECT_EQ(preview->currentPage(), last->data(0, Qt::UserRole).toInt());
    EXPECT_TRUE(preview->prepared().pageTexts(preview->currentPage()).contains("Mandor: Mandor C"));
}

TEST_F(PreviewTest, page_setup_prepares_again_in_the_new_layout) {
    const int portraitPages = preview->prepared().pageCount();
    preview->applyPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    EXPECT_NEAR(preview->prepared().pageSizeMm().width(), 297, 0.1);
    EXPECT_GT(preview->prepared().pageCount(), portraitPages);
    EXPECT_EQ(child<QSpinBox>(preview.get(), "spnPage")->maximum(),
              preview->prepared().pageCount());
}

TEST_F(PreviewTest, exports_pdf_to_a_given_file) {
    QTemporaryDir dir;
    const QString file = dir.filePath("out.pdf");
    preview->exportPdfTo(file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    for (const char* name : {"btnPageSetup", "btnPrint", "btnExportPdf", "btnClose"})
        EXPECT_TRUE(preview->findChild<QPushButton*>(name)) << name;
}

TEST(ReportPrinter, loads_by_name_from_the_reports_folder_and_shows_the_preview) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(reporttest::exampleTemplatePath(),
                            dir.filePath("rptProjectSPKMandorPrintDraft.rpt.xml")));
    ReportPrinter::setReportsFolder(dir.path());
    auto lines = reporttest::makeLines(1, 2, 3);
    QWidget* shown = ReportPrinter::printDocument(nullptr, "rptProjectSPKMandorPrintDraft",
                                                  {{"lines", lines.get()}},
                                                  {{"Petugas", "sari"}, {"Draft", true}}, false);
    ASSERT_TRUE(shown);
    auto* preview = qobject_cast<ReportPreview*>(shown);
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(preview->prepared().pageTexts(0).contains("Petugas: sari"));
    EXPECT_TRUE(preview->prepared().pageTexts(0).contains("DRAFT"));
    preview->close(); // deletes itself
    ReportPrinter::setReportsFolder({});
}

TEST(ReportPrinter, missing_template_is_reported_not_an_empty_report) {
    QTemporaryDir dir;
    ReportPrinter::setReportsFolder(dir.path());
    db::Dataset ds;
    try {
        ReportPrinter::printDocument(nullptr, "rptProjectSPKMandorPrint", {{"frxSPKPrint", &ds}},
                                     {{"Petugas", "x"}}, false);
        ADD_FAILURE() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(),
                  "Template file not found: " + dir.filePath("rptProjectSPKMandorPrint.rpt.xml"));
    }
    ReportPrinter::setReportsFolder({});
    EXPECT_EQ(ReportPrinter::templatePath("rptA"),
              QCoreApplication::applicationDirPath() + "/reports/rptA.rpt.xml");
}

} // namespace
