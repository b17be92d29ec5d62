#pragma once

#include <QString>

namespace db {

struct ConnectionSettings {
    QString server; // "host" or "host,port"
    QString user;
    QString password;
    QString database;
    int connectTimeoutSeconds = 30;
    int statementTimeoutSeconds = 30;

    QString host() const;
    int port() const; // 5432 when the server names none
};

} // namespace db
