#include "tools/DatabaseInstaller.h"
#include "db/DbError.h"
#include "support/TestCluster.h"
#include "support/TestDatabase.h"
#include "tools/AdminError.h"
#include "tools/Migration.h"
#include "tools/SqlSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using admin::AdminError;
using admin::DatabaseInstaller;
using skmtest::TestCluster;
using skmtest::TestDatabase;

namespace {
void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

// A server folder of our own so the test controls which migrations exist.
struct ScratchServer {
    QTemporaryDir dir;
    QString path(const QString& rel) const { return dir.filePath(rel); }
};

// A fresh empty database for the installer to work on; dropped at the end.
struct ScratchDatabase {
    QString name = TestCluster::instance().uniqueName(QStringLiteral("skminst"));
    ~ScratchDatabase() {
        try {
            admin::SqlSession s(TestCluster::instance().superLogin());
            s.execFormatted(QStringLiteral("DROP DATABASE IF EXISTS %I WITH (FORCE)"),
                            {{QStringLiteral("d"), name}});
        } catch (const std::exception&) {
        }
    }
};

QVariant scalarIn(const QString& database, const QString& sql) {
    admin::SqlSession s(TestCluster::instance().superLogin(database));
    return s.scalar(sql);
}
} // namespace

TEST(DatabaseInstallerTest, AppliesMigrationsOnceInOrderAndRecordsThem) {
    ScratchServer server;
    writeFile(server.path("migrations/002_second.sql"),
              "INSERT INTO tmpOrder (Step) VALUES ('second');");
    writeFile(server.path("migrations/001_first.sql"),
              "CREATE TABLE tmpOrder (Seq serial, Step text);\n"
              "INSERT INTO tmpOrder (Step) VALUES ('first');");
    writeFile(server.path("procedures/a.sql"),
              "CREATE OR REPLACE FUNCTION tmpAnswer() RETURNS integer LANGUAGE plpgsql AS $$\n"
              "DECLARE v integer := 41; BEGIN RETURN v + 1; END $$;");
    ScratchDatabase db;
    TestCluster& c = TestCluster::instance();
    DatabaseInstaller installer(c.superLogin(), server.dir.path());

    const auto first = installer.install(db.name, c.saPassword(), c.ownerPassword());
    EXPECT_TRUE(first.databaseCreated);
    EXPECT_EQ(first.applied, (QStringList{"001_first.sql", "002_second.sql"}));
    EXPECT_EQ(
        scalarIn(db.name, "SELECT string_agg(Step, ',' ORDER BY Seq) FROM tmpOrder").toString(),
        QStringLiteral("first,second"));
    EXPECT_EQ(scalarIn(db.name, "SELECT string_agg(Version || ':' || Name, ',' ORDER BY Version) "
                                "FROM admSchemaMigration")
                  .toString(),
              QStringLiteral("1:first,2:second"));
    EXPECT_EQ(scalarIn(db.name, "SELECT tmpAnswer()").toInt(), 42);
    EXPECT_EQ(scalarIn(db.name, "SELECT tableowner FROM pg_tables WHERE tablename = 'tmporder'")
                  .toString(),
              QStringLiteral("skm_owner"));

    // Re-running applies nothing; a new file is picked up alone.
    const auto again = installer.install(db.name, c.saPassword(), c.ownerPassword());
    EXPECT_FALSE(again.databaseCreated);
    EXPECT_TRUE(again.applied.isEmpty());
    writeFile(server.path("migrations/003_third.sql"),
              "INSERT INTO tmpOrder (Step) VALUES ('third');");
    EXPECT_EQ(installer.pendingMigrations(db.name).size(), 1);
    EXPECT_EQ(installer.install(db.name, {}, {}).applied, QStringList{"003_third.sql"});
    EXPECT_EQ(scalarIn(db.name, "SELECT count(*) FROM tmpOrder").toInt(), 3);
}

TEST(DatabaseInstallerTest, AFailingMigrationLeavesNothingBehindAndStopsTheRun) {
    ScratchServer server;
    writeFile(server.path("migrations/001_ok.sql"), "CREATE TABLE tmpOk (x integer);");
    writeFile(server.path("migrations/002_bad.sql"),
              "CREATE TABLE tmpHalf (x integer);\nINSERT INTO noSuchTable VALUES (1);");
    writeFile(server.path("migrations/003_later.sql"), "CREATE TABLE tmpLater (x integer);");
    ScratchDatabase db;
    TestCluster& c = TestCluster::instance();
    DatabaseInstaller installer(c.superLogin(), server.dir.path());
    try {
        installer.install(db.name, c.saPassword(), c.ownerPassword());
        FAIL() << "the broken migration was accepted";
    } catch (const AdminError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("002_bad.sql"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QStringLiteral("nosuchtable"))) << e.text().toStdString();
    }
    EXPECT_EQ(scalarIn(db.name, "SELECT string_agg(Version::text, ',') FROM admSchemaMigration")
                  .toString(),
              QStringLiteral("1"));
    EXPECT_FALSE(scalarIn(db.name, "SELECT to_regclass('tmphalf') IS NOT NULL").toBool());
    EXPECT_FALSE(scalarIn(db.name, "SELECT to_regclass('tmplater') IS NOT NULL").toBool());
}

TEST(DatabaseInstallerTest, RefusesMisnamedOrDuplicateMigrationFiles) {
    for (const auto& files : {QStringList{"001_a.sql", "1_b.sql"}, QStringList{"abc.sql"},
                              QStringList{"000_zero.sql"}}) {
        ScratchServer server;
        for (const QString& f : files)
            writeFile(server.path("migrations/" + f), "SELECT 1;");
        EXPECT_THROW(admin::Migration::scan(server.path("migrations")), AdminError)
            << files.join(u' ').toStdString();
    }
}

TEST(DatabaseInstallerTest, SaReadsButCannotWriteTables) {
    TestDatabase db;
    const QString table =
        db
            .scalar(QStringLiteral(
                "SELECT tablename FROM pg_tables WHERE schemaname = 'public' AND tablename <> "
                "'admschemamigration' ORDER BY tablename LIMIT 1"))
            .toString();
    ASSERT_FALSE(table.isEmpty()) << "the template holds no tables";
    EXPECT_NO_THROW(db.sa().exec(QStringLiteral("SELECT count(*) FROM admSchemaMigration")));
    EXPECT_THROW(db.sa().exec(QStringLiteral("INSERT INTO admSchemaMigration (Version, Name) "
                                             "VALUES (9999, 'intruder')")),
                 db::DbError);
    EXPECT_THROW(db.sa().exec(QStringLiteral("CREATE TABLE saOwn (x integer)")), db::DbError);
    EXPECT_FALSE(db.scalar(QStringLiteral("SELECT rolsuper OR rolcreatedb OR rolcreaterole FROM "
                                          "pg_roles WHERE rolname = 'sa'"))
                     .toBool());
}
