#include "ConfigReader.h"

#include "SessionContext.h"
#include "TSecurity.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {
const QString kLineBreak = QStringLiteral("\r\r\n");

QString unquote(QString v) {
    v = v.trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
        v = v.mid(1, v.size() - 2);
    return v;
}
} // namespace

QHash<QString, QString> ConfigReader::readSection(const QString& path, const QString& section) {
    QHash<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Latin1);
    bool inSection = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inSection = line.mid(1, line.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const int eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (!values.contains(key)) // the first entry of a key wins, as with the platform reader
            values.insert(key, unquote(line.mid(eq + 1)));
    }
    return values;
}

bool ConfigReader::ReadConfiguration(const QString& path) {
    const TSecurity security(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement);
    if (!QFileInfo(path).isFile()) {
        SessionContext.ConfigMessage = QStringLiteral("File configuration doesn't exist.,") + kLineBreak +
                                       QStringLiteral("Please contact your system administrator.");
        return false;
    }
    const QHash<QString, QString> v = readSection(path, QStringLiteral("Configuration"));
    SessionContext.ServerName = v.value(QStringLiteral("01"));
    SessionContext.DatabaseUser = security.Unscramble(v.value(QStringLiteral("02")), 5816);
    SessionContext.DatabasePassword = security.Unscramble(v.value(QStringLiteral("03")), 3025);
    SessionContext.ConfigEntry04 = security.Unscramble(v.value(QStringLiteral("04")), 6248);
    SessionContext.ConfigEntry05 = v.value(QStringLiteral("05"));
    SessionContext.ConfigEntry06 = security.Unscramble(v.value(QStringLiteral("06")), 6248);
    if (SessionContext.ServerName.isEmpty() || SessionContext.DatabaseUser.isEmpty() ||
        SessionContext.DatabasePassword.isEmpty() || SessionContext.ConfigEntry04.isEmpty() ||
        SessionContext.ConfigEntry05.isEmpty()) {
        SessionContext.ConfigMessage = QStringLiteral("File configuration is corrupt,") + kLineBreak +
                                       QStringLiteral("Please contact your system administrator.");
        return false;
    }
    return true;
}
