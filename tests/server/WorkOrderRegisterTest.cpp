// procProjectSPKMandorViewR2: the rows of the work-order register.

#include "WorkOrderTestFixture.h"
#include "db/Dataset.h"

namespace wotest {
namespace {

class WorkOrderRegisterTest : public WorkOrderTest {
protected:
    void open(db::Dataset& ds, int projectID, QDate begin, QDate end) {
        db::StoredProc p(&db.sa(), QStringLiteral("procProjectSPKMandorViewR2"));
        p.declare("ProjectID", FieldType::Integer)
            .declare("PeriodBegin", FieldType::DateTime)
            .declare("PeriodEnd", FieldType::DateTime);
        p.setParam("ProjectID", projectID);
        p.setParam("PeriodBegin", QDateTime(begin, QTime(0, 0)));
        p.setParam("PeriodEnd", QDateTime(end, QTime(0, 0)));
        p.open(ds);
    }
    void dated(const QString& code, const QDateTime& when) {
        ASSERT_TRUE(insert(code, when).ok());
        ASSERT_TRUE(line(code, itemVolume, dec("1"), dec("10")).ok());
    }
    QStringList codes(const db::Dataset& ds) {
        QStringList out;
        for (int r = 0; r < ds.rowCount(); ++r)
            out << ds.value(r, u"SPKCode").toString();
        return out;
    }
};

TEST_F(WorkOrderRegisterTest, ColumnsAreTheOnesTheRegisterReads) {
    db::Dataset ds;
    open(ds, project, QDate(2025, 3, 3), QDate(2025, 3, 9));
    const QStringList expected = {"SPKCode",
                                  "SPKDate",
                                  "ProjectID",
                                  "ProjectCode",
                                  "ProjectName",
                                  "ProjectYear",
                                  "City",
                                  "Province",
                                  "ProjectManager",
                                  "ProjectCompanyName",
                                  "CompanyID",
                                  "MandorName",
                                  "MandorTelp",
                                  "SPKRetensionPercentage",
                                  "SPKPPhPercentage",
                                  "SPKTotalAmount",
                                  "SPKDesc3",
                                  "StatusID",
                                  "StatusDesc",
                                  "SPKDIndex",
                                  "RAP2ID",
                                  "CoaID",
                                  "Category",
                                  "CategorySub",
                                  "CoaFullName",
                                  "CoaCode",
                                  "CoaName",
                                  "RAPIndex",
                                  "RAPDesc",
                                  "RAPLocation",
                                  "RAP2Index",
                                  "RAP2Desc",
                                  "SPKDWorkDesc",
                                  "MeasurementID",
                                  "MeasurementCode",
                                  "SPKDQuantity",
                                  "SPKDPriceAmount",
                                  "SPKDTotalAmount",
                                  "SPKDDesc",
                                  "RealisasiQuantity",
                                  "RealisasiTotalAmount",
                                  "RealisasiPercentage",
                                  "SPKPPn"};
    ASSERT_EQ(ds.fieldCount(), expected.size());
    for (int i = 0; i < ds.fieldCount(); ++i)
        EXPECT_EQ(ds.field(i).name.toLower(), expected[i].toLower()) << i;
    EXPECT_EQ(ds.rowCount(), 0);
}

TEST_F(WorkOrderRegisterTest, PeriodIncludesBothDaysWholeAndOnlyThisProject) {
    dated("SPK-BEFORE", QDateTime(QDate(2025, 3, 2), QTime(23, 59, 59)));
    dated("SPK-FIRST", QDateTime(QDate(2025, 3, 3), QTime(0, 0)));
    dated("SPK-MID", QDateTime(QDate(2025, 3, 5), QTime(12, 0)));
    dated("SPK-LAST", QDateTime(QDate(2025, 3, 9), QTime(23, 59, 59)));
    dated("SPK-AFTER", QDateTime(QDate(2025, 3, 10), QTime(0, 0)));
    ASSERT_TRUE(entry("INSERT", "SPK-OTHER", "SPK-OTHER", QDateTime(QDate(2025, 3, 5), QTime(8, 0)),
                      otherProject, firm)
                    .ok());

    db::Dataset ds;
    open(ds, project, QDate(2025, 3, 3), QDate(2025, 3, 9));
    QStringList got = codes(ds);
    got.sort();
    EXPECT_EQ(got, QStringList({"SPK-FIRST", "SPK-LAST", "SPK-MID"}));

    open(ds, otherProject, QDate(2025, 3, 3), QDate(2025, 3, 9));
    EXPECT_EQ(codes(ds), QStringList({"SPK-OTHER"}));
}

TEST_F(WorkOrderRegisterTest, OneRowPerLineWithTheHeaderRepeated) {
    // Team, owner and a second, inactive project manager.
    const int owner =
        id("INSERT INTO mstCompany (CompanyName) VALUES ('PT. PEMILIK') RETURNING CompanyID");
    db.exec("UPDATE mstProject SET ProjectOwnerID = :o WHERE ProjectID = :p",
            {{"o", owner}, {"p", project}});
    for (const auto& [name, title, st] : {std::tuple{"Ani PM", 3, 7}, std::tuple{"Bona Lama", 3, 8},
                                          std::tuple{"Citra PD", 2, 7}}) {
        const int contact = id(
            "INSERT INTO mstContact (ContactName) VALUES (:n) RETURNING ContactID", {{"n", name}});
        const int employee =
            id("INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID) VALUES (1, :c, :j) "
               "RETURNING EmployeeID",
               {{"c", contact}, {"j", title}});
        db.exec("INSERT INTO mstProjectTeam (ProjectID, EmployeeID, JobTitleID, StatusID) VALUES "
                "(:p, :e, :j, :s)",
                {{"p", project}, {"e", employee}, {"j", title}, {"s", st}});
    }
    workOrder("SPK-1", {{itemVolume, "2.5"}, {itemNoFlag, "4"}});
    ASSERT_TRUE(insert("SPK-0").ok()); // no lines

    db::Dataset ds;
    open(ds, project, QDate(2025, 3, 3), QDate(2025, 3, 9));
    ASSERT_EQ(ds.rowCount(), 3);
    ASSERT_EQ(codes(ds), QStringList({"SPK-0", "SPK-1", "SPK-1"}));

    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(ds.value(r, u"ProjectCode").toString(), "TP-1");
        EXPECT_EQ(ds.value(r, u"ProjectYear").toInt(), 2025);
        EXPECT_EQ(ds.value(r, u"City").toString(), "Kota Uji");
        EXPECT_EQ(ds.value(r, u"ProjectManager").toString(), "Ani PM");
        EXPECT_EQ(ds.value(r, u"ProjectCompanyName").toString(), "PT. PEMILIK");
        EXPECT_EQ(ds.value(r, u"MandorName").toString(), "CV. MANDOR UJI");
        EXPECT_EQ(ds.value(r, u"MandorTelp").toString(), "021-555");
        EXPECT_EQ(ds.value(r, u"StatusID").toInt(), 1);
        EXPECT_EQ(ds.value(r, u"StatusDesc").toString(), "Entry");
        EXPECT_EQ(db::Dataset::toDecimal(ds.value(r, u"SPKRetensionPercentage")).toString(2),
                  "5.00");
        EXPECT_FALSE(ds.value(r, u"SPKPPn").isNull());
        EXPECT_FALSE(ds.value(r, u"RealisasiQuantity").isNull());
        EXPECT_FALSE(ds.value(r, u"RealisasiTotalAmount").isNull());
        EXPECT_FALSE(ds.value(r, u"RealisasiPercentage").isNull());
        EXPECT_EQ(db::Dataset::toDecimal(ds.value(r, u"RealisasiQuantity")).toString(2), "0.00");
    }
    // The work order without lines: one row, empty line columns.
    for (const char16_t* f :
         {u"SPKDIndex", u"RAP2ID", u"CoaID", u"SPKDQuantity", u"SPKDWorkDesc", u"Category"})
        EXPECT_TRUE(ds.value(0, f).isNull()) << QString::fromUtf16(f).toStdString();

