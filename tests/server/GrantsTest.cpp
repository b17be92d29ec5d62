#include "db/DbError.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using skmtest::TestDatabase;

namespace {

// Every statement is tried inside a transaction that is rolled back, so a grant
// that is wrongly present cannot change the data seen by later statements.
class GrantsTest : public ::testing::Test {
protected:
    // Returns the server's error text, or an empty text when the statement ran.
    QString tryAsSa(const QString& sql) {
        db::Connection& sa = db.sa();
        sa.begin();
        QString error;
        try {
            sa.exec(sql);
        } catch (const db::DbError& e) {
            error = e.text();
        }
        sa.rollback();
        return error;
    }
    TestDatabase db;
};

TEST_F(GrantsTest, SaCannotWriteBusinessTablesDirectly) {
    const char* statements[] = {
        "INSERT INTO mstCompany (CompanyName) VALUES ('X')",
        "UPDATE mstCompany SET CompanyName = 'X' WHERE CompanyID = 1",
        "DELETE FROM mstCompany WHERE CompanyID = 1",
        "INSERT INTO prefStatus (StatusID, StatusName) VALUES (99, 'X')",
        "UPDATE admUser SET UserPassword = 'X'",
        "DELETE FROM admUser",
        "INSERT INTO admUser (UserCode, UserName, UserPassword) VALUES ('x', 'x', 'x')",
        "UPDATE admVersion SET VersionMinor = 16",
        "UPDATE admSetting SET SettingValue = '0'",
        "DELETE FROM mstProjectSPK",
        "UPDATE mstProjectSPK SET StatusID = 2",
        "DELETE FROM mstProjectSPKDetail",
        "DELETE FROM mstProjectSPKPayment",
        "DELETE FROM mstProjectPC",
        "UPDATE mstProjectPCDetail SET PCDQuantity = 0",
        "INSERT INTO mstProjectTeam (ProjectID, EmployeeID, JobTitleID) VALUES (1, 1, 1)",
        "UPDATE mstProjectTeam SET StatusID = 8",
        "DELETE FROM mstProjectRAP2",
        "SELECT nextval(pg_get_serial_sequence('mstcompany', 'companyid'))",
    };
    for (const char* sql : statements) {
        const QString error = tryAsSa(QString::fromLatin1(sql));
        EXPECT_TRUE(error.contains(QLatin1String("permission denied"), Qt::CaseInsensitive))
            << sql << " -> " << (error.isEmpty() ? "succeeded" : error.toStdString());
    }
}

// Utility statements cannot be prepared, so these rights are read from the catalogue.
TEST_F(GrantsTest, SaCannotCreateOrTruncate) {
    EXPECT_FALSE(db.scalar(QStringLiteral("SELECT has_schema_privilege('sa', 'public', 'CREATE')"))
                     .toBool());
    EXPECT_FALSE(db.scalar(QStringLiteral("SELECT has_database_privilege('sa', current_database(), "
                                          "'CREATE')"))
                     .toBool());
    for (const char* table : {"mstprojectteam", "mstprojectpcdetail", "mstprojectspk", "admuser"}) {
        EXPECT_FALSE(db.scalar(QStringLiteral("SELECT has_table_privilege('sa', CAST(:t AS text), "
                                              "'TRUNCATE, REFERENCES, TRIGGER')"),
                               {{QStringLiteral("t"), QString::fromLatin1(table)}})
                         .toBool())
            << table;
    }
    EXPECT_FALSE(db.scalar(QStringLiteral("SELECT rolsuper OR rolcreaterole OR rolcreatedb "
                                          "FROM pg_roles WHERE rolname = 'sa'"))
                     .toBool());
}

TEST_F(GrantsTest, SaDeletesFromTeamAndPettyCashLines) {
    EXPECT_EQ(tryAsSa(QStringLiteral("DELETE FROM mstProjectTeam WHERE ProjectID = 0")), QString());
    EXPECT_EQ(tryAsSa(QStringLiteral("DELETE FROM mstProjectPCDetail WHERE ReceiptCode = 'none'")),
              QString());
}

TEST_F(GrantsTest, SaReadsEveryTableAndView) {
    QStringList tables;
    QSqlQuery q = db.owner().exec(QStringLiteral(
        "SELECT table_name FROM information_schema.tables WHERE table_schema = 'public'"));
    while (q.next())
        tables << q.value(0).toString();
    q.finish();
    ASSERT_GE(tables.size(), 40);
    for (const QString& table : tables) {
        // The name comes from the catalogue, quoted by the server itself.
        const QString sql =
            db.scalar(QStringLiteral("SELECT format('SELECT count(*) FROM %I', CAST(:t AS text))"),
                      {{QStringLiteral("t"), table}})
                .toString();
        EXPECT_EQ(tryAsSa(sql), QString()) << table.toStdString();
    }
}

TEST_F(GrantsTest, SaExecutesFunctionsAndSeesTheirEffect) {
    db.exec(QStringLiteral("INSERT INTO admUser (UserCode, UserName, UserPassword) "
                           "VALUES ('grant', 'Grant', 'AA')"));
    QSqlQuery q = db.sa().exec(
        QStringLiteral("SELECT Hasil FROM procChangePassword('ws', 'Grant', 'grant', 'AA', 'BB')"));
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).toString().startsWith(QLatin1String("00")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT UserPassword FROM admUser WHERE UserCode = 'grant'"))
                  .toString(),
              QStringLiteral("BB"));
    EXPECT_EQ(tryAsSa(QStringLiteral("SELECT FunTerbilangReal(5)")), QString());
    EXPECT_EQ(tryAsSa(QStringLiteral("SELECT FunStatusName(1)")), QString());
}

