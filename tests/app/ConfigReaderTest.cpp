#include "app/ConfigReader.h"
#include "app/SessionContext.h"
#include "app/TSecurity.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kMissing = QStringLiteral(
    "File configuration doesn't exist.,\r\r\nPlease contact your system administrator.");
const QString kCorrupt =
    QStringLiteral("File configuration is corrupt,\r\r\nPlease contact your system administrator.");

QString scrambled(const QString& text, std::uint16_t key) {
    return TSecurity(3361, 6473).Scramble(text, key);
}

class ConfigReaderTest : public ::testing::Test {
protected:
    void SetUp() override { SessionContext.reset(); }
    QString write(const QString& body) {
        const QString path = dir.filePath(QStringLiteral("db.conf"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(body.toLatin1());
        return path;
    }
    // A complete file; entries listed in `drop` are left out, `replace` overrides one.
    QString complete(const QStringList& drop = {}, const QString& replaceKey = {},
                     const QString& replaceValue = {}) {
        QList<std::pair<QString, QString>> entries = {
            {QStringLiteral("01"), QStringLiteral("127.0.0.1,5544")},
            {QStringLiteral("02"), scrambled(QStringLiteral("siteuser"), 5816)},
            {QStringLiteral("03"), scrambled(QStringLiteral("s3cret pass"), 3025)},
            {QStringLiteral("04"), scrambled(QStringLiteral("SKMRPusat"), 6248)},
            {QStringLiteral("05"), QStringLiteral("1")},
            {QStringLiteral("06"), scrambled(QStringLiteral("extra"), 6248)},
        };
        QString body = QStringLiteral("[Other]\n01=wrong\n[Configuration]\n");
        for (const auto& [k, v] : entries) {
            if (drop.contains(k))
                continue;
            body += k + QStringLiteral(" = ") + (k == replaceKey ? replaceValue : v) + u'\n';
        }
        return write(body);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(ConfigReaderTest, CompleteFileFillsTheSession) {
    ASSERT_TRUE(ConfigReader::ReadConfiguration(complete()));
    EXPECT_EQ(SessionContext.ServerName, QStringLiteral("127.0.0.1,5544"));
    EXPECT_EQ(SessionContext.DatabaseUser, QStringLiteral("siteuser"));
    EXPECT_EQ(SessionContext.DatabasePassword, QStringLiteral("s3cret pass"));
    EXPECT_EQ(SessionContext.ConfigEntry04, QStringLiteral("SKMRPusat"));
    EXPECT_EQ(SessionContext.ConfigEntry05, QStringLiteral("1"));
    EXPECT_EQ(SessionContext.ConfigEntry06, QStringLiteral("extra"));
}

TEST_F(ConfigReaderTest, MissingFile) {
    EXPECT_FALSE(ConfigReader::ReadConfiguration(dir.filePath(QStringLiteral("nothing.conf"))));
    EXPECT_EQ(SessionContext.ConfigMessage, kMissing);
}

TEST_F(ConfigReaderTest, IncompleteFilesAreCorrupt) {
    for (const QString& key : {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
                               QStringLiteral("04"), QStringLiteral("05")}) {
        SessionContext.reset();
        EXPECT_FALSE(ConfigReader::ReadConfiguration(complete({key}))) << key.toStdString();
        EXPECT_EQ(SessionContext.ConfigMessage, kCorrupt) << key.toStdString();
    }
    // Entry 06 is optional.
    SessionContext.reset();
    EXPECT_TRUE(ConfigReader::ReadConfiguration(complete({QStringLiteral("06")})));
    EXPECT_EQ(SessionContext.ConfigEntry06, QString());
}

TEST_F(ConfigReaderTest, SingleCharacterScrambledEntryCountsAsEmpty) {
    EXPECT_FALSE(
        ConfigReader::ReadConfiguration(complete({}, QStringLiteral("03"), QStringLiteral("A"))));
    EXPECT_EQ(SessionContext.ConfigMessage, kCorrupt);
    // The fields are assigned even though the file proves incomplete.
    EXPECT_EQ(SessionContext.ServerName, QStringLiteral("127.0.0.1,5544"));
}

TEST_F(ConfigReaderTest, BlanksAndQuotesAroundValuesAreDropped) {
    ASSERT_TRUE(ConfigReader::ReadConfiguration(
        complete({}, QStringLiteral("01"), QStringLiteral("  \"db-server,5432\"  "))));
    EXPECT_EQ(SessionContext.ServerName, QStringLiteral("db-server,5432"));
}

TEST_F(ConfigReaderTest, UnreadableFileIsCorrupt) {
    // Garbage reads as empty entries; so does a file without read permission
    // (checked only when not running as root).
    const QString path = dir.filePath(QStringLiteral("db.conf"));
    QFile::remove(path);
    const QString garbage = write(QStringLiteral("\x01\x02 binary \xff garbage without sections"));
    EXPECT_FALSE(ConfigReader::ReadConfiguration(garbage));
    EXPECT_EQ(SessionContext.ConfigMessage, kCorrupt);

    const QString locked = complete();
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QFile probe(locked);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    SessionContext.reset();
    EXPECT_FALSE(ConfigReader::ReadConfiguration(locked));
    EXPECT_EQ(SessionContext.ConfigMessage, kCorrupt);
}
