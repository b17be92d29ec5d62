#include "db/Decimal.h"

#include <QVariant>
#include <gtest/gtest.h>

using db::Decimal;

TEST(Decimal, ParsesServerTextExactly) {
    struct Case {
        const char* text;
        const char* plain;
        double asDouble;
    };
    const Case cases[] = {
        {"0", "0", 0.0},
        {"1234567.89", "1234567.89", 1234567.89},
        {"-0.05", "-0.05", -0.05},
        {"0.1", "0.1", 0.1},
        {"123456789012345678.12345678", "123456789012345678.12345678", 123456789012345678.0},
        {"12.000000005", "12.00000001", 12.00000001}, // rounded at the ninth place
        {"+7.5", "7.5", 7.5},
        {".5", "0.5", 0.5},
    };
    for (const auto& c : cases) {
        bool ok = false;
        const Decimal d = Decimal::fromString(QString::fromLatin1(c.text), &ok);
        EXPECT_TRUE(ok) << c.text;
        EXPECT_EQ(d.toString(), QString::fromLatin1(c.plain)) << c.text;
        EXPECT_DOUBLE_EQ(d.toDouble(), c.asDouble) << c.text;
    }
}

TEST(Decimal, RejectsWhatIsNotANumber) {
    for (const char* text : {"", "-", "abc", "1.2.3", "1e5", "12,5", " . "}) {
        bool ok = true;
        Decimal::fromString(QString::fromLatin1(text), &ok);
        EXPECT_FALSE(ok) << text;
    }
}

TEST(Decimal, SumsOfTenthsStayExact) {
    Decimal sum;
    for (int i = 0; i < 1000; ++i)
        sum += Decimal::fromString(u"0.1");
    EXPECT_EQ(sum, Decimal::fromInt(100));
}

TEST(Decimal, MultiplicationAndRounding) {
    const Decimal q = Decimal::fromString(u"12.345");
    const Decimal p = Decimal::fromString(u"150000.50");
    EXPECT_EQ((q * p).toString(), QStringLiteral("1851756.1725"));
    EXPECT_EQ(Decimal::fromString(u"2.345").rounded(2).toString(2), QStringLiteral("2.35"));
    EXPECT_EQ(Decimal::fromString(u"-2.345").rounded(2).toString(2), QStringLiteral("-2.35"));
    EXPECT_EQ(Decimal::fromString(u"2.344").rounded(2).toString(2), QStringLiteral("2.34"));
}

TEST(Decimal, TravelsInQVariant) {
    Decimal::registerMetaType();
    const QVariant v = QVariant::fromValue(Decimal::fromString(u"1500.25"));
    EXPECT_DOUBLE_EQ(v.toDouble(), 1500.25);
    EXPECT_EQ(v.toString(), QStringLiteral("1500.25"));
}
