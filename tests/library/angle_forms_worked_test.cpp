// Hand-worked values of the angle forms, the rounding operations and the box conversion that sit
// off the usual examples: full 28-decimal fractions, carries of both two-digit fields, mark
// orders that leave parts out, and the decimal results checked against exact rationals.

#include <gtest/gtest.h>

#include <boost/multiprecision/cpp_int.hpp>
#include <string>

#include "library/ModuleQmb.h"
#include "library/QmbJiChuJiaoDu.h"
#include "library/angle_conversion.h"
#include "library/diagnostics_log.h"
#include "library/exact_mode_scope.h"
#include "tests/library/exact_rational.h"

namespace mapsheet {
namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;
using namespace QmbJiChuJiaoDu;

struct PackedRow {
    const char* name;
    const char* degrees;
    const char* packed;
};

// f = 0.1234567890123456789012345678: f * 60 = 7.407407340740740734074074068 exactly, so 7
// minutes and 24.4444404444444440444444444|08 seconds, cut to 24 decimals. Near a full turn
// the seconds 59.999999999999999999999964 keep all their digits and the packed text is rounded
// to 29 significant digits.
TEST(WorkedAngleForms, DecimalDegreesToPackedKeepTheDigits) {
    const PackedRow rows[] = {
        {"28-decimal fraction", "0.1234567890123456789012345678", "0.0724444440444444444044444444"},
        {"negative just short of a full turn", "-359.9999999999999999999999999",
         "-359.59599999999999999999999996"},
    };
    for (const PackedRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Dec梯度to度(Decimal::parse(row.degrees)).toString(), row.packed);
    }
    // Back to decimal degrees: the exact value (7 + s / 60) / 60 lies 1/45e27 below the typed
    // degrees, well within half a unit of the 28th decimal, so the typed digits come back.
    const Decimal packed = Decimal::parse(rows[0].packed);
    const cpp_rational exact =
        (7 + cpp_rational(exactValue(Decimal::parse("24.444440444444444044444444"))) / 60) / 60;
    const Decimal degrees = Dec度to梯度(packed);
    EXPECT_EQ(degrees.toString(), rows[0].degrees);
    EXPECT_LT(abs(exactValue(degrees) - exact), cpp_rational(1, 2 * pow(cpp_int(10), 28)));
}

TEST(WorkedAngleForms, TidyingCarriesBothTwoDigitFields) {
    const PackedRow rows[] = {
        // 99 minutes and 99 seconds: 39 seconds, 100 minutes, then 40 minutes and a degree.
        {"99 minutes 99 seconds", "0.9999", "1.4039"},
        {"negative keeps its sign", "-0.9999", "-1.4039"},
        // 99 minutes and 60 seconds: the minutes reach 100 and carry.
        {"99 minutes 60 seconds", "1.996", "2.4"},
    };
    for (const PackedRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Dec整理度分秒(Decimal::parse(row.degrees)).toString(), row.packed);
    }
}

