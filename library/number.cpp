#include "library/number.h"

#include "library/double_digits.h"
#include "library/number_text.h"

namespace mapsheet::ModuleQmb {

Decimal Number::toDecimal() const {
    if (const auto* decimal = std::get_if<Decimal>(&value_)) {
        return *decimal;
    }
    return decimalOfDouble(std::get<double>(value_));
}

double Number::toDouble() const {
    if (const auto* decimal = std::get_if<Decimal>(&value_)) {
        return decimal->toDouble();
    }
    return std::get<double>(value_);
}

std::string Number::text() const {
    if (const auto* decimal = std::get_if<Decimal>(&value_)) {
        return decimal->toString();
    }
    return doubleText(std::get<double>(value_));
}

bool Number::hasExponent() const {
    const auto* value = std::get_if<double>(&value_);
    return value != nullptr && doubleTextHasExponent(*value);
}

std::string Operand::trimmedText() const {
    if (isText()) {
        return std::string(trimBlanks(textValue()));
    }
    return number().text();
}

}  // namespace mapsheet::ModuleQmb
