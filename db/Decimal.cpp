#include "Decimal.h"

#include <cmath>

namespace db {

namespace {
constexpr Decimal::Raw kOne = 100000000; // 10^Scale

Decimal::Raw pow10(int n) {
    Decimal::Raw r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}
} // namespace

Decimal Decimal::fromInt(qint64 v) {
    return fromRaw(static_cast<Raw>(v) * kOne);
}

Decimal Decimal::fromDouble(double v) {
    if (!std::isfinite(v))
        return {};
    return fromRaw(static_cast<Raw>(std::llround(v * 1e8)));
}

Decimal Decimal::fromString(QStringView text, bool* ok) {
    auto fail = [&]() {
        if (ok)
            *ok = false;
        return Decimal();
    };
    QStringView s = text.trimmed();
    if (s.isEmpty())
        return fail();
    bool negative = false;
    qsizetype i = 0;
    if (s[0] == u'-' || s[0] == u'+') {
        negative = s[0] == u'-';
        ++i;
    }
    Raw intPart = 0;
    Raw frac = 0;
    int fracDigits = 0;
    bool anyDigit = false;
    bool roundUp = false;
    for (; i < s.size() && s[i] != u'.'; ++i) {
        const QChar c = s[i];
        if (!c.isDigit())
            return fail();
        intPart = intPart * 10 + (c.unicode() - '0');
        anyDigit = true;
    }
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size(); ++i) {
            const QChar c = s[i];
            if (!c.isDigit())
                return fail();
            anyDigit = true;
            if (fracDigits < Scale) {
                frac = frac * 10 + (c.unicode() - '0');
                ++fracDigits;
            } else if (fracDigits == Scale) {
                roundUp = c.unicode() >= '5';
                ++fracDigits;
            }
        }
    }
    if (!anyDigit)
        return fail();
    const int used = fracDigits > Scale ? Scale : fracDigits;
    Raw raw = intPart * kOne + frac * pow10(Scale - used);
    if (roundUp)
        raw += 1;
    if (ok)
        *ok = true;
    return fromRaw(negative ? -raw : raw);
}

double Decimal::toDouble() const {
    const Raw whole = m_raw / kOne;
    const Raw part = m_raw % kOne;
    return static_cast<double>(whole) + static_cast<double>(part) / 1e8;
}

qint64 Decimal::toInt64() const {
    return static_cast<qint64>(m_raw / kOne);
}

Decimal Decimal::rounded(int decimals) const {
    if (decimals >= Scale)
        return *this;
    if (decimals < 0)
        decimals = 0;
    const Raw unit = pow10(Scale - decimals);
    const Raw half = unit / 2;
    Raw r = m_raw >= 0 ? (m_raw + half) / unit : -((-m_raw + half) / unit);
    return fromRaw(r * unit);
}

Decimal Decimal::operator*(const Decimal& o) const {
    const Raw p = m_raw * o.m_raw; // fits for the magnitudes this system handles
    const Raw half = kOne / 2;
    return fromRaw(p >= 0 ? (p + half) / kOne : -((-p + half) / kOne));
}

QString Decimal::toString(int decimals) const {
    const Decimal v = decimals >= 0 ? rounded(decimals) : *this;
    Raw a = v.m_raw < 0 ? -v.m_raw : v.m_raw;
    Raw whole = a / kOne;
    Raw part = a % kOne;
    QString w;
    if (whole == 0)
        w = QStringLiteral("0");
    while (whole > 0) {
        w.prepend(QChar(u'0' + static_cast<int>(whole % 10)));
        whole /= 10;
    }
    QString f = QString::number(static_cast<qint64>(part)).rightJustified(Scale, u'0');
    if (decimals >= 0) {
        f.truncate(decimals);
    } else {
        while (f.endsWith(u'0'))
            f.chop(1);
    }
    QString out = (v.m_raw < 0 ? QStringLiteral("-") : QString()) + w;
    if (!f.isEmpty())
        out += u'.' + f;
    return out;
}

void Decimal::registerMetaType() {
    static const bool done = [] {
        qRegisterMetaType<Decimal>();
        QMetaType::registerConverter<Decimal, double>(&Decimal::toDouble);
        QMetaType::registerConverter<Decimal, QString>([](const Decimal& d) { return d.toString(); });
        QMetaType::registerConverter<Decimal, qlonglong>(
            [](const Decimal& d) { return static_cast<qlonglong>(d.toInt64()); });
        QMetaType::registerConverter<Decimal, int>(
            [](const Decimal& d) { return static_cast<int>(d.toInt64()); });
        return true;
    }();
    (void)done;
}

} // namespace db