TEST_F(GrantsTest, EveryFunctionIsExecutableBySaAndNotByPublic) {
    QSqlQuery q = db.owner().exec(QStringLiteral(
        "SELECT p.oid::regprocedure::text, has_function_privilege('sa', p.oid, 'EXECUTE'), "
        "coalesce(p.proacl::text, '') FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
        "WHERE n.nspname = 'public'"));
    int count = 0;
    while (q.next()) {
        EXPECT_TRUE(q.value(1).toBool()) << q.value(0).toString().toStdString();
        // An ACL entry "=X/..." would mean EXECUTE for every role.
        EXPECT_FALSE(q.value(2).toString().contains(QLatin1String("{=X")) ||
                     q.value(2).toString().contains(QLatin1String(",=X")))
            << q.value(0).toString().toStdString();
        ++count;
    }
    EXPECT_GE(count, 5);
}

TEST_F(GrantsTest, WritingFunctionsRunAsOwnerWithFixedSearchPath) {
    QSqlQuery q = db.owner().exec(
        QStringLiteral("SELECT p.proname, pg_get_userbyid(p.proowner), p.prosecdef, "
                       "coalesce(array_to_string(p.proconfig, ','), '') FROM pg_proc p "
                       "JOIN pg_namespace n ON n.oid = p.pronamespace WHERE n.nspname = 'public' "
                       "AND p.prosecdef"));
    int count = 0;
    while (q.next()) {
        const std::string name = q.value(0).toString().toStdString();
        EXPECT_EQ(q.value(1).toString(), QStringLiteral("skm_owner")) << name;
        EXPECT_TRUE(q.value(3).toString().contains(QLatin1String("search_path=public"))) << name;
        ++count;
    }
    EXPECT_GE(count, 1) << "procChangePassword at least";
}

TEST_F(GrantsTest, EveryFunctionIsDocumented) {
    QSqlQuery q = db.owner().exec(QStringLiteral(
        "SELECT p.oid::regprocedure::text FROM pg_proc p JOIN pg_namespace n "
        "ON n.oid = p.pronamespace LEFT JOIN pg_depend d ON d.objid = p.oid AND d.deptype = 'e' "
        "WHERE n.nspname = 'public' AND d.objid IS NULL "
        "AND coalesce(obj_description(p.oid, 'pg_proc'), '') = ''"));
    while (q.next())
        ADD_FAILURE() << "no COMMENT ON FUNCTION for " << q.value(0).toString().toStdString();
}

} // namespace
