#include "DisplayFormat.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace ui {

namespace {

bool isDigitPatternChar(QChar c) {
    return c == u'#' || c == u'0' || c == u',' || c == u'.';
}

// Splits a mask section into the literal text before the digit pattern, the pattern and
// the literal text after it.
struct Section {
    QString prefix, pattern, suffix;
};

Section splitSection(const QString& s) {
    Section out;
    qsizetype begin = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'#' || s[i] == u'0') {
            begin = i;
            break;
        }
    }
    if (begin < 0) {
        out.prefix = s;
        return out;
    }
    // a leading group separator or point belongs to the pattern
    while (begin > 0 && isDigitPatternChar(s[begin - 1]))
        --begin;
    qsizetype end = begin;
    while (end < s.size() && isDigitPatternChar(s[end]))
        ++end;
    out.prefix = s.left(begin);
    out.pattern = s.mid(begin, end - begin);
    out.suffix = s.mid(end);
    return out;
}

// Widens a locale date/time pattern to two-digit days and months and four-digit years.
QString normalisePattern(const QString& pattern) {
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') { // quoted literal, copied as is
            qsizetype j = pattern.indexOf(u'\'', i + 1);
            if (j < 0)
                j = pattern.size() - 1;
            out += pattern.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        qsizetype j = i;
        while (j < pattern.size() && pattern[j] == c)
            ++j;
        const qsizetype run = j - i;
        if (c == u'd' && run <= 2)
            out += QStringLiteral("dd");
        else if (c == u'M' && run <= 2)
            out += QStringLiteral("MM");
        else if (c == u'y')
            out += QStringLiteral("yyyy");
        else
            out += pattern.mid(i, run);
        i = j;
    }
    return out;
}

} // namespace

DisplayFormat::DisplayFormat(const QString& mask, const QLocale& locale)
    : m_mask(mask), m_locale(locale) {
    const QString m = mask.trimmed();
    if (m.isEmpty())
        return;
    if (m.startsWith(u'>')) {
        m_kind = Kind::UpperText;
        return;
    }
    if (m.contains(u'#') || m.contains(u'0')) {
        m_kind = Kind::Number;
        parseNumber(m);
        return;
    }
    const bool hasDate = m.contains(u'd', Qt::CaseInsensitive) ||
                         m.contains(u'y', Qt::CaseInsensitive) || m.contains(u'M');
    const bool hasTime = m.contains(u'h', Qt::CaseInsensitive) || m.contains(u'n') ||
                         m.contains(u':') || m.contains(u's');
    if (hasDate) {
        m_kind = hasTime ? Kind::DateTime : Kind::Date;
        setupDates();
    }
}

DisplayFormat DisplayFormat::number(int decimals, bool grouping, bool parenNegatives,
                                    const QLocale& locale) {
    decimals = std::clamp(decimals, 0, db::Decimal::Scale);
    QString pattern = grouping ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (decimals > 0)
        pattern += u'.' + QString(decimals, u'0');
    if (parenNegatives)
        pattern += QStringLiteral(";(") + pattern + u')';
    return DisplayFormat(pattern, locale);
}

DisplayFormat DisplayFormat::dateOnly(const QLocale& locale) {
    return DisplayFormat(QStringLiteral("dd/MM/yyyy"), locale);
}

DisplayFormat DisplayFormat::dateTime(const QLocale& locale) {
    return DisplayFormat(QStringLiteral("dd/MM/yyyy hh:nn"), locale);
}

DisplayFormat DisplayFormat::upperCase() {
    return DisplayFormat(QStringLiteral(">"));
}

void DisplayFormat::setLocale(const QLocale& locale) {
    m_locale = locale;
    if (isDate())
        setupDates();
}

void DisplayFormat::parseNumber(const QString& mask) {
    const QStringList sections = mask.split(u';');
    const Section pos = splitSection(sections.value(0));
    m_prefix = pos.prefix;
    m_suffix = pos.suffix;

    const qsizetype point = pos.pattern.indexOf(u'.');
    const QString intPart = point < 0 ? pos.pattern : pos.pattern.left(point);
    const QString fracPart = point < 0 ? QString() : pos.pattern.mid(point + 1);
    m_grouping = intPart.contains(u',');
    m_minIntDigits = static_cast<int>(intPart.count(u'0'));
    m_minDecimals = static_cast<int>(fracPart.count(u'0'));
    m_maxDecimals = m_minDecimals + static_cast<int>(fracPart.count(u'#'));
    m_maxDecimals = std::min(m_maxDecimals, db::Decimal::Scale);
    m_minDecimals = std::min(m_minDecimals, m_maxDecimals);

    if (sections.size() > 1 && !sections[1].isEmpty()) {
        const Section neg = splitSection(sections[1]);
        m_negPrefix = neg.prefix;
        m_negSuffix = neg.suffix;
        if (neg.pattern.isEmpty()) { // a negative section without digits: show the sign
            m_negPrefix = m_locale.negativeSign() + m_prefix;
            m_negSuffix = m_suffix;
        }
    } else {
        m_negPrefix = m_locale.negativeSign() + m_prefix;
        m_negSuffix = m_suffix;
    }
    m_parenNegatives = m_negPrefix.contains(u'(') && m_negSuffix.contains(u')');
    if (sections.size() > 2) {
        m_hasZeroText = true;
        m_zeroText = sections[2];
    }
}

