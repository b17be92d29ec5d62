#include "DbConfWriter.h"

#include "AdminError.h"
#include "app/TSecurity.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace admin {

namespace {
void requireEntry(const QString& value, const char* key, bool required) {
    if (required && value.trimmed().isEmpty())
        throw AdminError(QStringLiteral("Entry %1 of db.conf must not be empty.").arg(key));
    for (const QChar c : value)
        if (c.unicode() > 0xFF || c.unicode() < 0x20)
            throw AdminError(
                QStringLiteral("Entry %1 of db.conf holds a character that cannot be stored.")
                    .arg(key));
    // The reader trims values, so surrounding blanks would not survive.
    if (value != value.trimmed())
        throw AdminError(
            QStringLiteral("Entry %1 of db.conf must not start or end with blanks.").arg(key));
}
} // namespace

void DbConfWriter::write(const QString& path, const Entries& e) {
    requireEntry(e.server, "01", true);
    requireEntry(e.user, "02", true);
    requireEntry(e.password, "03", true);
    requireEntry(e.entry04, "04", true);
    requireEntry(e.entry05, "05", true);
    requireEntry(e.entry06, "06", false);

    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw AdminError(QStringLiteral("%1 is not a file.").arg(path));
    if (!info.absoluteDir().exists())
        throw AdminError(QStringLiteral("The folder of %1 does not exist.").arg(path));

    const TSecurity sec(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement);
    QSettings ini(path, QSettings::IniFormat);
    ini.remove(QStringLiteral("Configuration"));
    ini.beginGroup(QStringLiteral("Configuration"));
    ini.setValue(QStringLiteral("01"), e.server);
    ini.setValue(QStringLiteral("02"), sec.Scramble(e.user, UserKey));
    ini.setValue(QStringLiteral("03"), sec.Scramble(e.password, PasswordKey));
    ini.setValue(QStringLiteral("04"), sec.Scramble(e.entry04, EntryKey));
    ini.setValue(QStringLiteral("05"), e.entry05);
    if (!e.entry06.isEmpty())
        ini.setValue(QStringLiteral("06"), sec.Scramble(e.entry06, EntryKey));
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw AdminError(QStringLiteral("Cannot write %1.").arg(path));
}

} // namespace admin
