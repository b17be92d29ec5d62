#pragma once

#include <QString>

namespace admin {

// Where and as whom the administration command connects.
struct ServerLogin {
    QString host = QStringLiteral("127.0.0.1");
    int port = 5544;
    QString user = QStringLiteral("postgres");
    QString password;
    QString database = QStringLiteral("postgres");

    ServerLogin withDatabase(const QString& name) const {
        ServerLogin l = *this;
        l.database = name;
        return l;
    }
};

} // namespace admin
