#pragma once

// Building blocks shared by the Decimal sources and the library's other digit arithmetic: powers
// of ten, the 96-bit coefficient limit, half-to-even rounding of the digits a result has to give
// up, and writing a coefficient's digits. Internal to the library.

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

// unsigned __int128 is a GCC/Clang extension that -Wpedantic reports at every use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"

namespace mapsheet::decimal_detail {

using u128 = unsigned __int128;

inline constexpr u128 kCoefficientLimit = u128(1) << 96;  // first coefficient that does not fit
inline constexpr u128 kMaxCoefficient = kCoefficientLimit - 1;
// 2^96 / 10 rounded: where a coefficient that rounded up to 2^96 lands one scale lower. Every
// value that rounds to 2^96 at some scale rounds to this at the scale below it.
inline constexpr u128 kLimitOneScaleDown = kCoefficientLimit / 10 + 1;

constexpr std::array<u128, 39> makePowersOfTen() {
    std::array<u128, 39> powers{};
    u128 power = 1;
    for (auto& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}
inline constexpr std::array<u128, 39> kPowerOfTen = makePowersOfTen();  // 10^0 .. 10^38

constexpr int bitLength(u128 value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    const auto low = static_cast<std::uint64_t>(value);
    if (high != 0) {
        return 128 - __builtin_clzll(high);
    }
    return low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// The part of a value below the last digit kept, measured against half a unit of that digit.
// kZero means nothing was dropped, so the kept digits are exact.
enum class Tail { kZero, kBelowHalf, kHalf, kAboveHalf };

// The tail after dropping `digits` more digits, worth `dropped` (below 10^digits), above a part
// that had already been dropped and left `lower`.
inline Tail extendTail(u128 dropped, int digits, Tail lower) {
    const u128 half = kPowerOfTen[digits] / 2;
    if (dropped < half) {
        return dropped == 0 && lower == Tail::kZero ? Tail::kZero : Tail::kBelowHalf;
    }
    if (dropped == half) {
        return lower == Tail::kZero ? Tail::kHalf : Tail::kAboveHalf;
    }
    return Tail::kAboveHalf;
}

// Half to even: whether the kept coefficient goes up by one.
inline bool roundsUp(Tail tail, u128 kept) {
    return tail == Tail::kAboveHalf || (tail == Tail::kHalf && (kept & 1) != 0);
}

// Divides by ten in place and returns the remainder. The steps are 64-bit divisions by a
// constant, which the compiler turns into multiplications; a 128-bit division would be a call.
inline unsigned divideByTen(u128& value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    const auto low = static_cast<std::uint64_t>(value);
    const std::uint64_t highQuotient = high / 10;
    const std::uint64_t middle = ((high % 10) << 32) | (low >> 32);
    const std::uint64_t middleQuotient = middle / 10;
    const std::uint64_t bottom = ((middle % 10) << 32) | (low & 0xffffffffu);
    const std::uint64_t bottomQuotient = bottom / 10;
    value = (u128(highQuotient) << 64) | (middleQuotient << 32) | bottomQuotient;
    return static_cast<unsigned>(bottom % 10);
}

inline bool endsInZero(u128 value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    const auto low = static_cast<std::uint64_t>(value);
    return ((high % 10) * 6 + low % 10) % 10 == 0;  // 2^64 = 6 (mod 10)
}

// Removes trailing zeros of the coefficient while the scale allows, keeping the value.
inline void stripTrailingZeros(u128& coefficient, int& scale) {
    if (coefficient == 0) {
        scale = 0;
        return;
    }
    while (scale > 0 && endsInZero(coefficient)) {
        divideByTen(coefficient);
        --scale;
    }
}

inline constexpr int kMaxDigitsOf128 = 39;

// Writes the decimal digits of value ("0" for zero) to out, which holds kMaxDigitsOf128
// characters, and returns their count.
inline int writeDigits(u128 value, char* out) {
    constexpr std::uint64_t kTenTo19 = 10000000000000000000u;
    if ((value >> 64) == 0) {
        return static_cast<int>(
            std::to_chars(out, out + kMaxDigitsOf128, static_cast<std::uint64_t>(value)).ptr - out);
    }
    // Split into parts below 10^19 so that each is written with 64-bit arithmetic.
    const u128 upper = value / kTenTo19;
    const auto lower = static_cast<std::uint64_t>(value - upper * kTenTo19);
    const int length = writeDigits(upper, out);
    char lowerDigits[20];
    const int lowerLength =
        static_cast<int>(std::to_chars(lowerDigits, lowerDigits + 20, lower).ptr - lowerDigits);
    std::memset(out + length, '0', 19 - lowerLength);
    std::memcpy(out + length + 19 - lowerLength, lowerDigits, lowerLength);
    return length + 19;
}

}  // namespace mapsheet::decimal_detail

#pragma GCC diagnostic pop
