#include "platform/report/ValueFormatter.h"

#include "db/Decimal.h"

#include <QDateTime>
#include <gtest/gtest.h>

using report::ValueFormatter;

namespace {

QVariant dec(const char* text) {
    db::Decimal::registerMetaType();
    return QVariant::fromValue(db::Decimal::fromString(QString::fromLatin1(text)));
}

struct NumberCase {
    QVariant value;
    const char* mask;
    const char* c;         // QLocale::C
    const char* indonesia; // id_ID
};

class NumberMasks : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberMasks, format_with_grouping_and_parentheses) {
    const NumberCase& p = GetParam();
    EXPECT_EQ(ValueFormatter(QLocale::c()).format(p.value, p.mask), QString::fromUtf8(p.c))
        << p.mask << " " << p.value.toString().toStdString();
    EXPECT_EQ(
        ValueFormatter(QLocale(QLocale::Indonesian, QLocale::Indonesia)).format(p.value, p.mask),
        QString::fromUtf8(p.indonesia));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberMasks,
    ::testing::Values(
        NumberCase{dec("1234567"), "#,##0;(#,##0)", "1,234,567", "1.234.567"},
        NumberCase{dec("-1234567.5"), "#,##0;(#,##0)", "(1,234,568)", "(1.234.568)"},
        NumberCase{dec("1234567"), "#,##0.00;(#,##0.00)", "1,234,567.00", "1.234.567,00"},
        NumberCase{dec("-0.005"), "#,##0.00;(#,##0.00)", "(0.01)", "(0,01)"},
        NumberCase{dec("-0.004"), "#,##0.00;(#,##0.00)", "0.00", "0,00"},
        NumberCase{dec("12.3456"), "#,##0.000;(#,##0.000)", "12.346", "12,346"},
        NumberCase{dec("-12.34565"), "#,##0.0000;(#,##0.0000)", "(12.3457)", "(12,3457)"},
        NumberCase{dec("999.999"), "#,##0.00;(#,##0.00)", "1,000.00", "1.000,00"},
        NumberCase{QVariant(0), "#,##0;(#,##0)", "0", "0"},
        NumberCase{QVariant(-42), "#,##0", "-42", "-42"},
        NumberCase{QVariant(1500.25), "#,##0.00;(#,##0.00)", "1,500.25", "1.500,25"},
        NumberCase{QVariant(qlonglong(123456789012LL)), "#,##0;(#,##0)", "123,456,789,012",
                   "123.456.789.012"},
        NumberCase{QVariant(QString("2500")), "#,##0;(#,##0)", "2,500", "2.500"},
        NumberCase{QVariant(), "#,##0;(#,##0)", "", ""}));

struct DateCase {
    QDateTime value;
    const char* mask;
    const char* expected;
};

class DateMasks : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateMasks, format_with_indonesian_month_names) {
    EXPECT_EQ(ValueFormatter(QLocale::c()).format(GetParam().value, GetParam().mask),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateMasks,
    ::testing::Values(
        DateCase{QDateTime(QDate(2026, 12, 11), QTime()), "dd/MM/yyyy", "11/12/2026"},
        DateCase{QDateTime(QDate(2026, 12, 11), QTime()), "d MMMM yyyy", "11 Desember 2026"},
        DateCase{QDateTime(QDate(2026, 1, 5), QTime()), "dd MMMM yyyy", "05 Januari 2026"},
        DateCase{QDateTime(QDate(2026, 2, 1), QTime()), "d MMMM yyyy", "1 Februari 2026"},
        DateCase{QDateTime(QDate(2026, 3, 9), QTime()), "MMMM", "Maret"},
        DateCase{QDateTime(QDate(2026, 8, 17), QTime()), "d MMM yy", "17 Agu 26"},
        DateCase{QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9)), "dd/MM/yyyy HH:mm:ss",
                 "11/12/2026 14:05:09"},
        DateCase{QDateTime(QDate(2026, 12, 11), QTime()), "dddd, d MMMM yyyy",
                 "Jumat, 11 Desember 2026"}));

TEST(ValueFormatter, month_names_cover_the_year) {
    const char* names[] = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                           "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(ValueFormatter::monthName(m), QString::fromLatin1(names[m - 1]));
    EXPECT_TRUE(ValueFormatter::monthName(13).isEmpty());
}

TEST(ValueFormatter, display_without_mask) {
    ValueFormatter f(QLocale::c());
    EXPECT_EQ(f.display(dec("1234.50")), "1234.5");
    EXPECT_EQ(f.display(QDateTime(QDate(2026, 12, 11), QTime())), "11/12/2026");
    EXPECT_EQ(f.display(QVariant()), "");
    EXPECT_EQ(f.display(7), "7");
}

} // namespace
