// The seven-box conversion comes to rest on every path, the failure path included, and says
// when what it shows is a fallback and not the typed angle.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "library/angle_conversion.h"

namespace mapsheet {
namespace {

using B = AngleBox;

std::string& textOf(AngleBoxTexts& boxes, AngleBox box) {
    switch (box) {
        case B::Degrees:
            return boxes.degrees;
        case B::Minutes:
            return boxes.minutes;
        case B::Seconds:
            return boxes.seconds;
        case B::Packed:
            return boxes.packed;
        case B::Marked:
            return boxes.marked;
        case B::DecimalDegrees:
            return boxes.decimalDegrees;
        case B::Radians:
            break;
    }
    return boxes.radians;
}

AngleBoxTexts with(AngleBoxTexts boxes, AngleBox box, const std::string& text) {
    textOf(boxes, box) = text;
    return boxes;
}

const std::string kBeyondTheRange = "99999999999999999999999999999990";

struct RestRow {
    const char* name;
    AngleBoxTexts before;
    AngleBox typed;
    AngleBoxTexts after;
};

// Each of these was left where converting again rewrote the typed box.
TEST(AngleConversionRest, FailuresOverStaleBoxesComeToRest) {
    const RestRow rows[] = {
        {"seconds over minutes beyond the range",
         {"", kBeyondTheRange, "61", "", "", "", ""},
         B::Seconds,
         {"0", "0", "59.999999", "0.0059999999", "00°01′00.0000″", "0.0166666663888888888888888889",
          "0.0002908882038175847850585885"}},
        {"degrees with a leading zero over junk minutes",
         {"00", "abc", "-0", "", "", "", ""},
         B::Degrees,
         {"0", "0", "0", "0", "00°00′00.0000″", "0", "0"}},
        {"degrees ending in zero over minutes beyond the range",
         {"010", kBeyondTheRange, "0", "", "", "", ""},
         B::Degrees,
         {"10", "0", "0", "10", "10°00′00.0000″", "10", "0.174532925199432957692369077"}},
    };
    for (const RestRow& row : rows) {
        SCOPED_TRACE(row.name);
        const AngleBoxTexts after = convertAngleBoxes(row.before, row.typed);
        EXPECT_EQ(after, row.after);
        EXPECT_EQ(convertAngleBoxes(after, row.typed), after);
    }
}

struct FallbackRow {
    const char* name;
    AngleBoxTexts before;
    AngleBox typed;
    bool fellBack;
};

TEST(AngleConversionRest, SaysWhenTheBoxesShowAFallback) {
    const std::string nines(29, '9');
    const FallbackRow rows[] = {
        {"marked degrees beyond the range", with({}, B::Marked, nines + "°"), B::Marked, true},
        {"marked seconds beyond the range", with({}, B::Marked, "1°2′" + nines + "″"), B::Marked,
         true},
        {"radians whose degrees overflow", with({}, B::Radians, "79228162514264337593543950335"),
         B::Radians, true},
        {"a lone point as decimal degrees", with({}, B::DecimalDegrees, "."), B::DecimalDegrees,
         true},
        {"minutes typed under degrees that are no number",
         {"1.5", "3", "0", "", "", "", ""},
         B::Minutes,
         true},
        {"the worked example", with({}, B::Marked, "45°52′56.6879″"), B::Marked, false},
        {"28 nines as marked degrees", with({}, B::Marked, std::string(28, '9') + "°"), B::Marked,
         false},
        {"emptied degrees empty the others", with({}, B::Degrees, ""), B::Degrees, false},
        {"an incomplete negative packed number", with({}, B::Packed, "-."), B::Packed, false},
    };
    for (const FallbackRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(traceAngleConversion(row.before, row.typed).fellBack, row.fellBack);
    }
}

// Typed texts over an alphabet that provokes carries, range failures and junk, over other boxes
// holding limits, stale values and numbers beyond the decimal range: the typed box is always at
// rest, and from the boxes that read nothing but their own text the whole result is.
TEST(AngleConversionRest, EveryResultIsAtRest) {
    const std::vector<std::string> pieces = {"9", "9", "9", "5", "0", "1", "6",  ".",
                                             "-", "°", "′", "″", " ", "a", "９", "99999999"};
    const std::vector<std::string> others = {"",
                                             "0",
                                             "-",
                                             "-0",
                                             "59",
                                             "60",
                                             "61",
                                             "75",
                                             "abc",
                                             ".5",
                                             "1.5",
                                             kBeyondTheRange,
                                             "59.99999999999999999999999999"};
    std::mt19937 random(2012);
    auto any = [&random](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(random)];
    };
    for (int i = 0; i < 20000; ++i) {
        std::string typed;
        const int length = std::uniform_int_distribution<int>(0, 30)(random);
        while (static_cast<int>(typed.size()) < length) {
            typed += any(pieces);
        }
        const auto box = static_cast<AngleBox>(std::uniform_int_distribution<int>(1, 7)(random));
        const AngleBoxTexts before = with({any(others), any(others), any(others), any(others),
                                           any(others), any(others), any(others)},
                                          box, typed);
        const AngleConversionRun run = traceAngleConversion(before, box);
        ASSERT_TRUE(run.settled);
        AngleBoxTexts again = convertAngleBoxes(run.boxes, box);
        AngleBoxTexts after = run.boxes;
        ASSERT_EQ(textOf(again, box), textOf(after, box))
            << "typed \"" << typed << "\" in box " << static_cast<int>(box);
        if (box != B::Degrees && box != B::Minutes && box != B::Seconds) {
            ASSERT_TRUE(again == after)
                << "typed \"" << typed << "\" in box " << static_cast<int>(box);
        }
    }
}

}  // namespace
}  // namespace mapsheet
