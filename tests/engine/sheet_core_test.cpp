// The sheet core against independent truths: written numbers read back, the window's engine
// on random points and sheet corners, an exact enumeration for covers, and the sheet edges
// around 180 degrees.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <tuple>

#include "engine/sheet.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_engine.h"
#include "engine/sheet_number_parse.h"
#include "sheet_samples.h"

namespace mapsheet::engine {
namespace {

using testing::randomSheet;

std::string written(const InlineText& text) {
    return std::string(text.view());
}

double degrees(std::int64_t units) {
    return static_cast<double>(units) / kUnitsPerDegree;
}

class EveryScale : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Scales, EveryScale, ::testing::Range(0, kScaleCount));

TEST_P(EveryScale, WrittenNumbersReadBackAndCornersBelongToTheirSheet) {
    std::mt19937_64 random(GetParam());
    for (int trial = 0; trial < 20000; ++trial) {
        const Sheet sheet = randomSheet(random, GetParam());
        const std::string newText = written(newNumber(sheet));
        const ParsedSheet fromNew = parseSheetNumber(newText);
        ASSERT_TRUE(fromNew.sheet) << newText << ": " << fromNew.error;
        EXPECT_EQ(*fromNew.sheet, sheet) << newText;
        const std::string oldText = written(oldNumber(sheet));
        if (!oldText.empty()) {
            const ParsedSheet fromOld = parseSheetNumber(oldText);
            ASSERT_TRUE(fromOld.sheet) << oldText << ": " << fromOld.error;
            EXPECT_EQ(*fromOld.sheet, sheet) << oldText;
        }
        // The south-west corner of a northern sheet is its own, the north-west of a southern
        // one (a parallel belongs to the sheet farther from the equator); the west edge is the
        // sheet's own on both sides of the equator.
        const UnitBounds bounds = unitBounds(sheet);
        const double cornerLatitude = degrees(sheet.southern ? bounds.north : bounds.south);
        if (!(sheet.southern && bounds.north == 0)) {
            EXPECT_EQ(sheetOf(cornerLatitude, degrees(bounds.west), sheet.scale), sheet) << newText;
        }
        EXPECT_EQ(sheetOf(degrees(bounds.south + bounds.north) / 2,
                          degrees(bounds.west + bounds.east) / 2, sheet.scale),
                  sheet)
            << newText;
    }
}

TEST_P(EveryScale, WindowEngineAgreesWithTheCoreOnRandomPoints) {
    const int scale = GetParam();
    SheetEngine engine;
    engine.SelectScale(scale);
    std::mt19937_64 random(100 + scale);
    std::uniform_real_distribution<double> latitude(-88, 88);
    std::uniform_real_distribution<double> longitude(-180, 180);
    for (int trial = 0; trial < 1'000'000; ++trial) {
        const double lat = latitude(random);
        const double lon = longitude(random);
        const std::optional<Sheet> sheet = sheetOf(lat, lon, scale);
        const std::string newText = sheet ? written(newNumber(*sheet)) : "";
        const std::string oldText =
            sheet && kScaleCatalogue[scale].hasOldNumber ? written(oldNumber(*sheet)) : "";
        ASSERT_EQ(engine.SheetNumber(lat, lon, true), newText) << lat << " " << lon;
        ASSERT_EQ(engine.SheetNumber(lat, lon, false), oldText) << lat << " " << lon;
    }
}

// Every corner of every sheet along two meridians crossing both hemispheres and the widened
// zones, and a hair either side of it.
TEST_P(EveryScale, WindowEngineAgreesWithTheCoreOnSheetCorners) {
    const int scale = GetParam();
    SheetEngine engine;
    engine.SelectScale(scale);
    const std::int64_t height = 4 * kUnitsPerDegree / kScaleCatalogue[scale].divisions;
    const int step = std::max<std::int64_t>(1, 88 * kUnitsPerDegree / height / 400);
    for (const double lon : {117.0, -179.0 + 0.0625, 179.99999999995}) {
        for (std::int64_t row = -88 * kUnitsPerDegree / height; row * height < 88 * kUnitsPerDegree;
             row += step) {
            for (const double hair : {0.0, 1e-11, -1e-11, 1e-7, -1e-7}) {
                const double lat = degrees(row * height) + hair;
                const std::optional<Sheet> sheet = sheetOf(lat, lon, scale);
                EXPECT_EQ(engine.SheetNumber(lat, lon, true),
                          sheet ? written(newNumber(*sheet)) : "")
                    << lat << " " << lon;
            }
        }
    }
}

TEST_P(EveryScale, TheEasternEndOfTheSeriesIsOneDecisionInEveryZoneWidth) {
    const int scale = GetParam();
    for (const double latitude : {41.0, -41.0, 65.0, -65.0, 80.0, -80.0}) {
        for (const double offset : {0.0, 1e-12, 5e-11, 1e-10, 1.2e-10, 1e-9, 1e-6}) {
            const double longitude = 180.0 - offset;
            const std::optional<Sheet> sheet = sheetOf(latitude, longitude, scale);
            const bool onTheMeridian =
                std::abs(placedUnits(longitude) - 180.0 * kUnitsPerDegree) == 0;
            EXPECT_EQ(sheet.has_value(), !onTheMeridian) << latitude << " " << longitude;
            if (sheet) {
                EXPECT_EQ(sheet->zone, zoneCountOfRow(sheet->row)) << longitude;
                EXPECT_EQ(sheet->columnCode, kScaleCatalogue[scale].divisions) << longitude;
            }
            SheetEngine engine;
            engine.SelectScale(scale);
            EXPECT_EQ(engine.SheetNumber(latitude, longitude, true).empty(), onTheMeridian);
        }
    }
}

TEST(ParseSheetNumber, AcceptsTheFormsPeopleType) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"historical 1:5000", "J-50-5-(15)-a", "J50H003077"},
        {"em dashes and full-width brackets", "J—50—5—（15）—a", "J50H003077"},
        {"lenticular brackets", "J-50-【4】", "J50C001004"},
        {"lower case new number", "k50e003005", "K50E003005"},
        {"blanks around the pieces", " J - 50 - 5 - A - 1 ", "J50F001017"},
        {"full-width digits", "Ｊ５０Ｅ００１０１５", "J50E001015"},
        {"southern 1:25,000", "SH-50-92-C-1", "SH50F031029"},
        {"northern row S is not the south", "S-10-D", "S10B002002"},
        {"widened zone, 1:500", "U13K23040913", "U13K23040913"},
        {"1:200,000 pre-1992", "J-50-(16)", "J50R003004"},
        {"1:1,000,000 both ways", "K-50", "K50"},
    };
    for (const auto& [name, typed, expected] : rows) {
        const ParsedSheet parsed = parseSheetNumber(typed);
        ASSERT_TRUE(parsed.sheet) << name << ": " << parsed.error;
        EXPECT_EQ(written(newNumber(*parsed.sheet)), expected) << name;
    }
}

