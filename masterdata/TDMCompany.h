#pragma once

#include "db/Dataset.h"

#include <QObject>

namespace db {
class Connection;
}

// The company data module: the company list with its contact persons and the
// persons of one company.
class TDMCompany : public QObject {
    Q_OBJECT
public:
    explicit TDMCompany(db::Connection* connection, QObject* parent = nullptr);
    ~TDMCompany() override;
    static TDMCompany* instance() { return s_instance; }

    db::Connection* connection() const { return m_connection; }

    // Every company with one row per person (one row with empty person columns
    // for a company without persons), by name, senior positions first.
    db::Dataset adodsCompanyContactList;
    // The persons of one company (parameter CompanyID).
    db::Dataset adodsCompanyContact;

private:
    db::Connection* m_connection;
    static TDMCompany* s_instance;
};
