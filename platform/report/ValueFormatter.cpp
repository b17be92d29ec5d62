#include "ValueFormatter.h"

#include "db/Decimal.h"

#include <QDateTime>

namespace report {

namespace {

const char* const kMonths[] = {"Januari",   "Februari", "Maret",    "April",
                               "Mei",       "Juni",     "Juli",     "Agustus",
                               "September", "Oktober",  "November", "Desember"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "Mei", "Jun",
                                    "Jul", "Agu", "Sep", "Okt", "Nov", "Des"};
const char* const kDays[] = {"Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu", "Minggu"};

// One section of a number mask: literal prefix, digit pattern, literal suffix.
struct NumberSection {
    QString prefix;
    QString suffix;
    int minDecimals = 0;
    int maxDecimals = 0;
    int minInteger = 1;
    bool grouping = false;
};

QStringList splitSections(const QString& mask) {
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            cur += c;
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            cur += c;
        } else if (c == u';') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

QString unquote(const QString& s) {
    QString out;
    for (QChar c : s)
        if (c != u'"' && c != u'\'')
            out += c;
    return out;
}

NumberSection parseSection(const QString& text) {
    NumberSection s;
    int start = -1, end = -1;
    QChar quote;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        if (c == u'#' || c == u'0' || ((c == u',' || c == u'.') && start >= 0)) {
            if (start < 0)
                start = i;
            end = i + 1;
        } else if (start >= 0) {
            break;
        }
    }
    if (start < 0) {
        s.prefix = unquote(text);
        s.minInteger = 0;
        return s;
    }
    s.prefix = unquote(text.left(start));
    s.suffix = unquote(text.mid(end));
    const QString pattern = text.mid(start, end - start);
    const int dot = pattern.indexOf(u'.');
    const QString intPart = dot < 0 ? pattern : pattern.left(dot);
    const QString decPart = dot < 0 ? QString() : pattern.mid(dot + 1);
    s.grouping = intPart.contains(u',');
    s.minInteger = int(intPart.count(u'0'));
    s.minDecimals = int(decPart.count(u'0'));
    s.maxDecimals = int(decPart.count(u'0') + decPart.count(u'#'));
    return s;
}

db::Decimal toDecimal(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<db::Decimal>())
        return v.value<db::Decimal>();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return db::Decimal::fromInt(v.toLongLong());
    case QMetaType::QString: {
        bool ok = false;
        db::Decimal d = db::Decimal::fromString(v.toString().trimmed(), &ok);
        return ok ? d : db::Decimal::fromDouble(v.toDouble());
    }
    default:
        return db::Decimal::fromDouble(v.toDouble());
    }
}

QString applySection(const NumberSection& s, const QString& digits, const QLocale& locale) {
    // digits: unsigned plain text "1234.5600" with '.' as the point
    QString intPart = digits.section(u'.', 0, 0);
    QString decPart = digits.contains(u'.') ? digits.section(u'.', 1) : QString();
    while (decPart.size() > s.minDecimals && decPart.endsWith(u'0'))
        decPart.chop(1);
    while (intPart.size() > 1 && intPart.startsWith(u'0'))
        intPart.remove(0, 1);
    if (intPart == u"0" && s.minInteger == 0)
        intPart.clear();
    while (intPart.size() < s.minInteger)
        intPart.prepend(u'0');
    if (s.grouping && intPart.size() > 3) {
        const QString sep = locale.groupSeparator();
        QString grouped;
        const int n = int(intPart.size());
        for (int i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                grouped += sep;
            grouped += intPart[i];
        }
        intPart = grouped;
    }
    QString out = s.prefix + intPart;
    if (!decPart.isEmpty())
        out += locale.decimalPoint() + decPart;
    return out + s.suffix;
}

} // namespace

QString ValueFormatter::monthName(int month) {
    return month >= 1 && month <= 12 ? QString::fromLatin1(kMonths[month - 1]) : QString();
}

QString ValueFormatter::shortMonthName(int month) {
    return month >= 1 && month <= 12 ? QString::fromLatin1(kShortMonths[month - 1]) : QString();
}

bool ValueFormatter::isNumber(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<db::Decimal>())
        return true;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool ValueFormatter::isDate(const QVariant& v) {
    return v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate;
}

QDateTime ValueFormatter::toDateTime(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    if (v.typeId() == QMetaType::QString) {
        QDateTime dt = QDateTime::fromString(v.toString(), Qt::ISODate);
        return dt;
    }
    return v.toDateTime();
}

