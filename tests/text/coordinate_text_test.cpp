#include "text/coordinate_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "library/ModuleQmb.h"
#include "library/QmbJiChuJiaoDu.h"
#include "library/decimal.h"
#include "library/diagnostics_log.h"
#include "library/double_digits.h"
#include "library/exact_mode_scope.h"
#include "text/angle_marks.h"

namespace mapsheet::text {
namespace {

struct AcceptedRow {
    const char* name;
    const char* text;
    double degrees;  // the nearest double, from IEEE division of exact integers
};

TEST(readCoordinate, ReadsDecimalDegreesExponentsAndMarkedText) {
    const AcceptedRow rows[] = {
        {"decimal degrees", "39.979", 39.979},
        {"negative decimal degrees", "-117.5", -117.5},
        {"point first", ".5", 0.5},
        {"point last", "5.", 5.0},
        {"negative point first", "-.5", -0.5},
        {"blanks around", "  39.5\t", 39.5},
        {"negative zero is zero", "-0", 0.0},
        {"exponent", "1e-07", 1e-7},
        {"exponent with a plus", "2.5E+1", 25.0},
        {"exponent without a sign", "1.175e2", 117.5},
        {"underflow", "1e-400", 0.0},
        {"marked", "39°58′45″", 143925.0 / 3600.0},
        {"marked with decimal seconds", "39°58′45.5″", 287851.0 / 7200.0},
        {"ASCII marks", "39d58'45\"", 143925.0 / 3600.0},
        {"typographic quotes", "39D58’45”", 143925.0 / 3600.0},
        {"colons", "39:58:45", 143925.0 / 3600.0},
        {"colons without seconds", "39:58", 2398.0 / 60.0},
        {"sheet line 39°50′ negative", "-39°50′", -239.0 / 6.0},
        {"sheet corner with seconds", "116°3′45″", 417825.0 / 3600.0},
        {"negative minutes only", "-0°30′", -0.5},
        {"minutes alone", "30′", 0.5},
        {"minutes alone beyond 60", "90′", 1.5},
        {"decimal minutes", "39°58.75′", 9595.0 / 240.0},
        {"decimal degrees with a mark", "45.5°", 45.5},
        {"degrees and seconds", "45°30″", 162030.0 / 3600.0},
        {"1:500 corner", "39°59′58.125″", 1151985.0 / 28800.0},
    };
    for (const AcceptedRow& row : rows) {
        SCOPED_TRACE(row.name);
        const CoordinateReading reading = readCoordinate(row.text);
        ASSERT_EQ(reading.fault, CoordinateFault::None);
        EXPECT_EQ(reading.degrees, row.degrees);
        EXPECT_FALSE(std::signbit(reading.degrees) && reading.degrees == 0);
    }
    EXPECT_TRUE(std::isinf(readCoordinate("1e400").degrees));
}

TEST(readCoordinate, RejectsWhatIsNoAngle) {
    const char* rejected[] = {
        "",         "   ",      "12abc",      "1°2°",        "39:58:45:1", "39°75′",  "39°58′60″",
        "39.5°30′", "39°30",    "--5",        "°",           "-",          "39°-30′", "39°58′45″x",
        "39′58°",   "39:58′",   "1.2.3",      "+5",          "39 58 45",   "39::45",  "inf",
        "nan",      "-inf",     "0x1p3",      "1e",          "1e+",        "e5",      ".",
        "39:",      "1°2′3″4″", "39°58′45″-", "39d58'45\"\""};
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        const CoordinateReading reading = readCoordinate(text);
        EXPECT_EQ(reading.fault, CoordinateFault::NotAnAngle);
    }
    const CoordinateReading huge = readCoordinate("99999999999999999999999999999°");
    EXPECT_EQ(huge.fault, CoordinateFault::BeyondDecimalRange);
    EXPECT_NE(coordinateFaultText(CoordinateFault::NotAnAngle).find("39°58′45″"),
              std::string_view::npos);
}

// Every 1:500 sheet corner of a degree, typed as D°M′S″ with up to three decimals of seconds,
// gives the double nearest the exact corner: corner units / 28800 divided in IEEE arithmetic
// is that double, since both integers are exact.
TEST(readCoordinate, SheetCornersTypedAsTextGiveTheNearestDouble) {
    for (std::int64_t units = 39 * 28800; units <= 40 * 28800; units += 25) {
        const std::int64_t eighths = units % 28800;  // 1/8 arc-seconds within the degree
        const std::int64_t minutes = eighths / 480;
        const std::int64_t thousandths = (eighths % 480) * 125;  // of a second
        const std::string text = std::to_string(units / 28800) + "°" + std::to_string(minutes) +
                                 "′" + std::to_string(thousandths / 1000) + "." +
                                 std::to_string(1000 + thousandths % 1000).substr(1) + "″";
        SCOPED_TRACE(text);
        const double expected = static_cast<double>(units) / 28800.0;
        EXPECT_EQ(readCoordinate(text).degrees, expected);
        EXPECT_EQ(readCoordinate("-" + text).degrees, -expected);
    }
}

// The degrees the windows read from the same text: marked text through the library's angle
// forms in exact mode, decimal degrees through the decimal type.
double windowsReading(const std::string& text) {
    if (text.find_first_not_of("-.0123456789") == std::string::npos) {
        return Decimal::parse(text).toDouble();
    }
    const ScopedExactMode exact;
    return nearestDouble(
        QmbJiChuJiaoDu::Dec度to梯度(QmbJiChuJiaoDu::Dec度型to度数(withAngleMarks(text))));
}

// The windows' reading (through the library's angle forms, the diagnostics log and the
// exact-mode flag) and this one agree on decimal degrees and marked text alike.
TEST(readCoordinate, AgreesWithTheLibrarysReading) {
    std::vector<std::string> texts;
    for (int i = 0; i < 2000; ++i) {
        const int degrees = i * 37 % 180;
        const int minutes = i * 11 % 60;
        const int seconds = i * 7 % 60;
        const std::string fraction = std::to_string(i * 7919 % 100000);
        texts.push_back(std::to_string(degrees) + "°" + std::to_string(minutes) + "′" +
                        std::to_string(seconds) + "." + fraction + "″");
        texts.push_back(std::to_string(degrees) + ":" + std::to_string(minutes) + "." + fraction);
        texts.push_back("-" + std::to_string(degrees) + "." + fraction);
    }
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(readCoordinate(text).degrees, windowsReading(text));
    }
}

// No process-wide state: the diagnostics log and the exact-mode flag stay as they were, also
// for a value beyond the decimal range, and threads reading at once read what one thread does.
TEST(readCoordinate, LeavesTheLibrarysStateAloneAndReadsOnSeveralThreads) {
    const std::int32_t messages = ModuleQmb::日志().信息条数;
    const bool exactMode = ModuleQmb::精确模式;
    const std::vector<std::string> texts = {
        "39°58′45.5″", "99999999999999999999999999999°", "-117.5", "39:58:45", "north", "1e-07"};
    std::vector<CoordinateReading> serial;
    for (const std::string& text : texts) {
        serial.push_back(readCoordinate(text));
    }
    EXPECT_EQ(ModuleQmb::日志().信息条数, messages);
    EXPECT_EQ(ModuleQmb::精确模式, exactMode);

    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < mismatches.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 2000; ++round) {
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    const CoordinateReading reading = readCoordinate(texts[i]);
                    mismatches[t] += reading.fault != serial[i].fault ||
                                     (reading.fault == CoordinateFault::None &&
                                      reading.degrees != serial[i].degrees);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace mapsheet::text