TEST(WorkedAngleForms, ReadingMovesFractionsAndCarriesLargeParts) {
    struct Row {
        const char* name;
        const char* text;
        const char* degrees;
        const char* minutes;
        const char* seconds;
        int sign;
    };
    const Row rows[] = {
        {"150 seconds and 120 minutes carry", "90°120′150″", "92", "2", "30", 1},
        {"half a degree and half a minute", "0.5°0.5′", "0", "30", "30", 1},
        {"five fraction digits leave a tenth of a second", "39.58451", "39", "58", "45.1", 1},
        {"seventh fraction digit is a thousandth of a second", "1.0000001", "1", "0", "0.001", 1},
        {"lone minus before the degree mark", "-°", "0", "0", "0", -1},
        {"minus on the seconds alone", "-30″", "0", "0", "30", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(DecDuFenMiao(row.text));
        EXPECT_EQ(读取.读取度, Decimal::parse(row.degrees));
        EXPECT_EQ(读取.读取分, Decimal::parse(row.minutes));
        EXPECT_EQ(读取.读取秒, Decimal::parse(row.seconds));
        EXPECT_EQ(读取.读取符号, row.sign);
    }
}

TEST(WorkedAngleForms, SecondsPatternOfOneDecimal) {
    const ScopedSecondsPattern pattern("00.0");
    EXPECT_EQ(Dec度数to度型(Decimal::parse("39.5845")), "39°58′45.0″");
    // 59.96 seconds show as 60.0 and carry.
    EXPECT_EQ(Dec度数to度型(Decimal::parse("-1.595996")), "-02°00′00.0″");
}

class WorkedRounding : public ::testing::Test {
  protected:
    void SetUp() override { ModuleQmb::清除运算信息(); }
    void TearDown() override { ModuleQmb::清除运算信息(); }
};

TEST_F(WorkedRounding, DecimalCountIsClampedInBothModes) {
    struct Row {
        const char* name;
        bool exactMode;
        const char* value;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {"negative count means whole numbers, exact", true, "2.5", -3, "3"},
        {"negative count means whole numbers, double", false, "2.5", -3, "2"},
        {"count beyond 28 keeps every decimal", true, "1.0000000000000000000000000005", 40,
         "1.0000000000000000000000000005"},
        {"exact half away from zero below zero", true, "-0.5", 0, "-1"},
        {"double half to even at 15 decimals", false, "0.0000000000000025", 40,
         "0.000000000000002"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModuleQmb::精确模式 = row.exactMode;
        EXPECT_EQ(ModuleQmb::四舍五入(row.value, row.decimals).text(), row.text);
    }
    ModuleQmb::精确模式 = false;
}

TEST_F(WorkedRounding, IntegerPartOfPlainAndExponentTexts) {
    struct Row {
        const char* name;
        bool exactMode;
        const char* value;
        const char* text;
    };
    const Row rows[] = {
        {"exact mode writes a large value out", true, "1E+20", "100000000000000000000"},
        {"small negative double without exponent", false, "-1e-5", "-0"},
        {"typed exponent of a plain double", false, "1.5E3", "1500"},
        {"double beyond 15 digits keeps its exponent", false, "12345678901234567890.5",
         "1.23456789012346E+19"},
        {"negative double truncates toward zero", false, "-9999.5", "-9999"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModuleQmb::精确模式 = row.exactMode;
        EXPECT_EQ(ModuleQmb::取数值的整数部分(row.value), row.text);
    }
    ModuleQmb::精确模式 = false;
}

struct BoxRow {
    const char* name;
    AngleBoxTexts before;
    AngleBox typed;
    AngleBoxTexts after;
};

TEST(WorkedAngleBoxes, PartsLeftOutOfTheMarkedTextAndKeptSecondZeros) {
    const BoxRow rows[] = {
        {"minutes alone gain their degrees",
         {"", "", "", "", "30′", "", ""},
         AngleBox::Marked,
         {"0", "30", "0", "0.3", "0°30′", "0.5", "0.0087266462599716478846184538"}},
        {"negative seconds alone",
         {"", "", "", "", "-30″", "", ""},
         AngleBox::Marked,
         {"-0", "0", "30", "-0.003", "-0°30″", "-0.0083333333333333333333333333",
          "-0.0001454441043328607980769742"}},
        {"fractional minutes become seconds",
         {"", "", "", "", "45°30.5′", "", ""},
         AngleBox::Marked,
         {"45", "30", "30", "45.303", "45°30′30″", "45.508333333333333333333333333",
          "0.7942702537617528182983562746"}},
        {"typed seconds keep their trailing zero",
         {"10", "0", "5.50", "", "", "", ""},
         AngleBox::Seconds,
         {"10", "0", "5.50", "10.00055", "10°00′05.5000″", "10.001527777777777777777777778",
          "0.1745595899518939821720165223"}},
        {"a lone point in Text2 reads as zero",
         {"", "", "", ".", "", "", ""},
         AngleBox::Packed,
         {"0", "0", "0", ".", "00°00′00.0000″", "0", "0"}},
    };
    for (const BoxRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(convertAngleBoxes(row.before, row.typed), row.after);
    }
}

}  // namespace
}  // namespace mapsheet
