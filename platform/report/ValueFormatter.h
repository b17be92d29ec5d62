#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

namespace report {

// Turns report values into text: number masks such as "#,##0.00;(#,##0.00)"
// (grouping, fixed decimals, a separate negative pattern), date masks with
// Indonesian month names ("dd MMMM yyyy" -> "11 Desember 2026"), and the plain
// display of a value used when a text shows it without a mask.
class ValueFormatter {
public:
    explicit ValueFormatter(const QLocale& locale = QLocale()) : m_locale(locale) {}

    const QLocale& locale() const { return m_locale; }
    void setLocale(const QLocale& locale) { m_locale = locale; }

    QString format(const QVariant& value, const QString& mask) const;
    QString formatNumber(const QVariant& value, const QString& mask) const;
    QString formatDate(const QDateTime& value, const QString& mask) const;
    QString display(const QVariant& value) const;

    static QString monthName(int month);      // "Januari" ... "Desember"
    static QString shortMonthName(int month); // "Jan" ... "Des"
    static bool isNumber(const QVariant& value);
    static bool isDate(const QVariant& value);
    static QDateTime toDateTime(const QVariant& value);

private:
    QLocale m_locale;
};

} // namespace report