    EXPECT_EQ(ds.value(1, u"SPKDIndex").toInt(), 1);
    EXPECT_EQ(ds.value(2, u"SPKDIndex").toInt(), 2);
    EXPECT_EQ(ds.value(1, u"RAP2ID").toInt(), itemVolume);
    EXPECT_EQ(ds.value(1, u"Category").toString(), "PEKERJAAN UJI");
    EXPECT_EQ(ds.value(1, u"CategorySub").toString(), "Sub Uji");
    EXPECT_EQ(ds.value(1, u"CoaFullName").toString(), "T9.1.01 - Akun Uji");
    EXPECT_EQ(ds.value(1, u"CoaCode").toString(), "T9.1.01");
    EXPECT_EQ(ds.value(1, u"RAPDesc").toString(), "Grup Uji");
    EXPECT_EQ(ds.value(1, u"RAPLocation").toString(), "Lantai 1");
    EXPECT_EQ(ds.value(1, u"RAP2Desc").toString(), "Item 1");
    EXPECT_EQ(ds.value(1, u"MeasurementCode").toString(), "M3");
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(1, u"SPKDTotalAmount")).toString(2), "2500.00");
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(2, u"SPKDTotalAmount")).toString(2), "4000.00");
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(1, u"SPKTotalAmount")).toString(2), "6500.00");
}

