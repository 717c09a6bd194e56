// A small set over an enumeration whose values are below 32, in the manner of
// the framework's Pascal-style sets (TComponentState, TFontStyles, ...).
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename Enum> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<Enum> items) {
        for (Enum item : items)
            Include(item);
    }

    constexpr bool Contains(Enum item) const { return (bits_ & Bit(item)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(Enum item) {
        bits_ |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(Enum item) {
        bits_ &= ~Bit(item);
        return *this;
    }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr bool operator==(const TSet&) const = default;

    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet set;
        set.bits_ = bits;
        return set;
    }

private:
    static constexpr std::uint32_t Bit(Enum item) {
        return std::uint32_t{1} << static_cast<unsigned>(item);
    }
    std::uint32_t bits_ = 0;
};
