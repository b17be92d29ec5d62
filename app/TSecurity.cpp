#include "TSecurity.h"

namespace {
int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}
} // namespace

QString TSecurity::Scramble(const QString& text, std::uint16_t startKey) const {
    static const char digits[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toLatin1();
    QString out;
    out.reserve(bytes.size() * 2);
    std::uint16_t key = startKey;
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(static_cast<std::uint8_t>(ch) ^ (key >> 8));
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 0x0F]);
        key = nextKey(key, b);
    }
    return out;
}

QString TSecurity::Unscramble(const QString& text, std::uint16_t startKey) const {
    const qsizetype n = text.size() / 2;
    QByteArray bytes;
    bytes.reserve(n);
    std::uint16_t key = startKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexDigit(text[2 * i].unicode());
        const int lo = hexDigit(text[2 * i + 1].unicode());
        const auto b = static_cast<std::uint8_t>(hi < 0 || lo < 0 ? 0 : (hi << 4) | lo);
        bytes += static_cast<char>(b ^ (key >> 8));
        key = nextKey(key, b);
    }
    return QString::fromLatin1(bytes);
}
