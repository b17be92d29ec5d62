#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using skmtest::TestDatabase;

namespace {

struct Spelled {
    const char* amount;
    const char* words;
};

void PrintTo(const Spelled& s, std::ostream* os) {
    *os << s.amount;
}

const Spelled kAmounts[] = {
    {"0", "nol"},
    {"0.000", "nol"},
    {"1", "satu"},
    {"10", "sepuluh"},
    {"11", "sebelas"},
    {"12", "dua belas"},
    {"19", "sembilan belas"},
    {"20", "dua puluh"},
    {"21", "dua puluh satu"},
    {"100", "seratus"},
    {"101", "seratus satu"},
    {"110", "seratus sepuluh"},
    {"111", "seratus sebelas"},
    {"999", "sembilan ratus sembilan puluh sembilan"},
    {"1000", "seribu"},
    {"1001", "seribu satu"},
    {"1100", "seribu seratus"},
    {"2000", "dua ribu"},
    {"10000", "sepuluh ribu"},
    {"11000", "sebelas ribu"},
    {"100000", "seratus ribu"},
    {"101000", "seratus satu ribu"},
    {"1000000", "satu juta"},
    {"1234567", "satu juta dua ratus tiga puluh empat ribu lima ratus enam puluh tujuh"},
    {"1000000000", "satu milyar"},
    {"1000001000", "satu milyar seribu"},
    {"2500000000000", "dua triliun lima ratus milyar"},
    {"1000000000000000", "seribu triliun"},
    {"-15", "minus lima belas"},
    {"-1000", "minus seribu"},
    {"0.5", "nol koma lima"},
    {"-0.5", "minus nol koma lima"},
    {"12.25", "dua belas koma dua lima"},
    {"12.2500", "dua belas koma dua lima"},
    {"7.05", "tujuh koma nol lima"},
    {"1500000.00", "satu juta lima ratus ribu"},
};

class TerbilangTest : public ::testing::TestWithParam<Spelled> {
protected:
    static void SetUpTestSuite() { s_db = new TestDatabase(); }
    static void TearDownTestSuite() {
        delete s_db;
        s_db = nullptr;
    }
    static QVariant spell(const QString& amount) {
        // The amount travels as text and is cast on the server: no float rounding.
        return s_db->scalar(QStringLiteral("SELECT FunTerbilangReal(CAST(:a AS numeric))"),
                            {{QStringLiteral("a"), amount}});
    }
    static TestDatabase* s_db;
};
TestDatabase* TerbilangTest::s_db = nullptr;

TEST_P(TerbilangTest, SpellsAmount) {
    const Spelled& s = GetParam();
    EXPECT_EQ(spell(QString::fromLatin1(s.amount)).toString().toStdString(), s.words);
}

INSTANTIATE_TEST_SUITE_P(Amounts, TerbilangTest, ::testing::ValuesIn(kAmounts));

TEST_F(TerbilangTest, HugeAmountsStayWithin255CharactersOfWholeWords) {
    const QString known = QStringLiteral(
        " nol satu dua tiga empat lima enam tujuh delapan sembilan sepuluh sebelas belas puluh "
        "seratus ratus seribu ribu juta milyar triliun koma minus ");
    const QStringList amounts = {
        QString(40, u'9'),
        QStringLiteral("-") + QString(200, u'7'),
        QStringLiteral("1") + QString(900, u'0'),
        QStringLiteral("123456789.") + QString(300, u'3'),
        QStringLiteral("0.") + QString(1000, u'1'),
    };
    for (const QString& a : amounts) {
        const QString words = spell(a).toString();
        EXPECT_LE(words.size(), 255) << a.left(20).toStdString();
        EXPECT_GT(words.size(), 20) << a.left(20).toStdString();
        EXPECT_EQ(words, words.simplified()) << "single spaces, no trailing space";
        for (const QString& w : words.split(u' '))
            EXPECT_TRUE(known.contains(u' ' + w + u' '))
                << "cut inside a word: " << w.toStdString();
    }
    // A typed numeric column of the work order goes through as well.
    EXPECT_EQ(s_db->scalar(QStringLiteral("SELECT FunTerbilangReal(CAST(123456789012345.12345678 "
                                          "AS numeric(24,8)))"))
                  .toString(),
              QStringLiteral("seratus dua puluh tiga triliun empat ratus lima puluh enam milyar "
                             "tujuh ratus delapan puluh sembilan juta dua belas ribu tiga ratus "
                             "empat puluh lima koma satu dua tiga empat lima enam tujuh delapan"));
}

TEST_F(TerbilangTest, NullAndNotANumberGiveNull) {
    EXPECT_TRUE(s_db->scalar(QStringLiteral("SELECT FunTerbilangReal(NULL)")).isNull());
    EXPECT_TRUE(s_db->scalar(QStringLiteral("SELECT FunTerbilangReal('NaN')")).isNull());
}

} // namespace
