#include "library/QmbJiChuJiaoDu.h"
#include "tests/library/exact_rational.h"

#include <gtest/gtest.h>

#include <boost/multiprecision/cpp_int.hpp>
#include <functional>
#include <ostream>
#include <random>
#include <string>

#include "library/ModuleQmb.h"
#include "library/diagnostics_log.h"
#include "library/exact_mode_scope.h"

namespace mapsheet {
// Readable failure messages.
void PrintTo(const Decimal& value, std::ostream* out) {
    *out << value.toString();
}
}  // namespace mapsheet

namespace mapsheet::QmbJiChuJiaoDu {
namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;

Decimal D(const char* text) {
    return Decimal::parse(text);
}

struct ReadingRow {
    const char* name;
    const char* text;
    const char* degrees;
    const char* minutes;
    const char* seconds;
    int sign;
};

TEST(DecDuFenMiao, ReadsPackedNumbersAndMarkedText) {
    const ReadingRow rows[] = {
        {"packed fraction padded before it is split", "39.5845", "39", "58", "45", 1},
        {"packed with fraction of a second", "45.52566879", "45", "52", "56.6879", 1},
        {"packed negative", "-0.03", "0", "3", "0", -1},
        {"packed whole degrees", "12", "12", "0", "0", 1},
        {"packed 99 minutes carry", "0.99", "1", "39", "0", 1},
        {"marked full", "45°52′56.6879″", "45", "52", "56.6879", 1},
        {"marked negative zero degrees", "-0°30′", "0", "30", "0", -1},
        {"minutes alone", "30′", "0", "30", "0", 1},
        {"negative minutes alone", "-30′", "0", "30", "0", -1},
        {"negative seconds alone", "-5″", "0", "0", "5", -1},
        {"minus on the minutes after degrees is no sign", "5°-3′", "5", "3", "0", 1},
        {"seconds after degrees without minutes", "45°56.6″", "45", "0", "56.6", 1},
        {"fractional degrees move into minutes", "1.5°", "1", "30", "0", 1},
        {"fractional minutes move into seconds", "1°0.5′", "1", "0", "30", 1},
        {"carry of minutes", "10°75′", "11", "15", "0", 1},
        {"carry of seconds twice", "10°59′120″", "11", "1", "0", 1},
        {"text after the last mark is not read", "45°30", "45", "0", "0", 1},
    };
    for (const ReadingRow& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(DecDuFenMiao(row.text));
        EXPECT_EQ(读取.读取度, D(row.degrees));
        EXPECT_EQ(读取.读取分, D(row.minutes));
        EXPECT_EQ(读取.读取秒, D(row.seconds));
        EXPECT_EQ(读取.读取符号, row.sign);
    }
}

TEST(DecDuFenMiao, FailureResetsTheReadingAndLogsOnce) {
    ASSERT_TRUE(DecDuFenMiao("-12.3456"));
    ModuleQmb::清除运算信息();
    EXPECT_FALSE(DecDuFenMiao(" 12abc "));
    EXPECT_EQ(读取.读取度, Decimal(0));
    EXPECT_EQ(读取.读取分, Decimal(0));
    EXPECT_EQ(读取.读取秒, Decimal(0));
    EXPECT_EQ(读取.读取符号, 1);
    EXPECT_EQ(ModuleQmb::日志().信息条数, 1);
    EXPECT_EQ(
        ModuleQmb::日志().首条信息,
        "  进行DecDuFenMiao[读取度分秒数据]运算时， 12abc 数值超出计算范围！返回三个 [0] 值。");
}

TEST(AngleOperations, FailuresGiveTheFallbackAndOneMessage) {
    struct Row {
        const char* name;
        std::function<std::string()> run;
        const char* fallback;
        const char* message;
    };
    const Row rows[] = {
        {"Dec度数to度型", [] { return Dec度数to度型("x°"); }, "",
         "  进行[Dec度数to度型]运算时， x° 数值超出计算范围！返回 [空] 值。"},
        {"Dec度型to度数", [] { return Dec度型to度数("1°x′").toString(); }, "0",
         "  进行[Dec度型to度数]运算时， 1°x′ 数值超出计算范围！返回 [0] 值。"},
        {"Dec度to梯度 of marked text", [] { return Dec度to梯度("45°").toString(); }, "0",
         "  进行[Dec度to梯度]运算时， 45° 数值超出计算范围！返回 [0] 值。"},
        {"Dec梯度to度", [] { return Dec梯度to度(" abc ").toString(); }, "0",
         "  进行[Dec梯度to度]运算时， abc 数值超出计算范围！返回 [0] 值。"},
        {"Dec梯度to弧度", [] { return Dec梯度to弧度("1..5").toString(); }, "0",
         "  进行[Dec梯度to弧度]运算时， 1..5 数值超出计算范围！返回 [0] 值。"},
        {"Dec整理度分秒", [] { return Dec整理度分秒("12abc").toString(); }, "0",
         "  进行[Dec整理度分秒]运算时， 12abc 数值超出计算范围！返回 [0] 值。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ModuleQmb::清除运算信息();
        EXPECT_EQ(row.run(), row.fallback);
        EXPECT_EQ(ModuleQmb::日志().信息条数, 1);
        EXPECT_EQ(ModuleQmb::日志().最近信息, row.message);
    }
}

TEST(AngleOperations, ConvertBetweenForms) {
    EXPECT_EQ(Dec度to梯度("-0.3000"), D("-0.5"));
    EXPECT_EQ(Dec梯度to度(D("45.5")), D("45.3"));
    EXPECT_EQ(Dec梯度to度(D("-0.5")), D("-0.3"));
    EXPECT_EQ(Dec整理度分秒(D("10.596")), D("11"));
    EXPECT_EQ(Dec整理度分秒(D("-10.596")), D("-11"));
    EXPECT_EQ(Dec整理度分秒(D("45.52566879")), D("45.52566879"));
    EXPECT_EQ(Dec度型to度数("-0°30′"), D("-0.3"));
    EXPECT_EQ(Dec度型to度数("39.5845"), D("39.5845"));
}

// The worked example of the angle window and its load example, to the 28 digits of the decimal
// rules: 56.6879 / 60 and then 52.944798333... / 60 are rounded quotients, the sum is rounded to
// 29 digits.
TEST(AngleOperations, WorkedExamples) {
    const Decimal packed = Dec度型to度数("45°52′56.6879″");
    EXPECT_EQ(packed.toString(), "45.52566879");
    const Decimal degrees = Dec度to梯度(packed);
    EXPECT_EQ(degrees.toString(), "45.882413305555555555555555556");
    EXPECT_EQ(Dec梯度to弧度(degrees).toString(), "0.8007991809427995252701764234");
    EXPECT_EQ(Dec梯度to度(degrees).toString(), "45.52566879");

    const Decimal negative = Dec度型to度数("-0°03′00″");
    EXPECT_EQ(negative.toString(), "-0.03");
    EXPECT_EQ(Dec度to梯度(negative).toString(), "-0.05");
    EXPECT_EQ(Dec梯度to弧度(Dec度to梯度(negative)).toString(), "-0.0008726646259971647884618454");

    // Independent truth: 45 + 52/60 + 56.6879/3600 exactly; the decimal ends at its 27th
    // decimal, so it lies within half a unit of that place.
    const cpp_rational exact =
        cpp_rational(45) + cpp_rational(52, 60) + cpp_rational(566879, 36000000);
    EXPECT_LE(abs(exactValue(degrees) - exact), cpp_rational(1, 2 * pow(cpp_int(10), 27)));
}

TEST(Dec度数to度型, WritesWithTheSecondsPattern) {
    {
        const ScopedSecondsPattern pattern("");
        EXPECT_EQ(Dec度数to度型(D("39.5845")), "39°58′45″");
        EXPECT_EQ(Dec度数to度型(D("-0.03")), "-00°03′00″");
        // 59.5 seconds round up to 60 under "00" and carry into the minutes.
        EXPECT_EQ(Dec度数to度型(D("0.00595")), "00°01′00″");
        EXPECT_EQ(Dec度数to度型(D("1.595950")), "02°00′00″");
        // "0.00" sorts below "00." and so means whole seconds.
        const ScopedSecondsPattern low("0.00");
        EXPECT_EQ(Dec度数to度型(D("39.5845")), "39°58′45″");
    }
    {
        const ScopedSecondsPattern pattern("00.00");
        EXPECT_EQ(Dec度数to度型("39.584500"), "39°58′45.00″");
        EXPECT_EQ(Dec度数to度型("45°52′56.6879″"), "45°52′56.69″");
    }
    EXPECT_EQ(秒格式, "");
}

// Rounding the seconds to 24 decimals, or the packed text to the decimal's digits, would leave
// 60 in the seconds of the packed result (45.596 for 46°); the result is carried instead.
TEST(AngleOperations, PackedResultsAreAlwaysTidy) {
    EXPECT_EQ(Dec梯度to度(D("45.999999999999999999999999999")), D("46"));
    EXPECT_EQ(Dec梯度to度(D("0.9999999999999999999999999999")), D("1"));
    EXPECT_EQ(Dec度型to度数("0°59′59.99999999999999999999999999″"), D("1"));
    EXPECT_EQ(Dec度型to度数("-7°59′59.99999999999999999999999999″"), D("-8"));
}

TEST(AngleOperations, SuccessesCountAsExact) {
    ModuleQmb::清除运算信息();
    Dec梯度to弧度(D("1"));
    Dec整理度分秒(D("1.3"));
    EXPECT_EQ(ModuleQmb::日志().精确运算次数, 2);
    EXPECT_EQ(ModuleQmb::日志().信息条数, 0);
    EXPECT_EQ(ModuleQmb::日志().有效数字位数, 29);
}

// marked -> packed -> decimal degrees -> packed -> marked gives back the typed angle to the
// seconds pattern's four decimals, and decimal degrees agree with the exact rational value.
TEST(AngleOperations, RoundTripsOfRandomAngles) {
    const ScopedExactMode exact;
    const ScopedSecondsPattern pattern("00.0000");
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> degreesOf(0, 359);
    std::uniform_int_distribution<int> minutesOf(0, 59);
    std::uniform_int_distribution<int> tenThousandthsOf(0, 599999);
    for (int i = 0; i < 3000; ++i) {
        const bool negative = random() % 3 == 0;
        const int d = degreesOf(random);
        const int m = minutesOf(random);
        const int s = tenThousandthsOf(random);
        const std::string seconds =
            Decimal::fromParts(false, static_cast<unsigned>(s), 4).format("00.0000");
        const std::string marked = std::string(negative ? "-" : "") + Decimal(d).format("00") +
                                   "°" + Decimal(m).format("00") + "′" + seconds + "″";
        SCOPED_TRACE(marked);
        const Decimal packed = Dec度型to度数(marked);
        const Decimal degrees = Dec度to梯度(packed);
        const cpp_rational expected = (negative ? -1 : 1) * (cpp_rational(d) + cpp_rational(m, 60) +
                                                             cpp_rational(s, 36000000));
        EXPECT_LT(abs(exactValue(degrees) - expected), cpp_rational(1, pow(cpp_int(10), 26)));
        const Decimal again = Dec梯度to度(degrees);
        EXPECT_EQ(Dec度数to度型(ModuleQmb::四舍五入(again, 8)), marked);
        EXPECT_EQ(Dec度数to度型(packed), marked);
    }
}

}  // namespace
}  // namespace mapsheet::QmbJiChuJiaoDu
