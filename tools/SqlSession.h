#pragma once

#include "ServerLogin.h"
#include "db/Connection.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace admin {

// A connection of the administration command. Besides single statements with
// bound parameters it runs whole SQL files (several statements, $$ bodies).
class SqlSession {
public:
    explicit SqlSession(const ServerLogin& login); // throws AdminError
    ~SqlSession();
    SqlSession(const SqlSession&) = delete;
    SqlSession& operator=(const SqlSession&) = delete;

    const ServerLogin& login() const { return m_login; }

    // One statement; ":name" placeholders bound by value.
    QSqlQuery exec(const QString& sql, const db::ParamList& params = {});
    QVariant scalar(const QString& sql, const db::ParamList& params = {});
    // Builds a statement on the server from a format() template and bound values
    // (format('%I', :name), format('%L', :password)) and runs it. Used where
    // values cannot be bound: identifiers and role passwords.
    void execFormatted(const QString& formatTemplate, const db::ParamList& params);
    // Text of several statements, run unprepared; origin names the source in errors.
    // Stops at the first failing statement and reports it.
    void execScript(const QString& script, const QString& origin);
    // One statement without parameters, unprepared (so any statement kind works).
    QSqlQuery query(const QString& sql);

    // Nested begin/commit pairs join the outer transaction; rollback ends it all.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }

private:
    QString m_name;
    ServerLogin m_login;
    int m_depth = 0;
};

} // namespace admin
