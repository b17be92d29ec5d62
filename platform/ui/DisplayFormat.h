#pragma once

#include "db/Decimal.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

namespace ui {

// A display mask parsed once and applied to many values.
//
// Number masks: "#,##0", "#,##0.00;(#,##0.00)", "0.###", "Rp #,##0" ... A ',' in the
// integer part turns on thousands grouping, the '0's after the point are fixed decimals and
// the '#'s optional ones; a second section in parentheses shows negatives as "(1.234,00)",
// an optional third section is the text shown for zero. Literal text before and after the
// digits is kept.
// Date masks ("dd/MM/yyyy", "dd/mm/yyyy") show the date only, in the order and with the
// separator of the locale's short date and always with four-digit years; a mask with a time
// part ("hh:nn", "hh:mm") adds the locale's short time.
// The mask ">" (or upperCase()) shows text in upper case.
// Separators come from the locale given (the workstation's QLocale() by default).
class DisplayFormat {
public:
    enum class Kind { Plain, Number, Date, DateTime, UpperText };

    DisplayFormat() = default; // plain: values shown as their text
    explicit DisplayFormat(const QString& mask, const QLocale& locale = QLocale());

    static DisplayFormat number(int decimals, bool grouping = true, bool parenNegatives = true,
                                const QLocale& locale = QLocale());
    static DisplayFormat dateOnly(const QLocale& locale = QLocale());
    static DisplayFormat dateTime(const QLocale& locale = QLocale());
    static DisplayFormat upperCase();

    Kind kind() const { return m_kind; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isDate() const { return m_kind == Kind::Date || m_kind == Kind::DateTime; }
    const QString& mask() const { return m_mask; }
    const QLocale& locale() const { return m_locale; }
    void setLocale(const QLocale& locale);

    int minDecimals() const { return m_minDecimals; }
    int maxDecimals() const { return m_maxDecimals; }
    bool grouping() const { return m_grouping; }
    bool parenNegatives() const { return m_parenNegatives; }

    // Null values show as empty text. A value that does not fit the mask (text under a
    // number mask that is not a number) is shown as its own text.
    QString format(const QVariant& value) const;
    QString formatNumber(const db::Decimal& value) const;
    QString formatNumber(double value) const;
    QString formatDate(const QDate& date) const;
    QString formatDateTime(const QDateTime& dateTime) const;

    // The date pattern this format shows (for parsing what a user typed in the same form).
    const QString& datePattern() const { return m_datePattern; }

private:
    void parseNumber(const QString& mask);
    void setupDates();

    Kind m_kind = Kind::Plain;
    QString m_mask;
    QLocale m_locale;
    // number
    bool m_grouping = false;
    bool m_parenNegatives = false;
    int m_minDecimals = 0;
    int m_maxDecimals = 0;
    int m_minIntDigits = 1;
    QString m_prefix, m_suffix;
    QString m_negPrefix, m_negSuffix;
    bool m_hasZeroText = false;
    QString m_zeroText;
    // dates
    QString m_datePattern;
    QString m_timePattern;
};

} // namespace ui
