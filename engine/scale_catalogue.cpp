// The catalogue rows, as published: heights and widths are the tables' decimal literals, not
// fractions computed here, because the numbering and the window's grid lines must reproduce the
// published values digit for digit.

#include "engine/scale_catalogue.h"

#include <algorithm>

namespace mapsheet::engine {

// Fields: caption, letter, divisions, height (degrees, then D M S), width (degrees, then D M S),
// code digits, pre-1992 number shown by the window, note 1, note 2, standard line, example,
// denominator, form of the pre-1992 number.
// clang-format off
const std::array<ScaleRow, kScaleCount> kScaleCatalogue{{
    {" 1:100万", "A", 1, 4.0, {4, 0, 0.0}, 6.0, {6, 0, 0.0}, 0, true,
     "1:100万编码是其它比例尺编码的基础。经度基础间隔为6度，纬度基础间隔为4度。",
     "当纬度大于60度时：经差为12度；当纬度大于76度时：经差为24度。纬差总不变。",
     "适于1993至2012新国标", "新编号示例:_K50",
     1000000, OldForm::BaseSheet},
    {" 1:50万", "B", 2, 2.0, {2, 0, 0.0}, 3.0, {3, 0, 0.0}, 3, true,
     "1:50万编码以1:100万为基础(2*2开)。分幅基础间隔：经度为3度，纬度为2度。",
     "当纬度大于60度时：经差为6度；当纬度大于76度时：经差为12度。纬差总不变。",
     "适于1993至2012新国标", "新编号示例:_K50B002002",
     500000, OldForm::LetterOfBase},
    {" 1:25万", "C", 4, 1.0, {1, 0, 0.0}, 1.5, {1, 30, 0.0}, 3, true,
     "1:25万编码以1:100万为基础(4*4开)。分幅基础间隔：经度为1.5度，纬度为1度。",
     "当纬度大于60度时：经差为3度；当纬度大于76度时：经差为6度。纬差总不变。",
     "适于1993至2012新国标", "新编号示例:_K50C004004",
     250000, OldForm::BracketedOfBase},
    {" 1:20万", "R", 6, 0.666666666666667, {0, 40, 0.0}, 1.0, {1, 0, 0.0}, 3, true,
     "1:20万编码以1:100万为基础(6*6开)。非国标，仅上世纪中期用于地质图等分幅。",
     "经差：当纬度在60度内为1度；60--76度时为2度；76度以上为4度。纬差总为40分。",
     "用于上世纪中期地质图等", "无新编号，仅留作对比。",
     200000, OldForm::ParenthesisedOfBase},
    {" 1:10万", "D", 12, 0.333333333333333, {0, 20, 0.0}, 0.5, {0, 30, 0.0}, 3, true,
     "1:10万编码以1:100万为基础(12*12开)。分幅基础间隔：经度为30分，纬度为20分。",
     "对于1992年前旧编码系统，1:10万编码是其它比例尺编码的基础。",
     "适于1993至2012新国标", "新编号示例:_K50D012012",
     100000, OldForm::NumberOfBase},
    {" 1:5万", "E", 24, 0.166666666666667, {0, 10, 0.0}, 0.25, {0, 15, 0.0}, 3, true,
     "1:5万编码以1:100万为基础(24*24开)。分幅基础间隔：经度为15分，纬度为10分。",
     "对于1992年前旧编码系统，是以1:10万编码为基础(2*2开)。",
     "适于1993至2012新国标", "新编号示例:_K50E024024",
     50000, OldForm::LetterOf100k},
    {" 1:2.5万", "F", 48, 0.083333333333333, {0, 5, 0.0}, 0.125, {0, 7, 30.0}, 3, true,
     "1:2.5万编码以1:100万为基础(48*48开)。分幅基础间隔：经度7分30秒，纬度5分。",
     "对于1992年前旧编码系统，是以1:5万编码为基础(再次2*2开)。",
     "适于1993至2012新国标", "新编号示例:_K50F048048",
     25000, OldForm::DigitOf50k},
    {" 1:1万", "G", 96, 0.041666666666667, {0, 2, 30.0}, 0.0625, {0, 3, 45.0}, 3, true,
     "1:1万编码以1:100万为基础(96*96开)。分幅基础间隔：经度3分45秒，纬度2分30秒。",
     "对于1992年前旧编码系统，是以1:10万编码为基础(8*8开)。",
     "适于1993至2012新国标", "新编号示例:_K50G096096",
     10000, OldForm::ParenthesisedOf100k},
    {" 1:5000", "H", 192, 0.020833333333333, {0, 1, 15.0}, 0.03125, {0, 1, 52.5}, 3, false,
     "1:5千编码以1:100万为基础(192*192开)。基础间隔：经度1分52.5秒，纬度1分15秒。",
     "正方形分幅范围一般2*2公里(40cm)，编码以左下角公里坐标为准，例如：100-210。",
     "适于1993至2012新国标", "新编号示例:_K50H192192",
     5000, OldForm::SmallLetterOf10k},
    {" 1:2000", "I", 576, 0.006944444444444, {0, 0, 25.0}, 0.010416666666667, {0, 0, 37.5}, 3, false,
     "1:2千编码以1:100万为基础(576*576开)，2012新国标，主要用于大比例尺成图。",
     "正方形分幅范围一般1*1公里(50cm)，编码以左下角公里坐标为准，例如：10.0-21.0。",
     "用于2012年---最新国标", "新编号示例:_K50I576576",
     2000, OldForm::None},
    {" 1:1000", "J", 1152, 0.003472222222222, {0, 0, 12.5}, 0.005208333333333, {0, 0, 18.75}, 4, false,
     "1:1千编码以1:100万为基础(1152*1152开)，2012新国标，主要用于大比例尺成图。",
     "正方形分幅范围一般500*500米(50cm)，以左下角公里坐标为准，编码例：10.0-21.0。",
     "用于2012年---最新国标", "新编号例:_K50J11521152",
     1000, OldForm::None},
    {" 1:500", "K", 2304, 0.001736111111111, {0, 0, 6.25}, 0.002604166666667, {0, 0, 9.375}, 4, false,
     "1:500编码以1:100万为基础(2304*2304开)，2012新国标，主要用于大比例尺成图。",
     "正方形分幅一般250*250米(50cm)，以左下角公里坐标为准，编码例：10.25-21.50。",
     "用于2012年---最新国标", "新编号例:_K50K23042304",
     500, OldForm::None},
}};
// clang-format on

namespace {

int clampedIndex(int scaleIndex) {
    return std::clamp(scaleIndex, 0, kScaleCount - 1);
}

}  // namespace

std::string_view scaleLetter(int scaleIndex) {
    return kScaleCatalogue[clampedIndex(scaleIndex)].letter;
}

std::string_view codeFormat(int scaleIndex) {
    return kScaleCatalogue[clampedIndex(scaleIndex)].codeDigits == 4 ? "0000" : "000";
}

ScaleRecord scaleRecord(int scaleIndex) {
    const int index = clampedIndex(scaleIndex);
    const ScaleRow& row = kScaleCatalogue[index];
    ScaleRecord record;
    record.scaleIndex = static_cast<std::int16_t>(index);
    record.rowDivisions = row.divisions;
    record.columnDivisions = row.divisions;
    record.sheetHeightDegrees = row.heightDegrees;
    record.sheetWidthDegrees = row.widthDegrees;
    record.sheetHeightDMS = row.height;
    record.sheetWidthDMS = row.width;
    return record;
}

}  // namespace mapsheet::engine
