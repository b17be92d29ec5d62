#pragma once

#include "db/Connection.h"
#include "db/ConnectionSettings.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace admin {
class SqlSession;
}

namespace skmtest {

// A fresh database cloned from the test template, dropped in the destructor.
class TestDatabase {
public:
    TestDatabase();
    explicit TestDatabase(bool withDemoData);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& name() const { return m_name; }
    db::ConnectionSettings saSettings() const;    // user "sa", server "<host>,<port>"
    db::ConnectionSettings ownerSettings() const; // user skm_owner
    db::Connection& sa();                         // opened lazily as sa
    db::Connection& owner();                      // opened lazily as skm_owner
    // As skm_owner. With parameters: one statement on owner(). Without: a script of
    // any statements (DDL, several statements) on a separate owner session.
    void exec(const QString& sql, const db::ParamList& params = {});
    // First column of the first row; without parameters any one statement.
    QVariant scalar(const QString& sql, const db::ParamList& params = {});

private:
    QString m_name;
    std::unique_ptr<db::Connection> m_sa;
    std::unique_ptr<db::Connection> m_owner;
    std::unique_ptr<admin::SqlSession> m_script;
    admin::SqlSession& scriptSession();
};

} // namespace skmtest
