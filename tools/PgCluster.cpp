#include "PgCluster.h"

#include "AdminError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace admin {

namespace {
constexpr auto kPostgresUser = "postgres";

// A value of postgresql.conf in single quotes.
QString confQuoted(const QString& v) {
    QString s = v;
    s.replace(u'\'', QStringLiteral("''"));
    return u'\'' + s + u'\'';
}

bool bindLoopback(int port, int* boundPort) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    if (ok && boundPort) {
        socklen_t len = sizeof addr;
        ok = ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0;
        *boundPort = ntohs(addr.sin_port);
    }
    ::close(fd);
    return ok;
}
} // namespace

PgCluster::PgCluster(QString dir, QString binDir)
    : m_dir(QDir::cleanPath(QDir(dir).absolutePath())), m_binDir(std::move(binDir)) {}

QString PgCluster::defaultBinDir() {
    const QString env = qEnvironmentVariable("SKM_PG_BINDIR");
    return env.isEmpty() ? QStringLiteral("/usr/lib/postgresql/15/bin") : env;
}

QString PgCluster::defaultDir() {
    if (runningAsRoot())
        return QStringLiteral("/var/lib/skm/cluster");
    return QDir::homePath() + QStringLiteral("/.local/share/skm/cluster");
}

bool PgCluster::runningAsRoot() {
    return ::geteuid() == 0;
}

bool PgCluster::portInUse(int port) {
    return !bindLoopback(port, nullptr);
}

int PgCluster::freePort() {
    int port = 0;
    if (!bindLoopback(0, &port) || port <= 0)
        throw AdminError(QStringLiteral("No free TCP port on 127.0.0.1."));
    return port;
}

QString PgCluster::dataDir() const {
    return m_dir + QStringLiteral("/data");
}

QString PgCluster::logFile() const {
    return m_dir + QStringLiteral("/server.log");
}

QString PgCluster::passwordFile() const {
    return m_dir + QStringLiteral("/superuser.password");
}

bool PgCluster::isCluster() const {
    return QFileInfo::exists(dataDir() + QStringLiteral("/PG_VERSION"));
}

void PgCluster::requireBinaries() const {
    for (const char* p : {"initdb", "pg_ctl", "postgres"}) {
        if (!QFileInfo(m_binDir + u'/' + QLatin1String(p)).isExecutable())
            throw AdminError(QStringLiteral("PostgreSQL 15 programs not found in %1 (install the "
                                            "Debian package postgresql-15).")
                                 .arg(m_binDir));
    }
    if (runningAsRoot() && !::getpwnam(kPostgresUser))
        throw AdminError(QStringLiteral("Running as root, but the system user \"postgres\" that "
                                        "must run the server does not exist."));
}

void PgCluster::requireCluster() const {
    if (!isCluster())
        throw AdminError(
            QStringLiteral("%1 is not a cluster folder (run \"skmadmin cluster init\" first).")
                .arg(m_dir));
}

int PgCluster::run(const QString& program, const QStringList& args, QString* output,
                   int timeoutMs) const {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(QDir::rootPath());
    const QString exe = program.startsWith(u'/') ? program : m_binDir + u'/' + program;
    if (runningAsRoot()) {
        p.setProgram(QStringLiteral("runuser"));
        p.setArguments(QStringList{QStringLiteral("-u"), QLatin1String(kPostgresUser),
                                   QStringLiteral("--"), exe} +
                       args);
    } else {
        p.setProgram(exe);
        p.setArguments(args);
    }
    p.start();
    if (!p.waitForStarted())
        throw AdminError(QStringLiteral("Cannot run %1: %2").arg(p.program(), p.errorString()));
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        throw AdminError(QStringLiteral("%1 did not finish in time.").arg(program));
    }
    const QString out = QString::fromLocal8Bit(p.readAll()).trimmed();
    if (output)
        *output = out;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void PgCluster::giveToPostgres(const QString& path) const {
    if (!runningAsRoot())
        return;
    const passwd* pw = ::getpwnam(kPostgresUser);
    if (!pw || ::chown(QFile::encodeName(path).constData(), pw->pw_uid, pw->pw_gid) != 0)
        throw AdminError(QStringLiteral("Cannot hand %1 to the system user postgres.").arg(path));
}

QString PgCluster::logTail() const {
    QFile f(logFile());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromLocal8Bit(f.readAll()).trimmed().split(u'\n');
    return lines.mid(qMax(0, lines.size() - 5)).join(u'\n');
}

