#include "tools/UserAdmin.h"
#include "app/TSecurity.h"
#include "support/TestCluster.h"
#include "support/TestDatabase.h"
#include "tools/AdminError.h"
#include "tools/SqlSession.h"

#include <gtest/gtest.h>

using admin::AdminError;
using admin::NewUser;
using admin::UserAdmin;
using skmtest::TestCluster;
using skmtest::TestDatabase;

namespace {
// The log-in's own question: user, scrambled password, active, module granted.
int loginRows(TestDatabase& db, const QString& code, const QString& password,
              const QString& module) {
    const QString scrambled = TSecurity(3361, 6473).Scramble(password, 7942);
    return db
        .scalar(QStringLiteral("SELECT count(*) FROM admUser u "
                               "LEFT JOIN admPolicy p ON p.PolicyID = u.PolicyID "
                               "LEFT JOIN admPolicyDetail pd ON pd.PolicyID = p.PolicyID "
                               "LEFT JOIN admModuleDetail md ON md.mdID = pd.mdID "
                               "WHERE u.UserCode = :c AND u.UserPassword = :p AND u.IsActive "
                               "AND md.mdCode = :m"),
                {{"c", code}, {"p", scrambled}, {"m", module}})
        .toInt();
}

int addProject(TestDatabase& db, const QString& code) {
    return db
        .scalar(QStringLiteral("INSERT INTO mstProject (ProjectCode, ProjectName, StatusID) "
                               "VALUES (:c, :c, 2) RETURNING ProjectID"),
                {{"c", code}})
        .toInt();
}
} // namespace

class UserAdminTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_session =
            std::make_unique<admin::SqlSession>(TestCluster::instance().superLogin(m_db.name()));
        m_session->execScript(QStringLiteral("SET ROLE skm_owner"), QStringLiteral("role"));
        m_users = std::make_unique<UserAdmin>(*m_session);
    }
    void TearDown() override {
        m_users.reset();
        m_session.reset();
    }
    TestDatabase m_db;
    std::unique_ptr<admin::SqlSession> m_session;
    std::unique_ptr<UserAdmin> m_users;
};

TEST_F(UserAdminTest, StoredPasswordIsWhatTheLogInCompares) {
    NewUser u{QStringLiteral("budi"),
              QStringLiteral("Budi Santoso"),
              QStringLiteral("rahasia"),
              true,
              {},
              {QStringLiteral("SYS-001"), QStringLiteral("SIT-SPK-001")}};
    const int id = m_users->addUser(u);
    EXPECT_EQ(m_db.scalar(QStringLiteral("SELECT UserPassword FROM admUser WHERE UserID = :id"),
                          {{"id", id}})
                  .toString(),
              TSecurity(3361, 6473).Scramble(QStringLiteral("rahasia"), 7942));
    EXPECT_EQ(loginRows(m_db, "budi", "rahasia", "SYS-001"), 1);
    EXPECT_EQ(loginRows(m_db, "budi", "rahasia", "SIT-SPK-001"), 1);
    EXPECT_EQ(loginRows(m_db, "budi", "rahasia", "SIT-PC-001"), 0);
    EXPECT_EQ(loginRows(m_db, "budi", "Rahasia", "SYS-001"), 0);
    EXPECT_TRUE(m_users->userExists(QStringLiteral("budi")));
}

TEST_F(UserAdminTest, WithoutModuleListThePolicyGrantsEveryModule) {
    NewUser u{QStringLiteral("all"), QStringLiteral("All"), QStringLiteral("pw"), true, {}, {}};
    m_users->addUser(u);
    const int modules = m_db.scalar(QStringLiteral("SELECT count(*) FROM admModuleDetail")).toInt();
    ASSERT_GT(modules, 0);
    EXPECT_EQ(m_db.scalar(QStringLiteral("SELECT count(*) FROM admPolicyDetail pd JOIN admUser u "
                                         "ON u.PolicyID = pd.PolicyID WHERE u.UserCode = 'all'"))
                  .toInt(),
              modules);
}

