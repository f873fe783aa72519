#pragma once

// Pieces shared by the source files of ModuleQmb: how the operations read their operands, and
// the quotient that tells its caller whether it failed.

#include <string_view>

#include "library/number.h"

namespace mapsheet::ModuleQmb::reading {

// The double read from the operand's text: readLeadingDouble of a text, the 15-digit value
// of a finite double (other doubles as they are), the nearest double of a decimal.
double leadingDouble(const Operand& operand);

// The decimal of the operand; throws DecimalError when it has none.
Decimal decimalOf(const Operand& operand);

// 判断数的有效字符长度 of a text.
int significantDigitCount(std::string_view text);

}  // namespace mapsheet::ModuleQmb::reading

namespace mapsheet::ModuleQmb::detail {

// 求两数商(a, b); `failed` tells whether it returned its fallback.
Number quotient(const Operand& a, const Operand& b, bool& failed);

}  // namespace mapsheet::ModuleQmb::detail
