#include "support/TestDatabase.h"
#include "db/DbError.h"
#include "support/TestCluster.h"

#include <gtest/gtest.h>

using skmtest::TestCluster;
using skmtest::TestDatabase;

TEST(TestDatabaseTest, ClonesTheTemplateWithItsMigrations) {
    TestDatabase db;
    EXPECT_TRUE(db.name().startsWith(QStringLiteral("skmt_")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT current_database()")).toString(), db.name());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT current_user")).toString(),
              QStringLiteral("skm_owner"));
    EXPECT_GT(db.scalar(QStringLiteral("SELECT count(*) FROM admSchemaMigration")).toInt(), 0);
}

TEST(TestDatabaseTest, TwoDatabasesAreIndependent) {
    TestDatabase a;
    TestDatabase b;
    EXPECT_NE(a.name(), b.name());
    a.exec(QStringLiteral("CREATE TABLE tmpProbe (x integer)"));
    EXPECT_TRUE(a.scalar(QStringLiteral("SELECT to_regclass('tmpprobe') IS NOT NULL")).toBool());
    EXPECT_FALSE(b.scalar(QStringLiteral("SELECT to_regclass('tmpprobe') IS NOT NULL")).toBool());
}

TEST(TestDatabaseTest, SaLogsInAsAPlainRole) {
    TestDatabase db;
    auto q = db.sa().exec(QStringLiteral("SELECT current_user, rolsuper FROM pg_roles "
                                         "WHERE rolname = current_user"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("sa"));
    EXPECT_FALSE(q.value(1).toBool());
    EXPECT_EQ(db.saSettings().port(), TestCluster::instance().port());
}

TEST(TestDatabaseTest, DestructorDropsTheDatabase) {
    QString name;
    {
        TestDatabase db;
        name = db.name();
        db.sa(); // an open connection must not keep it alive
    }
    TestDatabase other;
    EXPECT_EQ(other
                  .scalar(QStringLiteral("SELECT count(*) FROM pg_database WHERE datname = :n"),
                          {{QStringLiteral("n"), name}})
                  .toInt(),
              0);
}

TEST(TestDatabaseTest, ScriptsRunSeveralStatementsAndReportAFailureInAnyOfThem) {
    TestDatabase db;
    db.exec(QStringLiteral("CREATE TABLE tmpA (x integer); INSERT INTO tmpA VALUES (1), (2);\n"
                           "CREATE FUNCTION tmpF() RETURNS integer LANGUAGE plpgsql AS $$\n"
                           "DECLARE v integer; BEGIN v := 40; RETURN v + 2; END $$;"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT sum(x) FROM tmpA")).toInt(), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT tmpF()")).toInt(), 42);
    EXPECT_THROW(db.exec(QStringLiteral("INSERT INTO tmpA VALUES (3); INSERT INTO noSuchTable "
                                        "VALUES (1); INSERT INTO tmpA VALUES (4)")),
                 db::DbError);
    // A failing script is one implicit transaction: nothing of it stays.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM tmpA")).toInt(), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT x FROM tmpA WHERE x = :x"), {{"x", 2}}).toInt(), 2);
}