void DisplayFormat::setupDates() {
    m_datePattern = normalisePattern(m_locale.dateFormat(QLocale::ShortFormat));
    m_timePattern = m_locale.timeFormat(QLocale::ShortFormat);
}

QString DisplayFormat::formatNumber(const db::Decimal& value) const {
    if (m_kind != Kind::Number)
        return value.toString();
    const db::Decimal r = value.rounded(m_maxDecimals);
    if (r.isZero() && m_hasZeroText)
        return m_zeroText;
    QString plain = r.toString(m_maxDecimals); // "-1234.5600"
    const bool negative = plain.startsWith(u'-');
    if (negative)
        plain.remove(0, 1);
    const qsizetype point = plain.indexOf(u'.');
    QString whole = point < 0 ? plain : plain.left(point);
    QString frac = point < 0 ? QString() : plain.mid(point + 1);
    while (frac.size() > m_minDecimals && frac.endsWith(u'0'))
        frac.chop(1);
    if (whole == QLatin1String("0") && m_minIntDigits == 0 && !frac.isEmpty())
        whole.clear();
    if (whole.size() < m_minIntDigits)
        whole = whole.rightJustified(m_minIntDigits, u'0');

    QString body;
    if (m_grouping && whole.size() > 3) {
        const QString sep = m_locale.groupSeparator();
        const qsizetype first = whole.size() % 3 == 0 ? 3 : whole.size() % 3;
        body = whole.left(first);
        for (qsizetype i = first; i < whole.size(); i += 3)
            body += sep + whole.mid(i, 3);
    } else {
        body = whole;
    }
    if (!frac.isEmpty())
        body += m_locale.decimalPoint() + frac;
    return negative ? m_negPrefix + body + m_negSuffix : m_prefix + body + m_suffix;
}

QString DisplayFormat::formatNumber(double value) const {
    if (!std::isfinite(value))
        return m_locale.toString(value);
    if (std::abs(value) < 9.0e10)
        return formatNumber(db::Decimal::fromDouble(value));
    // beyond the fixed-point range of a double conversion: go through the text form
    bool ok = false;
    const db::Decimal d =
        db::Decimal::fromString(QString::number(value, 'f', db::Decimal::Scale), &ok);
    return ok ? formatNumber(d) : m_locale.toString(value, 'f', m_maxDecimals);
}

QString DisplayFormat::formatDate(const QDate& date) const {
    if (!date.isValid())
        return {};
    const QString pattern = m_datePattern.isEmpty()
                                ? normalisePattern(m_locale.dateFormat(QLocale::ShortFormat))
                                : m_datePattern;
    return m_locale.toString(date, pattern);
}

QString DisplayFormat::formatDateTime(const QDateTime& dateTime) const {
    if (!dateTime.isValid())
        return {};
    if (m_kind != Kind::DateTime)
        return formatDate(dateTime.date());
    return formatDate(dateTime.date()) + u' ' + m_locale.toString(dateTime.time(), m_timePattern);
}

QString DisplayFormat::format(const QVariant& value) const {
    if (!value.isValid() || value.isNull())
        return {};
    const QMetaType type = value.metaType();
    const bool isDecimal = type == QMetaType::fromType<db::Decimal>();
    switch (m_kind) {
    case Kind::Number:
        if (isDecimal)
            return formatNumber(value.value<db::Decimal>());
        switch (type.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return formatNumber(db::Decimal::fromInt(value.toLongLong()));
        case QMetaType::Double:
        case QMetaType::Float:
            return formatNumber(value.toDouble());
        case QMetaType::QString: {
            bool ok = false;
            const db::Decimal d = db::Decimal::fromString(value.toString(), &ok);
            return ok ? formatNumber(d) : value.toString();
        }
        default:
            return value.toString();
        }
    case Kind::Date:
    case Kind::DateTime:
        if (type.id() == QMetaType::QDateTime)
            return formatDateTime(value.toDateTime());
        if (type.id() == QMetaType::QDate)
            return m_kind == Kind::Date ? formatDate(value.toDate())
                                        : formatDateTime(QDateTime(value.toDate(), QTime(0, 0)));
        if (type.id() == QMetaType::QString) {
            const QDateTime dt = QDateTime::fromString(value.toString(), Qt::ISODate);
            return dt.isValid() ? formatDateTime(dt) : value.toString();
        }
        return value.toString();
    case Kind::UpperText:
        return (isDecimal ? value.value<db::Decimal>().toString() : value.toString()).toUpper();
    case Kind::Plain:
        break;
    }
    return isDecimal ? value.value<db::Decimal>().toString() : value.toString();
}

} // namespace ui
