#pragma once

#include <QString>

namespace admin {

// Writes the client's db.conf: section [Configuration], keys 01..06, with the
// protected entries scrambled under their start keys.
class DbConfWriter {
public:
    struct Entries {
        QString server;                                // 01, "host" or "host,port"
        QString user = QStringLiteral("sa");           // 02, scrambled with 5816
        QString password;                              // 03, scrambled with 3025
        QString entry04 = QStringLiteral("SKMRPusat"); // 04, scrambled with 6248
        QString entry05 = QStringLiteral("1");         // 05, plain
        QString entry06;                               // 06, scrambled with 6248; optional
    };

    static constexpr int UserKey = 5816;
    static constexpr int PasswordKey = 3025;
    static constexpr int EntryKey = 6248;

    // Throws AdminError for a missing required entry, text the scrambler cannot
    // carry, or a file that cannot be written. Other sections of an existing file stay.
    static void write(const QString& path, const Entries& entries);
};

} // namespace admin
