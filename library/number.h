#pragma once

// Number: the value type of the arithmetic operations, either an exact Decimal or a double.
// Operand: what the operations accept, a Number or a text as typed.
//
// Written as text, a Decimal never holds an exponent, while a double is written with at most
// 15 significant digits and switches to the form d.dddE+XX when its decimal exponent is 15 or
// more, or when its plain form would need more than 15 digits after the point (see
// number_text.h). The operations treat an "E" in a value's text as the sign that the decimal
// type cannot hold it; hasExponent() answers that without building the text.
//
// A double stands for the decimal of its 15-digit text throughout: its conversion to the
// decimal type is that decimal, so 0.1 converts to exactly 0.1 and 2^56 to 72057594037927900.

#include <string>
#include <string_view>
#include <variant>

#include "library/decimal.h"

namespace mapsheet::ModuleQmb {

class Number {
  public:
    Number() = default;                              // the decimal 0
    Number(const Decimal& value) : value_(value) {}  // NOLINT(google-explicit-constructor)
    Number(double value) : value_(value) {}          // NOLINT(google-explicit-constructor)
    Number(int value) : value_(Decimal(value)) {}    // NOLINT(google-explicit-constructor)

    bool isDecimal() const { return std::holds_alternative<Decimal>(value_); }
    // The decimal held; for a double, Decimal::fromDouble of it (may throw DecimalError).
    Decimal toDecimal() const;
    // The double held, or the nearest double of the decimal.
    double toDouble() const;
    // The value's text: Decimal::toString(), or the double's 15-digit text.
    std::string text() const;
    // Whether text() contains "E".
    bool hasExponent() const;

  private:
    std::variant<Decimal, double> value_;
};

// An argument of a library operation: a number, or a text that the operation reads itself.
class Operand {
  public:
    Operand(const Number& value) : value_(value) {}           // NOLINT(google-explicit-constructor)
    Operand(const Decimal& value) : value_(Number(value)) {}  // NOLINT
    Operand(double value) : value_(Number(value)) {}          // NOLINT(google-explicit-constructor)
    Operand(int value) : value_(Number(value)) {}             // NOLINT(google-explicit-constructor)
    Operand(std::string_view text) : value_(std::string(text)) {}  // NOLINT
    Operand(const std::string& text) : value_(text) {}             // NOLINT
    Operand(const char* text) : value_(std::string(text)) {}       // NOLINT

    bool isText() const { return std::holds_alternative<std::string>(value_); }
    const std::string& textValue() const { return std::get<std::string>(value_); }
    const Number& number() const { return std::get<Number>(value_); }
    // The argument as text with leading and trailing blanks removed, as messages quote it.
    std::string trimmedText() const;

  private:
    std::variant<Number, std::string> value_;
};

}  // namespace mapsheet::ModuleQmb
