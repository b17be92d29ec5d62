#include "ConnectionSettings.h"

namespace db {

QString ConnectionSettings::host() const {
    const int comma = server.indexOf(u',');
    return (comma < 0 ? server : server.left(comma)).trimmed();
}

int ConnectionSettings::port() const {
    const int comma = server.indexOf(u',');
    if (comma < 0)
        return 5432;
    bool ok = false;
    const int p = server.mid(comma + 1).trimmed().toInt(&ok);
    return ok && p > 0 && p < 65536 ? p : 5432;
}

} // namespace db
