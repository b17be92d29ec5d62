#include "workorders/TDMSPK.h"
#include "support/TestDatabase.h"
#include "workorders/SpkFixture.h"

#include <gtest/gtest.h>

using skmtest::SpkFixture;
using skmtest::TestDatabase;

namespace {

class TDMSPKTest : public ::testing::Test {
protected:
    TestDatabase db;
    SpkFixture fx{db};
    TDMSPK dm{&db.sa()};
    int project = fx.addProject(QStringLiteral("PRJ-A"), QStringLiteral("Gedung Kantor"));
    int foreman = fx.addCompany(QStringLiteral("CV. MANDOR JAYA"), QStringLiteral("022-7654321"));
};

double committedOf(db::Dataset& ds, int rap2ID) {
    for (int r = 0; r < ds.rowCount(); ++r)
        if (ds.value(r, u"RAP2ID").toInt() == rap2ID)
            return db::Dataset::toDouble(ds.value(r, u"TrxPreviousQuantity"));
    ADD_FAILURE() << "item " << rap2ID << " not listed";
    return -1;
}

TEST_F(TDMSPKTest, LinesLookUpTheirBudgetItemAndUnitAndComputeTheirTotal) {
    const int bekisting =
        fx.addBudgetItem(project, QStringLiteral("4.1.1"), QStringLiteral("Bekisting kolom"),
                         QStringLiteral("Lantai 1"), 2, QStringLiteral("100"),
                         QStringLiteral("45000"), QStringLiteral("11"));
    const int besi = fx.addBudgetItem(project, QStringLiteral("4.1.2"), QStringLiteral("Pembesian"),
                                      QStringLiteral("Lantai 2"), 5, QStringLiteral("500"),
                                      QStringLiteral("3000"), QStringLiteral("10"));
    fx.addWorkOrder(QStringLiteral("SPK-1"), project, foreman, QDate::currentDate(), 1);
    fx.addLine(QStringLiteral("SPK-1"), besi, QStringLiteral("12.5"), QStringLiteral("3000"));
    fx.addLine(QStringLiteral("SPK-1"), bekisting, QStringLiteral("2.25"),
               QStringLiteral("45000.50"));

    dm.openProjectRAPUpah(project);
    dm.openMeasurement();
    dm.openSPKDetail(QStringLiteral("SPK-1"));
    db::Dataset& d = dm.adodsSPKDetail;
    ASSERT_EQ(d.rowCount(), 2);
    EXPECT_EQ(d.value(0, u"RAP2ID").toInt(), besi); // SPKDIndex order
    EXPECT_EQ(d.value(0, u"CoaCode").toString(), QStringLiteral("4.1.2"));
    EXPECT_EQ(d.value(0, u"MeasurementCode").toString(), QStringLiteral("KG"));
    EXPECT_EQ(d.value(1, u"CoaFullName").toString(), QStringLiteral("4.1.1 - Upah 4.1.1"));
    EXPECT_EQ(d.value(1, u"RAPDesc").toString(), QStringLiteral("Bekisting kolom (Lantai 1)"));
    EXPECT_EQ(d.value(1, u"RAPIndex").toInt(),
              db.scalar(QStringLiteral("SELECT RAPIndex FROM mstProjectRAP2 WHERE RAP2ID = :r"),
                        {{"r", bekisting}})
                  .toInt());
    EXPECT_DOUBLE_EQ(d.value(0, u"SPKDTotalAmount").toDouble(), 12.5 * 3000);
    EXPECT_DOUBLE_EQ(d.value(1, u"SPKDTotalAmount").toDouble(), 2.25 * 45000.50);

    // An edit in memory changes the computed total at once.
    d.setValue(0, u"SPKDQuantity", 2);
    EXPECT_DOUBLE_EQ(d.value(0, u"SPKDTotalAmount").toDouble(), 6000);
}

TEST_F(TDMSPKTest, AutomaticOpensAnEmptyLineSetThatTakesNewLines) {
    const int item = fx.addBudgetItem(project, QStringLiteral("4.2.1"), QStringLiteral("Cor beton"),
                                      QStringLiteral("Lantai 1"), 3, QStringLiteral("10"),
                                      QStringLiteral("250000"), QStringLiteral("11"));
    dm.openProjectRAPUpah(project);
    dm.openMeasurement();
    dm.openSPKDetail(QStringLiteral("AUTOMATIC"));
    EXPECT_EQ(dm.adodsSPKDetail.rowCount(), 0);
    const int row = dm.adodsSPKDetail.appendRow({{"RAP2ID", item},
                                                 {"MeasurementID", 3},
                                                 {"SPKDQuantity", QStringLiteral("4")},
                                                 {"SPKDPriceAmount", 1000}});
    EXPECT_EQ(dm.adodsSPKDetail.value(row, u"MeasurementCode").toString(), QStringLiteral("M3"));
    EXPECT_DOUBLE_EQ(dm.adodsSPKDetail.value(row, u"SPKDTotalAmount").toDouble(), 4000);
}

TEST_F(TDMSPKTest, OnlyLabourItemsAndItemsWithoutElementAreOffered) {
    const int labour = fx.addBudgetItem(
        project, QStringLiteral("5.1"), QStringLiteral("Pasang bata"), QStringLiteral("All"), 2,
        QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("00"));
    const int material = fx.addBudgetItem(
        project, QStringLiteral("5.2"), QStringLiteral("Bata merah"), QStringLiteral("All"), 6,
        QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("00"), QStringLiteral("01"));
    const int bare = fx.addBudgetItem(project, QStringLiteral("5.3"), QStringLiteral("Lain-lain"),
                                      QStringLiteral("All"), 1, QStringLiteral("1"),
                                      QStringLiteral("1"), QStringLiteral("00"));
    db.exec(QStringLiteral("UPDATE mstProjectRAP2 SET ElementID = NULL WHERE RAP2ID = :r"),
            {{"r", bare}});
    const int otherProject = fx.addProject(QStringLiteral("PRJ-B"), QStringLiteral("Gudang"));
    fx.addBudgetItem(otherProject, QStringLiteral("5.4"), QStringLiteral("Lain"),
                     QStringLiteral("All"), 2, QStringLiteral("1"), QStringLiteral("1"),
                     QStringLiteral("00"));

    dm.openProjectRAPUpah(project);
    QList<int> ids;
    for (int r = 0; r < dm.adodsProjectRAPUpah.rowCount(); ++r)
        ids << dm.adodsProjectRAPUpah.value(r, u"RAP2ID").toInt();
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (QList<int>{labour, bare}));
    EXPECT_FALSE(ids.contains(material));
    EXPECT_EQ(committedOf(dm.adodsProjectRAPUpah, labour), 0.0); // 0, not null
    EXPECT_FALSE(dm.adodsProjectRAPUpah.value(0, u"TrxPreviousQuantity").isNull());
}

