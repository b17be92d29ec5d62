#include "TestDatabase.h"

#include "TestCluster.h"
#include "db/DbError.h"
#include "tools/AdminError.h"
#include "tools/ServerLogin.h"
#include "tools/SqlSession.h"

#include <QSqlQuery>

namespace skmtest {

TestDatabase::TestDatabase() : TestDatabase(false) {}

TestDatabase::TestDatabase(bool withDemoData) {
    TestCluster& cluster = TestCluster::instance();
    const QString source = withDemoData ? cluster.demoTemplateName() : cluster.templateName();
    m_name = cluster.uniqueName(QStringLiteral("skmt"));
    admin::SqlSession s(cluster.superLogin());
    s.execFormatted(QStringLiteral("CREATE DATABASE %I TEMPLATE %I OWNER skm_owner"),
                    {{QStringLiteral("d"), m_name}, {QStringLiteral("t"), source}});
}

TestDatabase::~TestDatabase() {
    m_sa.reset();
    m_owner.reset();
    m_script.reset();
    try {
        admin::SqlSession s(TestCluster::instance().superLogin());
        s.execFormatted(QStringLiteral("DROP DATABASE IF EXISTS %I WITH (FORCE)"),
                        {{QStringLiteral("d"), m_name}});
    } catch (const std::exception&) {
    }
}

db::ConnectionSettings TestDatabase::saSettings() const {
    const TestCluster& c = TestCluster::instance();
    db::ConnectionSettings s;
    s.server = QStringLiteral("%1,%2").arg(c.host()).arg(c.port());
    s.user = QStringLiteral("sa");
    s.password = c.saPassword();
    s.database = m_name;
    return s;
}

db::ConnectionSettings TestDatabase::ownerSettings() const {
    db::ConnectionSettings s = saSettings();
    s.user = QStringLiteral("skm_owner");
    s.password = TestCluster::instance().ownerPassword();
    return s;
}

db::Connection& TestDatabase::sa() {
    if (!m_sa) {
        auto c = std::make_unique<db::Connection>();
        c->open(saSettings());
        m_sa = std::move(c);
    }
    return *m_sa;
}

db::Connection& TestDatabase::owner() {
    if (!m_owner) {
        auto c = std::make_unique<db::Connection>();
        c->open(ownerSettings());
        m_owner = std::move(c);
    }
    return *m_owner;
}

admin::SqlSession& TestDatabase::scriptSession() {
    if (!m_script) {
        const db::ConnectionSettings o = ownerSettings();
        admin::ServerLogin login;
        login.host = o.host();
        login.port = o.port();
        login.user = o.user;
        login.password = o.password;
        login.database = m_name;
        m_script = std::make_unique<admin::SqlSession>(login);
    }
    return *m_script;
}

void TestDatabase::exec(const QString& sql, const db::ParamList& params) {
    if (params.isEmpty()) {
        try {
            scriptSession().execScript(sql, QStringLiteral("SQL"));
        } catch (const admin::AdminError& e) {
            throw db::DbError(e.text());
        }
        return;
    }
    owner().exec(sql, params);
}

QVariant TestDatabase::scalar(const QString& sql, const db::ParamList& params) {
    if (params.isEmpty()) {
        try {
            QSqlQuery q = scriptSession().query(sql);
            return q.next() ? q.value(0) : QVariant();
        } catch (const admin::AdminError& e) {
            throw db::DbError(e.text());
        }
    }
    QSqlQuery q = owner().exec(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

} // namespace skmtest