TEST_F(UserAdminTest, FullAccessOrTheListedProjects) {
    const int p1 = addProject(m_db, QStringLiteral("PRJ-A"));
    addProject(m_db, QStringLiteral("PRJ-B"));
    const int p3 = addProject(m_db, QStringLiteral("PRJ-C"));
    m_users->addUser(
        {QStringLiteral("full"), QStringLiteral("Full"), QStringLiteral("pw"), true, {}, {}});
    m_users->addUser({QStringLiteral("some"),
                      QStringLiteral("Some"),
                      QStringLiteral("pw"),
                      false,
                      {QStringLiteral("PRJ-A"), QStringLiteral("PRJ-C")},
                      {}});
    EXPECT_EQ(
        m_db.scalar(QStringLiteral("SELECT ProjectAccess FROM admUser WHERE UserCode = 'full'"))
            .toString(),
        QStringLiteral("FULL"));
    EXPECT_NE(
        m_db.scalar(QStringLiteral("SELECT ProjectAccess FROM admUser WHERE UserCode = 'some'"))
            .toString(),
        QStringLiteral("FULL"));
    EXPECT_EQ(m_db.scalar(QStringLiteral("SELECT count(*) FROM admUserProject up JOIN admUser u "
                                         "USING (UserID) WHERE u.UserCode = 'full'"))
                  .toInt(),
              0);
    EXPECT_EQ(m_db.scalar(QStringLiteral("SELECT string_agg(ProjectID::text, ',' ORDER BY "
                                         "ProjectID) FROM admUserProject up JOIN admUser u "
                                         "USING (UserID) WHERE u.UserCode = 'some'"))
                  .toString(),
              QStringLiteral("%1,%2").arg(p1).arg(p3));
}

TEST_F(UserAdminTest, BadEntriesAreRefusedAndWriteNothing) {
    addProject(m_db, QStringLiteral("PRJ-A"));
    m_users->addUser(
        {QStringLiteral("taken"), QStringLiteral("T"), QStringLiteral("pw"), true, {}, {}});
    const int usersBefore = m_db.scalar(QStringLiteral("SELECT count(*) FROM admUser")).toInt();
    const int policiesBefore =
        m_db.scalar(QStringLiteral("SELECT count(*) FROM admPolicy")).toInt();
    const QList<NewUser> bad{
        {QStringLiteral("taken"), QStringLiteral("T"), QStringLiteral("pw"), true, {}, {}},
        {QString(), QStringLiteral("T"), QStringLiteral("pw"), true, {}, {}},
        {QStringLiteral("x"), QString(), QStringLiteral("pw"), true, {}, {}},
        {QStringLiteral("x"), QStringLiteral("T"), QString(), true, {}, {}},
        {QString(26, u'a'), QStringLiteral("T"), QStringLiteral("pw"), true, {}, {}},
        {QStringLiteral("x"), QStringLiteral("T"), QString::fromUtf8("\xe2\x82\xac"), true, {}, {}},
        {QStringLiteral("x"), QStringLiteral("T"), QStringLiteral("pw"), false, {}, {}},
        {QStringLiteral("x"),
         QStringLiteral("T"),
         QStringLiteral("pw"),
         false,
         {QStringLiteral("PRJ-A"), QStringLiteral("NOPE")},
         {}},
        {QStringLiteral("x"),
         QStringLiteral("T"),
         QStringLiteral("pw"),
         true,
         {},
         {QStringLiteral("SYS-001"), QStringLiteral("NO-SUCH")}},
    };
    for (const NewUser& u : bad)
        EXPECT_THROW(m_users->addUser(u), AdminError) << u.code.toStdString();
    EXPECT_EQ(m_db.scalar(QStringLiteral("SELECT count(*) FROM admUser")).toInt(), usersBefore);
    EXPECT_EQ(m_db.scalar(QStringLiteral("SELECT count(*) FROM admPolicy")).toInt(),
              policiesBefore);
}
