#include "DatabaseInstaller.h"

#include "AdminError.h"
#include "SqlSession.h"
#include "UserAdmin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace admin {

namespace {
// Serializes installers working on the same server (roles are shared by all
// databases) or on the same database.
const QString kLock = QStringLiteral("SELECT pg_advisory_lock(hashtext('skmadmin-install'))");
const QString kUnlock = QStringLiteral("SELECT pg_advisory_unlock(hashtext('skmadmin-install'))");

class LockHolder {
public:
    explicit LockHolder(SqlSession& s) : m_s(s) { m_s.exec(kLock); }
    ~LockHolder() {
        try {
            m_s.exec(kUnlock);
        } catch (const AdminError&) {
        }
    }

private:
    SqlSession& m_s;
};
} // namespace

DatabaseInstaller::DatabaseInstaller(ServerLogin superuser, QString serverDir)
    : m_login(std::move(superuser)), m_serverDir(std::move(serverDir)) {}

QString DatabaseInstaller::defaultServerDir() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/server");
}

QString DatabaseInstaller::readFile(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AdminError(QStringLiteral("Cannot read %1.").arg(path));
    return QString::fromUtf8(f.readAll());
}

DatabaseInstaller::Result DatabaseInstaller::install(const QString& database,
                                                     const QString& saPassword,
                                                     const QString& ownerPassword) {
    if (!QDir(m_serverDir).exists())
        throw AdminError(QStringLiteral("The server folder %1 does not exist.").arg(m_serverDir));
    Result r;
    ensureRoles(saPassword, ownerPassword);
    r.databaseCreated = ensureDatabase(database);
    r.applied = applyMigrations(database);
    reloadProcedures(database);
    return r;
}

void DatabaseInstaller::ensureRoles(const QString& saPassword, const QString& ownerPassword) {
    SqlSession s(m_login);
    LockHolder lock(s);
    const auto roleExists = [&](const QString& role) {
        return s.scalar(QStringLiteral("SELECT count(*) FROM pg_roles WHERE rolname = :r"),
                        {{QStringLiteral("r"), role}})
                   .toInt() > 0;
    };
    const QString owner = QLatin1String(OwnerRole);
    const QString client = QLatin1String(ClientRole);

    if (!roleExists(owner))
        s.execFormatted(QStringLiteral("CREATE ROLE %I LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE"),
                        {{QStringLiteral("r"), owner}});
    if (!ownerPassword.isEmpty())
        s.execFormatted(QStringLiteral("ALTER ROLE %I LOGIN PASSWORD %L"),
                        {{QStringLiteral("r"), owner}, {QStringLiteral("p"), ownerPassword}});

    if (!roleExists(client)) {
        if (saPassword.isEmpty())
            throw AdminError(QStringLiteral(
                "The role sa does not exist yet: give its password (--sa-password)."));
        s.execFormatted(
            QStringLiteral("CREATE ROLE %I LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE PASSWORD %L"),
            {{QStringLiteral("r"), client}, {QStringLiteral("p"), saPassword}});
    } else {
        // The client role must never carry more rights than its grants.
        s.execFormatted(QStringLiteral("ALTER ROLE %I LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE"),
                        {{QStringLiteral("r"), client}});
        if (!saPassword.isEmpty())
            s.execFormatted(QStringLiteral("ALTER ROLE %I PASSWORD %L"),
                            {{QStringLiteral("r"), client}, {QStringLiteral("p"), saPassword}});
    }
}

bool DatabaseInstaller::ensureDatabase(const QString& database) {
    if (database.trimmed().isEmpty())
        throw AdminError(QStringLiteral("The database name must not be empty."));
    SqlSession s(m_login);
    LockHolder lock(s);
    const bool exists =
        s.scalar(QStringLiteral("SELECT count(*) FROM pg_database WHERE datname = :d"),
                 {{QStringLiteral("d"), database}})
            .toInt() > 0;
    if (exists)
        return false;
    s.execFormatted(
        QStringLiteral("CREATE DATABASE %I OWNER %I ENCODING 'UTF8' TEMPLATE template0"),
        {{QStringLiteral("d"), database}, {QStringLiteral("o"), QLatin1String(OwnerRole)}});
    return true;
}

void DatabaseInstaller::openAsOwner(SqlSession& s) {
    s.execFormatted(QStringLiteral("SET ROLE %I"),
                    {{QStringLiteral("r"), QLatin1String(OwnerRole)}});
}

