#include "library/angle_reading.h"

#include <gtest/gtest.h>

#include <string>

#include "library/ModuleQmb.h"

namespace mapsheet {
namespace {

struct AcceptedRow {
    const char* name;
    const char* text;
    double degrees;  // the nearest double, from IEEE division of exact integers
};

TEST(readAngleDegrees, ReadsDecimalDegreesAndMarkedText) {
    const AcceptedRow rows[] = {
        {"decimal degrees", "39.979", 39.979},
        {"negative decimal degrees", "-117.5", -117.5},
        {"point first", ".5", 0.5},
        {"blanks around", "  39.5\t", 39.5},
        {"marked", "39°58′45″", 143925.0 / 3600.0},
        {"marked with decimal seconds", "39°58′45.5″", 287851.0 / 7200.0},
        {"ASCII marks", "39d58'45\"", 143925.0 / 3600.0},
        {"colons", "39:58:45", 143925.0 / 3600.0},
        {"colons without seconds", "39:58", 2398.0 / 60.0},
        {"sheet line 39°40′", "39°40′", 119.0 / 3.0},
        {"sheet line 117°45′", "117°45′", 117.75},
        {"sheet line 39°50′ negative", "-39°50′", -239.0 / 6.0},
        {"sheet corner with seconds", "116°3′45″", 417825.0 / 3600.0},
        {"negative minutes only", "-0°30′", -0.5},
        {"minutes alone", "30′", 0.5},
        {"decimal minutes", "39°58.75′", 9595.0 / 240.0},
        {"decimal degrees with a mark", "45.5°", 45.5},
        {"degrees and seconds", "45°30″", 162030.0 / 3600.0},
    };
    for (const AcceptedRow& row : rows) {
        SCOPED_TRACE(row.name);
        const AngleReading reading = readAngleDegrees(row.text);
        ASSERT_TRUE(reading.degrees.has_value()) << reading.error;
        EXPECT_EQ(*reading.degrees, row.degrees);
        EXPECT_TRUE(reading.error.empty());
    }
}

TEST(readAngleDegrees, RejectsWhatIsNoAngle) {
    const char* rejected[] = {
        "",           "   ",    "12abc",  "1°2°",  "39:58:45:1", "39°75′",   "39°58′60″",
        "39.5°30′",   "39°30",  "--5",    "1e3",   "°",          "-",        "39°-30′",
        "39°58′45″x", "39′58°", "39:58′", "1.2.3", "+5",         "39 58 45", "39::45"};
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        const AngleReading reading = readAngleDegrees(text);
        EXPECT_FALSE(reading.degrees.has_value());
        EXPECT_NE(reading.error.find("expected"), std::string::npos) << reading.error;
    }
}

TEST(readAngleDegrees, RejectsValuesBeyondTheDecimalRange) {
    for (const std::string& text : {"1" + std::string(30, '0'), std::string(29, '9') + "°"}) {
        SCOPED_TRACE(text);
        const AngleReading reading = readAngleDegrees(text);
        EXPECT_FALSE(reading.degrees.has_value());
        EXPECT_NE(reading.error.find("beyond"), std::string::npos) << reading.error;
    }
}

TEST(readAngleDegrees, PutsTheExactModeBack) {
    ModuleQmb::精确模式 = false;
    ASSERT_TRUE(readAngleDegrees("39°58′45″").degrees.has_value());
    EXPECT_FALSE(ModuleQmb::精确模式);
}

TEST(withAngleMarks, WritesTheAsciiFormsWithMarks) {
    EXPECT_EQ(withAngleMarks("45d52'56.6879\""), "45°52′56.6879″");
    EXPECT_EQ(withAngleMarks("45D52’56”"), "45°52′56″");
    EXPECT_EQ(withAngleMarks("45:52:56.6879"), "45°52′56.6879″");
    EXPECT_EQ(withAngleMarks("-45:52"), "-45°52′");
    EXPECT_EQ(withAngleMarks("45:52:56:1"), "45:52:56:1");
    EXPECT_EQ(withAngleMarks("45:52′"), "45:52′");
    EXPECT_EQ(withAngleMarks("45.5"), "45.5");
}

}  // namespace
}  // namespace mapsheet
