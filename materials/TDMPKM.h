#pragma once

#include <QObject>

namespace db {
class Connection;
}

// The material-request data module.
class TDMPKM : public QObject {
    Q_OBJECT
public:
    explicit TDMPKM(db::Connection* connection, QObject* parent = nullptr);
    ~TDMPKM() override;
    static TDMPKM* instance() { return s_instance; }

private:
    db::Connection* m_connection;
    static TDMPKM* s_instance;
};
