// The decimal arithmetic against exact rational arithmetic.
//
// For random operands every sum, difference, product and quotient must equal the exact result
// rounded to the nearest representable value: the largest scale up to 28 at which the exact
// value, rounded half to even, has a coefficient below 2^96. When no scale qualifies the
// operation must overflow. The reference works on Boost's arbitrary-precision rationals and
// searches the scales one by one, sharing nothing with the implementation.

#include <gtest/gtest.h>

#include <boost/multiprecision/cpp_int.hpp>
#include <optional>
#include <random>
#include <string>

#include "library/decimal.h"
#include "tests/library/exact_rational.h"

namespace mapsheet {
namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;

__extension__ typedef unsigned __int128 u128;

const cpp_int kLimit = cpp_int(1) << 96;

cpp_int tenTo(int n) {
    cpp_int result = 1;
    for (int i = 0; i < n; ++i) {
        result *= 10;
    }
    return result;
}

struct Representation {
    bool negative;
    cpp_int coefficient;
    int scale;
};

// The nearest representable value, or nothing when the exact value lies beyond the range.
std::optional<Representation> nearestRepresentable(const cpp_rational& exact) {
    const bool negative = exact < 0;
    const cpp_rational magnitude = negative ? cpp_rational(-exact) : exact;
    for (int scale = Decimal::kMaxScale; scale >= 0; --scale) {
        const cpp_int numerator = boost::multiprecision::numerator(magnitude) * tenTo(scale);
        const cpp_int denominator = boost::multiprecision::denominator(magnitude);
        cpp_int quotient = numerator / denominator;
        const cpp_int twiceRemainder = 2 * (numerator - quotient * denominator);
        if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 == 1)) {
            ++quotient;
        }
        if (quotient < kLimit) {
            return Representation{negative, quotient, scale};
        }
    }
    return std::nullopt;
}

// Operands of every size and scale, with a bias towards values at the edges of the range
// and towards small factors that make ties when a digit has to go.
class OperandSource {
  public:
    explicit OperandSource(std::uint32_t seed) : engine_(seed) {}

