#include "library/QmbJiChuJiaoDu.h"

#include <exception>
#include <string_view>

#include "library/ModuleQmb.h"
#include "library/code_points.h"
#include "library/diagnostics_log.h"
#include "library/number_text.h"

namespace mapsheet::QmbJiChuJiaoDu {

读取结果 读取;
std::string 秒格式;

namespace {

using ModuleQmb::Operand;

constexpr std::string_view kSeconds24 = "00.000000000000000000000000";
constexpr std::string_view kRadiansPerDegree = "0.0174532925199432957692369077";
const Decimal kSixty(60);

std::string trimmed(std::string_view text) {
    return std::string(trimSpacesAndTabs(text));
}

std::string operandText(const Operand& value) {
    return value.isText() ? value.textValue() : value.number().text();
}

Decimal toDecimal(const Operand& value) {
    return value.isText() ? Decimal::parse(value.textValue()) : value.number().toDecimal();
}

void reportFailure(std::string_view operation, const std::string& argument,
                   std::string_view fallback) {
    ModuleQmb::记录运算信息("  进行[" + std::string(operation) + "]运算时， " + argument +
                            " 数值超出计算范围！返回 [" + std::string(fallback) + "] 值。");
}

// A part of marked text as a number: blank counts as 0, a lone "-" as -0.
Decimal partValue(std::string text) {
    if (text.empty()) {
        text = "0";
    } else if (text == "-") {
        text = "-0";
    }
    return Decimal::parse(text);
}

bool startsWithMinus(const std::string& text) {
    return !text.empty() && text.front() == '-';
}

// Seconds of 60 become a minute and minutes of 60 a degree, once each: the parts come from a
// reading or a rounding that leaves each below 120.
void carryOneSixty(Decimal& degrees, Decimal& minutes, Decimal& seconds) {
    if (seconds >= kSixty) {
        seconds -= kSixty;
        minutes += 1;
    }
    if (minutes >= kSixty) {
        minutes -= kSixty;
        degrees += 1;
    }
}

void readPacked(const std::string& text, 读取结果& reading) {
    Decimal x = Decimal::parse(text);
    reading.读取符号 = x.isNegative() ? -1 : 1;
    x = x.abs();
    const std::string digits = x.toString();
    const auto point = digits.find('.');
    if (point == std::string::npos) {
        reading.读取度 = x;
        return;
    }
    reading.读取度 = partValue(trimmed(digits.substr(0, point)));
    std::string fraction = digits.substr(point + 1);
    if (fraction.size() < 6) {
        fraction += "000000";
    }
    reading.读取分 = Decimal::parse(fraction.substr(0, 2));
    const std::string seconds = fraction.substr(2);
    reading.读取秒 = Decimal::parse(seconds.substr(0, 2) + "." + seconds.substr(2));
}

void readMarked(const std::u32string& text, 读取结果& reading) {
    // 1-based positions, 0 when the mark is absent.
    auto position = [&text](char32_t mark) -> std::size_t {
        const auto at = text.find(mark);
        return at == std::u32string::npos ? 0 : at + 1;
    };
    const std::size_t degreeAt = position(U'°');
    std::size_t minuteAt = position(U'′');
    std::size_t secondAt = position(U'″');
    const bool hasDegrees = degreeAt > 0;
    const bool hasDegreesOrMinutes = hasDegrees || minuteAt > 0;
    if (minuteAt < degreeAt) {
        minuteAt = degreeAt;
    }
    if (secondAt < minuteAt) {
        secondAt = minuteAt;
    }
    auto between = [&text](std::size_t after, std::size_t before) {
        return trimmed(text::encodeUtf8(text.substr(after, before - after - 1)));
    };
    const std::string degrees = hasDegrees ? between(0, degreeAt) : "0";
    const std::string minutes = degreeAt < minuteAt ? between(degreeAt, minuteAt) : "0";
    const std::string seconds = minuteAt < secondAt ? between(minuteAt, secondAt) : "0";
    reading.读取符号 = 1;
    if (startsWithMinus(degrees) || (!hasDegrees && startsWithMinus(minutes)) ||
        (!hasDegreesOrMinutes && startsWithMinus(seconds))) {
        reading.读取符号 = -1;
    }
    reading.读取度 = partValue(degrees).abs();
    reading.读取分 = partValue(minutes).abs();
    reading.读取秒 = partValue(seconds).abs();
}

void moveFractionsAndCarry(读取结果& reading) {
    // The parts are never negative, so a part has a fraction exactly when it is not its floor.
    auto moveFraction = [](Decimal& whole, Decimal& next) {
        const Decimal floor = whole.floor();
        if (floor != whole) {
            next += (whole - floor) * kSixty;
            whole = floor;
        }
    };
    moveFraction(reading.读取度, reading.读取分);
    moveFraction(reading.读取分, reading.读取秒);
    auto carry = [](Decimal& part, Decimal& next) {
        if (part >= kSixty) {
            const Decimal units = (part / kSixty).floor();
            part -= units * kSixty;
            next += units;
        }
    };
    carry(reading.读取秒, reading.读取分);
    carry(reading.读取分, reading.读取度);
}

// Whether the text holds ° ′ or ″. The bytes of a mark start with no continuation byte, so
// wherever they stand a UTF-8 decoder reads them as that mark: searching the bytes finds what
// decoding the text and searching its code points would.
bool holdsMark(std::string_view text) {
    return text.find("°") != std::string_view::npos || text.find("′") != std::string_view::npos ||
           text.find("″") != std::string_view::npos;
}

// The reading behind DecDuFenMiao; throws DecimalError on a text that is no angle, leaving the
// reading at 0, 0, 0 with sign 1.
void readAngle(const std::string& text) {
    读取 = {};
    读取结果 reading;
    const std::string body = trimmed(text);
    if (!holdsMark(body)) {
        readPacked(body, reading);
    } else {
        readMarked(text::decodeUtf8(body), reading);
    }
    moveFractionsAndCarry(reading);
    读取 = reading;
    ModuleQmb::记录精确运算();
}

int twoDigitValue(const std::string& digits) {
    return (digits[0] - '0') * 10 + (digits[1] - '0');
}

std::string twoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// Carries minutes and whole seconds of 60 and more in a non-negative packed value.
Decimal tidyPacked(const Decimal& x) {
    const std::string digits = x.toString();
    const auto point = digits.find('.');
    if (point == std::string::npos) {
        return x;
    }
    Decimal degrees = x.floor();
    std::string fraction = digits.substr(point);
    if (fraction.size() < 6) {
        fraction += "000000";
    }
    int minutes = twoDigitValue(fraction.substr(1, 2));
    int seconds = twoDigitValue(fraction.substr(3, 2));
    const std::string rest = fraction.substr(5, 24);
    if (seconds >= 60) {
        seconds -= 60;
        minutes += 1;
    }
    if (minutes >= 60) {
        minutes -= 60;
        degrees += 1;
    }
    return Decimal::parse(degrees.format("0") + "." + twoDigits(minutes) + twoDigits(seconds) +
                          rest);
}

// Whole degrees and minutes and the seconds, written as the packed number with the seconds to
// 24 decimals. The text can carry more digits than the decimal holds; rounding them away, or
// rounding the seconds to 24 decimals, can leave 60 in the seconds or minutes (45°59′59.99…″
// becoming 45.596), so the packed value is tidied afterwards.
Decimal packed(const Decimal& degrees, const Decimal& minutes, const Decimal& seconds) {
    std::string secondsText = seconds.format(kSeconds24);
    secondsText.erase(secondsText.find('.'), 1);
    return tidyPacked(
        Decimal::parse(degrees.format("0") + "." + minutes.format("00") + secondsText));
}

Decimal withSign(const Decimal& value, bool negative) {
    return negative ? -value : value;
}

}  // namespace

bool DecDuFenMiao(const std::string& text) {
    try {
        readAngle(text);
        return true;
    } catch (const std::exception&) {
        读取 = {};
        ModuleQmb::记录运算信息("  进行DecDuFenMiao[读取度分秒数据]运算时， " + trimmed(text) +
                                " 数值超出计算范围！返回三个 [0] 值。");
        return false;
    }
}

std::string Dec度数to度型(const Operand& value) {
    const std::string argument = trimmed(operandText(value));
    try {
        const std::string pattern = 秒格式 >= "00." ? 秒格式 : "00";
        readAngle(argument);
        Decimal degrees = 读取.读取度;
        Decimal minutes = 读取.读取分;
        Decimal seconds = Decimal::parse(读取.读取秒.format(pattern));
        carryOneSixty(degrees, minutes, seconds);
        std::string degreesText = trimmed(degrees.format("00"));
        if (读取.读取符号 == -1) {
            degreesText = "-" + degreesText;
        }
        std::string result = degreesText + "°" + trimmed(minutes.format("00")) + "′" +
                             trimmed(seconds.format(pattern)) + "″";
        ModuleQmb::记录精确运算();
        return result;
    } catch (const std::exception&) {
        reportFailure("Dec度数to度型", argument, "空");
        return {};
    }
}

Decimal Dec度型to度数(const Operand& text) {
    const std::string argument = trimmed(operandText(text));
    try {
        readAngle(argument);
        const Decimal result =
            withSign(packed(读取.读取度, 读取.读取分, 读取.读取秒), 读取.读取符号 == -1);
        ModuleQmb::记录精确运算();
        return result;
    } catch (const std::exception&) {
        reportFailure("Dec度型to度数", argument, "0");
        return Decimal(0);
    }
}

Decimal Dec度to梯度(const Operand& packedValue) {
    const std::string argument = trimmed(operandText(packedValue));
    try {
        readAngle(toDecimal(packedValue).toString());
        Decimal degrees = 读取.读取度;
        Decimal minutes = 读取.读取分;
        Decimal seconds = 读取.读取秒;
        carryOneSixty(degrees, minutes, seconds);
        minutes += seconds / kSixty;
        degrees += minutes / kSixty;
        const Decimal result = withSign(degrees, 读取.读取符号 == -1);
        ModuleQmb::记录精确运算();
        return result;
    } catch (const std::exception&) {
        reportFailure("Dec度to梯度", argument, "0");
        return Decimal(0);
    }
}

Decimal Dec梯度to度(const Operand& degreesValue) {
    const std::string argument = trimmed(operandText(degreesValue));
    try {
        const Decimal value = toDecimal(degreesValue);
        Decimal x = value.abs();
        const std::string digits = x.toString();
        const auto point = digits.find('.');
        if (point != std::string::npos) {
            Decimal degrees = x.floor();
            const Decimal fraction = Decimal::parse(digits.substr(point));
            Decimal minutes = (fraction * kSixty).floor();
            Decimal seconds = (fraction * kSixty - minutes) * kSixty;
            carryOneSixty(degrees, minutes, seconds);
            x = packed(degrees, minutes, seconds);
        }
        const Decimal result = withSign(x, value.isNegative());
        ModuleQmb::记录精确运算();
        return result;
    } catch (const std::exception&) {
        reportFailure("Dec梯度to度", argument, "0");
        return Decimal(0);
    }
}

Decimal Dec梯度to弧度(const Operand& degrees) {
    const std::string argument = trimmed(operandText(degrees));
    try {
        const Decimal result = toDecimal(degrees) * Decimal::parse(kRadiansPerDegree);
        ModuleQmb::记录精确运算();
        return result;
    } catch (const std::exception&) {
        reportFailure("Dec梯度to弧度", argument, "0");
        return Decimal(0);
    }
}

Decimal Dec整理度分秒(const Operand& packedValue) {
    const std::string argument = trimmed(operandText(packedValue));
    try {
        const Decimal value = toDecimal(packedValue);
        const Decimal result = withSign(tidyPacked(value.abs()), value.isNegative());
        ModuleQmb::记录精确运算();
        return result;
    } catch (const std::exception&) {
        reportFailure("Dec整理度分秒", argument, "0");
        return Decimal(0);
    }
}

}  // namespace mapsheet::QmbJiChuJiaoDu
