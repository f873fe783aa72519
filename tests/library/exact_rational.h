#pragma once

// The exact value of a Decimal as a rational, the independent truth the decimal tests compare
// against.

#include <boost/multiprecision/cpp_int.hpp>
#include <cstdint>

#include "library/decimal.h"

namespace mapsheet {

inline boost::multiprecision::cpp_rational exactValue(const Decimal& value) {
    using boost::multiprecision::cpp_int;
    using boost::multiprecision::cpp_rational;
    cpp_int coefficient = cpp_int(static_cast<std::uint64_t>(value.coefficient() >> 64)) << 64;
    coefficient += static_cast<std::uint64_t>(value.coefficient());
    const cpp_rational magnitude(coefficient, pow(cpp_int(10), value.scale()));
    return value.isNegative() ? cpp_rational(-magnitude) : magnitude;
}

}  // namespace mapsheet
