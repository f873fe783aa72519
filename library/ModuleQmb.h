#pragma once

// ModuleQmb: arithmetic on numbers that arrive as text, double or decimal, preferring the exact
// decimal type and falling back to double when a value does not fit it.
//
// No operation raises an error: each returns its fixed fallback and appends one message to the
// diagnostics log (diagnostics_log.h). Operations done in the decimal type count themselves
// with 记录精确运算, those that fall back to double with 记录近似运算.

#include <string>

#include "library/diagnostics_log.h"
#include "library/number.h"

namespace mapsheet::ModuleQmb {

// Off at start. When on, 数转数 and 四舍五入 work in the decimal type; when off, in double.
extern bool 精确模式;

// Significant digits of a value's text; the scan stops at the first character other than
// digits, " ", ".", "+" and "-". Fallback -1.
int 判断数的有效字符长度(const Operand& value);

// The value as a decimal (精确模式 on and the value within the decimal range) or a double.
// Fallback: the number 1.
Number 数转数(const Operand& value);

// a - b, a * b, a / b and a - b * trunc(a / b). Fallback: the number 1.
Number 求两数差(const Operand& a, const Operand& b);
Number 求两数积(const Operand& a, const Operand& b);
Number 求两数商(const Operand& a, const Operand& b);
Number 求两数余(const Operand& a, const Operand& b);

// Integer part, toward zero, as text ("-0" for -0.5). Fallback "1".
std::string 取数值的整数部分(const Operand& value);

// 1-based position of "E" in the value's text, 0 when absent. Fallback -1.
int E位置(const Operand& value);

// The value rounded to n decimals (n clamped to 0..28): with 精确模式 on, halves away from
// zero in the decimal type; otherwise halves to even in double. Fallback: the number 1.
Number 四舍五入(const Operand& value, int decimals);

}  // namespace mapsheet::ModuleQmb
