#include "app/TSecurity.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const TSecurity sec(TSecurity::DefaultMultiplier, TSecurity::DefaultIncrement);
}

TEST(TSecurity, RoundTripsEveryStartKey) {
    const QString texts[] = {QStringLiteral("sa"), QStringLiteral("rahasia123"),
                             QString::fromLatin1("Kata sandi \xe9\xff\x80 ~!"),
                             QStringLiteral(" ")};
    for (const QString& t : texts) {
        for (std::uint16_t key : {std::uint16_t(0), std::uint16_t(7942), std::uint16_t(5816),
                                  std::uint16_t(3025), std::uint16_t(6248), std::uint16_t(65535)}) {
            const QString s = sec.Scramble(t, key);
            EXPECT_EQ(s.size(), t.size() * 2);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(s).hasMatch())
                << s.toStdString();
            EXPECT_EQ(sec.Unscramble(s, key), t) << key;
        }
    }
}

TEST(TSecurity, KnownValuesFollowTheKeyChain) {
    // First byte: 'a' (0x61) XOR high byte of 7942 (0x1F) = 0x7E; the key then
    // becomes ((7942 + 0x7E) * 3361 + 6473) mod 65536 = 0xDD4D, so 'b' (0x62) XOR 0xDD = 0xBF.
    EXPECT_EQ(sec.Scramble(QStringLiteral("ab"), 7942), QStringLiteral("7EBF"));
    EXPECT_EQ(sec.Unscramble(QStringLiteral("7EBF"), 7942), QStringLiteral("ab"));
}

TEST(TSecurity, EdgeCases) {
    EXPECT_EQ(sec.Scramble(QString(), 7942), QString());
    EXPECT_EQ(sec.Unscramble(QString(), 7942), QString());
    // A single character is an incomplete pair.
    EXPECT_EQ(sec.Unscramble(QStringLiteral("7"), 7942), QString());
    // Odd tail is ignored.
    EXPECT_EQ(sec.Unscramble(QStringLiteral("7EBFF"), 7942), QStringLiteral("ab"));
    // Lower-case hex reads like upper case.
    EXPECT_EQ(sec.Unscramble(QStringLiteral("7ebf"), 7942), QStringLiteral("ab"));
    // Invalid pairs read as 0 and the key still advances with 0.
    const QString withBad = sec.Unscramble(QStringLiteral("G1BF"), 7942);
    const QString withZero = sec.Unscramble(QStringLiteral("00BF"), 7942);
    EXPECT_EQ(withBad, withZero);
    EXPECT_EQ(sec.Unscramble(QStringLiteral(" 1BF"), 7942), withZero);
    EXPECT_EQ(withBad.size(), 2);
    // A replaced pair changes its own character and every later one.
    EXPECT_NE(sec.Unscramble(QStringLiteral("7FBF"), 7942).at(1), QChar(u'b'));
}
