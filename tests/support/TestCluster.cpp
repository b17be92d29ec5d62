#include "TestCluster.h"

#include "tools/AdminError.h"
#include "tools/DatabaseInstaller.h"
#include "tools/PgCluster.h"
#include "tools/ServerLogin.h"
#include "tools/SqlSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <mutex>

namespace skmtest {

namespace {
std::mutex g_mutex;
std::unique_ptr<TestCluster> g_instance;
QString g_failure;

QString randomHex(int bytes) {
    QString s;
    for (int i = 0; i < bytes; ++i)
        s += QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(256), 2, 16, QChar(u'0'));
    return s;
}
} // namespace

TestCluster& TestCluster::instance() {
    std::lock_guard lock(g_mutex);
    if (g_instance)
        return *g_instance;
    if (!g_failure.isEmpty())
        throw admin::AdminError(g_failure);
    try {
        g_instance.reset(new TestCluster);
    } catch (const admin::AdminError& e) {
        g_failure = QStringLiteral("No test database server: ") + e.text();
        throw admin::AdminError(g_failure);
    }
    if (QCoreApplication::instance())
        qAddPostRoutine(&TestCluster::shutdownAtExit);
    return *g_instance;
}

void TestCluster::shutdownAtExit() {
    if (g_instance)
        g_instance->shutdown();
}

TestCluster::TestCluster() {
    if (qEnvironmentVariableIsSet("SKM_TEST_PGHOST") ||
        qEnvironmentVariableIsSet("SKM_TEST_PGPORT")) {
        m_host = qEnvironmentVariable("SKM_TEST_PGHOST", QStringLiteral("127.0.0.1"));
        m_port = qEnvironmentVariable("SKM_TEST_PGPORT", QStringLiteral("5432")).toInt();
        m_superuser = qEnvironmentVariable("SKM_TEST_PGSUPERUSER", QStringLiteral("postgres"));
        m_superPassword = qEnvironmentVariable("SKM_TEST_PGPASSWORD");
    } else {
        startPrivateCluster();
    }
    try {
        m_template = uniqueName(QStringLiteral("skmtpl"));
        admin::DatabaseInstaller installer(superLogin(), serverDir());
        installer.install(m_template, saPassword(), ownerPassword());
    } catch (...) {
        shutdown();
        throw;
    }
}

TestCluster::~TestCluster() {
    shutdown();
}

QString TestCluster::saPassword() const {
    return QStringLiteral("skm-test-sa");
}

QString TestCluster::ownerPassword() const {
    return QStringLiteral("skm-test-owner");
}

QString TestCluster::serverDir() const {
    return QStringLiteral(SKM_SOURCE_DIR "/server");
}

admin::ServerLogin TestCluster::superLogin(const QString& database) const {
    admin::ServerLogin l;
    l.host = m_host;
    l.port = m_port;
    l.user = m_superuser;
    l.password = m_superPassword;
    l.database = database;
    return l;
}

QString TestCluster::uniqueName(const QString& prefix) {
    return QStringLiteral("%1_%2_%3_%4")
        .arg(prefix)
        .arg(QCoreApplication::applicationPid())
        .arg(++m_counter)
        .arg(randomHex(2));
}

void TestCluster::startPrivateCluster() {
    QTemporaryDir tmp(QDir::tempPath() + QStringLiteral("/skmtest-XXXXXX"));
    if (!tmp.isValid())
        throw admin::AdminError(QStringLiteral("Cannot create a temporary folder."));
    tmp.setAutoRemove(false);
    m_cluster = std::make_unique<admin::PgCluster>(tmp.path());
    m_superuser = m_cluster->superuser();
    m_superPassword = randomHex(12);
    m_host = QStringLiteral("127.0.0.1");
    try {
        m_cluster->init(m_superPassword, /*durable=*/false);
        // Another process may take the free port before the server binds it.
        for (int attempt = 1;; ++attempt) {
            const int port = admin::PgCluster::freePort();
            try {
                m_cluster->start(port);
                m_port = port;
                break;
            } catch (const admin::AdminError&) {
                if (attempt >= 5)
                    throw;
            }
        }
    } catch (...) {
        QDir(m_cluster->dir()).removeRecursively();
        m_cluster.reset();
        throw;
    }
}

QString TestCluster::demoTemplateName() {
    std::lock_guard lock(g_mutex);
    if (m_demoTemplate.isEmpty()) {
        const QString name = uniqueName(QStringLiteral("skmdemo"));
        {
            admin::SqlSession s(superLogin());
            s.execFormatted(QStringLiteral("CREATE DATABASE %I TEMPLATE %I OWNER skm_owner"),
                            {{QStringLiteral("d"), name}, {QStringLiteral("t"), m_template}});
        }
        admin::DatabaseInstaller installer(superLogin(), serverDir());
        installer.loadDemo(name);
        m_demoTemplate = name;
    }
    return m_demoTemplate;
}

void TestCluster::shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    try {
        if (m_cluster) {
            m_cluster->stop();
            QDir(m_cluster->dir()).removeRecursively();
        } else if (m_port > 0) {
            admin::SqlSession s(superLogin());
            for (const QString& db : {m_demoTemplate, m_template})
                if (!db.isEmpty())
                    s.execFormatted(QStringLiteral("DROP DATABASE IF EXISTS %I WITH (FORCE)"),
                                    {{QStringLiteral("d"), db}});
        }
    } catch (const std::exception&) {
        // Leftovers of a test run are not worth failing the process for.
    }
}

} // namespace skmtest
