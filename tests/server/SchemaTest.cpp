#include "db/DbError.h"
#include "support/TestDatabase.h"

#include <QSet>
#include <QSqlQuery>
#include <gtest/gtest.h>

using skmtest::TestDatabase;

namespace {

struct ColumnCase {
    const char* table;
    const char* column;
    const char* type; // information_schema data_type
    int length;       // character length or numeric precision; 0 = not checked
    int scale;
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
    *os << c.table << "." << c.column;
}

const ColumnCase kColumns[] = {
    {"admVersion", "VersionMajor", "integer", 0, 0},
    {"admVersion", "VersionMinor", "integer", 0, 0},
    {"admVersion", "VersionMajorDate", "timestamp without time zone", 0, 0},
    {"admVersion", "VersionDatabase", "integer", 0, 0},
    {"admVersion", "VersionDatabaseDate", "timestamp without time zone", 0, 0},
    {"admVersion", "IsActive", "boolean", 0, 0},
    {"admUser", "UserCode", "character varying", 25, 0},
    {"admUser", "UserName", "character varying", 100, 0},
    {"admUser", "UserPassword", "character varying", 100, 0},
    {"admUser", "ProjectAccess", "character varying", 100, 0},
    {"admUser", "IsActive", "boolean", 0, 0},
    {"admUser", "PolicyID", "integer", 0, 0},
    {"admPolicy", "PolicyName", "character varying", 100, 0},
    {"admPolicyDetail", "mdID", "integer", 0, 0},
    {"admModuleDetail", "mdCode", "character varying", 25, 0},
    {"admModuleDetail", "mdName", "character varying", 100, 0},
    {"admUserProject", "ProjectID", "integer", 0, 0},
    {"admSetting", "SettingKey", "character varying", 50, 0},
    {"admSetting", "SettingValue", "character varying", 255, 0},
    {"prefStatus", "StatusCode", "character varying", 25, 0},
    {"prefStatus", "StatusName", "character varying", 100, 0},
    {"prefStatus", "StatusDesc", "character varying", 255, 0},
    {"prefMeasurement", "MeasurementCode", "character varying", 25, 0},
    {"prefMeasurement", "MeasurementName", "character varying", 100, 0},
    {"prefMeasurement", "MeasurementDesc", "character varying", 255, 0},
    {"prefCompanyType", "CompanyTypeName", "character varying", 100, 0},
    {"prefCoreBusiness", "CoreBusinessName", "character varying", 100, 0},
    {"prefContactType", "ContactTypeName", "character varying", 50, 0},
    {"prefReligion", "ReligionCode", "character varying", 25, 0},
    {"prefGender", "GenderName", "character varying", 100, 0},
    {"prefMarital", "MaritalName", "character varying", 50, 0},
    {"prefEmployeeType", "EmployeeTypeName", "character varying", 100, 0},
    {"prefGrade", "GradeName", "character varying", 50, 0},
    {"prefResignType", "ResignTypeName", "character varying", 100, 0},
    {"prefJobTitle", "JobTitleCode", "character varying", 50, 0},
    {"prefJobTitle", "JobTitleName", "character varying", 100, 0},
    {"prefJobTitle", "JobTitleGrade", "integer", 0, 0},
    {"prefJobTitle", "ShowInCompetence", "boolean", 0, 0},
    {"prefJobTitle", "OrderID", "integer", 0, 0},
    {"mstDepartment", "DepartmentSymbol", "character varying", 2, 0},
    {"mstDepartment", "DepartmentCode", "character varying", 50, 0},
    {"prefProjectType", "ProjectTypeName", "character varying", 100, 0},
    {"prefContractType", "ContractTypeName", "character varying", 100, 0},
    {"prefBuildingType", "BuildingTypeName", "character varying", 100, 0},
    {"prefProjectOwner", "ProjectOwnerName", "character varying", 250, 0},
    {"prefCOA", "CoaCode", "character varying", 50, 0},
    {"prefCOA", "CoaName", "character varying", 100, 0},
    {"prefCOA", "CoaParentID", "integer", 0, 0},
    {"prefCOA", "CoaLevel", "smallint", 0, 0},
    {"mstElement", "ElementType", "character varying", 5, 0},
    {"mstElement", "ElementCode", "character varying", 20, 0},
    {"mstElement", "ElementName", "character varying", 100, 0},
    {"mstElement", "ElementDesc", "character varying", 256, 0},
    {"mstCompany", "CompanyName", "character varying", 100, 0},
    {"mstCompany", "CompanyDesc", "character varying", 512, 0},
    {"mstCompany", "CompanyAddress1", "character varying", 256, 0},
    {"mstCompany", "CompanyZipcode", "character varying", 10, 0},
    {"mstCompany", "CompanyBankName", "character varying", 256, 0},
    {"mstCompany", "CompanyBankAccountName", "character varying", 100, 0},
    {"mstContact", "ContactCode", "character varying", 25, 0},
    {"mstContact", "ContactDOB", "timestamp without time zone", 0, 0},
    {"mstContact", "ContactAddress1", "character varying", 150, 0},
    {"mstContact", "ContactZIPCode", "character varying", 50, 0},
    {"mstContact", "ContactDesc", "character varying", 255, 0},
    {"mstContact", "IsDelete", "boolean", 0, 0},
    {"mstEmployee", "EmployeeCode", "character varying", 25, 0},
    {"mstEmployee", "EmployeeAttendanceCode", "character varying", 25, 0},
    {"mstEmployee", "ResignDesc", "character varying", 255, 0},
    {"mstEmployee", "EmployeeTypeEndDate", "timestamp without time zone", 0, 0},
    {"mstProject", "ProjectCode", "character varying", 25, 0},
    {"mstProject", "ProjectName", "character varying", 100, 0},
    {"mstProject", "Company", "character varying", 255, 0},
    {"mstProject", "zipCode", "character varying", 10, 0},
    {"mstProject", "Telp", "character varying", 50, 0},
    {"mstProject", "LandArea", "numeric", 18, 2},
    {"mstProject", "BuildingArea", "numeric", 18, 2},
    {"mstProject", "IsValidateRAP", "boolean", 0, 0},
    {"mstProject", "ProjectModel", "character varying", 50, 0},
    {"mstProject", "ProjectYear", "integer", 0, 0},
    {"mstProjectTeam", "PeriodStart", "timestamp without time zone", 0, 0},
    {"mstProjectTeam", "ConsumptionAmount", "numeric", 18, 2},
    {"mstProjectTeam", "AllowanceProject", "numeric", 18, 2},
    {"mstProjectTeam", "OffInFee", "numeric", 18, 2},
    {"mstProjectTeam", "HolidayInFee", "numeric", 18, 2},
    {"mstProjectTeam", "IsOTWithSPL", "boolean", 0, 0},
    {"mstProjectTeam", "AttendanceType", "character varying", 50, 0},
    {"mstProjectContract", "ContractAmount", "numeric", 18, 2},
    {"mstProjectRAP", "RAPDesc", "character varying", 256, 0},
    {"mstProjectRAP", "RAPLocation", "character varying", 100, 0},
    {"mstProjectRAP2", "RAP2Desc", "character varying", 256, 0},
    {"mstProjectRAP2", "RAPQuantity", "numeric", 18, 3},
    {"mstProjectRAP2", "RAPPriceAmount", "numeric", 18, 2},
    {"mstProjectRAP2", "RAPTotalAmount", "numeric", 18, 2},
    {"mstProjectRAP2", "IsValidateType", "character varying", 10, 0},
    {"mstProjectRAP2", "RAPModel", "character varying", 50, 0},
    {"mstProjectSPK", "SPKCode", "character varying", 50, 0},
    {"mstProjectSPK", "SPKDate", "timestamp without time zone", 0, 0},
    {"mstProjectSPK", "SPKTotalAmount", "numeric", 18, 2},
    {"mstProjectSPK", "SPKRetensionPercentage", "numeric", 18, 2},
    {"mstProjectSPK", "SPKPPhPercentage", "numeric", 18, 2},
    {"mstProjectSPK", "SPKPPn", "boolean", 0, 0},
    {"mstProjectSPK", "SPKPPnAmount", "numeric", 24, 8},
    {"mstProjectSPK", "SPKGrandTotalAmount", "numeric", 24, 8},
    {"mstProjectSPK", "SPKDesc3", "character varying", 256, 0},
    {"mstProjectSPK", "StatusDesc", "character varying", 255, 0},
    {"mstProjectSPKDetail", "SPKDWorkDesc", "character varying", 256, 0},
    {"mstProjectSPKDetail", "SPKDQuantity", "numeric", 18, 3},
    {"mstProjectSPKDetail", "SPKDPriceAmount", "numeric", 18, 2},
    {"mstProjectSPKDetail", "SPKDDesc", "character varying", 256, 0},
    {"mstProjectSPKPaymentBatch", "ReceiptCode", "character varying", 50, 0},
    {"mstProjectSPKPaymentBatch", "PaymentPeriodBegin", "timestamp without time zone", 0, 0},
    {"mstProjectSPKPaymentBatch", "StatusOrder", "integer", 0, 0},
    {"mstProjectSPKPayment", "PaymentAmount", "numeric", 24, 8},
    {"mstProjectSPKPayment", "PaymentGrandTotalAmount", "numeric", 24, 8},
    {"mstProjectSPKPayment", "StatusDesc", "character varying", 256, 0},
    {"mstProjectSPKPaymentDetail", "PaymentPercentage", "numeric", 24, 8},
    {"mstProjectSPKPaymentDetail", "PaymentQuantity", "numeric", 24, 8},
    {"mstProjectPC", "ReceiptPayee", "character varying", 100, 0},
    {"mstProjectPC", "ReceiptType", "character varying", 50, 0},
    {"mstProjectPC", "ReceiptDesc", "character varying", 256, 0},
    {"mstProjectPC", "PCCode", "character varying", 50, 0},
    {"mstProjectPCDetail", "PCDDesc", "character varying", 512, 0},
    {"mstProjectPCDetail", "PCDQuantity", "numeric", 18, 3},
    {"mstProjectPCDetail", "PCDPriceAmount", "numeric", 18, 2},
    {"mstProjectPKM", "PKMLocation", "character varying", 100, 0},
    {"mstProjectPKM", "StatusDesc", "character varying", 256, 0},
    {"mstProjectPKMDetail", "PKMDFunction", "character varying", 512, 0},
    {"mstProjectPKMDetail", "PKMDQuantity", "numeric", 18, 2},
    {"mstProjectPKMDetail", "PKMDTargetDate", "timestamp without time zone", 0, 0},
    {"mstProjectPODetail", "PKMCode", "character varying", 50, 0},
    {"mstProjectPODetail", "PODQuantity", "numeric", 18, 2},
    {"mstMaterialMovement", "DocumentNo", "character varying", 50, 0},
    {"mstMaterialMovementDetail", "MDQuantity", "numeric", 18, 2},
};

class ColumnTest : public ::testing::TestWithParam<ColumnCase> {
protected:
    static void SetUpTestSuite() { s_db = new TestDatabase(); }
    static void TearDownTestSuite() {
        delete s_db;
        s_db = nullptr;
    }
    static TestDatabase* s_db;
};
TestDatabase* ColumnTest::s_db = nullptr;

TEST_P(ColumnTest, ExistsWithDeclaredType) {
    const ColumnCase& c = GetParam();
    QSqlQuery q = s_db->owner().exec(
        QStringLiteral(
            "SELECT data_type, coalesce(character_maximum_length, numeric_precision, 0), "
            "coalesce(numeric_scale, 0) FROM information_schema.columns "
            "WHERE table_schema = 'public' AND table_name = lower(:t) "
            "AND column_name = lower(:c)"),
        {{QStringLiteral("t"), QString::fromLatin1(c.table)},
         {QStringLiteral("c"), QString::fromLatin1(c.column)}});
    ASSERT_TRUE(q.next()) << "missing column";
    EXPECT_EQ(q.value(0).toString().toStdString(), c.type);
    if (c.length > 0) {
        EXPECT_EQ(q.value(1).toInt(), c.length);
        EXPECT_EQ(q.value(2).toInt(), c.scale);
    }
}

INSTANTIATE_TEST_SUITE_P(Schema, ColumnTest, ::testing::ValuesIn(kColumns));

class SchemaTest : public ::testing::Test {
protected:
    QStringList strings(const QString& sql) {
        QStringList out;
        QSqlQuery q = db.owner().exec(sql);
        while (q.next())
            out << q.value(0).toString();
        return out;
    }
    TestDatabase db;
};

TEST_F(SchemaTest, IdentityColumns) {
    const QStringList expected = {
        "prefmeasurement.measurementid",
        "prefresigntype.resigntypeid",
        "prefcontracttype.contracttypeid",
        "prefcoa.coaid",
        "mstcompany.companyid",
        "mstcontact.contactid",
        "mstemployee.employeeid",
        "mstelement.elementid",
        "mstproject.projectid",
        "mstprojectrap2.rap2id",
        "admuser.userid",
        "admpolicy.policyid",
        "admmoduledetail.mdid",
        "mstprojectspkpaymentbatch.batchid",
    };
    const QStringList identities = strings(
        QStringLiteral("SELECT table_name || '.' || column_name FROM information_schema.columns "
                       "WHERE table_schema = 'public' AND is_identity = 'YES'"));
    for (const QString& col : expected)
        EXPECT_TRUE(identities.contains(col)) << col.toStdString();
}

TEST_F(SchemaTest, BusinessTablesCarryAuditColumns) {
    const QStringList tables = strings(QStringLiteral(
        "SELECT table_name FROM information_schema.tables WHERE table_schema = 'public' "
        "AND table_type = 'BASE TABLE' AND (table_name LIKE 'mst%' OR table_name LIKE 'adm%') "
        "AND table_name NOT IN ('admversion', 'admschemamigration')"));
    ASSERT_GE(tables.size(), 25);
    const QStringList audit = {"entryby",  "entryfrom",  "entrytime",
                               "modifyby", "modifyfrom", "modifytime"};
    for (const QString& t : tables) {
        for (const QString& c : audit) {
            const QVariant type = db.scalar(
                QStringLiteral(
                    "SELECT data_type || coalesce('(' || character_maximum_length || ')', '') "
                    "FROM information_schema.columns WHERE table_schema = 'public' "
                    "AND table_name = :t AND column_name = :c"),
                {{QStringLiteral("t"), t}, {QStringLiteral("c"), c}});
            ASSERT_TRUE(type.isValid()) << t.toStdString() << "." << c.toStdString();
            const bool isTime = c.endsWith(QLatin1String("time"));
            EXPECT_EQ(type.toString().toStdString(),
                      isTime ? "timestamp without time zone" : "character varying(100)")
                << t.toStdString() << "." << c.toStdString();
        }
    }
}

TEST_F(SchemaTest, VersionRecordReadsOneFifteen) {
    QSqlQuery q = db.owner().exec(
        QStringLiteral("SELECT VersionMajor, VersionMinor, IsActive FROM admVersion"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
    EXPECT_EQ(q.value(1).toInt(), 15);
    EXPECT_TRUE(q.value(2).toBool());
    EXPECT_FALSE(q.next()) << "exactly one version row";
}

TEST_F(SchemaTest, StatusCodes) {
    const QStringList ids = strings(QStringLiteral("SELECT StatusID FROM prefStatus ORDER BY 1"));
    for (const char* id : {"1", "2", "3", "5", "7", "8", "11"})
        EXPECT_TRUE(ids.contains(QLatin1String(id))) << id;
    struct Named {
        int id;
        const char* name;
    };
    for (const Named& n :
         {Named{1, "Entry"}, Named{11, "Diajukan"}, Named{2, "Disetujui"}, Named{3, "Dibatalkan"},
          Named{5, "Diputus"}, Named{7, "Aktif"}, Named{8, "Tidak Aktif"}}) {
        EXPECT_EQ(
            db.scalar(QStringLiteral("SELECT FunStatusName(:id)"), {{QStringLiteral("id"), n.id}})
                .toString()
                .toStdString(),
            n.name);
    }
    EXPECT_TRUE(db.scalar(QStringLiteral("SELECT FunStatusName(999)")).isNull());
}

TEST_F(SchemaTest, MeasurementUnits) {
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT MeasurementCode FROM prefMeasurement "
                                       "WHERE MeasurementID = 1"))
                  .toString(),
              QStringLiteral("LS"));
    const QStringList codes =
        strings(QStringLiteral("SELECT MeasurementCode FROM prefMeasurement"));
    for (const char* c : {"M2", "M3", "M1", "KG", "BH", "TTK", "UNIT", "HARI"})
        EXPECT_TRUE(codes.contains(QLatin1String(c))) << c;
    // The identity continues after the seeded units.
    db.exec(QStringLiteral("INSERT INTO prefMeasurement (MeasurementCode) VALUES ('XTEST')"));
    EXPECT_GT(db.scalar(QStringLiteral("SELECT MeasurementID FROM prefMeasurement "
                                       "WHERE MeasurementCode = 'XTEST'"))
                  .toInt(),
              codes.size() - 1);
}

