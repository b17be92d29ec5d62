#pragma once

#include <QString>
#include <cstdint>

// Scrambles text into hexadecimal pairs and back under a 16-bit key chain.
// Used for the protected entries of db.conf and for passwords (start key 7942).
class TSecurity {
public:
    static constexpr std::uint16_t DefaultMultiplier = 3361;
    static constexpr std::uint16_t DefaultIncrement = 6473;
    static constexpr std::uint16_t PasswordKey = 7942;

    TSecurity(std::uint16_t multiplier, std::uint16_t increment)
        : Multiplier(multiplier), Increment(increment) {}

    // Text goes through the single-byte Latin-1 code page; the result has two
    // upper-case hex digits per character.
    QString Scramble(const QString& text, std::uint16_t startKey) const;
    // One character per complete pair; an invalid pair reads as 0, an odd tail is ignored.
    QString Unscramble(const QString& text, std::uint16_t startKey) const;

    const std::uint16_t Multiplier;
    const std::uint16_t Increment;

private:
    std::uint16_t nextKey(std::uint16_t key, std::uint8_t b) const {
        const std::uint32_t k = (static_cast<std::uint32_t>(key) + b) & 0xFFFFu;
        return static_cast<std::uint16_t>(k * Multiplier + Increment);
    }
};
