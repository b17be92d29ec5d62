#pragma once

#include <QObject>

namespace db {
class Connection;
}

// The petty-cash data module: vouchers and petty-cash reports.
class TDMPC : public QObject {
    Q_OBJECT
public:
    explicit TDMPC(db::Connection* connection, QObject* parent = nullptr);
    ~TDMPC() override;
    static TDMPC* instance() { return s_instance; }

private:
    db::Connection* m_connection;
    static TDMPC* s_instance;
};
