#include "SqlSession.h"

#include "AdminError.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

#include <dlfcn.h>

namespace admin {

namespace {
QAtomicInt g_sessionCounter;

// Qt's driver hands a multi-statement text to the server but reports only the
// first statement's outcome, so scripts go through libpq's PQexec, which stops at
// the first failing statement and returns its error. libpq is already loaded by
// the driver; its functions are looked up at run time.
enum { PgEmptyQuery = 0, PgCommandOk = 1, PgTuplesOk = 2, PgFatalError = 7 };

struct LibPq {
    void* (*exec)(void*, const char*) = nullptr;
    int (*resultStatus)(const void*) = nullptr;
    char* (*resultErrorMessage)(const void*) = nullptr;
    char* (*errorMessage)(const void*) = nullptr;
    void (*clear)(void*) = nullptr;
};

const LibPq& libPq() {
    static const LibPq pq = [] {
        LibPq p;
        void* lib = ::dlopen("libpq.so.5", RTLD_NOW | RTLD_NOLOAD);
        if (!lib)
            lib = ::dlopen("libpq.so.5", RTLD_NOW);
        if (!lib)
            return p;
        p.exec = reinterpret_cast<decltype(p.exec)>(::dlsym(lib, "PQexec"));
        p.resultStatus = reinterpret_cast<decltype(p.resultStatus)>(::dlsym(lib, "PQresultStatus"));
        p.resultErrorMessage =
            reinterpret_cast<decltype(p.resultErrorMessage)>(::dlsym(lib, "PQresultErrorMessage"));
        p.errorMessage = reinterpret_cast<decltype(p.errorMessage)>(::dlsym(lib, "PQerrorMessage"));
        p.clear = reinterpret_cast<decltype(p.clear)>(::dlsym(lib, "PQclear"));
        return p;
    }();
    if (!pq.exec || !pq.resultStatus || !pq.resultErrorMessage || !pq.errorMessage || !pq.clear)
        throw AdminError(QStringLiteral("The PostgreSQL client library libpq.so.5 is missing."));
    return pq;
}

QString errorText(const QSqlError& e) {
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    if (t.isEmpty())
        t = e.text().trimmed();
    return t;
}
} // namespace

SqlSession::SqlSession(const ServerLogin& login)
    : m_name(QStringLiteral("skmadmin-%1").arg(g_sessionCounter.fetchAndAddRelaxed(1))),
      m_login(login) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw AdminError(QStringLiteral("The PostgreSQL driver of Qt (QPSQL) is not installed."));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    db.setHostName(login.host);
    db.setPort(login.port);
    db.setUserName(login.user);
    db.setPassword(login.password);
    db.setDatabaseName(login.database);
    db.setConnectOptions(QStringLiteral("connect_timeout=15"));
    if (!db.open()) {
        const QString t = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw AdminError(QStringLiteral("Cannot connect to database \"%1\" on %2:%3 as %4: %5")
                             .arg(login.database, login.host)
                             .arg(login.port)
                             .arg(login.user, t));
    }
    // "already exists, skipping" and the like are not news to the operator.
    execScript(QStringLiteral("SET client_min_messages = warning"), QStringLiteral("session"));
}

SqlSession::~SqlSession() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlQuery SqlSession::exec(const QString& sql, const db::ParamList& params) {
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw AdminError(errorText(q.lastError()));
    for (const auto& [name, value] : params)
        q.bindValue(name.startsWith(u':') ? name : u':' + name, db::toBindable(value));
    if (!q.exec())
        throw AdminError(errorText(q.lastError()));
    return q;
}

QVariant SqlSession::scalar(const QString& sql, const db::ParamList& params) {
    QSqlQuery q = exec(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

void SqlSession::execFormatted(const QString& formatTemplate, const db::ParamList& params) {
    QString args;
    for (const auto& [name, value] : params) {
        Q_UNUSED(value);
        args += QStringLiteral(", ") + (name.startsWith(u':') ? name : u':' + name) +
                QStringLiteral("::text");
    }
    db::ParamList all = params;
    all.append({QStringLiteral("skmFormat"), formatTemplate});
    const QString statement =
        scalar(QStringLiteral("SELECT format(:skmFormat::text%1)").arg(args), all).toString();
    execScript(statement, QStringLiteral("statement"));
}

void SqlSession::execScript(const QString& script, const QString& origin) {
    const LibPq& pq = libPq();
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    void* conn =
        handle.isValid() && handle.data() ? *static_cast<void* const*>(handle.data()) : nullptr;
    if (!conn)
        throw AdminError(QStringLiteral("%1: no open PostgreSQL connection.").arg(origin));
    void* result = pq.exec(conn, script.toUtf8().constData());
    const int status = result ? pq.resultStatus(result) : PgFatalError;
    QString error;
    if (status != PgEmptyQuery && status != PgCommandOk && status != PgTuplesOk) {
        error = QString::fromUtf8(result ? pq.resultErrorMessage(result) : pq.errorMessage(conn))
                    .trimmed();
        if (error.isEmpty())
            error = QStringLiteral("statement not supported here (status %1)").arg(status);
    }
    if (result)
        pq.clear(result);
    if (!error.isEmpty())
        throw AdminError(QStringLiteral("%1: %2").arg(origin, error));
}

QSqlQuery SqlSession::query(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw AdminError(errorText(q.lastError()));
    return q;
}

void SqlSession::begin() {
    if (m_depth == 0)
        execScript(QStringLiteral("BEGIN"), QStringLiteral("BEGIN"));
    ++m_depth;
}

void SqlSession::commit() {
    if (m_depth <= 0)
        return;
    if (--m_depth == 0)
        execScript(QStringLiteral("COMMIT"), QStringLiteral("COMMIT"));
}

void SqlSession::rollback() {
    if (m_depth <= 0)
        return;
    m_depth = 0;
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.exec(QStringLiteral("ROLLBACK"));
}

} // namespace admin