TEST_F(WorkOrderRegisterTest, RealizedFiguresComeFromPaymentsNotCancelled) {
    workOrder("SPK-1", {{itemVolume, "8"}, {itemNoFlag, "0"}}, 2);
    db.exec("INSERT INTO mstProjectSPKPaymentBatch (ReceiptCode, ProjectID, CompanyID) VALUES "
            "('KW-1', :p, :f)",
            {{"p", project}, {"f", firm}});
    for (const auto& [index, st, qty] :
         {std::tuple{1, 2, "1.5"}, std::tuple{2, 1, "0.5"}, std::tuple{3, 3, "4"}}) {
        db.exec("INSERT INTO mstProjectSPKPayment (ReceiptCode, SPKCode, PaymentIndex, StatusID) "
                "VALUES ('KW-1', 'SPK-1', :i, :s)",
                {{"i", index}, {"s", st}});
        db.exec("INSERT INTO mstProjectSPKPaymentDetail (ReceiptCode, SPKCode, PaymentIndex, "
                "SPKDIndex, "
                "PaymentQuantity) VALUES ('KW-1', 'SPK-1', :i, 1, CAST(:q AS numeric))",
                {{"i", index}, {"q", QString::fromLatin1(qty)}});
    }
    db.exec(
        "INSERT INTO mstProjectSPKPaymentDetail (ReceiptCode, SPKCode, PaymentIndex, SPKDIndex, "
        "PaymentQuantity) VALUES ('KW-1', 'SPK-1', 1, 2, 3)");

    db::Dataset ds;
    open(ds, project, QDate(2025, 3, 3), QDate(2025, 3, 9));
    ASSERT_EQ(ds.rowCount(), 2);
    // Line 1: 8 at 1000; paid 1.5 + 0.5 (the cancelled 4 does not count).
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(0, u"RealisasiQuantity")).toString(3), "2.000");
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(0, u"RealisasiTotalAmount")).toString(2), "2000.00");
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(0, u"RealisasiPercentage")).toString(2), "25.00");
    // Line 2 has volume 0: its percentage is 0, not a division error.
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(1, u"RealisasiQuantity")).toString(3), "3.000");
    EXPECT_EQ(db::Dataset::toDecimal(ds.value(1, u"RealisasiPercentage")).toString(2), "0.00");
}

} // namespace
} // namespace wotest
