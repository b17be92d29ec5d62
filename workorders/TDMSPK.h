#pragma once

#include <QObject>

namespace db {
class Connection;
}

// The work-order data module: work orders, their lines and payments.
class TDMSPK : public QObject {
    Q_OBJECT
public:
    explicit TDMSPK(db::Connection* connection, QObject* parent = nullptr);
    ~TDMSPK() override;
    static TDMSPK* instance() { return s_instance; }

private:
    db::Connection* m_connection;
    static TDMSPK* s_instance;
};
