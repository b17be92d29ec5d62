#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <compare>

namespace db {

// Fixed-point number with 8 decimal places, wide enough for any decimal(32,8)
// column. Server numerics are read into it from their text form, so money and
// quantities arrive without binary rounding.
class Decimal {
public:
    static constexpr int Scale = 8;
    using Raw = __int128;

    constexpr Decimal() = default;
    static Decimal fromRaw(Raw raw) {
        Decimal d;
        d.m_raw = raw;
        return d;
    }
    static Decimal fromInt(qint64 v);
    static Decimal fromDouble(double v);
    // Accepts "-1234.5678", "+1e3" is not accepted; '.' is the decimal point.
    static Decimal fromString(QStringView text, bool* ok = nullptr);

    Raw raw() const { return m_raw; }
    double toDouble() const;
    qint64 toInt64() const; // truncates toward zero
    // Plain text with '.' as decimal point; decimals < 0 trims trailing zeros.
    QString toString(int decimals = -1) const;
    Decimal rounded(int decimals) const; // half away from zero
    bool isZero() const { return m_raw == 0; }

    Decimal operator+(const Decimal& o) const { return fromRaw(m_raw + o.m_raw); }
    Decimal operator-(const Decimal& o) const { return fromRaw(m_raw - o.m_raw); }
    Decimal operator-() const { return fromRaw(-m_raw); }
    Decimal operator*(const Decimal& o) const; // rounded to 8 places
    Decimal& operator+=(const Decimal& o) {
        m_raw += o.m_raw;
        return *this;
    }
    bool operator==(const Decimal& o) const { return m_raw == o.m_raw; }
    std::strong_ordering operator<=>(const Decimal& o) const { return m_raw <=> o.m_raw; }

    // Registers the QVariant conversions (to double, to text); called once at start-up
    // and by the data layer before the first query.
    static void registerMetaType();

private:
    Raw m_raw = 0;
};

} // namespace db

Q_DECLARE_METATYPE(db::Decimal)
