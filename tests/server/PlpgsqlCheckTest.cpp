#include "support/TestCluster.h"
#include "support/TestDatabase.h"
#include "tools/ServerLogin.h"
#include "tools/SqlSession.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using skmtest::TestCluster;
using skmtest::TestDatabase;

namespace {

// Static check of every PL/pgSQL function of the schema: a misspelt column or
// variable fails here instead of at a user's desk. Trigger functions are checked
// against each table they are attached to.
TEST(PlpgsqlCheckTest, EveryFunctionPassesPlpgsqlCheck) {
    TestDatabase database;
    // As the cluster's superuser, connected to the test database.
    admin::SqlSession conn(TestCluster::instance().superLogin(database.name()));
    conn.query(QStringLiteral("CREATE EXTENSION IF NOT EXISTS plpgsql_check"));

    QSqlQuery count = conn.exec(QStringLiteral(
        "SELECT count(*) FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
        "JOIN pg_language l ON l.oid = p.prolang WHERE n.nspname = 'public' "
        "AND l.lanname = 'plpgsql'"));
    ASSERT_TRUE(count.next());
    EXPECT_GE(count.value(0).toInt(), 4) << "the schema's own functions are found";

    QSqlQuery q = conn.exec(QStringLiteral(
        "WITH f AS ("
        "  SELECT p.oid, p.oid::regprocedure::text AS name, "
        "         p.prorettype = 'trigger'::regtype AS is_trigger "
        "  FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
        "  JOIN pg_language l ON l.oid = p.prolang "
        "  LEFT JOIN pg_depend d ON d.objid = p.oid AND d.deptype = 'e' "
        "  WHERE n.nspname = 'public' AND l.lanname = 'plpgsql' AND d.objid IS NULL), "
        "targets AS ("
        "  SELECT f.oid, f.name, 0::oid AS relid FROM f WHERE NOT f.is_trigger "
        "  UNION ALL "
        "  SELECT DISTINCT f.oid, f.name || ' on ' || t.tgrelid::regclass::text, t.tgrelid "
        "  FROM f JOIN pg_trigger t ON t.tgfoid = f.oid WHERE f.is_trigger) "
        "SELECT tg.name, c.lineno, c.message, coalesce(c.detail, '') "
        "FROM targets tg, plpgsql_check_function_tb(tg.oid, tg.relid) c "
        "WHERE c.level = 'error' ORDER BY tg.name, c.lineno"));
    while (q.next()) {
        ADD_FAILURE() << q.value(0).toString().toStdString() << " line "
                      << q.value(1).toString().toStdString() << ": "
                      << q.value(2).toString().toStdString() << " "
                      << q.value(3).toString().toStdString();
    }
}

} // namespace
