// Sum, difference, product and quotient of Decimals.
//
// Sums and products are formed exactly in a 256-bit integer (an aligned sum needs at most 190
// bits, a product 192) and then rounded once, half to even, to the largest scale whose
// coefficient fits 96 bits. Quotients are produced digit chunk by digit chunk with 128-bit long
// division, so the remainder tells the rounding exactly. Nothing here allocates.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "library/decimal.h"
#include "library/decimal_digits.h"

namespace mapsheet {
namespace {

using decimal_detail::bitLength;
using decimal_detail::extendTail;
using decimal_detail::kCoefficientLimit;
using decimal_detail::kLimitOneScaleDown;
using decimal_detail::kPowerOfTen;
using decimal_detail::roundsUp;
using decimal_detail::Tail;
using decimal_detail::u128;

// An unsigned 256-bit integer, least significant limb first.
struct Wide {
    std::array<std::uint64_t, 4> limb{};

    explicit Wide(u128 value = 0)
        : limb{static_cast<std::uint64_t>(value), static_cast<std::uint64_t>(value >> 64), 0, 0} {}

    bool fits96() const { return limb[3] == 0 && limb[2] == 0 && (limb[1] >> 32) == 0; }
    u128 low128() const { return (u128(limb[1]) << 64) | limb[0]; }

    int bitLength() const {
        for (int i = 3; i >= 0; --i) {
            if (limb[i] != 0) {
                return 64 * i + 64 - __builtin_clzll(limb[i]);
            }
        }
        return 0;
    }