TEST(ParseSheetNumber, ErrorsNameTheWrongPiece) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"row code beyond the scale", "K50D145001", "row code 145: 1:100,000 has rows 1 to 12"},
        {"column code zero", "K50E001000", "column code 0: 1:50,000 has columns 1 to 24"},
        {"unknown scale letter", "K50X001001", "unknown scale letter 'X'"},
        {"zone beyond a 6-degree row", "K61", "zone 61: row K has zones 1 to 60"},
        {"zone beyond a 12-degree row", "R-31", "zone 31: row R has zones 1 to 30"},
        {"row letter beyond V", "W50", "row letter 'W': rows run from A to V"},
        {"short codes at 1:1000", "K50J001001",
         "1:1,000 numbers end in two codes of 4 digits, row then column"},
        {"1:250,000 cell", "J-50-[17]", "1:250,000 cell 17: runs from 1 to 16"},
        {"1:10,000 cell", "J-50-5-(65)", "1:10,000 cell 65: runs from 1 to 64"},
        {"1:50,000 quarter", "J-50-5-E", "1:50,000 quarter 'E': expected A, B, C or D"},
        {"empty", "  ", "empty sheet number"},
    };
    for (const auto& [name, typed, expected] : rows) {
        const ParsedSheet parsed = parseSheetNumber(typed);
        EXPECT_FALSE(parsed.sheet) << name;
        EXPECT_EQ(parsed.error, expected) << name;
    }
    const ParsedSheet longInput = parseSheetNumber("J-50-" + std::string(5000, 'x'));
    EXPECT_EQ(longInput.error,
              "unexpected piece '" + std::string(40, 'X') + "…' in a pre-1992 number");
    // A NUL is a character like any other, not one of the blanks that vanish.
    const std::string nul(1, '\0');
    for (const std::string& withNul : {"K" + nul + "50", "K50" + nul}) {
        EXPECT_FALSE(parseSheetNumber(withNul).sheet) << "NUL at " << withNul.find('\0');
    }
}

TEST(SheetBounds, ExactEdgesAsDegreesAndDms) {
    const Sheet sheet = *parseSheetNumber("J50K00580922").sheet;
    const DegreeBounds bounds = degreeBounds(sheet);
    EXPECT_EQ(bounds.south, 39.899305555556);
    EXPECT_EQ(bounds.north, 39.901041666667);
    EXPECT_EQ(bounds.west, 116.3984375);
    EXPECT_EQ(written(unitsAsDms(unitBounds(sheet).west)), "116°23′54.375″");
    EXPECT_EQ(written(unitsAsDms(unitBounds(sheet).south)), "39°53′57.5″");
    EXPECT_EQ(written(unitsAsDms(-kUnitsPerDegree / 8)), "-0°7′30″");
}