TEST_F(SchemaTest, ElementTypes) {
    EXPECT_EQ(strings(QStringLiteral("SELECT ElementType || '=' || ElementTypeName "
                                     "FROM prefElementType ORDER BY 1")),
              (QStringList{"01=MATERIAL", "02=UPAH", "03=ANALISA", "04=OVERHEAD", "05=PERALATAN",
                           "06=INVENTARIS", "07=SUBKON"}));
}

TEST_F(SchemaTest, JobTitles) {
    for (const char* name : {"Project Manager", "Project Director", "GM. Construction"}) {
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT DepartmentID FROM prefJobTitle "
                                           "WHERE JobTitleName = :n"),
                            {{QStringLiteral("n"), QString::fromLatin1(name)}})
                      .toInt(),
                  1)
            << name;
    }
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT count(*) FROM prefJobTitle WHERE JobTitleName = 'Mandor'"))
            .toInt(),
        1);
}

TEST_F(SchemaTest, ModulesSettingsAndOwnCompany) {
    const QStringList modules = strings(QStringLiteral("SELECT mdCode FROM admModuleDetail"));
    for (const char* c :
         {"SYS-001", "SIT-SPK-001", "SIT-SPK-002", "SIT-PC-001", "SIT-RAP-001", "CON-PPB-002"})
        EXPECT_TRUE(modules.contains(QLatin1String(c))) << c;
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT FunSettingNumeric('PPnPercentage')")).toInt(), 11);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT FunSettingNumeric('NoSuchKey', 7)")).toInt(), 7);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT CompanyName FROM mstCompany WHERE CompanyID = 1"))
                  .toString(),
              QStringLiteral("PT. KALVEO KONSTRUKSI"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT FunDepartmentID('00')")).toInt(), 1);
    // A new company gets a key after the company's own record.
    db.exec(QStringLiteral("INSERT INTO mstCompany (CompanyName) VALUES ('CV. UJI')"));
    EXPECT_GT(
        db.scalar(QStringLiteral("SELECT CompanyID FROM mstCompany WHERE CompanyName = 'CV. UJI'"))
            .toInt(),
        1);
}

