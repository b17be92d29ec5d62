// The demo data of the work-order module loads and is consistent with the
// procedures' own rules.

#include "support/TestDatabase.h"
#include "db/Dataset.h"
#include "db/StoredProc.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

TEST(WorkOrderDemoTest, DemoDataLoadsWithWorkOrdersInEveryStatusAndConsistentTotals) {
    skmtest::TestDatabase db(true);
    auto count = [&](const char* sql) { return db.scalar(QString::fromLatin1(sql)).toInt(); };

    EXPECT_GE(
        count("SELECT count(*) FROM mstProject WHERE StatusID = 2 AND ProjectModel = 'External'"),
        2);
    EXPECT_GE(count("SELECT count(DISTINCT s.CompanyID) FROM mstProjectSPK s"), 3);
    for (int st : {1, 11, 2, 3})
        EXPECT_GE(db.scalar("SELECT count(*) FROM mstProjectSPK WHERE StatusID = :s", {{"s", st}})
                      .toInt(),
                  1)
            << st;

    // Totals as the procedures compute them; lines from labour items of the work order's project.
    EXPECT_EQ(count("SELECT count(*) FROM mstProjectSPK s WHERE s.SPKTotalAmount <> "
                    "(SELECT round(coalesce(sum(d.SPKDQuantity * d.SPKDPriceAmount), 0), 2) "
                    " FROM mstProjectSPKDetail d WHERE d.SPKCode = s.SPKCode)"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM mstProjectSPKDetail d JOIN mstProjectSPK s ON s.SPKCode "
                    "= d.SPKCode "
                    "JOIN mstProjectRAP2 r ON r.RAP2ID = d.RAP2ID LEFT JOIN mstElement e ON "
                    "e.ElementID = r.ElementID "
                    "WHERE r.ProjectID <> s.ProjectID OR e.ElementType <> '02'"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM mstProjectSPK s WHERE NOT EXISTS "
                    "(SELECT 1 FROM mstProjectSPKDetail d WHERE d.SPKCode = s.SPKCode)"),
              0);

    // The budget offers every kind of item the line dialog tells apart.
    EXPECT_GE(
        count(
            "SELECT count(*) FROM mstProjectRAP2 r JOIN mstElement e ON e.ElementID = r.ElementID "
            "WHERE e.ElementType = '01'"),
        1);
    for (const char* flags : {"11", "10", "01", "00"})
        EXPECT_GE(db.scalar("SELECT count(*) FROM mstProjectRAP2 WHERE IsValidateType = :f",
                            {{"f", flags}})
                      .toInt(),
                  1)
            << flags;
    EXPECT_GE(count("SELECT count(*) FROM mstProjectRAP2 WHERE MeasurementID = 1"), 1);
    EXPECT_GE(count("SELECT count(*) FROM mstProjectContract"), 1);

    // The register of the current week shows work orders with the project manager.
    const int projectID = count("SELECT s.ProjectID FROM mstProjectSPK s GROUP BY s.ProjectID "
                                "ORDER BY count(*) DESC LIMIT 1");
    const QDate today = QDate::currentDate();
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    db::StoredProc view(&db.sa(), QStringLiteral("procProjectSPKMandorViewR2"));
    view.declare("ProjectID", db::FieldType::Integer)
        .declare("PeriodBegin", db::FieldType::DateTime)
        .declare("PeriodEnd", db::FieldType::DateTime);
    view.setParam("ProjectID", projectID);
    view.setParam("PeriodBegin", QDateTime(monday, QTime(0, 0)));
    view.setParam("PeriodEnd", QDateTime(monday.addDays(6), QTime(0, 0)));
    db::Dataset rows;
    view.open(rows);
    ASSERT_GT(rows.rowCount(), 0);
    EXPECT_FALSE(rows.value(0, u"ProjectManager").toString().isEmpty());
    EXPECT_FALSE(rows.value(0, u"MandorTelp").toString().isEmpty());
    EXPECT_FALSE(rows.value(0, u"Category").toString().isEmpty());
}

} // namespace
