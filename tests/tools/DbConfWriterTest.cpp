#include "tools/DbConfWriter.h"
#include "app/TSecurity.h"
#include "tools/AdminError.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using admin::DbConfWriter;

namespace {
QString unscrambled(QSettings& ini, const char* key, int startKey) {
    const TSecurity sec(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement);
    return sec.Unscramble(
        ini.value(QStringLiteral("Configuration/") + QLatin1String(key)).toString(),
        static_cast<std::uint16_t>(startKey));
}
} // namespace

struct ConfCase {
    const char* server;
    const char* password;
    const char* entry06;
};

class DbConfRoundTrip : public ::testing::TestWithParam<ConfCase> {};

TEST_P(DbConfRoundTrip, ReadsBackThroughQSettingsAndTheScrambler) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.conf"));
    DbConfWriter::Entries e;
    e.server = QString::fromUtf8(GetParam().server);
    e.password = QString::fromLatin1(GetParam().password);
    e.entry06 = QString::fromLatin1(GetParam().entry06);
    DbConfWriter::write(path, e);

    QSettings ini(path, QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Configuration/01")).toString(), e.server);
    EXPECT_EQ(unscrambled(ini, "02", 5816), QStringLiteral("sa"));
    EXPECT_EQ(unscrambled(ini, "03", 3025), e.password);
    EXPECT_EQ(unscrambled(ini, "04", 6248), QStringLiteral("SKMRPusat"));
    EXPECT_EQ(ini.value(QStringLiteral("Configuration/05")).toString(), QStringLiteral("1"));
    EXPECT_EQ(unscrambled(ini, "06", 6248), e.entry06);
    EXPECT_EQ(ini.contains(QStringLiteral("Configuration/06")), !e.entry06.isEmpty());
    // Scrambled entries are hex pairs, not the clear text.
    EXPECT_NE(ini.value(QStringLiteral("Configuration/03")).toString(), e.password);
}

INSTANTIATE_TEST_SUITE_P(Entries, DbConfRoundTrip,
                         ::testing::Values(ConfCase{"127.0.0.1,5544", "secret", ""},
                                           ConfCase{"dbserver", "p@ss;word=\"x\" #1", "extra"},
                                           ConfCase{"10.0.0.5,5432", "caf\xe9 \xfc", ""},
                                           ConfCase{"host,1", "a,b,c", "x,y"}));

TEST(DbConfWriterTest, RewritingReplacesTheEntriesAndKeepsOtherSections) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.conf"));
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("Other/keep"), QStringLiteral("me"));
    }
    DbConfWriter::Entries e;
    e.server = QStringLiteral("one");
    e.password = QStringLiteral("first");
    e.entry06 = QStringLiteral("six");
    DbConfWriter::write(path, e);
    e.server = QStringLiteral("two,5544");
    e.password = QStringLiteral("second");
    e.entry06.clear();
    DbConfWriter::write(path, e);

    QSettings ini(path, QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Configuration/01")).toString(), QStringLiteral("two,5544"));
    EXPECT_EQ(unscrambled(ini, "03", 3025), QStringLiteral("second"));
    EXPECT_FALSE(ini.contains(QStringLiteral("Configuration/06")));
    EXPECT_EQ(ini.value(QStringLiteral("Other/keep")).toString(), QStringLiteral("me"));
}

TEST(DbConfWriterTest, RefusesEntriesThatWouldNotReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.conf"));
    const auto attempt = [&](auto change) {
        DbConfWriter::Entries e;
        e.server = QStringLiteral("h");
        e.password = QStringLiteral("p");
        change(e);
        DbConfWriter::write(path, e);
    };
    EXPECT_THROW(attempt([](auto& e) { e.server.clear(); }), admin::AdminError);
    EXPECT_THROW(attempt([](auto& e) { e.password.clear(); }), admin::AdminError);
    EXPECT_THROW(attempt([](auto& e) { e.entry05.clear(); }), admin::AdminError);
    EXPECT_THROW(attempt([](auto& e) { e.password = QStringLiteral(" padded "); }),
                 admin::AdminError);
    EXPECT_THROW(attempt([](auto& e) { e.password = QString::fromUtf8("\xe2\x82\xac"); }),
                 admin::AdminError);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_THROW(
        {
            DbConfWriter::Entries e;
            e.server = QStringLiteral("h");
            e.password = QStringLiteral("p");
            DbConfWriter::write(dir.filePath(QStringLiteral("missing/db.conf")), e);
        },
        admin::AdminError);
}