// A project with one budget line under a three-level account tree.
class BudgetFixtureTest : public SchemaTest {
protected:
    void SetUp() override {
        db.exec(
            QStringLiteral("INSERT INTO prefCOA (CoaID, CoaCode, CoaName, CoaParentID, CoaLevel) "
                           "OVERRIDING SYSTEM VALUE VALUES (901, 'C', 'BIAYA LANGSUNG', NULL, 1), "
                           "(902, 'C.1', 'PEKERJAAN STRUKTUR', 901, 2), (903, 'C.1.01', 'Pekerjaan "
                           "Beton', 902, 3)"));
        db.exec(
            QStringLiteral("INSERT INTO mstProject (ProjectCode, ProjectName, BeginDate, StatusID) "
                           "VALUES ('P-01', 'Gedung Uji', '2024-03-01', 2)"));
        projectId =
            db.scalar(QStringLiteral("SELECT ProjectID FROM mstProject WHERE ProjectCode = 'P-01'"))
                .toInt();
        db.exec(QStringLiteral(
                    "INSERT INTO mstProjectRAP (ProjectID, CoaID, RAPIndex, RAPDesc, RAPLocation) "
                    "VALUES (:p, 903, 1, 'Beton K-300', 'Lantai 1')"),
                {{QStringLiteral("p"), projectId}});
        rap2Id =
            db.scalar(QStringLiteral("INSERT INTO mstProjectRAP2 (ProjectID, CoaID, RAPIndex, "
                                     "RAP2Index, RAP2Desc, "
                                     "MeasurementID, RAPQuantity, RAPPriceAmount, RAPTotalAmount) "
                                     "VALUES (:p, 903, 1, 1, 'Upah cor', 3, 10, 150000, 1500000) "
                                     "RETURNING RAP2ID"),
                      {{QStringLiteral("p"), projectId}})
                .toInt();
        db.exec(QStringLiteral("INSERT INTO mstCompany (CompanyName) VALUES ('CV. MANDOR UJI')"));
        companyId =
            db.scalar(QStringLiteral(
                          "SELECT CompanyID FROM mstCompany WHERE CompanyName = 'CV. MANDOR UJI'"))
                .toInt();
    }
    void insertWorkOrder(const QString& code, int status = 1) {
        db.exec(QStringLiteral(
                    "INSERT INTO mstProjectSPK (SPKCode, SPKDate, ProjectID, CompanyID, StatusID) "
                    "VALUES (:c, '2024-03-04', :p, :co, :s)"),
                {{QStringLiteral("c"), code},
                 {QStringLiteral("p"), projectId},
                 {QStringLiteral("co"), companyId},
                 {QStringLiteral("s"), status}});
    }
    int projectId = 0;
    int rap2Id = 0;
    int companyId = 0;
};

