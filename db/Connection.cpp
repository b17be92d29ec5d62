#include "Connection.h"

#include "DbError.h"
#include "Decimal.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlRecord>

namespace db {

namespace {
QAtomicInt g_connectionCounter;

QString errorText(const QSqlError& e) {
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    if (t.isEmpty())
        t = e.text().trimmed();
    return t;
}
} // namespace

QVariant toBindable(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<Decimal>())
        return v.value<Decimal>().toString();
    return v;
}

Connection::Connection(QObject* parent)
    : QObject(parent), m_name(QStringLiteral("skm-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1))) {
    Decimal::registerMetaType();
}

Connection::~Connection() {
    close();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}

void Connection::open(const ConnectionSettings& settings) {
    close();
    m_settings = settings;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw DbError(tr("The PostgreSQL driver of Qt (QPSQL) is not installed."));
    QSqlDatabase db = QSqlDatabase::contains(m_name)
                          ? QSqlDatabase::database(m_name, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    db.setHostName(settings.host());
    db.setPort(settings.port());
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setDatabaseName(settings.database);
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(settings.connectTimeoutSeconds));
    if (!db.open())
        throw DbError(errorText(db.lastError()));
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SET statement_timeout = %1").arg(settings.statementTimeoutSeconds * 1000))) {
        const QString t = errorText(q.lastError());
        db.close();
        throw DbError(t);
    }
    m_transactionDepth = 0;
    emit opened();
}

void Connection::close() {
    QSqlDatabase db = database();
    if (db.isValid() && db.isOpen()) {
        db.close();
        m_transactionDepth = 0;
        emit closed();
    }
}

bool Connection::isOpen() const {
    const QSqlDatabase db = database();
    return db.isValid() && db.isOpen();
}

void Connection::requireOpen() const {
    if (!isOpen())
        throw DbError(tr("There is no connection to the database server."));
}

QSqlQuery Connection::exec(const QString& sql, const ParamList& params) {
    requireOpen();
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!q.prepare(sql))
        throw DbError(errorText(q.lastError()));
    for (const auto& [name, value] : params) {
        const QString placeholder = name.startsWith(u':') ? name : u':' + name;
        q.bindValue(placeholder, toBindable(value));
    }
    if (!q.exec())
        throw DbError(errorText(q.lastError()));
    return q;
}

void Connection::begin() {
    requireOpen();
    if (m_transactionDepth == 0 && !database().transaction())
        throw DbError(errorText(database().lastError()));
    ++m_transactionDepth;
}

void Connection::commit() {
    if (m_transactionDepth <= 0)
        return;
    if (--m_transactionDepth == 0 && !database().commit())
        throw DbError(errorText(database().lastError()));
}

void Connection::rollback() {
    if (m_transactionDepth <= 0)
        return;
    m_transactionDepth = 0;
    QSqlDatabase db = database();
    if (db.isOpen())
        db.rollback();
}

} // namespace db
