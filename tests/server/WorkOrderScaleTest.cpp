// The large-project generator (tools/ScaleGenerator), on a small scale.

#include "support/TestDatabase.h"
#include "tools/AdminError.h"
#include "tools/ScaleGenerator.h"

#include <gtest/gtest.h>

namespace {

admin::ScaleGenerator::Options small(int seed) {
    admin::ScaleGenerator::Options o;
    o.projectCode = QStringLiteral("PRJ-KECIL");
    o.budgetItems = 300;
    o.accounts = 20;
    o.firms = 5;
    o.workOrders = 60;
    o.lines = 1200;
    o.seed = seed;
    o.lastDay = QDate(2025, 12, 31);
    return o;
}

// A fingerprint of what was generated for a project.
QString fingerprint(skmtest::TestDatabase& db, int projectID) {
    return db
        .scalar("SELECT concat_ws('|', (SELECT sum(RAPTotalAmount) FROM mstProjectRAP2 WHERE "
                "ProjectID = :p), "
                "(SELECT sum(SPKTotalAmount) FROM mstProjectSPK WHERE ProjectID = :q), "
                "(SELECT string_agg(StatusID::text, '' ORDER BY SPKCode) FROM mstProjectSPK WHERE "
                "ProjectID = :r))",
                {{"p", projectID}, {"q", projectID}, {"r", projectID}})
        .toString();
}

TEST(WorkOrderScaleTest, GeneratesTheRequestedProjectConsistently) {
    skmtest::TestDatabase db;
    admin::ScaleGenerator generator(db.owner());
    const int projectID = generator.generate(small(7));
    ASSERT_GT(projectID, 0);
    auto count = [&](const char* sql) {
        return db.scalar(QString::fromLatin1(sql), {{"p", projectID}}).toInt();
    };

    EXPECT_EQ(count("SELECT count(*) FROM mstProjectRAP2 WHERE ProjectID = :p"), 300);
    EXPECT_EQ(count("SELECT count(DISTINCT CoaID) FROM mstProjectRAP2 WHERE ProjectID = :p"), 20);
    EXPECT_EQ(count("SELECT count(*) FROM mstProjectSPK WHERE ProjectID = :p"), 60);
    EXPECT_EQ(count("SELECT count(DISTINCT CompanyID) FROM mstProjectSPK WHERE ProjectID = :p"), 5);
    EXPECT_EQ(count("SELECT count(*) FROM mstProjectSPKDetail d JOIN mstProjectSPK s ON s.SPKCode "
                    "= d.SPKCode "
                    "WHERE s.ProjectID = :p"),
              1200);
    EXPECT_EQ(count("SELECT count(DISTINCT StatusID) FROM mstProjectSPK WHERE ProjectID = :p"), 5);
    EXPECT_EQ(
        count(
            "SELECT count(*) FROM mstProjectRAP2 r JOIN mstElement e ON e.ElementID = r.ElementID "
            "WHERE r.ProjectID = :p AND e.ElementType = '01'"),
        60);
    // A year of work orders, lines only from labour items of the project, totals as the server
    // computes them.
    const int span = count(
        "SELECT max(SPKDate)::date - min(SPKDate)::date FROM mstProjectSPK WHERE ProjectID = :p");
    EXPECT_GE(span, 330);
    EXPECT_LE(span, 364);
    EXPECT_EQ(db.scalar("SELECT max(SPKDate)::date FROM mstProjectSPK WHERE ProjectID = :p",
                        {{"p", projectID}})
                  .toDate(),
              QDate(2025, 12, 31).addDays(-364 + span));
    EXPECT_EQ(
        count("SELECT count(*) FROM mstProjectSPKDetail d JOIN mstProjectSPK s ON s.SPKCode = "
              "d.SPKCode "
              "JOIN mstProjectRAP2 r ON r.RAP2ID = d.RAP2ID LEFT JOIN mstElement e ON e.ElementID "
              "= r.ElementID "
              "WHERE s.ProjectID = :p AND (r.ProjectID <> s.ProjectID OR e.ElementType <> '02')"),
        0);
    EXPECT_EQ(
        count(
            "SELECT count(*) FROM mstProjectSPK s WHERE s.ProjectID = :p AND s.SPKTotalAmount <> "
            "(SELECT round(sum(d.SPKDQuantity * d.SPKDPriceAmount), 2) FROM mstProjectSPKDetail d "
            " WHERE d.SPKCode = s.SPKCode)"),
        0);
    EXPECT_EQ(
        count(
            "SELECT count(*) FROM mstProjectSPK s WHERE s.ProjectID = :p AND s.StatusDesc IS NULL"),
        0);
    // Approved work orders carry payments, so the register shows realized volume.
    EXPECT_GT(count("SELECT count(*) FROM mstProjectSPKPaymentDetail d JOIN mstProjectSPK s ON "
                    "s.SPKCode = d.SPKCode "
                    "WHERE s.ProjectID = :p"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM mstProjectSPKPayment y JOIN mstProjectSPK s ON s.SPKCode "
                    "= y.SPKCode "
                    "WHERE s.ProjectID = :p AND s.StatusID <> 2"),
              0);

    // The same code again is refused before anything is written.
    EXPECT_THROW(generator.generate(small(7)), admin::AdminError);
}

TEST(WorkOrderScaleTest, SameSeedGivesTheSameDataAndAnotherSeedDiffers) {
    skmtest::TestDatabase a;
    skmtest::TestDatabase b;
    const QString first = fingerprint(a, admin::ScaleGenerator(a.owner()).generate(small(3)));
    const QString second = fingerprint(b, admin::ScaleGenerator(b.owner()).generate(small(3)));
    EXPECT_EQ(first, second);

    admin::ScaleGenerator::Options other = small(4);
    other.projectCode = QStringLiteral("PRJ-LAIN");
    EXPECT_NE(fingerprint(a, admin::ScaleGenerator(a.owner()).generate(other)), first);
}

TEST(WorkOrderScaleTest, RefusesOptionsOutOfRange) {
    skmtest::TestDatabase db;
    admin::ScaleGenerator generator(db.owner());
    admin::ScaleGenerator::Options o = small(1);
    o.projectCode = QString();
    EXPECT_THROW(generator.generate(o), admin::AdminError);
    o = small(1);
    o.workOrders = 0;
    EXPECT_THROW(generator.generate(o), admin::AdminError);
    o = small(1);
    o.accounts = o.budgetItems + 1;
    EXPECT_THROW(generator.generate(o), admin::AdminError);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM mstProject").toInt(), 0);
}

} // namespace
