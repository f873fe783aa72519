#include "library/angle_conversion.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "library/ModuleQmb.h"
#include "library/QmbJiChuJiaoDu.h"
#include "library/diagnostics_log.h"

namespace mapsheet {

// Readable failure messages.
void PrintTo(const AngleBoxTexts& boxes, std::ostream* out) {
    *out << "{" << boxes.degrees << " | " << boxes.minutes << " | " << boxes.seconds << " | "
         << boxes.packed << " | " << boxes.marked << " | " << boxes.decimalDegrees << " | "
         << boxes.radians << "}";
}

namespace {

using B = AngleBox;

// The box texts in the order of the box codes 1 to 7.
constexpr std::array<std::string AngleBoxTexts::*, 8> kTextOf = {nullptr,
                                                                 &AngleBoxTexts::degrees,
                                                                 &AngleBoxTexts::packed,
                                                                 &AngleBoxTexts::marked,
                                                                 &AngleBoxTexts::decimalDegrees,
                                                                 &AngleBoxTexts::radians,
                                                                 &AngleBoxTexts::minutes,
                                                                 &AngleBoxTexts::seconds};

std::string& textOf(AngleBoxTexts& boxes, AngleBox box) {
    return boxes.*kTextOf[static_cast<int>(box)];
}

// The three degree, minute and second boxes; the others empty.
AngleBoxTexts dms(const std::string& degrees, const std::string& minutes = "",
                  const std::string& seconds = "") {
    return {degrees, minutes, seconds, "", "", "", ""};
}

AngleBoxTexts with(AngleBoxTexts boxes, AngleBox box, const std::string& text) {
    textOf(boxes, box) = text;
    return boxes;
}

const AngleBoxTexts kExample{"45",
                             "52",
                             "56.6879",
                             "45.52566879",
                             "45°52′56.6879″",
                             "45.882413305555555555555555556",
                             "0.8007991809427995252701764234"};

// In an expected text, "*" stands for any text.
void expectShown(AngleBoxTexts actual, const AngleBoxTexts& expected) {
    for (int code = 1; code <= 7; ++code) {
        const std::string& want = expected.*kTextOf[code];
        if (want != "*") {
            EXPECT_EQ(actual.*kTextOf[code], want) << "box " << code;
        }
    }
}

struct ConversionRow {
    const char* name;
    AngleBoxTexts before;  // the boxes right after the user's edit
    AngleBox typed;
    AngleBoxTexts after;
};

// clang-format off
const ConversionRow kDmsRows[] = {
    {"emptying TextDu empties all boxes", with(kExample, B::Degrees, ""), B::Degrees, {}},
    {"a lone minus in TextDu empties the others", with(kExample, B::Degrees, "-"), B::Degrees,
     dms("-")},
    {"-0 with zero minutes and seconds empties the others",
     {"-0", "0", "0.0", "1", "1°", "1", "1"}, B::Degrees, dms("-0")},
    {"-0 with three minutes is negative", dms("-0", "3", "0.0"), B::Degrees,
     {"-0", "3", "0", "-0.03", "-00°03′00.0000″", "-0.05", "-0.0008726646259971647884618454"}},
    {"empty minutes and seconds become 0", dms("45"), B::Degrees,
     {"45", "0", "0", "45", "45°00′00.0000″", "45", "0.7853981633974483096156608465"}},
    {"leading zeros of the degrees go", dms("007", "30", "0"), B::Degrees,
     {"7", "30", "0", "7.3", "07°30′00.0000″", "7.5", "*"}},
    {"the worked example from the three boxes", dms("45", "52", "56.6879"), B::Degrees, kExample},
    {"minutes of 75 become 59", dms("10", "75", "0"), B::Minutes,
     {"10", "59", "0", "10.59", "10°59′00.0000″", "*", "*"}},
    {"seconds of 60 and more become 59.999999, Text3 rounds them", dms("10", "0", "75"),
     B::Seconds, {"10", "0", "59.999999", "10.0059999999", "10°01′00.0000″", "*", "*"}},
    {"minutes typed with TextDu empty set it to 0", dms("", "30", ""), B::Minutes,
     {"0", "30", "0", "0.3", "00°30′00.0000″", "0.5", "*"}},
    {"minutes typed with a lone minus in TextDu make it -0", dms("-", "30", "0"), B::Minutes,
     {"-0", "30", "0", "-0.3", "-00°30′00.0000″", "-0.5", "*"}},
    {"emptied minutes become 0", dms("45", "", "0"), B::Minutes, {"45", "0", "0", "45", "*", "*", "*"}},
    {"a minutes text that is no number empties the others",
     {"5", "abc", "0", "1", "1°", "1", "1"}, B::Degrees, dms("5")},
    {"59 minutes with seconds rounding to 60 carry into the degrees",
     dms("5", "59", "59.99999999999999999999999999"), B::Degrees,
     {"6", "0", "0", "6", "06°00′00.0000″", "6", "*"}},
    {"typed seconds that round to 60 carry; their box keeps its text",
     dms("5", "59", "59.99999999999999999999999999"), B::Seconds,
     {"6", "0", "59.99999999999999999999999999", "6", "*", "*", "*"}},
};

const ConversionRow kOtherRows[] = {
    {"letters typed into Text4 vanish", with(kExample, B::DecimalDegrees, "4a5.5"),
     B::DecimalDegrees, {"45", "30", "0", "45.3", "45°30′00.0000″", "45.5", "*"}},
    {"full-width digits typed into Text2 become plain", with(kExample, B::Packed, "４５．３"),
     B::Packed, {"45", "30", "0", "45.3", "45°30′00.0000″", "45.5", "*"}},
    {"Text2 keeps its trailing zeros, the others show the tidy angle",
     with(kExample, B::Packed, "45.5960"), B::Packed,
     {"46", "0", "0", "45.5960", "46°00′00.0000″", "46", "*"}},
    {"Text2 emptied", with(kExample, B::Packed, ""), B::Packed, {}},
    {"Text2 minus and point", with(kExample, B::Packed, "-."), B::Packed, with({}, B::Packed, "-.")},
    {"Text2 worked example", with({}, B::Packed, "45.52566879"), B::Packed, kExample},
    {"Text4 worked example", with({}, B::DecimalDegrees, "45.882413305555555555555555556"),
     B::DecimalDegrees, kExample},
    {"Text4 negative half degree", with({}, B::DecimalDegrees, "-.5"), B::DecimalDegrees,
     {"-0", "30", "0", "-0.3", "-00°30′00.0000″", "-0.5", "*"}},
    {"Text5 of the load example", with({}, B::Radians, "-.0008726646259971647884618454"), B::Radians,
     {"-0", "3", "*", "*", "-00°03′00.0000″", "*", "-0.0008726646259971647884618454"}},
    {"Text5 beyond the decimal range empties the others",
     with(kExample, B::Radians, "79228162514264337593543950335"), B::Radians,
     with({}, B::Radians, "79228162514264337593543950335")},
    {"Text3 worked example", with({}, B::Marked, "45°52′56.6879″"), B::Marked, kExample},
    {"Text3 degrees and minutes convert", with(kExample, B::Marked, "45°52′"), B::Marked,
     {"45", "52", "0", "45.52", "45°52′", "*", "*"}},
    {"Text3 without its closing mark empties the others", with(kExample, B::Marked, "45°52"),
     B::Marked, with({}, B::Marked, "45°52")},
    {"Text3 drops a zero seconds part", with(kExample, B::Marked, "45°52′00″"), B::Marked,
     {"45", "52", "0", "45.52", "45°52′", "*", "*"}},
    {"Text3 keeps typed zero minutes", with(kExample, B::Marked, "45°0′30″"), B::Marked,
     {"45", "0", "30", "45.003", "45°0′30″", "*", "*"}},
    {"Text3 seconds without minutes", with(kExample, B::Marked, "45°30″"), B::Marked,
     {"45", "0", "30", "45.003", "45°30″", "*", "*"}},
    {"Text3 fractional degrees are rewritten", with(kExample, B::Marked, "45.5°"), B::Marked,
     {"45", "30", "0", "45.3", "45°30′", "45.5", "*"}},
    {"Text3 negative", with(kExample, B::Marked, "-0°30′"), B::Marked,
     {"-0", "30", "0", "-0.3", "-0°30′", "-0.5", "*"}},
};
// clang-format on

TEST(convertAngleBoxes, HandlesTheDegreeMinuteSecondBoxes) {
    for (const ConversionRow& row : kDmsRows) {
        SCOPED_TRACE(row.name);
        expectShown(convertAngleBoxes(row.before, row.typed), row.after);
    }
}

TEST(convertAngleBoxes, HandlesTheNumberAndMarkedBoxes) {
    for (const ConversionRow& row : kOtherRows) {
        SCOPED_TRACE(row.name);
        expectShown(convertAngleBoxes(row.before, row.typed), row.after);
    }
}

TEST(convertAngleBoxes, RadiansOfTheWorkedExampleShowTheMarkedSeconds) {
    const AngleBoxTexts shown =
        convertAngleBoxes(with({}, B::Radians, "0.8007991809428"), AngleBox::Radians);
    EXPECT_EQ(shown.decimalDegrees.substr(0, 9), "45.882413");
    EXPECT_EQ(shown.marked, "45°52′56.6879″");
}

TEST(convertAngleBoxes, RestoresModesAndLeavesTheLogOfTheLastRun) {
    ModuleQmb::精确模式 = false;
    QmbJiChuJiaoDu::秒格式 = "00.00";
    ModuleQmb::记录运算信息("earlier");
    EXPECT_EQ(convertAngleBoxes(with({}, B::Packed, "45.52566879"), AngleBox::Packed), kExample);
    EXPECT_FALSE(ModuleQmb::精确模式);
    EXPECT_EQ(QmbJiChuJiaoDu::秒格式, "00.00");
    EXPECT_EQ(ModuleQmb::日志().信息条数, 0);
    EXPECT_EQ(ModuleQmb::日志().近似运算次数, 0);
    QmbJiChuJiaoDu::秒格式.clear();
}

// Typed texts of up to 40 characters over an alphabet that provokes carries (nines), marks,
// signs, points and junk, typed into every box over other boxes that hold limits and stale
// values: every conversion comes to rest within three runs of the handler. Where it filled the
// boxes, converting the result again changes nothing, and writing its degrees, minutes and
// seconds back over older texts and converting from the degrees box gives the same result.
TEST(convertAngleBoxes, AlwaysComesToRest) {
    const std::vector<std::string> pieces = {"9", "9", "9", "9", "5", "0",  "1",  ".",       "-",
                                             "°", "′", "″", " ", "a", "９", "。", "99999999"};
    const std::vector<std::string> others = {"",
                                             "0",
                                             "-",
                                             "-0",
                                             "59",
                                             "60",
                                             "75",
                                             "59.9999999999999999999999999",
                                             "59.99999999999999999999999999",
                                             "999999999999999999999999999",
                                             "abc",
                                             ".5"};
    std::mt19937 random(1993);
    auto any = [&random](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(random)];
    };
    std::vector<std::pair<AngleBoxTexts, AngleBox>> cases;
    for (int length = 1; length <= 40; ++length) {
        for (const char* minutes : {"59", "0"}) {
            cases.push_back(
                {dms(std::string(length, '9'), minutes, "59.99999999999999999999999999"),
                 B::Degrees});
            cases.push_back(
                {with(dms("", minutes), B::Packed, std::string(length, '9') + ".5959"), B::Packed});
        }
    }
    for (int i = 0; i < 4000; ++i) {
        std::string typed;
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        while (static_cast<int>(typed.size()) < length) {
            typed += any(pieces);
        }
        const auto box = static_cast<AngleBox>(std::uniform_int_distribution<int>(1, 7)(random));
        AngleBoxTexts before{any(others), any(others), any(others), any(others),
                             any(others), any(others), any(others)};
        cases.push_back({with(before, box, typed), box});
    }
    for (const auto& [before, box] : cases) {
        SCOPED_TRACE(::testing::PrintToString(before) + " typed in box " +
                     std::to_string(static_cast<int>(box)));
        const AngleConversionRun run = traceAngleConversion(before, box);
        ASSERT_TRUE(run.settled);
        EXPECT_LE(run.handlerRuns, 3);
        AngleBoxTexts after = run.boxes;
        if (after == with({}, box, textOf(after, box))) {
            continue;  // no angle: the other boxes were emptied, and nothing runs again
        }
        if (box != B::Minutes && box != B::Seconds) {
            EXPECT_EQ(convertAngleBoxes(after, box), after);
        }
        if (box == B::Degrees) {
            AngleBoxTexts written = before;
            written.minutes = after.minutes;
            written.seconds = after.seconds;
            written.degrees = after.degrees;
            EXPECT_EQ(convertAngleBoxes(written, box), after);
        }
    }
}

// The reason for that write order: the degrees of a carried result over the old minutes and
// seconds carry once more.
TEST(convertAngleBoxes, DegreesOverStaleMinutesWouldCarryAgain) {
    const AngleBoxTexts before = dms("5", "59", "59.99999999999999999999999999");
    ASSERT_EQ(convertAngleBoxes(before, B::Degrees).degrees, "6");
    EXPECT_EQ(convertAngleBoxes(with(before, B::Degrees, "6"), B::Degrees).degrees, "7");
}

TEST(convertAngleBoxes, CodeNamingNoBoxRunsNothing) {
    const AngleConversionRun run = traceAngleConversion(kExample, static_cast<AngleBox>(9));
    EXPECT_EQ(run.boxes, kExample);
    EXPECT_EQ(run.handlerRuns, 0);
}

}  // namespace
}  // namespace mapsheet
