#include "library/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "library/double_digits.h"

namespace mapsheet {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

// The decimal digits of a coefficient, most significant first.
std::string coefficientDigits(std::uint64_t coefficient) {
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, coefficient).ptr);
}

std::string plainText(const DoubleDigits& digits) {
    std::string text = digits.negative ? "-" : "";
    const std::string significant = coefficientDigits(digits.coefficient);
    if (digits.exponent >= 0) {
        text += significant;
        text.append(static_cast<std::size_t>(digits.exponent), '0');
        return text;
    }
    const int integerDigits = static_cast<int>(significant.size()) + digits.exponent;
    if (integerDigits > 0) {
        text.append(significant, 0, static_cast<std::size_t>(integerDigits));
        text += '.';
        text.append(significant, static_cast<std::size_t>(integerDigits));
    } else {
        text += "0.";
        text.append(static_cast<std::size_t>(-integerDigits), '0');
        text += significant;
    }
    return text;
}

std::string exponentText(const DoubleDigits& digits) {
    std::string text = digits.negative ? "-" : "";
    const std::string significant = coefficientDigits(digits.coefficient);
    text += significant[0];
    if (significant.size() > 1) {
        text += '.';
        text.append(significant, 1);
    }
    const int power = digits.leadingExponent();
    text += power < 0 ? "E-" : "E+";
    const int magnitude = power < 0 ? -power : power;
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
    return text;
}

// The digits of a value as a digit string and the power of ten of its last digit, with the
// value rounded at `decimals` decimals; halves go to even or away from zero.
struct RoundedDigits {
    bool negative = false;
    std::string digits;  // without leading zeros; empty for zero
    int exponent = 0;    // power of ten of the last digit
};

RoundedDigits roundDigits(const DoubleDigits& value, int decimals, bool halvesToEven) {
    RoundedDigits result{value.negative, coefficientDigits(value.coefficient), value.exponent};
    if (value.coefficient == 0) {
        return {false, "", -decimals};
    }
    const int dropped = -decimals - value.exponent;
    if (dropped <= 0) {
        return result;
    }
    std::string& digits = result.digits;
    const int kept = static_cast<int>(digits.size()) - dropped;
    result.exponent = -decimals;
    if (kept < 0) {
        // Even the first digit lies below the rounding position's half.
        return {false, "", -decimals};
    }
    const char first = digits[static_cast<std::size_t>(kept)];
    // The coefficient has no trailing zeros, so a dropped part starting with 5 is a tie only
    // when that 5 is its last digit.
    const bool tie = first == '5' && kept + 1 == static_cast<int>(digits.size());
    digits.resize(static_cast<std::size_t>(kept));
    const bool lastIsOdd = kept > 0 && (digits.back() - '0') % 2 == 1;
    const bool roundUp = first > '5' || (first == '5' && (!tie || !halvesToEven || lastIsOdd));
    if (roundUp) {
        int position = kept - 1;
        for (; position >= 0 && digits[static_cast<std::size_t>(position)] == '9'; --position) {
            digits[static_cast<std::size_t>(position)] = '0';
        }
        if (position < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[static_cast<std::size_t>(position)];
        }
    }
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return {false, "", -decimals};
    }
    digits.erase(0, firstNonZero);
    return result;
}

}  // namespace

std::string_view trimmedOf(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string_view trimBlanks(std::string_view text) {
    return trimmedOf(text, " \t\r\n");
}

std::string_view trimSpacesAndTabs(std::string_view text) {
    return trimmedOf(text, " \t");
}

std::string doubleText(double value) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const DoubleDigits digits = fifteenDigits(value);
    if (digits.coefficient == 0) {
        return "0";
    }
    return digits.isPlain() ? plainText(digits) : exponentText(digits);
}

bool doubleTextHasExponent(double value) {
    return std::isfinite(value) && !hasPlainText(value);
}

double readLeadingDouble(std::string_view text) {
    // The numeric part without blanks. The exponent is clamped at 99999: beyond it every
    // mantissa shorter than 99000 digits over- or underflows anyway.
    std::string compact;
    std::size_t index = 0;
    const auto skipBlanks = [&] {
        while (index < text.size() && isBlank(text[index])) {
            ++index;
        }
    };
    skipBlanks();
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
        if (text[index] == '-') {
            compact += '-';
        }
        ++index;
    }
    bool anyDigit = false;
    bool seenPoint = false;
    for (skipBlanks(); index < text.size(); ++index, skipBlanks()) {
        const char c = text[index];
        if (isDigit(c)) {
            anyDigit = true;
            compact += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            compact += c;
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    if (index < text.size() && (text[index] == 'e' || text[index] == 'E')) {
        ++index;
        skipBlanks();
        bool negativePower = false;
        if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
            negativePower = text[index] == '-';
            ++index;
        }
        long power = 0;
        bool anyPowerDigit = false;
        for (skipBlanks(); index < text.size() && isDigit(text[index]); ++index, skipBlanks()) {
            anyPowerDigit = true;
            power = std::min(power * 10 + (text[index] - '0'), 99999L);
        }
        if (anyPowerDigit) {
            compact += negativePower ? "e-" : "e";
            compact += std::to_string(power);
        }
    }
    return readDecimalText(compact.data(), compact.data() + compact.size());
}

double roundDoubleHalfEven(double value, int decimals) {
    if (!std::isfinite(value)) {
        return value;
    }
    decimals = std::clamp(decimals, 0, 15);
    const RoundedDigits rounded = roundDigits(fifteenDigits(value), decimals, true);
    if (rounded.digits.empty()) {
        return 0.0;
    }
    std::string text = rounded.negative ? "-" : "";
    text += rounded.digits;
    text += 'e';
    text += std::to_string(rounded.exponent);
    return readDecimalText(text.data(), text.data() + text.size());
}

std::string formatDouble(double value, std::string_view pattern) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const auto point = pattern.find('.');
    const std::string_view integerPattern = pattern.substr(0, point);
    const std::string_view decimalPattern =
        point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    const auto integerWidth =
        static_cast<int>(std::count(integerPattern.begin(), integerPattern.end(), '0'));
    const auto decimals =
        static_cast<int>(std::count(decimalPattern.begin(), decimalPattern.end(), '0'));

    const RoundedDigits rounded = roundDigits(fifteenDigits(value), decimals, false);
    // All digits down to 10^-decimals, then split at the point.
    std::string digits = rounded.digits;
    digits.append(static_cast<std::size_t>(rounded.exponent + decimals), '0');
    const int minimumLength = std::max(integerWidth, 0) + decimals;
    if (static_cast<int>(digits.size()) < minimumLength) {
        digits.insert(0, static_cast<std::size_t>(minimumLength) - digits.size(), '0');
    }
    std::string text = rounded.negative ? "-" : "";
    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
    text.append(digits, 0, integerLength);
    if (decimals > 0) {
        text += '.';
        text.append(digits, integerLength);
    }
    return text;
}

}  // namespace mapsheet
