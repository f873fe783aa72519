#include "library/ModuleQmb.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "library/ModuleQmb_detail.h"
#include "library/double_digits.h"
#include "library/number_text.h"

namespace mapsheet::ModuleQmb {

bool 精确模式 = false;

namespace reading {

double leadingDouble(const Operand& operand) {
    if (operand.isText()) {
        return readLeadingDouble(operand.textValue());
    }
    const Number& number = operand.number();
    if (number.isDecimal()) {
        return number.toDouble();
    }
    const double value = number.toDouble();
    return std::isfinite(value) ? fifteenDigits(value).toDouble() : value;
}

Decimal decimalOf(const Operand& operand) {
    if (operand.isText()) {
        return Decimal::parse(trimBlanks(operand.textValue()));
    }
    return operand.number().toDecimal();
}

int significantDigitCount(std::string_view text) {
    int count = 0;
    for (const char c : text) {
        if (c >= '1' && c <= '9') {
            ++count;
        } else if (c == '0') {
            count += count > 0 ? 1 : 0;
        } else if (c != ' ' && c != '.' && c != '+' && c != '-') {
            break;
        }
    }
    return count;
}

}  // namespace reading

namespace {

// The decimal range of 数转数: zero, or a magnitude from 1e-28 up to, not including, the
// largest decimal written with 15 digits.
bool withinDecimalRange(double x) {
    const double magnitude = std::fabs(x);
    return magnitude == 0 || (magnitude >= 1e-28 && magnitude < 7.92281625142642e28);
}

Number failNumberConversion(const Operand& value) {
    记录运算信息("  进行[数转数]运算时， " + value.trimmedText() +
                 " 数值超出计算范围！返回数值用[1]表示。");
    return Number(1);
}

}  // namespace

int 判断数的有效字符长度(const Operand& value) {
    if (value.isText()) {
        return reading::significantDigitCount(trimBlanks(value.textValue()));
    }
    return reading::significantDigitCount(value.number().text());
}

Number 数转数(const Operand& value) {
    if (value.isText() && trimBlanks(value.textValue()) < std::string_view(" ")) {
        return Number(Decimal());
    }
    const double x = reading::leadingDouble(value);
    if (!std::isfinite(x)) {
        return failNumberConversion(value);
    }
    if (精确模式 && withinDecimalRange(x)) {
        Decimal decimal;
        try {
            decimal = reading::decimalOf(value);
        } catch (const DecimalError&) {
            return failNumberConversion(value);
        }
        if (reading::significantDigitCount(decimal.toString()) >=
            reading::significantDigitCount(doubleText(x))) {
            return Number(decimal);
        }
    }
    记录近似运算();
    return Number(x);
}

std::string 取数值的整数部分(const Operand& value) {
    const Number number = 数转数(value);
    const std::string text = number.text();
    if (text.find('E') != std::string::npos) {
        const double approximate = number.toDouble();
        if (approximate > 10000 || approximate < -10000) {
            return text;
        }
        return approximate > 0 ? "0" : "-0";
    }
    std::string integerPart = text.substr(0, text.find('.'));
    if (integerPart.empty()) {
        return "0";
    }
    if (integerPart == "-") {
        return "-0";
    }
    return integerPart;
}

int E位置(const Operand& value) {
    const std::string text = value.trimmedText();
    int characters = 0;
    for (const char c : text) {
        if (c == 'E' || c == 'e') {
            return characters + 1;
        }
        // UTF-8 continuation bytes belong to the character before them.
        characters += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
    }
    return 0;
}

Number 四舍五入(const Operand& value, int decimals) {
    const Number number = 数转数(value);
    decimals = std::clamp(decimals, 0, Decimal::kMaxScale);
    if (精确模式 && !number.hasExponent()) {
        const std::string pattern =
            decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
        try {
            return Number(Decimal::parse(number.toDecimal().format(pattern)));
        } catch (const DecimalError&) {
            记录运算信息("进行[四舍五入]运算时，" + value.trimmedText() +
                         "数值超出计算范围！返回 [1值] 。");
            return Number(1);
        }
    }
    const double rounded = roundDoubleHalfEven(number.toDouble(), std::min(decimals, 15));
    记录近似运算();
    return Number(rounded);
}

}  // namespace mapsheet::ModuleQmb