    Decimal next() {
        const int kind = pick(0, 9);
        if (kind == 0) {
            static const char* const kSpecial[] = {"0.5",
                                                   "2",
                                                   "0.1",
                                                   "10",
                                                   "5",
                                                   "0.25",
                                                   "1",
                                                   "0.0000000000000000000000000001",
                                                   "79228162514264337593543950335",
                                                   "3"};
            const Decimal special = Decimal::parse(kSpecial[pick(0, 9)]);
            return pick(0, 1) == 0 ? special : -special;
        }
        const int bits = kind == 1 ? 96 : pick(0, 96);
        u128 coefficient = (static_cast<u128>(engine_()) << 64) | engine_();
        coefficient &= bits == 0 ? 0 : (~static_cast<u128>(0)) >> (128 - bits);
        const int scaleKind = pick(0, 7);
        const int scale = scaleKind == 0   ? 0
                          : scaleKind <= 2 ? Decimal::kMaxScale
                                           : pick(0, Decimal::kMaxScale);
        return Decimal::fromParts(pick(0, 1) == 1, coefficient, scale);
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

    std::mt19937_64 engine_;
};

std::string describe(const Decimal& value) {
    return value.toString() + " (scale " + std::to_string(value.scale()) + ")";
}

void checkAgainstReference(const Decimal& a, char operation, const Decimal& b,
                           const cpp_rational& exact, auto&& compute) {
    SCOPED_TRACE(describe(a) + " " + operation + " " + describe(b));
    const std::optional<Representation> expected = nearestRepresentable(exact);
    if (!expected) {
        EXPECT_THROW(compute(), DecimalOverflow);
        return;
    }
    Decimal result;
    try {
        result = compute();
    } catch (const DecimalError& error) {
        ADD_FAILURE() << "unexpected " << error.what();
        return;
    }
    // Trailing zeros are stripped, so the stored scale may be below the reference's.
    const cpp_rational expectedValue(expected->coefficient, tenTo(expected->scale));
    EXPECT_EQ(exactValue(result), expected->negative ? cpp_rational(-expectedValue) : expectedValue)
        << "got " << describe(result);
    EXPECT_TRUE(result.scale() == 0 || result.coefficient() % 10 != 0)
        << "trailing zero in " << describe(result);
}

TEST(DecimalProperty, ArithmeticRoundsExactResultsToNearest) {
    OperandSource source(20240611);
    for (int i = 0; i < 5000; ++i) {
        const Decimal a = source.next();
        const Decimal b = source.next();
        const cpp_rational x = exactValue(a);
        const cpp_rational y = exactValue(b);
        checkAgainstReference(a, '+', b, x + y, [&] { return a + b; });
        checkAgainstReference(a, '-', b, x - y, [&] { return a - b; });
        checkAgainstReference(a, '*', b, x * y, [&] { return a * b; });
        if (b.isZero()) {
            EXPECT_THROW(a / b, DecimalDivideByZero);
        } else {
            checkAgainstReference(a, '/', b, x / y, [&] { return a / b; });
        }
        if (::testing::Test::HasFailure()) {
            break;  // one reported case is enough to debug; thousands would drown it
        }
    }
}

TEST(DecimalProperty, ComparisonAgreesWithRationals) {
    OperandSource source(7);
    for (int i = 0; i < 3000; ++i) {
        const Decimal a = source.next();
        // Every third pair holds the same value at a larger scale where one exists.
        const bool sameValue =
            i % 3 == 0 && a.scale() < Decimal::kMaxScale && a.coefficient() < (u128(1) << 96) / 10;
        const Decimal b =
            sameValue ? Decimal::fromParts(a.isNegative(), a.coefficient() * 10, a.scale() + 1)
                      : source.next();
        SCOPED_TRACE(describe(a) + " <=> " + describe(b));
        const cpp_rational x = exactValue(a);
        const cpp_rational y = exactValue(b);
        const auto expected = x < y   ? std::strong_ordering::less
                              : x > y ? std::strong_ordering::greater
                                      : std::strong_ordering::equal;
        ASSERT_EQ(a <=> b, expected);
    }
}

// Text round trip, and long digit strings read as the reference rounds their exact value.
TEST(DecimalProperty, ParseRoundsLongTextToNearest) {
    std::mt19937_64 engine(99);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine);
    };
    OperandSource source(11);
    for (int i = 0; i < 2000; ++i) {
        const Decimal value = source.next();
        ASSERT_EQ(Decimal::parse(value.toString()), value) << describe(value);

        std::string text = pick(0, 1) == 0 ? "-" : "";
        std::string digits;
        const int integerDigits = pick(0, 30);
        const int fractionDigits = pick(0, 40);
        for (int k = 0; k < integerDigits + fractionDigits; ++k) {
            digits += static_cast<char>('0' + pick(0, 9));
        }
        if (pick(0, 3) == 0 && fractionDigits > 1) {
            digits.back() = '5';  // make ties likely
        }
        text += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
        if (digits.empty()) {
            continue;
        }
        SCOPED_TRACE(text);
        const std::size_t significant = digits.find_first_not_of('0');
        // A leading zero would make Boost read the digits as octal.
        const cpp_int whole(significant == std::string::npos ? "0" : digits.substr(significant));
        cpp_rational exact(whole, tenTo(fractionDigits));
        if (text.front() == '-') {
            exact = -exact;
        }
        const std::optional<Representation> expected = nearestRepresentable(exact);
        if (!expected) {
            EXPECT_THROW(Decimal::parse(text), DecimalOverflow);
            continue;
        }
        const cpp_rational expectedValue(expected->coefficient, tenTo(expected->scale));
        ASSERT_EQ(exactValue(Decimal::parse(text)),
                  expected->negative ? cpp_rational(-expectedValue) : expectedValue);
    }
}

}  // namespace
}  // namespace mapsheet
