#pragma once

// QmbJiChuJiaoDu: angle forms and their exact conversions on the decimal type.
//
// Forms: the packed number D.MMSSsss... (integer part degrees, two digits of minutes, two of
// whole seconds, then the fraction of a second; the sign applies to the whole value), marked
// text D°M′S″ (a leading "-" makes the angle negative), decimal degrees and radians.
//
// Every operation reports failure by returning its fallback and writing one message into the
// diagnostics log; none raises an error. Every successful operation counts itself with
// 记录精确运算. The reading result and the seconds pattern are process-wide, so the module is
// not re-entrant: a caller reads 读取结果 straight after its own call of DecDuFenMiao.

#include <cstdint>
#include <string>

#include "library/decimal.h"
#include "library/number.h"

namespace mapsheet::QmbJiChuJiaoDu {

struct 读取结果 {
    Decimal 读取度;               // degrees, not negative
    Decimal 读取分;               // minutes, not negative
    Decimal 读取秒;               // seconds, not negative
    std::int16_t 读取符号 = 1;    // -1 when the angle is negative, 1 otherwise
};

// Written by every call of DecDuFenMiao, including those made inside the other operations.
extern 读取结果 读取;

// The seconds pattern of Dec度数to度型, empty at start: used when it compares at or above "00."
// in an ordinal comparison, "00" (whole seconds) otherwise.
extern std::string 秒格式;

// Reads a packed number or marked text into 读取; false (and 0, 0, 0, sign 1) on failure.
bool DecDuFenMiao(const std::string& text);

// Packed number or marked text -> marked text; fallback empty text.
std::string Dec度数to度型(const ModuleQmb::Operand& value);
// Marked text or packed number -> packed number; fallback 0.
Decimal Dec度型to度数(const ModuleQmb::Operand& text);
// Packed number -> decimal degrees; fallback 0.
Decimal Dec度to梯度(const ModuleQmb::Operand& packed);
// Decimal degrees -> packed number; fallback 0.
Decimal Dec梯度to度(const ModuleQmb::Operand& degrees);
// Decimal degrees -> radians; fallback 0.
Decimal Dec梯度to弧度(const ModuleQmb::Operand& degrees);
// Packed number with minutes or seconds of 60 and more carried; fallback 0.
Decimal Dec整理度分秒(const ModuleQmb::Operand& packed);

}  // namespace mapsheet::QmbJiChuJiaoDu
