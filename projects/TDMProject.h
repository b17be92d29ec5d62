#pragma once

#include <QObject>

namespace db {
class Connection;
}

// The project data module: lookups of the project screens.
class TDMProject : public QObject {
    Q_OBJECT
public:
    explicit TDMProject(db::Connection* connection, QObject* parent = nullptr);
    ~TDMProject() override;
    static TDMProject* instance() { return s_instance; }

private:
    db::Connection* m_connection;
    static TDMProject* s_instance;
};