// Which statuses count as committed volume in the item list and in the single item.
struct CommittedCase {
    int statusID;
    bool inList;
    bool inDetail;
};

class CommittedVolumeTest : public TDMSPKTest,
                            public ::testing::WithParamInterface<CommittedCase> {};

TEST_P(CommittedVolumeTest, StatusDecidesWhetherLinesCount) {
    const CommittedCase c = GetParam();
    const int item = fx.addBudgetItem(project, QStringLiteral("6.1"), QStringLiteral("Plester"),
                                      QStringLiteral("All"), 2, QStringLiteral("100"),
                                      QStringLiteral("1000"), QStringLiteral("11"));
    fx.addWorkOrder(QStringLiteral("SPK-C"), project, foreman, QDate::currentDate(), c.statusID);
    fx.addLine(QStringLiteral("SPK-C"), item, QStringLiteral("7.5"), QStringLiteral("1000"));
    fx.addLine(QStringLiteral("SPK-C"), item, QStringLiteral("2.5"), QStringLiteral("1000"));

    dm.openProjectRAPUpah(project);
    EXPECT_DOUBLE_EQ(committedOf(dm.adodsProjectRAPUpah, item), c.inList ? 10.0 : 0.0);
    dm.openProjectRAPUpahDetail(item);
    ASSERT_EQ(dm.adodsProjectRAPUpahDetail.rowCount(), 1);
    EXPECT_DOUBLE_EQ(dm.adodsProjectRAPUpahDetail.asDouble(u"TrxPreviousQuantity"),
                     c.inDetail ? 10.0 : 0.0);
}

INSTANTIATE_TEST_SUITE_P(Statuses, CommittedVolumeTest,
                         ::testing::Values(CommittedCase{1, false, false},
                                           CommittedCase{11, true, true},
                                           CommittedCase{2, true, true},
                                           CommittedCase{5, false, true},
                                           CommittedCase{3, false, false}));

