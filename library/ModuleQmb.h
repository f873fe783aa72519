#pragma once

// ModuleQmb: arithmetic on numbers that arrive as text, double or decimal, preferring the exact
// decimal type and falling back to double when a value does not fit it.
//
// No operation raises an error: each returns its fixed fallback and appends one message to the
// diagnostics log (diagnostics_log.h). Operations done in the decimal type count themselves
// with 记录精确运算, those that fall back to double with 记录近似运算.
//
// How values are read: a text is taken as typed; "the double read from" a value is
// readLeadingDouble of its text (number_text.h), so a double stands for its 15-digit text
// (39.833333333333336 reads as 39.8333333333333) and a decimal for its nearest double. "The
// decimal of" a value is Decimal::parse of a text, the value itself for a decimal and the
// decimal of the 15-digit text for a double. A value whose text holds "E" is beyond the decimal
// type, and the operations then work in double.

#include <string>

#include "library/diagnostics_log.h"
#include "library/number.h"

namespace mapsheet::ModuleQmb {

// Off at start. When on, 数转数 and 四舍五入 work in the decimal type; when off, in double.
extern bool 精确模式;

// Significant digits of a value's trimmed text: "1".."9" count, "0" counts after the first
// significant digit; the scan passes over digits, " ", ".", "+" and "-" and stops at any other
// character ("-1.5E+20" -> 2, "0.00120" -> 3, "" -> 0). Never fails.
int 判断数的有效字符长度(const Operand& value);

// The value as a number. An empty text gives the decimal 0. Otherwise x is the double read from
// the value; with 精确模式 on and x zero or of magnitude from 1e-28 to below 7.92281625142642e28
// the result is the decimal of the value, unless that decimal has fewer significant digits than
// x (a tiny value cut at the 28th decimal), when it is x. In every other case the result is x
// and counts as approximate. Fails, with the fallback 1 and a message, when x is infinite or,
// with 精确模式 on, when the value does not convert to the decimal type ("12abc").
Number 数转数(const Operand& value);

// a - b, a * b and a / b. When both operands convert (数转数) without "E" and the result
// computed on those numbers neither holds "E" nor underflows to 0 from non-zero factors, the
// result is the exact operation on the decimals of a and b (counted exact), whatever 精确模式
// says. Otherwise it is computed in double on the doubles read from a and b (counted
// approximate); an infinite result or a division by zero fails with the fallback 1.
Number 求两数差(const Operand& a, const Operand& b);
Number 求两数积(const Operand& a, const Operand& b);
Number 求两数商(const Operand& a, const Operand& b);

// a - b * trunc(a / b), composed of the operations above: A = 数转数(a), B = 数转数(b),
// Q = 求两数商(A, B), I = 取数值的整数部分(Q), P = 求两数积(I, B), result 求两数差(A, P). The
// result has the sign of a: the remainder of -7 by 4 is -3. For doubles with 精确模式 off the
// quotient is exact whenever its double has no "E", so the remainder of latitude 39.8333... by
// 4 is exactly 3.8333333333333, the decimal of its 15-digit text minus 36. When the quotient
// fails (a divisor that reads as 0, an overflow) the remainder fails too: fallback 1, and its
// message follows the quotient's. Double operands with 精确模式 off take a path that skips the
// texts and yields the same result and log entries.
Number 求两数余(const Operand& a, const Operand& b);

// Integer part of 数转数(value), toward zero, as text: "12" for 12.9, "-0" for -0.5. A value
// written with "E" is its own integer part beyond +-10000 and "0" or "-0" within. Never fails.
std::string 取数值的整数部分(const Operand& value);

// 1-based position (in characters) of the first "E" or "e" in the value's trimmed text, 0 when
// absent. Never fails.
int E位置(const Operand& value);

// 数转数(value) rounded to n decimals, n clamped to 0..28. With 精确模式 on and a value without
// "E": halves away from zero, in the decimal type, giving a decimal (2.5 -> 3). Otherwise: to
// min(n, 15) decimals on the digits of the 15-digit text, halves to even, giving a double
// (2.5 -> 2), counted approximate. The decimal path fails with the fallback 1 if the decimal
// type reports an error.
Number 四舍五入(const Operand& value, int decimals);

}  // namespace mapsheet::ModuleQmb
