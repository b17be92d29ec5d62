#pragma once

#include <QObject>

namespace db {
class Connection;
}

// The budget data module: budget lines and realization.
class TDMRAP : public QObject {
    Q_OBJECT
public:
    explicit TDMRAP(db::Connection* connection, QObject* parent = nullptr);
    ~TDMRAP() override;
    static TDMRAP* instance() { return s_instance; }

private:
    db::Connection* m_connection;
    static TDMRAP* s_instance;
};