QString ValueFormatter::format(const QVariant& value, const QString& mask) const {
    if (value.isNull() || !value.isValid())
        return {};
    if (mask.isEmpty())
        return display(value);
    if (isDate(value))
        return formatDate(toDateTime(value), mask);
    if (isNumber(value) || value.typeId() == QMetaType::Bool)
        return formatNumber(value, mask);
    if (value.typeId() == QMetaType::QString) {
        // A date given as ISO text still takes a date mask; a numeric text a number mask.
        const bool dateMask = mask.contains(u'd') || mask.contains(u'y') || mask.contains(u'M');
        if (dateMask) {
            const QDateTime dt = toDateTime(value);
            if (dt.isValid())
                return formatDate(dt, mask);
        }
        bool ok = false;
        value.toString().trimmed().toDouble(&ok);
        if (ok && !dateMask)
            return formatNumber(value, mask);
    }
    return display(value);
}

QString ValueFormatter::formatNumber(const QVariant& value, const QString& mask) const {
    const QStringList sections = splitSections(mask);
    const NumberSection pos = parseSection(sections.value(0));
    const db::Decimal d = toDecimal(value);
    // Round with the decimals of the section that will show the value.
    const bool negative = d.raw() < 0;
    const NumberSection* section = &pos;
    NumberSection neg;
    if (negative && sections.size() > 1) {
        neg = parseSection(sections[1]);
        section = &neg;
    }
    db::Decimal rounded = d.rounded(section->maxDecimals);
    if (rounded.isZero()) {
        if (sections.size() > 2)
            return applySection(parseSection(sections[2]), QStringLiteral("0"), m_locale);
        return applySection(pos, rounded.toString(pos.maxDecimals), m_locale);
    }
    QString digits = rounded.toString(section->maxDecimals);
    if (digits.startsWith(u'-'))
        digits.remove(0, 1);
    if (negative && sections.size() > 1)
        return applySection(neg, digits, m_locale);
    return (negative ? QStringLiteral("-") : QString()) + applySection(pos, digits, m_locale);
}

QString ValueFormatter::formatDate(const QDateTime& dt, const QString& mask) const {
    if (!dt.isValid())
        return {};
    const QDate date = dt.date();
    const QTime time = dt.time();
    QString out;
    for (int i = 0; i < mask.size();) {
        const QChar c = mask[i];
        if (c == u'\'' || c == u'"') {
            const int close = int(mask.indexOf(c, i + 1));
            const int stop = close < 0 ? int(mask.size()) : close;
            out += mask.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        int n = 1;
        while (i + n < mask.size() && mask[i + n] == c)
            ++n;
        const auto num = [&](int v, int width) {
            return QString::number(v).rightJustified(width, u'0');
        };
        switch (c.unicode()) {
        case 'd':
            if (n >= 4)
                out += QString::fromLatin1(kDays[date.dayOfWeek() - 1]);
            else if (n == 3)
                out += QString::fromLatin1(kDays[date.dayOfWeek() - 1]).left(3);
            else
                out += num(date.day(), n);
            break;
        case 'M':
            if (n >= 4)
                out += monthName(date.month());
            else if (n == 3)
                out += shortMonthName(date.month());
            else
                out += num(date.month(), n);
            break;
        case 'y':
            out += n >= 4 ? num(date.year(), 4) : num(date.year() % 100, 2);
            break;
        case 'H':
        case 'h':
            out += num(time.hour(), qMin(n, 2));
            break;
        case 'm':
            out += num(time.minute(), qMin(n, 2));
            break;
        case 's':
            out += num(time.second(), qMin(n, 2));
            break;
        default:
            out += QString(n, c);
            break;
        }
        i += n;
    }
    return out;
}

QString ValueFormatter::display(const QVariant& value) const {
    if (value.isNull() || !value.isValid())
        return {};
    if (value.metaType() == QMetaType::fromType<db::Decimal>()) {
        QString s = value.value<db::Decimal>().toString();
        return s.replace(u'.', m_locale.decimalPoint());
    }
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QString s = QString::number(value.toDouble(), 'g', 15);
        return s.replace(u'.', m_locale.decimalPoint());
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime dt = toDateTime(value);
        return formatDate(dt, dt.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy")
                                                       : QStringLiteral("dd/MM/yyyy HH:mm"));
    }
    default:
        return value.toString();
    }
}

} // namespace report