void DatabaseInstaller::ensureMigrationTable(SqlSession& s) {
    s.execScript(QStringLiteral("CREATE TABLE IF NOT EXISTS admSchemaMigration ("
                                " Version integer PRIMARY KEY,"
                                " Name text NOT NULL,"
                                " AppliedAt timestamp NOT NULL DEFAULT localtimestamp)"),
                 QStringLiteral("admSchemaMigration"));
}

QList<Migration> DatabaseInstaller::pendingMigrations(const QString& database) {
    SqlSession s(m_login.withDatabase(database));
    openAsOwner(s);
    ensureMigrationTable(s);
    QSet<int> done;
    QSqlQuery q = s.exec(QStringLiteral("SELECT Version FROM admSchemaMigration"));
    while (q.next())
        done.insert(q.value(0).toInt());
    QList<Migration> pending;
    for (const Migration& m : Migration::scan(m_serverDir + QStringLiteral("/migrations")))
        if (!done.contains(m.version))
            pending.append(m);
    return pending;
}

QStringList DatabaseInstaller::applyMigrations(const QString& database) {
    const QList<Migration> all = Migration::scan(m_serverDir + QStringLiteral("/migrations"));
    SqlSession s(m_login.withDatabase(database));
    LockHolder lock(s);
    openAsOwner(s);
    ensureMigrationTable(s);
    QSet<int> done;
    {
        QSqlQuery q = s.exec(QStringLiteral("SELECT Version FROM admSchemaMigration"));
        while (q.next())
            done.insert(q.value(0).toInt());
    }
    QStringList applied;
    for (const Migration& m : all) {
        if (done.contains(m.version))
            continue;
        const QString script = readFile(m.path);
        s.begin();
        try {
            s.execScript(script, QFileInfo(m.path).fileName());
            s.exec(QStringLiteral("INSERT INTO admSchemaMigration (Version, Name) VALUES (:v, :n)"),
                   {{QStringLiteral("v"), m.version}, {QStringLiteral("n"), m.name}});
            s.commit();
        } catch (...) {
            s.rollback();
            throw;
        }
        applied.append(QFileInfo(m.path).fileName());
    }
    return applied;
}

void DatabaseInstaller::reloadProcedures(const QString& database) {
    QStringList files;
    const QDir procs(m_serverDir + QStringLiteral("/procedures"));
    for (const QString& f : procs.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files.append(procs.filePath(f));
    const QString grants = m_serverDir + QStringLiteral("/grants.sql");
    if (QFileInfo::exists(grants))
        files.append(grants);

    SqlSession s(m_login.withDatabase(database));
    LockHolder lock(s);
    openAsOwner(s);
    s.begin();
    try {
        for (const QString& f : files)
            s.execScript(readFile(f), QFileInfo(f).fileName());
        s.commit();
    } catch (...) {
        s.rollback();
        throw;
    }
}

QStringList DatabaseInstaller::loadDemo(const QString& database) {
    QStringList loaded;
    const QDir demo(m_serverDir + QStringLiteral("/demo"));
    SqlSession s(m_login.withDatabase(database));
    LockHolder lock(s);
    openAsOwner(s);
    s.execScript(QStringLiteral("CREATE TABLE IF NOT EXISTS admDemoLoad ("
                                " FileName text PRIMARY KEY,"
                                " LoadedAt timestamp NOT NULL DEFAULT localtimestamp)"),
                 QStringLiteral("admDemoLoad"));
    s.begin();
    try {
        for (const QString& f :
             demo.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
            const bool done =
                s.scalar(QStringLiteral("SELECT count(*) FROM admDemoLoad WHERE FileName = :f"),
                         {{QStringLiteral("f"), f}})
                    .toInt() > 0;
            if (done)
                continue;
            s.execScript(readFile(demo.filePath(f)), f);
            s.exec(QStringLiteral("INSERT INTO admDemoLoad (FileName) VALUES (:f)"),
                   {{QStringLiteral("f"), f}});
            loaded.append(f);
        }
        UserAdmin users(s);
        if (users.tablesExist() && !users.userExists(QStringLiteral("demo"))) {
            NewUser demoUser;
            demoUser.code = QStringLiteral("demo");
            demoUser.name = QStringLiteral("Demo");
            demoUser.password = QStringLiteral("demo");
            demoUser.fullAccess = true;
            users.addUser(demoUser);
        }
        s.commit();
    } catch (...) {
        s.rollback();
        throw;
    }
    return loaded;
}

} // namespace admin
