#pragma once

#include <QHash>
#include <QString>

// Reads db.conf, an INI file whose entries lie in the section "Configuration".
// Values lose surrounding blanks (and one pair of surrounding quotes, as the
// platform's INI readers do); a missing or unreadable file reads as empty.
class ConfigReader {
public:
    static constexpr const char* FileName = "db.conf";

    // ReadConfiguration: fills the connection fields of SessionContext. Returns
    // true when the file exists and entries "01" to "05" are all non-empty;
    // otherwise leaves the failure text in SessionContext.ConfigMessage.
    static bool ReadConfiguration(const QString& path);

    static QHash<QString, QString> readSection(const QString& path, const QString& section);
};