void PgCluster::init(const QString& superPassword, bool durable) {
    requireBinaries();
    if (superPassword.isEmpty())
        throw AdminError(QStringLiteral("The superuser password must not be empty."));
    if (superPassword.contains(u'\n') || superPassword.contains(u'\r'))
        throw AdminError(QStringLiteral("The superuser password must be a single line."));
    if (isCluster())
        throw AdminError(QStringLiteral("%1 already holds a cluster.").arg(m_dir));
    QDir dir(m_dir);
    if (dir.exists() && !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        throw AdminError(
            QStringLiteral("%1 exists and is neither empty nor a cluster folder.").arg(m_dir));
    if (!dir.mkpath(QStringLiteral(".")))
        throw AdminError(QStringLiteral("Cannot create the folder %1.").arg(m_dir));
    QFile::setPermissions(m_dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    giveToPostgres(m_dir);
    if (runningAsRoot()) {
        QString out;
        if (run(QStringLiteral("/usr/bin/test"), {QStringLiteral("-w"), m_dir}, &out) != 0)
            throw AdminError(QStringLiteral("The system user postgres cannot reach %1; choose a "
                                            "folder outside private home folders, such as %2.")
                                 .arg(m_dir, QStringLiteral("/var/lib/skm/cluster")));
    }

    {
        QFile pw(passwordFile());
        if (!pw.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw AdminError(QStringLiteral("Cannot write %1.").arg(passwordFile()));
        pw.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        pw.write(superPassword.toUtf8());
        pw.write("\n");
    }
    giveToPostgres(passwordFile());

    QStringList args{QStringLiteral("-D"),
                     dataDir(),
                     QStringLiteral("-U"),
                     superuser(),
                     QStringLiteral("--pwfile=") + passwordFile(),
                     QStringLiteral("--auth-local=scram-sha-256"),
                     QStringLiteral("--auth-host=scram-sha-256"),
                     QStringLiteral("--encoding=UTF8")};
    if (!durable)
        args << QStringLiteral("--no-sync");
    QString out;
    if (run(QStringLiteral("initdb"), args + QStringList{QStringLiteral("--locale=C.UTF-8")},
            &out) != 0) {
        QDir(dataDir()).removeRecursively();
        if (run(QStringLiteral("initdb"), args + QStringList{QStringLiteral("--locale=C")}, &out) !=
            0) {
            QDir(dataDir()).removeRecursively();
            throw AdminError(QStringLiteral("initdb failed: %1").arg(out));
        }
    }

    QFile conf(dataDir() + QStringLiteral("/postgresql.conf"));
    if (!conf.open(QIODevice::Append | QIODevice::Text))
        throw AdminError(QStringLiteral("Cannot write %1.").arg(conf.fileName()));
    QString extra = QStringLiteral("\n# skmadmin\nlisten_addresses = '127.0.0.1'\n");
    // A Unix socket path is limited to about 100 bytes.
    extra += QStringLiteral("unix_socket_directories = %1\n")
                 .arg(confQuoted(m_dir.toUtf8().size() < 80 ? m_dir : QString()));
    if (!durable)
        extra += QStringLiteral("fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n");
    conf.write(extra.toUtf8());
}

void PgCluster::start(int port) {
    requireBinaries();
    requireCluster();
    if (port <= 0 || port > 65535)
        throw AdminError(QStringLiteral("Invalid port %1.").arg(port));
    if (isRunning()) {
        const int current = runningPort();
        if (current == port)
            return;
        throw AdminError(
            QStringLiteral("The cluster in %1 already runs on port %2.").arg(m_dir).arg(current));
    }
    if (portInUse(port))
        throw AdminError(
            QStringLiteral("Port %1 on 127.0.0.1 is in use by another program.").arg(port));
    if (!QFileInfo::exists(logFile())) {
        QFile f(logFile());
        if (f.open(QIODevice::WriteOnly))
            f.close();
        giveToPostgres(logFile());
    }
    QString out;
    const int rc =
        run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), dataDir(), QStringLiteral("-l"), logFile(), QStringLiteral("-w"),
             QStringLiteral("-t"), QStringLiteral("90"), QStringLiteral("-o"),
             QStringLiteral("-p %1").arg(port), QStringLiteral("start")},
            &out);
    if (rc != 0)
        throw AdminError(QStringLiteral("The server did not start: %1\n%2").arg(out, logTail()));
}

void PgCluster::stop() {
    requireBinaries();
    requireCluster();
    if (!isRunning())
        return;
    QString out;
    if (run(QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), dataDir(), QStringLiteral("-m"), QStringLiteral("fast"),
             QStringLiteral("-w"), QStringLiteral("stop")},
            &out) != 0)
        throw AdminError(QStringLiteral("The server did not stop: %1").arg(out));
}

bool PgCluster::isRunning() const {
    if (!isCluster() || !QFileInfo::exists(dataDir() + QStringLiteral("/postmaster.pid")))
        return false;
    return run(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), dataDir(), QStringLiteral("status")}, nullptr, 30000) == 0;
}

int PgCluster::runningPort() const {
    if (!isRunning())
        return 0;
    QFile f(dataDir() + QStringLiteral("/postmaster.pid"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QStringList lines = QString::fromLocal8Bit(f.readAll()).split(u'\n');
    return lines.size() > 3 ? lines[3].trimmed().toInt() : 0;
}

QString PgCluster::statusText() const {
    if (!isCluster())
        return QStringLiteral("%1: no cluster").arg(m_dir);
    const int port = runningPort();
    if (port > 0)
        return QStringLiteral("%1: running on 127.0.0.1 port %2").arg(m_dir).arg(port);
    return QStringLiteral("%1: stopped").arg(m_dir);
}

QString PgCluster::readSuperPassword() const {
    QFile f(passwordFile());
    if (!f.open(QIODevice::ReadOnly))
        throw AdminError(
            QStringLiteral("Cannot read the superuser password from %1.").arg(passwordFile()));
    QString pw = QString::fromUtf8(f.readAll());
    if (pw.endsWith(u'\n'))
        pw.chop(1);
    return pw;
}

} // namespace admin
