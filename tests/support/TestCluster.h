#pragma once

#include <QString>
#include <memory>

namespace admin {
class PgCluster;
struct ServerLogin;
} // namespace admin

namespace skmtest {

// The PostgreSQL server of one test process. Joins the server named by
// SKM_TEST_PGHOST, SKM_TEST_PGPORT, SKM_TEST_PGSUPERUSER and SKM_TEST_PGPASSWORD
// when they are set; otherwise runs a private cluster in a temporary folder on a
// free port, removed at process exit. Creates the roles and a template database
// (migrations, procedures, grants) once; TestDatabase clones it.
class TestCluster {
public:
    static TestCluster& instance(); // throws admin::AdminError when no server can be had

    QString host() const { return m_host; }
    int port() const { return m_port; }
    QString superuser() const { return m_superuser; }
    QString superPassword() const { return m_superPassword; }
    QString saPassword() const;
    QString ownerPassword() const;
    QString templateName() const { return m_template; }
    // A second template that also holds the demo data; built on first use.
    QString demoTemplateName();
    QString serverDir() const; // the server/ folder of the source tree

    admin::ServerLogin superLogin(const QString& database = QStringLiteral("postgres")) const;
    // Unique per process: prefix_<pid>_<counter>.
    QString uniqueName(const QString& prefix);

    TestCluster(const TestCluster&) = delete;
    TestCluster& operator=(const TestCluster&) = delete;
    ~TestCluster();

private:
    TestCluster();
    void startPrivateCluster();
    void shutdown();
    static void shutdownAtExit();

    QString m_host;
    int m_port = 0;
    QString m_superuser;
    QString m_superPassword;
    QString m_template;
    QString m_demoTemplate;
    std::unique_ptr<admin::PgCluster> m_cluster; // only for a private cluster
    int m_counter = 0;
    bool m_shutDown = false;
};

} // namespace skmtest
