#include "Migration.h"

#include "AdminError.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace admin {

QList<Migration> Migration::scan(const QString& folder) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)_(.+)\\.sql$"));
    QList<Migration> result;
    const QDir dir(folder);
    for (const QString& file : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        const auto m = pattern.match(file);
        bool ok = false;
        const int version = m.hasMatch() ? m.captured(1).toInt(&ok) : 0;
        if (!ok || version <= 0)
            throw AdminError(
                QStringLiteral(
                    "Migration file %1 does not start with a version number (NNN_name.sql).")
                    .arg(dir.filePath(file)));
        result.append({version, m.captured(2), dir.filePath(file)});
    }
    std::sort(result.begin(), result.end(),
              [](const Migration& a, const Migration& b) { return a.version < b.version; });
    for (qsizetype i = 1; i < result.size(); ++i) {
        if (result[i].version == result[i - 1].version)
            throw AdminError(QStringLiteral("Migration files %1 and %2 share version %3.")
                                 .arg(result[i - 1].path, result[i].path)
                                 .arg(result[i].version));
    }
    return result;
}

} // namespace admin
