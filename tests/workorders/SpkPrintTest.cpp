#include "app/SessionContext.h"
#include "platform/report/PreparedReport.h"
#include "support/MessageScript.h"
#include "support/TestDatabase.h"
#include "workorders/SpkFixture.h"
#include "workorders/TDMSPK.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Prints through the real templates of reports/ and keeps what the preview got.
class SpkPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        SessionContext.reset();
        SessionContext.UserName = QStringLiteral("Rina Petugas");
        TDMSPK::setReportsDir(QStringLiteral(SKM_SOURCE_DIR "/reports"));
        TDMSPK::setPreviewHandler([this](const report::PreparedReport& r, const QString& name) {
            shown = name;
            prepared = r;
        });
        const int project =
            fx.addProject(QStringLiteral("PRJ-P"), QStringLiteral("Gedung Serbaguna"));
        const int foreman =
            fx.addCompany(QStringLiteral("CV. MANDOR SEJATI"), QStringLiteral("0812-3456"));
        const int a =
            fx.addBudgetItem(project, QStringLiteral("4.1.1"), QStringLiteral("Bekisting kolom"),
                             QStringLiteral("Lantai 1"), 2, QStringLiteral("100"),
                             QStringLiteral("45000"), QStringLiteral("11"));
        const int b =
            fx.addBudgetItem(project, QStringLiteral("4.1.2"), QStringLiteral("Pembesian"),
                             QStringLiteral("Lantai 1"), 5, QStringLiteral("900"),
                             QStringLiteral("3000"), QStringLiteral("11"));
        for (auto [code, status] : {std::pair{"SPK/FINAL", 2}, std::pair{"SPK/DRAFT", 11}}) {
            fx.addWorkOrder(QString::fromLatin1(code), project, foreman, QDate(2026, 12, 11),
                            status);
            fx.addLine(QString::fromLatin1(code), a, QStringLiteral("12.5"),
                       QStringLiteral("45000"), QStringLiteral("Bekisting kolom K1 (Lantai 1)"));
            fx.addLine(QString::fromLatin1(code), b, QStringLiteral("450"), QStringLiteral("3000"),
                       QStringLiteral("Pembesian kolom dan balok (Lantai 1)"));
        }
    }
    void TearDown() override {
        TDMSPK::setPreviewHandler({});
        TDMSPK::setReportsDir(QString());
        SessionContext.reset();
    }
    QString allText() const {
        QStringList t;
        for (int p = 0; p < prepared.pageCount(); ++p)
            t += prepared.pageTexts(p);
        return t.join(u'\n');
    }

    skmtest::TestDatabase db;
    skmtest::SpkFixture fx{db};
    TDMSPK dm{&db.sa()};
    QString shown;
    report::PreparedReport prepared;
};

TEST_F(SpkPrintTest, ApprovedWorkOrderPrintsWithTheFinalTemplate) {
    ASSERT_TRUE(dm.DoPrintSPKMandor(QStringLiteral("SPK/FINAL"), 2));
    EXPECT_EQ(shown, QStringLiteral("rptProjectSPKMandorPrint"));
    ASSERT_GE(prepared.pageCount(), 1);
    const QString text = allText();
    for (const QString& expected :
         {QStringLiteral("No. SPK/FINAL"), QStringLiteral("11 Desember 2026"),
          QStringLiteral("CV. MANDOR SEJATI"), QStringLiteral("Budi Santoso PRJ-P"),
          QStringLiteral("Bekisting kolom K1 (Lantai 1)"), QStringLiteral("Petugas : Rina Petugas"),
          QStringLiteral("Project Manager"), QStringLiteral("Mandor")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("DRAFT")));
    if (const QByteArray out = qgetenv("SKM_SPK_PDF_DIR"); !out.isEmpty())
        prepared.exportPdf(QDir(QString::fromLocal8Bit(out)).filePath(QStringLiteral("final.pdf")));
}

TEST_F(SpkPrintTest, OtherStatusesPrintTheDraftWithItsWatermark) {
    ASSERT_TRUE(dm.DoPrintSPKMandor(QStringLiteral("SPK/DRAFT"), 11));
    EXPECT_EQ(shown, QStringLiteral("rptProjectSPKMandorPrintDraft"));
    EXPECT_TRUE(allText().contains(QStringLiteral("DRAFT")));
    if (const QByteArray out = qgetenv("SKM_SPK_PDF_DIR"); !out.isEmpty())
        prepared.exportPdf(QDir(QString::fromLocal8Bit(out)).filePath(QStringLiteral("draft.pdf")));
}

} // namespace