    // Divides in place by divisor (at most 10^19) and returns the remainder.
    std::uint64_t divide(std::uint64_t divisor) {
        std::uint64_t remainder = 0;
        for (int i = 3; i >= 0; --i) {
            const u128 current = (u128(remainder) << 64) | limb[i];
            const auto quotient = static_cast<std::uint64_t>(current / divisor);
            remainder = static_cast<std::uint64_t>(current - u128(quotient) * divisor);
            limb[i] = quotient;
        }
        return remainder;
    }
};

Wide product(u128 a, u128 b) {
    const auto a0 = static_cast<std::uint64_t>(a), a1 = static_cast<std::uint64_t>(a >> 64);
    const auto b0 = static_cast<std::uint64_t>(b), b1 = static_cast<std::uint64_t>(b >> 64);
    const u128 p00 = u128(a0) * b0, p01 = u128(a0) * b1, p10 = u128(a1) * b0, p11 = u128(a1) * b1;
    const u128 middle =
        (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
    const u128 upper = (middle >> 64) + (p01 >> 64) + (p10 >> 64) + static_cast<std::uint64_t>(p11);
    Wide result;
    result.limb = {static_cast<std::uint64_t>(p00), static_cast<std::uint64_t>(middle),
                   static_cast<std::uint64_t>(upper),
                   static_cast<std::uint64_t>(upper >> 64) + static_cast<std::uint64_t>(p11 >> 64)};
    return result;
}

Wide addWide(const Wide& a, const Wide& b) {
    Wide result;
    std::uint64_t carry = 0;
    for (int i = 0; i < 4; ++i) {
        const u128 total = u128(a.limb[i]) + b.limb[i] + carry;
        result.limb[i] = static_cast<std::uint64_t>(total);
        carry = static_cast<std::uint64_t>(total >> 64);
    }
    return result;
}

// a - b for a >= b.
Wide subtractWide(const Wide& a, const Wide& b) {
    Wide result;
    std::uint64_t borrow = 0;
    for (int i = 0; i < 4; ++i) {
        // Wraps modulo 2^128 when the limb goes below zero, setting the upper bits.
        const u128 difference = u128(a.limb[i]) - b.limb[i] - borrow;
        result.limb[i] = static_cast<std::uint64_t>(difference);
        borrow = (difference >> 64) != 0 ? 1 : 0;
    }
    return result;
}

bool less(const Wide& a, const Wide& b) {
    for (int i = 3; i >= 0; --i) {
        if (a.limb[i] != b.limb[i]) {
            return a.limb[i] < b.limb[i];
        }
    }
    return false;
}

void dropDigits(Wide& value, int digits, Tail& tail) {
    while (digits > 0) {
        const int step = std::min(digits, 19);
        const std::uint64_t dropped = value.divide(static_cast<std::uint64_t>(kPowerOfTen[step]));
        tail = extendTail(dropped, step, tail);
        digits -= step;
    }
}

// A value as coefficient and scale, on its way to becoming a Decimal.
struct Parts {
    u128 coefficient = 0;
    int scale = 0;
};

// Rounds value / 10^scale (scale >= 0, possibly above 28) to the largest scale up to 28 whose
// coefficient fits 96 bits, half to even. Returns false when not even scale 0 fits.
bool roundToFit(Wide value, int scale, Parts& result) {
    Tail tail = Tail::kZero;
    int dropped = std::max(0, scale - Decimal::kMaxScale);
    const int bits = value.bitLength();
    if (bits > 97) {
        // value >= 2^(bits-1), so at least floor((bits-97) log10 2) digits must go; 1233/4096 is
        // just below log10 2, keeping this a lower bound.
        dropped = std::max(dropped, ((bits - 97) * 1233) >> 12);
    }
    dropDigits(value, dropped, tail);
    while (!value.fits96()) {
        dropDigits(value, 1, tail);
        ++dropped;
    }
    int resultScale = scale - dropped;
    u128 coefficient = value.low128();
    if (roundsUp(tail, coefficient)) {
        ++coefficient;
        if (coefficient == kCoefficientLimit) {
            coefficient = kLimitOneScaleDown;
            --resultScale;
        }
    }
    if (resultScale < 0) {
        return false;
    }
    result = {coefficient, resultScale};
    return true;
}

u128 multiplyOrSaturate(u128 value, int powerOfTen) {
    u128 result;
    return __builtin_mul_overflow(value, kPowerOfTen[powerOfTen], &result) ? ~u128(0) : result;
}

[[noreturn]] void throwOverflow(const Decimal& a, const char* operation, const Decimal& b) {
    throw DecimalOverflow("decimal overflow: \"" + a.toString() + operation + b.toString() + "\"");
}

// Digits of 10^n worth adding to the quotient per long-division step: the step multiplies both
// the quotient so far and the remainder (below the divisor) by 10^n within 128 bits.
int quotientStep(u128 quotient, u128 divisor, int wanted) {
    static constexpr std::array<int, 39> kPowerBits = [] {
        std::array<int, 39> bits{};
        for (int n = 0; n < 39; ++n) {
            bits[n] = bitLength(kPowerOfTen[n]);
        }
        return bits;
    }();
    const int room = 127 - std::max(bitLength(quotient), bitLength(divisor));
    int step = std::min(wanted, 38);
    while (kPowerBits[step] > room) {
        --step;
    }
    return step;
}

}  // namespace

Decimal Decimal::sum(const Decimal& a, const Decimal& b, bool subtract) {
    const bool bNegative = b.negative_ != subtract;
    const int scale = std::max(a.scale_, b.scale_);
    const u128 x = multiplyOrSaturate(a.coefficient_, scale - a.scale_);
    const u128 y = multiplyOrSaturate(b.coefficient_, scale - b.scale_);
    const u128 saturated = ~u128(0);
    if (x != saturated && y != saturated) {
        if (a.negative_ == bNegative) {
            const u128 total = x + y;
            if (total >= x && total < kCoefficientLimit) {
                return normalised(a.negative_, total, scale);
            }
        } else {
            const u128 difference = x >= y ? x - y : y - x;
            if (difference < kCoefficientLimit) {
                return normalised(x >= y ? a.negative_ : bNegative, difference, scale);
            }
        }
    }
    const Wide wideX = product(a.coefficient_, kPowerOfTen[scale - a.scale_]);
    const Wide wideY = product(b.coefficient_, kPowerOfTen[scale - b.scale_]);
    bool negative = a.negative_;
    Wide total;
    if (a.negative_ == bNegative) {
        total = addWide(wideX, wideY);
    } else if (less(wideX, wideY)) {
        total = subtractWide(wideY, wideX);
        negative = bNegative;
    } else {
        total = subtractWide(wideX, wideY);
    }
    Parts parts;
    if (!roundToFit(total, scale, parts)) {
        throwOverflow(a, subtract ? " - " : " + ", b);
    }
    return normalised(negative, parts.coefficient, parts.scale);
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    return Decimal::sum(a, b, false);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return Decimal::sum(a, b, true);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    const bool negative = a.negative_ != b.negative_;
    const int scale = a.scale_ + b.scale_;
    Wide exact;
    if ((a.coefficient_ >> 64) == 0 && (b.coefficient_ >> 64) == 0) {
        const u128 small = a.coefficient_ * b.coefficient_;
        if (small < kCoefficientLimit && scale <= Decimal::kMaxScale) {
            return Decimal::normalised(negative, small, scale);
        }
        exact = Wide(small);
    } else {
        exact = product(a.coefficient_, b.coefficient_);
    }
    Parts parts;
    if (!roundToFit(exact, scale, parts)) {
        throwOverflow(a, " * ", b);
    }
    return Decimal::normalised(negative, parts.coefficient, parts.scale);
}

// The quotient q = floor(a / b * 10^t) grows from t = a.scale - b.scale in steps of several
// digits, while its coefficient stays below 2^96 and t has not reached 28; the remainder below
// the divisor keeps the rounding exact.
Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.coefficient_ == 0) {
        throw DecimalDivideByZero("division by zero: \"" + a.toString() + " / " + b.toString() +
                                  "\"");
    }
    const bool negative = a.negative_ != b.negative_;
    const u128 divisor = b.coefficient_;
    u128 quotient = a.coefficient_ / divisor;
    u128 remainder = a.coefficient_ - quotient * divisor;
    int scale = a.scale_ - b.scale_;
    while (scale < Decimal::kMaxScale && remainder != 0) {
        const int step = quotientStep(quotient, divisor, Decimal::kMaxScale - scale);
        const u128 widened = remainder * kPowerOfTen[step];
        const u128 digits = widened / divisor;
        remainder = widened - digits * divisor;
        quotient = quotient * kPowerOfTen[step] + digits;
        scale += step;
        if (quotient >= kCoefficientLimit) {
            break;
        }
    }
    if (remainder == 0 && quotient < kCoefficientLimit) {
        // Exact: a quotient at a negative scale is an integer with zeros still to append.
        while (scale < 0) {
            if (quotient > decimal_detail::kMaxCoefficient / 10) {
                throwOverflow(a, " / ", b);
            }
            quotient *= 10;
            ++scale;
        }
        return Decimal::normalised(negative, quotient, scale);
    }
    Tail tail = Tail::kZero;
    if (remainder != 0) {
        const u128 twice = remainder * 2;  // remainder < divisor < 2^96
        tail = twice < divisor    ? Tail::kBelowHalf
               : twice == divisor ? Tail::kHalf
                                  : Tail::kAboveHalf;
    }
    while (quotient >= kCoefficientLimit) {
        tail = extendTail(decimal_detail::divideByTen(quotient), 1, tail);
        --scale;
    }
    if (roundsUp(tail, quotient)) {
        ++quotient;
        if (quotient == kCoefficientLimit) {
            quotient = kLimitOneScaleDown;
            --scale;
        }
    }
    if (scale < 0) {
        throwOverflow(a, " / ", b);
    }
    return Decimal::normalised(negative, quotient, scale);
}

}  // namespace mapsheet
