// Plain decimal degrees, the common form of batch input, read exactly as the C library's
// correctly rounded strtod reads them, at the limits of the short route (15 digits, 15 decimals)
// and beyond them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/coordinate_text.h"

namespace mapsheet::text {
namespace {

double strtodOf(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    return value == 0 ? 0.0 : value;  // a zero is always +0
}

void expectAsStrtod(const std::string& text) {
    const CoordinateReading reading = readCoordinate(text);
    ASSERT_EQ(reading.fault, CoordinateFault::None) << text;
    const double expected = strtodOf(text);
    EXPECT_EQ(reading.degrees, expected) << text;
    EXPECT_EQ(std::signbit(reading.degrees), std::signbit(expected)) << text;
}

TEST(PlainDecimalDegrees, ReadsTheNearestDoubleAtTheLimitsOfTheShortRoute) {
    const struct {
        const char* name;
        const char* text;
    } rows[] = {
        {"seven decimals", "32.5698198"},
        {"negative seven decimals", "-128.0030441"},
        {"fifteen digits", "123456789.012345"},
        {"sixteen digits take the long route", "1234567890.123456"},
        {"fifteen decimals", "0.123456789012345"},
        {"sixteen decimals", "0.1234567890123456"},
        {"a halfway case of binary rounding", "9007199254740993"},
        {"leading zeros count as digits", "0000000000000039.5"},
        {"the tenth of a degree, inexact", "0.1"},
        {"a sheet corner in decimals", "39.833333333333"},
        {"negative zero", "-0.000"},
        {"point last", "135."},
        {"point first", ".25"},
        {"largest short integer", "999999999999999"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        expectAsStrtod(row.text);
    }
}

TEST(PlainDecimalDegrees, AgreeWithStrtodOnPseudoRandomTexts) {
    std::uint64_t state = 20240601;
    const auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    char text[64];
    for (int i = 0; i < 200000; ++i) {
        const int decimals = static_cast<int>(next() % 17);
        const double value = static_cast<double>(next() % 3600000000ULL) / 1e7 - 180;
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        expectAsStrtod(text);
    }
}

TEST(PlainDecimalDegrees, LeavesOtherFormsToTheGeneralReader) {
    const struct {
        const char* name;
        const char* text;
        CoordinateFault fault;
    } rows[] = {
        {"a lone sign", "-", CoordinateFault::NotAnAngle},
        {"a lone point", ".", CoordinateFault::NotAnAngle},
        {"two points", "1.2.3", CoordinateFault::NotAnAngle},
        {"a plus sign", "+1.5", CoordinateFault::NotAnAngle},
        {"two signs", "--1", CoordinateFault::NotAnAngle},
        {"a sign after digits", "1-", CoordinateFault::NotAnAngle},
        {"blanks around", " 1.5 ", CoordinateFault::None},
        {"an exponent", "15e-1", CoordinateFault::None},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readCoordinate(row.text).fault, row.fault) << row.name;
    }
    EXPECT_EQ(readCoordinate(" 1.5 ").degrees, 1.5);
    EXPECT_EQ(readCoordinate("15e-1").degrees, 1.5);
}

}  // namespace
}  // namespace mapsheet::text
