#include "app/TSecurity.h"
#include "db/StoredProc.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using skmtest::TestDatabase;

namespace {

QString scramble(const QString& plain) {
    return TSecurity(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement)
        .Scramble(plain, TSecurity::PasswordKey);
}

class ChangePasswordTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(QStringLiteral("INSERT INTO admUser (UserCode, UserName, UserPassword, IsActive) "
                               "VALUES ('budi', 'Budi Santoso', :p, true), "
                               "('lama', 'Pegawai Lama', :p, false)"),
                {{QStringLiteral("p"), scramble(QStringLiteral("rahasia"))}});
    }

    // Called the way the password dialog calls it: through a StoredProc as sa.
    db::Hasil change(const QString& user, const QString& current, const QString& next) {
        db::StoredProc sp(&db.sa(), QStringLiteral("procChangePassword"));
        sp.declare(QStringLiteral("EntryFrom"), db::FieldType::Text)
            .declare(QStringLiteral("EntryBy"), db::FieldType::Text)
            .declare(QStringLiteral("UserCode"), db::FieldType::Text)
            .declare(QStringLiteral("UserPassword"), db::FieldType::Text)
            .declare(QStringLiteral("UserpasswordNew"), db::FieldType::Text)
            .declare(QStringLiteral("Hasil"), db::FieldType::Text, db::ParamDirection::Output, 255);
        sp.setParam(QStringLiteral("EntryFrom"), QStringLiteral("SITE-PC-01"));
        sp.setParam(QStringLiteral("EntryBy"), QStringLiteral("Budi Santoso"));
        sp.setParam(QStringLiteral("UserCode"), user);
        sp.setParam(QStringLiteral("UserPassword"), scramble(current));
        sp.setParam(QStringLiteral("UserpasswordNew"), scramble(next));
        sp.execute();
        return sp.hasil();
    }

    QString stored(const QString& user) {
        return db
            .scalar(QStringLiteral("SELECT UserPassword FROM admUser WHERE UserCode = :u"),
                    {{QStringLiteral("u"), user}})
            .toString();
    }

    TestDatabase db;
};

TEST_F(ChangePasswordTest, StoresNewScrambledPasswordAndAudit) {
    const db::Hasil h =
        change(QStringLiteral("budi"), QStringLiteral("rahasia"), QStringLiteral("Baru#2024"));
    EXPECT_TRUE(h.ok()) << h.text().toStdString();
    EXPECT_EQ(h.message(), QStringLiteral("Password telah berhasil diubah."));
    EXPECT_EQ(stored(QStringLiteral("budi")), scramble(QStringLiteral("Baru#2024")));
    QSqlQuery q = db.owner().exec(QStringLiteral("SELECT ModifyBy, ModifyFrom, ModifyTime IS NOT "
                                                 "NULL FROM admUser WHERE UserCode = 'budi'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("Budi Santoso"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("SITE-PC-01"));
    EXPECT_TRUE(q.value(2).toBool());
    // The new password is now the current one; the old one no longer works.
    EXPECT_FALSE(
        change(QStringLiteral("budi"), QStringLiteral("rahasia"), QStringLiteral("x")).ok());
    EXPECT_TRUE(
        change(QStringLiteral("budi"), QStringLiteral("Baru#2024"), QStringLiteral("x")).ok());
}

TEST_F(ChangePasswordTest, FiftyCharacterPasswordIsStoredWhole) {
    const QString longPassword(50, u'k');
    ASSERT_EQ(scramble(longPassword).size(), 100);
    EXPECT_TRUE(change(QStringLiteral("budi"), QStringLiteral("rahasia"), longPassword).ok());
    EXPECT_EQ(stored(QStringLiteral("budi")), scramble(longPassword));
}

struct Refusal {
    const char* user;
    const char* current;
    int newLength; // characters of the new plain password; 0 = empty
    const char* code;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.user << "/" << r.code;
}

class ChangePasswordRefusalTest : public ChangePasswordTest,
                                  public ::testing::WithParamInterface<Refusal> {};

TEST_P(ChangePasswordRefusalTest, RefusesAndChangesNothing) {
    const Refusal& r = GetParam();
    const QString before = stored(QStringLiteral("budi"));
    const QString beforeInactive = stored(QStringLiteral("lama"));
    const db::Hasil h = change(QString::fromLatin1(r.user), QString::fromLatin1(r.current),
                               QString(r.newLength, u'n'));
    EXPECT_FALSE(h.ok());
    EXPECT_EQ(h.code().toStdString(), r.code);
    EXPECT_FALSE(h.message().isEmpty());
    EXPECT_EQ(stored(QStringLiteral("budi")), before);
    EXPECT_EQ(stored(QStringLiteral("lama")), beforeInactive);
    EXPECT_TRUE(
        db.scalar(QStringLiteral("SELECT bool_and(ModifyTime IS NULL) FROM admUser")).toBool());
}

const Refusal kRefusals[] = {
    {"budi", "salah", 8, "01"},       // wrong current password
    {"budi", "", 8, "01"},            // no current password
    {"tidakada", "rahasia", 8, "01"}, // unknown user
    {"lama", "rahasia", 8, "01"},     // inactive user
    {"BUDI", "rahasia", 8, "01"},     // user codes are compared exactly
    {"budi", "rahasia", 51, "02"},    // scrambles to 102 characters
    {"budi", "rahasia", 0, "03"},     // empty new password
};

INSTANTIATE_TEST_SUITE_P(Cases, ChangePasswordRefusalTest, ::testing::ValuesIn(kRefusals));

TEST_F(ChangePasswordTest, WrongPasswordMessage) {
    const db::Hasil h =
        change(QStringLiteral("budi"), QStringLiteral("salah"), QStringLiteral("x"));
    EXPECT_EQ(h.text(), QStringLiteral("01- Password lama tidak sesuai."));
}

} // namespace
