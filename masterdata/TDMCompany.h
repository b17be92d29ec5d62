#pragma once

#include <QObject>

namespace db {
class Connection;
}

// The company data module: the company list with contact persons.
class TDMCompany : public QObject {
    Q_OBJECT
public:
    explicit TDMCompany(db::Connection* connection, QObject* parent = nullptr);
    ~TDMCompany() override;
    static TDMCompany* instance() { return s_instance; }

private:
    db::Connection* m_connection;
    static TDMCompany* s_instance;
};