TEST_F(BudgetFixtureTest, CoaViewDeliversCategoryAndSubCategory) {
    QSqlQuery q = db.owner().exec(QStringLiteral(
        "SELECT CoaFullName, Category, CategoryCode, CategoryName, CategorySub, CategorySubCode, "
        "CategorySubName FROM vwCOA WHERE CoaID = 903"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("C.1.01 - Pekerjaan Beton"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("C - BIAYA LANGSUNG"));
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("C"));
    EXPECT_EQ(q.value(3).toString(), QStringLiteral("BIAYA LANGSUNG"));
    EXPECT_EQ(q.value(4).toString(), QStringLiteral("C.1 - PEKERJAAN STRUKTUR"));
    EXPECT_EQ(q.value(5).toString(), QStringLiteral("C.1"));
    EXPECT_EQ(q.value(6).toString(), QStringLiteral("PEKERJAAN STRUKTUR"));
}

TEST_F(BudgetFixtureTest, CoaTreeRejectsRootWithParentAndAccountWithoutParent) {
    EXPECT_THROW(
        db.exec(QStringLiteral("INSERT INTO prefCOA (CoaCode, CoaName, CoaParentID, CoaLevel) "
                               "VALUES ('X', 'x', 901, 1)")),
        db::DbError);
    EXPECT_THROW(db.exec(QStringLiteral("INSERT INTO prefCOA (CoaCode, CoaName, CoaLevel) "
                                        "VALUES ('Y', 'y', 3)")),
                 db::DbError);
}

TEST_F(BudgetFixtureTest, ProjectYearFollowsBeginDate) {
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT ProjectYear FROM mstProject WHERE ProjectID = :p"),
                        {{QStringLiteral("p"), projectId}})
                  .toInt(),
              2024);
}

