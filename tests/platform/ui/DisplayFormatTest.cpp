#include "platform/ui/DisplayFormat.h"

#include "db/Decimal.h"

#include <gtest/gtest.h>

using db::Decimal;
using ui::DisplayFormat;

namespace {

const QLocale kId(QLocale::Indonesian, QLocale::Indonesia);
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

Decimal dec(const char* s) {
    bool ok = false;
    const Decimal d = Decimal::fromString(QString::fromLatin1(s), &ok);
    EXPECT_TRUE(ok) << s;
    return d;
}

struct NumberCase {
    const char* mask;
    const char* value;
    bool indonesian;
    const char* expected;
};

class DisplayFormatNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DisplayFormatNumberTest, FormatsDecimal) {
    const NumberCase& c = GetParam();
    const DisplayFormat f(QString::fromLatin1(c.mask), c.indonesian ? kId : kUs);
    ASSERT_TRUE(f.isNumber());
    EXPECT_EQ(f.formatNumber(dec(c.value)), QString::fromUtf8(c.expected));
    EXPECT_EQ(f.format(QVariant::fromValue(dec(c.value))), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Masks, DisplayFormatNumberTest,
    ::testing::Values(
        NumberCase{"#,##0.00;(#,##0.00)", "1234567", true, "1.234.567,00"},
        NumberCase{"#,##0.00;(#,##0.00)", "-1234567.5", true, "(1.234.567,50)"},
        NumberCase{"#,##0.00;(#,##0.00)", "1234567", false, "1,234,567.00"},
        NumberCase{"#,##0.00;(#,##0.00)", "-0.004", false, "0.00"}, // rounds to zero: no parens
        NumberCase{"#,##0.00;(#,##0.00)", "0.005", false, "0.01"},  // half away from zero
        NumberCase{"#,##0.00;(#,##0.00)", "-0.005", false, "(0.01)"},
        NumberCase{"#,##0;(#,##0)", "999", true, "999"},
        NumberCase{"#,##0;(#,##0)", "1000", true, "1.000"},
        NumberCase{"#,##0;(#,##0)", "-1000.6", true, "(1.001)"},
        NumberCase{"#,##0;(#,##0)", "123456789012", false, "123,456,789,012"},
        NumberCase{"#,##0.000;(#,##0.000)", "-12.3456", true, "(12,346)"},
        NumberCase{"#,##0.0000;(#,##0.0000)", "1234.5", true, "1.234,5000"},
        NumberCase{"#,##0.0000;(#,##0.0000)", "-0.00005", false, "(0.0001)"},
        NumberCase{"0.00", "-1234.5", false, "-1234.50"},   // no grouping, minus
        NumberCase{"#,##0.##", "1234.5", false, "1,234.5"}, // optional decimals
        NumberCase{"#,##0.##", "1234", false, "1,234"},
        NumberCase{"0000", "42", false, "0042"},                           // minimum digits
        NumberCase{"Rp #,##0", "1500", true, "Rp 1.500"},                  // literal prefix
        NumberCase{"#,##0;(#,##0);-", "0", false, "-"},                    // zero section
        NumberCase{"#,##0 m3;(#,##0 m3)", "-2500", false, "(2,500 m3)"})); // literal suffix

TEST(DisplayFormatTest, FormatsOtherNumericVariants) {
    const DisplayFormat f(QStringLiteral("#,##0.00;(#,##0.00)"), kId);
    EXPECT_EQ(f.format(QVariant(-1234)), QStringLiteral("(1.234,00)"));
    EXPECT_EQ(f.format(QVariant(qlonglong(5000000000LL))), QStringLiteral("5.000.000.000,00"));
    EXPECT_EQ(f.format(QVariant(2.675)), QStringLiteral("2,68"));
    EXPECT_EQ(f.format(QVariant(1.0e12)), QStringLiteral("1.000.000.000.000,00"));
    EXPECT_EQ(f.format(QVariant(QStringLiteral("-7.5"))), QStringLiteral("(7,50)"));
    // text that is not a number is shown as it is, null as nothing
    EXPECT_EQ(f.format(QVariant(QStringLiteral("n/a"))), QStringLiteral("n/a"));
    EXPECT_EQ(f.format(QVariant()), QString());
    EXPECT_EQ(f.format(QVariant(QMetaType::fromType<double>())), QString());
}

TEST(DisplayFormatTest, NumberFactoryMatchesMask) {
    for (int decimals : {0, 2, 3, 4}) {
        const DisplayFormat f = DisplayFormat::number(decimals, true, true, kId);
        EXPECT_EQ(f.minDecimals(), decimals);
        EXPECT_TRUE(f.grouping());
        EXPECT_TRUE(f.parenNegatives());
        const DisplayFormat fromMask(f.mask(), kId);
        EXPECT_EQ(f.formatNumber(dec("-9876543.21987")),
                  fromMask.formatNumber(dec("-9876543.21987")));
    }
    EXPECT_EQ(DisplayFormat::number(2, false, false, kUs).formatNumber(dec("-1234.5")),
              QStringLiteral("-1234.50"));
}

TEST(DisplayFormatTest, DateOnlyFollowsLocaleOrderWithFourDigitYears) {
    const QDateTime dt(QDate(2024, 3, 7), QTime(14, 35));
    const DisplayFormat id(QStringLiteral("dd/MM/yyyy"), kId);
    EXPECT_EQ(id.kind(), DisplayFormat::Kind::Date);
    EXPECT_EQ(id.format(dt), QStringLiteral("07/03/2024"));
    const DisplayFormat us(QStringLiteral("dd/mm/yyyy"), kUs);
    EXPECT_EQ(us.format(dt), QStringLiteral("03/07/2024"));
    EXPECT_EQ(us.format(QDate(1999, 12, 31)), QStringLiteral("12/31/1999"));
    EXPECT_EQ(id.format(QDateTime()), QString());
    EXPECT_EQ(id.format(QVariant()), QString());
    const DisplayFormat idTime(QStringLiteral("dd/mm/yyyy hh:nn"), kId);
    EXPECT_EQ(idTime.kind(), DisplayFormat::Kind::DateTime);
    EXPECT_TRUE(idTime.format(dt).startsWith(QStringLiteral("07/03/2024 ")));
    EXPECT_TRUE(idTime.format(dt).contains(QStringLiteral("14")));
}

TEST(DisplayFormatTest, UpperCaseAndPlain) {
    EXPECT_EQ(DisplayFormat::upperCase().format(QStringLiteral("Jl. Sudirman no. 5")),
              QStringLiteral("JL. SUDIRMAN NO. 5"));
    EXPECT_EQ(DisplayFormat(QStringLiteral(">")).kind(), DisplayFormat::Kind::UpperText);
    const DisplayFormat plain;
    EXPECT_EQ(plain.kind(), DisplayFormat::Kind::Plain);
    EXPECT_EQ(plain.format(QVariant::fromValue(dec("12.50"))), QStringLiteral("12.5"));
    EXPECT_EQ(plain.format(QStringLiteral("abc")), QStringLiteral("abc"));
    // a mask that is neither number nor date is plain, not an error
    EXPECT_EQ(DisplayFormat(QStringLiteral("!!")).kind(), DisplayFormat::Kind::Plain);
}

} // namespace
