// 求两数差, 求两数积 and 求两数商: exact in the decimal type whenever the double result shows
// that the decimal type can hold it, in double otherwise.

#include <cmath>
#include <optional>
#include <string>

#include "library/ModuleQmb.h"
#include "library/ModuleQmb_detail.h"
#include "library/number_text.h"

namespace mapsheet::ModuleQmb {

namespace {

enum class Arithmetic { Difference, Product, Quotient };

// The same operation on decimals and on doubles.
template <typename Value>
Value apply(Arithmetic operation, const Value& a, const Value& b) {
    switch (operation) {
        case Arithmetic::Difference:
            return a - b;
        case Arithmetic::Product:
            return a * b;
        case Arithmetic::Quotient:
            break;
    }
    return a / b;
}

// A product or quotient of non-zero factors that comes out 0 has underflowed.
bool underflows(Arithmetic operation, bool factorsNonZero, bool resultZero) {
    return operation != Arithmetic::Difference && factorsNonZero && resultZero;
}

// Whether A op B, computed on the converted numbers, shows a result the decimal type holds.
bool decimalCanHold(Arithmetic operation, const Number& a, const Number& b) {
    if (a.isDecimal() && b.isDecimal()) {
        const Decimal left = a.toDecimal();
        const Decimal right = b.toDecimal();
        try {
            const Decimal result = apply(operation, left, right);
            return !underflows(operation, !left.isZero() && !right.isZero(), result.isZero());
        } catch (const DecimalError&) {
            return false;
        }
    }
    const double left = a.toDouble();
    const double right = b.toDouble();
    const double result = apply(operation, left, right);
    return std::isfinite(result) && !underflows(operation, left != 0 && right != 0, result == 0) &&
           !doubleTextHasExponent(result);
}

std::optional<Decimal> exactResult(Arithmetic operation, const Operand& a, const Operand& b) {
    const Number left = 数转数(a);
    if (left.hasExponent()) {
        return std::nullopt;
    }
    const Number right = 数转数(b);
    if (right.hasExponent() || !decimalCanHold(operation, left, right)) {
        return std::nullopt;
    }
    try {
        return apply(operation, reading::decimalOf(a), reading::decimalOf(b));
    } catch (const DecimalError&) {
        return std::nullopt;
    }
}

struct OperationName {
    const char* name;
    const char* joiner;
};

OperationName nameOf(Arithmetic operation) {
    switch (operation) {
        case Arithmetic::Difference:
            return {"求两数差", "-"};
        case Arithmetic::Product:
            return {"求两数积", "*"};
        case Arithmetic::Quotient:
            break;
    }
    return {"求两数商", "/"};
}

Number compute(Arithmetic operation, const Operand& a, const Operand& b, bool& failed) {
    failed = false;
    if (const auto exact = exactResult(operation, a, b)) {
        记录精确运算();
        return Number(*exact);
    }
    const double left = reading::leadingDouble(a);
    const double right = reading::leadingDouble(b);
    const bool divisionByZero = operation == Arithmetic::Quotient && right == 0;
    const double result = divisionByZero ? 0.0 : apply(operation, left, right);
    if (divisionByZero || !std::isfinite(result)) {
        const OperationName name = nameOf(operation);
        记录运算信息(std::string("  进行[") + name.name + "]运算时， " + a.trimmedText() +
                     name.joiner + b.trimmedText() + " 数值超出计算范围！返回数值用 [1] 表示。");
        failed = true;
        return Number(1);
    }
    记录近似运算();
    return Number(result);
}

}  // namespace

namespace detail {

Number quotient(const Operand& a, const Operand& b, bool& failed) {
    return compute(Arithmetic::Quotient, a, b, failed);
}

}  // namespace detail

Number 求两数差(const Operand& a, const Operand& b) {
    bool failed = false;
    return compute(Arithmetic::Difference, a, b, failed);
}

Number 求两数积(const Operand& a, const Operand& b) {
    bool failed = false;
    return compute(Arithmetic::Product, a, b, failed);
}

Number 求两数商(const Operand& a, const Operand& b) {
    bool failed = false;
    return compute(Arithmetic::Quotient, a, b, failed);
}

}  // namespace mapsheet::ModuleQmb
