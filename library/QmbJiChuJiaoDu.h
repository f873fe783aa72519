#pragma once

// QmbJiChuJiaoDu: angle forms and their exact conversions on the decimal type.
//
// Forms: the packed number D.MMSSsss... (integer part degrees, two digits of minutes, two of
// whole seconds, then the fraction of a second; the sign applies to the whole value, so
// 39.584500 is 39°58′45″ and -0.03 is -0°03′00″), marked text D°M′S″ (a leading "-" makes the
// angle negative; any mark may be missing when read), decimal degrees and radians.
//
// Every operation reports failure (a text that is no number, a value beyond the decimal range)
// by returning its fallback and writing one message into the diagnostics log; none raises an
// error. Every successful operation counts itself with 记录精确运算, and so do the readings it
// makes through DecDuFenMiao. The reading result and the seconds pattern are process-wide, so
// the module is not re-entrant: a caller reads 读取 straight after its own call of DecDuFenMiao.
//
// Exactness: the arithmetic is that of Decimal (28-29 significant digits, halves to even);
// seconds are carried to a packed number with 24 decimals, and a packed result is always tidy:
// its minutes and whole seconds are below 60, also where rounding to the decimal's digits would
// otherwise leave "60" in them.

#include <cstdint>
#include <string>
#include <utility>

#include "library/decimal.h"
#include "library/number.h"

namespace mapsheet::QmbJiChuJiaoDu {

struct 读取结果 {
    Decimal 读取度;             // degrees, not negative, whole
    Decimal 读取分;             // minutes, not negative, whole, below 60
    Decimal 读取秒;             // seconds, not negative, below 60
    std::int16_t 读取符号 = 1;  // -1 when the angle is negative, 1 otherwise
};

// Written by every call of DecDuFenMiao, including those made inside the other operations.
extern 读取结果 读取;

// The seconds pattern of Dec度数to度型, empty at start: used when it compares at or above "00."
// in an ordinal comparison ("00.00", "00.0000"), "00" (whole seconds) otherwise.
extern std::string 秒格式;

// Sets 秒格式 for its lifetime and puts the previous pattern back.
class ScopedSecondsPattern {
  public:
    explicit ScopedSecondsPattern(std::string pattern) : previous_(std::move(秒格式)) {
        秒格式 = std::move(pattern);
    }
    ~ScopedSecondsPattern() { 秒格式 = std::move(previous_); }
    ScopedSecondsPattern(const ScopedSecondsPattern&) = delete;
    ScopedSecondsPattern& operator=(const ScopedSecondsPattern&) = delete;

  private:
    std::string previous_;
};

// Reads a packed number (no mark in the text) or marked text into 读取; false (and 0, 0, 0,
// sign 1) on failure. Marked text: the degrees are the text before "°", the minutes the text
// between "°" and "′", the seconds the text between "′" and "″"; a missing mark takes the place
// of the one before it, so "30′" is 0°30′ and text after the last mark is not read. A sign on
// the first part read makes the angle negative ("-0°30′", "-30′"). Fractions of degrees and
// minutes move into the next unit and 60 seconds or minutes carry ("10°75′" is 11°15′).
bool DecDuFenMiao(const std::string& text);

// Packed number or marked text -> marked text with two-digit degrees and minutes and the
// seconds written with the seconds pattern, rounded first and carried when they reach 60
// (39.584500 -> 39°58′45″, or 39°58′45.00″ under "00.00"). Fallback: empty text.
std::string Dec度数to度型(const ModuleQmb::Operand& value);
// Marked text or packed number -> packed number (seconds to 24 decimals). Fallback 0.
Decimal Dec度型to度数(const ModuleQmb::Operand& text);
// Packed number -> decimal degrees, d + (m + s / 60) / 60 in decimal division. Fallback 0.
Decimal Dec度to梯度(const ModuleQmb::Operand& packed);
// Decimal degrees -> packed number (seconds to 24 decimals). Fallback 0.
Decimal Dec梯度to度(const ModuleQmb::Operand& degrees);
// Decimal degrees -> radians, times 0.0174532925199432957692369077. Fallback 0.
Decimal Dec梯度to弧度(const ModuleQmb::Operand& degrees);
// Packed number with minutes or seconds of 60 and more carried (10.596 -> 11). Fallback 0.
Decimal Dec整理度分秒(const ModuleQmb::Operand& packed);

}  // namespace mapsheet::QmbJiChuJiaoDu
