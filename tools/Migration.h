#pragma once

#include <QList>
#include <QString>

namespace admin {

// One schema change file: server/migrations/NNN_name.sql.
struct Migration {
    int version = 0;
    QString name; // file name without the number and ".sql"
    QString path;

    // The migration files of a folder in version order; throws AdminError for a
    // file without a number or for two files with the same number.
    static QList<Migration> scan(const QString& folder);
};

} // namespace admin