TEST(SheetRelatives, NeighboursTouchChildrenNestParentsContain) {
    std::mt19937_64 random(7);
    for (int trial = 0; trial < 20000; ++trial) {
        const int scale = static_cast<int>(random() % kScaleCount);
        const Sheet sheet = randomSheet(random, scale);
        const UnitBounds bounds = unitBounds(sheet);
        if (const auto north = neighbour(sheet, Direction::North)) {
            const std::int64_t twiceCentre = std::int64_t{bounds.west} + bounds.east;
            EXPECT_EQ(unitBounds(*north).south, bounds.north);
            EXPECT_LE(2 * std::int64_t{unitBounds(*north).west}, twiceCentre);
            EXPECT_GT(2 * std::int64_t{unitBounds(*north).east}, twiceCentre);
        }
        if (const auto east = neighbour(sheet, Direction::East)) {
            EXPECT_EQ(unitBounds(*east).west, bounds.east);
            EXPECT_EQ(neighbour(*east, Direction::West), sheet);
        }
        for (int finer = scale; finer < kScaleCount; ++finer) {
            const int ratio = divisionRatio(scale, finer);
            if (ratio == 0) {
                continue;
            }
            const Sheet child = childAt(sheet, finer, ratio - 1, 0);  // the south-west child
            EXPECT_EQ(unitBounds(child).south, bounds.south);
            EXPECT_EQ(unitBounds(child).west, bounds.west);
            EXPECT_EQ(containing(child, scale), sheet);
        }
    }
}

// The cover against every sheet whose centre lies in a generous margin around the box and
// whose exact edges overlap the box's interior test.
TEST(SheetCover, MatchesAnExactEnumerationOverBothHemispheresAndWidenedZones) {
    const LatLonBox boxes[] = {
        {39.9, 116.3, 40.0, 116.5},     {-1.25, 119.9, 0.5, 120.75}, {59.5, 10, 61.25, 13.5},
        {75.9, -179.9, 76.1, -170},     {-77, 170, -75.5, 180},      {40, 117, 40, 117},
        {40.01, 117.01, 40.01, 117.01}, {-88, -180, -87.9, -179.5},
    };
    for (const LatLonBox& box : boxes) {
        ASSERT_EQ(boxError(box), "");
        for (const int scale : {0, 2, 3, 5, 7}) {
            SheetCover cover(box, scale);
            std::vector<Sheet> produced;
            while (const auto sheet = cover.next()) {
                produced.push_back(*sheet);
            }
            EXPECT_EQ(produced.size(), cover.count());
            const auto units = [](double value) { return placedUnits(value); };
            std::set<std::string> expected;
            const double height = 4.0 / kScaleCatalogue[scale].divisions;
            for (double lat = box.south - 5; lat <= box.north + 5; lat += height / 2) {
                for (double lon = box.west - 25; lon <= box.east + 25; lon += height / 4) {
                    const auto sheet = sheetOf(lat, lon, scale);
                    if (!sheet) {
                        continue;
                    }
                    const UnitBounds b = unitBounds(*sheet);
                    if (b.south < units(box.north) && b.north > units(box.south) &&
                        b.west < units(box.east) && b.east > units(box.west)) {
                        expected.insert(written(newNumber(*sheet)));
                    }
                }
            }
            std::set<std::string> got;
            for (const Sheet& sheet : produced) {
                got.insert(written(newNumber(sheet)));
            }
            EXPECT_EQ(got, expected) << box.south << " " << box.west << " scale " << scale;
            EXPECT_EQ(got.size(), produced.size());
            for (std::size_t i = 1; i < produced.size(); ++i) {
                const UnitBounds previous = unitBounds(produced[i - 1]);
                const UnitBounds current = unitBounds(produced[i]);
                EXPECT_TRUE(current.north < previous.north ||
                            (current.north == previous.north && current.west > previous.west));
            }
        }
    }
}

TEST(SheetCover, RefusesBoxesThatAreNoBoxes) {
    EXPECT_EQ(boxError({41, 110, 40, 120}), "south 41 is above north 40");
    EXPECT_EQ(boxError({40, 120, 41, 110}), "west 120 is east of east 110");
    EXPECT_EQ(boxError({40, 110, 95, 120}), "latitude 95 is outside -90..90");
}

}  // namespace
}  // namespace mapsheet::engine
