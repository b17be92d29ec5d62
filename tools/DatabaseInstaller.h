#pragma once

#include "Migration.h"
#include "ServerLogin.h"

#include <QString>
#include <QStringList>

namespace admin {

class SqlSession;

// Creates the roles and the database of the system on a server and brings its
// schema up to date from the server/ folder: numbered migrations (each once, in
// its own transaction, recorded in admSchemaMigration), then every procedure
// file and grants.sql. Connects as a superuser; schema objects are created under
// the owner role skm_owner.
class DatabaseInstaller {
public:
    static constexpr auto OwnerRole = "skm_owner";
    static constexpr auto ClientRole = "sa";
    static constexpr auto DefaultDatabase = "SKMRPusat";

    DatabaseInstaller(ServerLogin superuser, QString serverDir);

    // <folder of the executable>/server
    static QString defaultServerDir();

    struct Result {
        bool databaseCreated = false;
        QStringList applied; // migration file names applied by this run
    };

    // The whole install or upgrade. An empty saPassword leaves an existing sa's
    // password unchanged (and is refused when sa must be created).
    Result install(const QString& database, const QString& saPassword,
                   const QString& ownerPassword = {});

    // Creates skm_owner and sa if missing; a non-empty password is (re)set.
    void ensureRoles(const QString& saPassword, const QString& ownerPassword = {});
    bool ensureDatabase(const QString& database); // true when created
    QStringList applyMigrations(const QString& database);
    void reloadProcedures(const QString& database); // procedures/*.sql then grants.sql
    QList<Migration> pendingMigrations(const QString& database);
    // server/demo/*.sql in name order, in one transaction; each file is loaded once
    // per database (recorded in admDemoLoad). Returns the files loaded now.
    QStringList loadDemo(const QString& database);

    const QString& serverDir() const { return m_serverDir; }

private:
    void openAsOwner(SqlSession& s);
    void ensureMigrationTable(SqlSession& s);
    QString readFile(const QString& path) const;

    ServerLogin m_login;
    QString m_serverDir;
};

} // namespace admin
