#pragma once

#include <QString>
#include <QStringList>

namespace admin {

// A private PostgreSQL 15 cluster kept in one folder: the data directory
// ("data"), the server log ("server.log"), the Unix socket and the superuser's
// password ("superuser.password", mode 0600). Run as root, the server programs
// run as the system user "postgres", who then owns the folder.
class PgCluster {
public:
    explicit PgCluster(QString dir, QString binDir = defaultBinDir());

    static QString defaultBinDir(); // $SKM_PG_BINDIR or /usr/lib/postgresql/15/bin
    static QString defaultDir();    // /var/lib/skm/cluster as root, else ~/.local/share/skm/cluster
    static bool runningAsRoot();
    static bool portInUse(int port); // something listens on 127.0.0.1:port
    static int freePort();           // a port nobody listens on right now

    const QString& dir() const { return m_dir; }
    QString dataDir() const;
    QString logFile() const;
    QString passwordFile() const;
    QString superuser() const { return QStringLiteral("postgres"); }

    bool isCluster() const; // the folder holds an initialized cluster
    // durable = false turns fsync off: for throw-away test clusters only.
    void init(const QString& superPassword, bool durable = true);
    void start(int port);
    void stop();
    bool isRunning() const;
    int runningPort() const; // 0 when not running
    QString statusText() const;
    QString readSuperPassword() const;

private:
    void requireBinaries() const;
    void requireCluster() const;
    // Runs a server program (as "postgres" when we are root); returns its exit code.
    int run(const QString& program, const QStringList& args, QString* output = nullptr,
            int timeoutMs = 120000) const;
    void giveToPostgres(const QString& path) const;
    QString logTail() const;

    QString m_dir;
    QString m_binDir;
};

} // namespace admin