TEST_F(BudgetFixtureTest, WorkOrderRenumberCarriesItsLines) {
    insertWorkOrder(QStringLiteral("SPK-001"));
    db.exec(QStringLiteral(
                "INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID, MeasurementID, "
                "SPKDQuantity, SPKDPriceAmount) VALUES ('SPK-001', 1, :r, 3, 2.5, 150000)"),
            {{QStringLiteral("r"), rap2Id}});
    db.exec(
        QStringLiteral("UPDATE mstProjectSPK SET SPKCode = 'SPK-001A' WHERE SPKCode = 'SPK-001'"));
    EXPECT_EQ(db.scalar(QStringLiteral(
                            "SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-001A'"))
                  .toInt(),
              1);
    EXPECT_EQ(db.scalar(QStringLiteral(
                            "SELECT count(*) FROM mstProjectSPKDetail WHERE SPKCode = 'SPK-001'"))
                  .toInt(),
              0);
    // Deleting the work order takes its lines with it.
    db.exec(QStringLiteral("DELETE FROM mstProjectSPK WHERE SPKCode = 'SPK-001A'"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM mstProjectSPKDetail")).toInt(), 0);
}

TEST_F(BudgetFixtureTest, WorkOrderLineNeedsExistingBudgetLineAndWorkOrder) {
    insertWorkOrder(QStringLiteral("SPK-002"));
    EXPECT_THROW(
        db.exec(QStringLiteral("INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID) "
                               "VALUES ('SPK-002', 1, :r)"),
                {{QStringLiteral("r"), rap2Id + 1000}}),
        db::DbError);
    EXPECT_THROW(
        db.exec(QStringLiteral("INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID) "
                               "VALUES ('NO-SUCH', 1, :r)"),
                {{QStringLiteral("r"), rap2Id}}),
        db::DbError);
}

TEST_F(BudgetFixtureTest, WorkOrderStatusDomain) {
    for (int ok : {1, 11, 2, 5, 3})
        EXPECT_NO_THROW(insertWorkOrder(QStringLiteral("SPK-S%1").arg(ok), ok)) << ok;
    for (int bad : {0, 4, 7, 8, 12})
        EXPECT_THROW(insertWorkOrder(QStringLiteral("SPK-B%1").arg(bad), bad), db::DbError) << bad;
}

TEST_F(BudgetFixtureTest, DecimalsKeepTheirScale) {
    insertWorkOrder(QStringLiteral("SPK-003"));
    db.exec(
        QStringLiteral("INSERT INTO mstProjectSPKDetail (SPKCode, SPKDIndex, RAP2ID, "
                       "SPKDQuantity, SPKDPriceAmount) VALUES ('SPK-003', 1, :r, 1.23456, 99.999)"),
        {{QStringLiteral("r"), rap2Id}});
    QSqlQuery q = db.owner().exec(QStringLiteral(
        "SELECT SPKDQuantity::text, SPKDPriceAmount::text FROM mstProjectSPKDetail"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("1.235"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("100.00"));
    // 16 digits before the point do not fit numeric(18,3).
    EXPECT_THROW(db.exec(QStringLiteral("UPDATE mstProjectSPKDetail SET SPKDQuantity = 1e16")),
                 db::DbError);
}

TEST_F(BudgetFixtureTest, TeamStatusIsActiveOrInactive) {
    db.exec(QStringLiteral("INSERT INTO mstContact (ContactName) VALUES ('Budi')"));
    const int contact =
        db.scalar(QStringLiteral("SELECT ContactID FROM mstContact WHERE ContactName = 'Budi'"))
            .toInt();
    const int employee =
        db.scalar(QStringLiteral("INSERT INTO mstEmployee (CompanyID, ContactID, JobTitleID) "
                                 "VALUES (1, :c, 3) RETURNING EmployeeID"),
                  {{QStringLiteral("c"), contact}})
            .toInt();
    const QString insert = QStringLiteral("INSERT INTO mstProjectTeam (ProjectID, EmployeeID, "
                                          "JobTitleID, StatusID) VALUES (:p, :e, :j, :s)");
    EXPECT_NO_THROW(db.exec(insert, {{"p", projectId}, {"e", employee}, {"j", 3}, {"s", 7}}));
    EXPECT_NO_THROW(db.exec(insert, {{"p", projectId}, {"e", employee}, {"j", 2}, {"s", 8}}));
    EXPECT_THROW(db.exec(insert, {{"p", projectId}, {"e", employee}, {"j", 4}, {"s", 1}}),
                 db::DbError);
    // The same member, position and project only once.
    EXPECT_THROW(db.exec(insert, {{"p", projectId}, {"e", employee}, {"j", 3}, {"s", 8}}),
                 db::DbError);
}

} // namespace