TEST_F(TDMSPKTest, PettyCashLinesCountWhenSubmittedOrApproved) {
    const int item = fx.addBudgetItem(project, QStringLiteral("6.2"), QStringLiteral("Acian"),
                                      QStringLiteral("All"), 2, QStringLiteral("100"),
                                      QStringLiteral("1000"), QStringLiteral("11"));
    fx.addPettyCashLine(project, item, QStringLiteral("3"), 2);
    fx.addPettyCashLine(project, item, QStringLiteral("4"), 11);
    fx.addPettyCashLine(project, item, QStringLiteral("50"), 1);
    dm.openProjectRAPUpah(project);
    EXPECT_DOUBLE_EQ(committedOf(dm.adodsProjectRAPUpah, item), 7.0);
    dm.openProjectRAPUpahDetail(item);
    EXPECT_DOUBLE_EQ(dm.adodsProjectRAPUpahDetail.asDouble(u"TrxPreviousQuantity"), 7.0);
}

TEST_F(TDMSPKTest, PrintRowsCarryHeaderTeamAndLinesInOrder) {
    const int a = fx.addBudgetItem(project, QStringLiteral("7.1"), QStringLiteral("Galian"),
                                   QStringLiteral("Zona A"), 3, QStringLiteral("50"),
                                   QStringLiteral("80000"), QStringLiteral("11"));
    const int b = fx.addBudgetItem(project, QStringLiteral("7.2"), QStringLiteral("Urugan"),
                                   QStringLiteral("Zona B"), 3, QStringLiteral("50"),
                                   QStringLiteral("60000"), QStringLiteral("11"));
    fx.addWorkOrder(QStringLiteral("SPK-P"), project, foreman, QDate(2026, 12, 11), 2);
    fx.addLine(QStringLiteral("SPK-P"), b, QStringLiteral("3"), QStringLiteral("60000"));
    fx.addLine(QStringLiteral("SPK-P"), a, QStringLiteral("1.5"), QStringLiteral("80000"));

    TDMSPK::reopenWith(dm.adodsSPKPrint, {{QStringLiteral("SPKCode"), QStringLiteral("SPK-P")}});
    db::Dataset& p = dm.adodsSPKPrint;
    ASSERT_EQ(p.rowCount(), 2);
    EXPECT_EQ(p.value(0, u"CoaCode").toString(), QStringLiteral("7.2"));
    EXPECT_EQ(p.value(1, u"CoaCode").toString(), QStringLiteral("7.1"));
    EXPECT_EQ(p.value(0, u"MandorName").toString(), QStringLiteral("CV. MANDOR JAYA"));
    EXPECT_EQ(p.value(0, u"MandorTelp").toString(), QStringLiteral("022-7654321"));
    EXPECT_EQ(p.value(0, u"ProjectManager").toString(), QStringLiteral("Budi Santoso PRJ-A"));
    EXPECT_EQ(p.value(0, u"ProjectDirector").toString(), QStringLiteral("Hendra Wijaya PRJ-A"));
    EXPECT_EQ(p.value(0, u"ProjectCompanyName").toString(), QStringLiteral("PT. PEMILIK PRJ-A"));
    EXPECT_EQ(p.value(0, u"MeasurementCode").toString(), QStringLiteral("M3"));
    EXPECT_DOUBLE_EQ(db::Dataset::toDouble(p.value(1, u"SPKDTotalAmount")), 120000.0);
    EXPECT_FALSE(p.value(0, u"SPKTotalAmountSays").toString().isEmpty());
    EXPECT_EQ(p.value(0, u"StatusID").toInt(), 2);
}

TEST_F(TDMSPKTest, WorkOrderWithoutLinesPrintsOneRowWithEmptyLineColumns) {
    fx.addWorkOrder(QStringLiteral("SPK-E"), project, foreman, QDate::currentDate(), 1);
    TDMSPK::reopenWith(dm.adodsSPKPrint, {{QStringLiteral("SPKCode"), QStringLiteral("SPK-E")}});
    ASSERT_EQ(dm.adodsSPKPrint.rowCount(), 1);
    EXPECT_TRUE(dm.adodsSPKPrint.value(0, u"SPKDWorkDesc").isNull());
    EXPECT_EQ(dm.adodsSPKPrint.value(0, u"SPKCode").toString(), QStringLiteral("SPK-E"));
}

TEST(TDMSPKTemplate, OnlyApprovedWorkOrdersUseTheFinalTemplate) {
    for (int status : {0, 1, 11, 5, 3})
        EXPECT_EQ(TDMSPK::templateNameForStatus(status),
                  QStringLiteral("rptProjectSPKMandorPrintDraft"))
            << status;
    EXPECT_EQ(TDMSPK::templateNameForStatus(2), QStringLiteral("rptProjectSPKMandorPrint"));
}

} // namespace
