#pragma once

#include "ConnectionSettings.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>
#include <utility>

namespace db {

using ParamList = QVector<std::pair<QString, QVariant>>;

// The one database connection of the client. Every dataset and procedure call
// runs through exec(); driver and server failures come out as DbError.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    void open(const ConnectionSettings& settings);
    void close();
    bool isOpen() const;
    const ConnectionSettings& settings() const { return m_settings; }

    // Prepares sql, binds the named parameters (":name") by value and executes it.
    QSqlQuery exec(const QString& sql, const ParamList& params = {});

    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_transactionDepth > 0; }

signals:
    void opened();
    void closed();

private:
    QSqlDatabase database() const;
    void requireOpen() const;

    QString m_name;
    ConnectionSettings m_settings;
    int m_transactionDepth = 0;
};

// Converts a value to what the driver binds (decimals travel as exact text).
QVariant toBindable(const QVariant& v);

} // namespace db
