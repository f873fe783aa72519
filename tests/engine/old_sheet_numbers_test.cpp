#include <gtest/gtest.h>

#include <string>

#include "engine/sheet_engine.h"
#include "tests/engine/number_cases.h"

namespace mapsheet::engine {
namespace {

TEST(OldSheetNumber, PublishedExamplesAndLineTies) {
    const NumberCase cases[] = {
        {"1:1,000,000", 0, 41.0, 117.5, "K-50"},
        {"1:500,000", 1, 41.0, 117.5, "K-50-D"},
        {"1:250,000", 2, 41.0, 117.5, "K-50-[11]"},
        {"1:200,000", 3, 41.0, 117.5, "K-50-(28)"},
        {"1:100,000 on a row and a column line", 4, 41.0, 117.5, "K-50-104"},
        {"1:50,000", 5, 41.0, 117.5, "K-50-104-C"},
        {"1:25,000", 6, 41.0, 117.5, "K-50-104-C-3"},
        {"1:10,000", 7, 41.0, 117.5, "K-50-104-(57)"},
        {"1:500,000 middle row line goes north", 1, 42.0, 115.0, "K-50-A"},
        {"1:500,000 middle column line goes east", 1, 42.0, 117.0, "K-50-B"},
        {"1:50,000 south-west corner of J-50-5-B", 5, 39.0 + 50.0 / 60, 116.25, "J-50-5-B"},
        {"1:25,000 corner", 6, 39.0 + 55.0 / 60, 116.375, "J-50-5-B-2"},
        {"1:10,000 last cell", 7, 40.0 - 1e-6, 116.5 - 1e-6, "J-50-5-(8)"},
    };
    expectNumbers(cases, false);
}

// Letters and numbers keep their geographic meaning: "A" and 1 are the north-west cells.
TEST(OldSheetNumber, SouthernCellsAreNumberedFromTheNorthWest) {
    const NumberCase cases[] = {
        {"north-west quarter", 1, -28.5, 114.5, "SH-50-A"},
        {"south-east quarter", 1, -31.5, 119.5, "SH-50-D"},
        {"1:250,000 first cell", 2, -28.5, 114.5, "SH-50-[1]"},
        {"1:100,000 last cell", 4, -31.9, 119.9, "SH-50-144"},
        {"-40 exactly is the top row of SK", 4, -40.0, 117.5, "SK-50-8"},
        {"-30 exactly at 1:500,000 takes the south half", 1, -30.0, 114.5, "SH-50-C"},
        {"southern 1:100,000 band line at 1:50,000", 5, -30.0 - 1.0 / 3, 117.6, "SH-50-92-A"},
        {"southern 1:50,000 band line at 1:25,000", 6, -30.0 - 1.0 / 6, 117.6, "SH-50-80-C-1"},
        {"southern 1:10,000 row line", 7, -30.0 - 2.5 / 60, 117.5, "SH-50-80-(9)"},
    };
    expectNumbers(cases, false);
}

TEST(OldSheetNumber, CellsWidenAboveSixtyAndSeventySixDegrees) {
    const NumberCase cases[] = {
        {"1:250,000 3-degree cells in row Q", 2, 67.5, 111.0, "Q-25-[2]"},
        {"1:250,000 6-degree cells in row U", 2, 83.5, 113.9, "U-13-[1]"},
        {"1:250,000 6-degree cells in row U, second", 2, 83.5, 114.0, "U-13-[2]"},
        {"1:10,000 7'30\" cells in row Q", 7, 67.99, 108.0 + 7.5 / 60, "Q-25-1-(2)"},
        {"1:10,000 15' cells in row U", 7, 83.99, 108.0 + 14.9 / 60, "U-13-1-(1)"},
        {"1:10,000 15' cells in row U, second", 7, 83.99, 108.0 + 15.0 / 60, "U-13-1-(2)"},
    };
    expectNumbers(cases, false);
}

TEST(OldSheetNumber, ScalesWithoutAnOldNumberAndPointsWithoutASheetGiveAnEmptyText) {
    const NumberCase cases[] = {
        {"1:5000", 8, 41.0, 117.5, ""},        {"1:2000", 9, 41.0, 117.5, ""},
        {"1:1000", 10, 41.0, 117.5, ""},       {"1:500", 11, 41.0, 117.5, ""},
        {"latitude 88", 5, 88.0, 117.5, ""},   {"latitude -88", 4, -88.0, 117.5, ""},
        {"longitude 180", 6, 41.0, 180.0, ""},
    };
    expectNumbers(cases, false);
}

// At just the tolerance's distance from a line, the bands from the equator and the grid of the
// coarser sheet may decide differently; the number must still name one of the two sheets beside
// the line, never a quarter across it combined with the sheet on this side.
TEST(OldSheetNumber, PointsAtTheToleranceFromALineLandBesideIt) {
    const struct {
        const char* name;
        double latitude;  // on the line
        double northward;
    } lines[] = {{"south of 40 N", 40.0, -1},
                 {"south of 40 20' N", 40.0 + 1.0 / 3, -1},
                 {"north of 40 S", -40.0, 1},
                 {"north of 40 10' S", -40.0 - 1.0 / 6, 1}};
    SheetEngine engine;
    for (const int scale : {5, 6, 7}) {
        engine.SelectScale(scale);
        for (const auto& line : lines) {
            SCOPED_TRACE(line.name);
            const std::string onLine = engine.SheetNumber(line.latitude, 117.6, false);
            const std::string across =
                engine.SheetNumber(line.latitude + line.northward * 1e-8, 117.6, false);
            for (int step = -40; step <= 40; ++step) {
                const double offset = 1e-10 + step * 1e-14;
                const std::string number =
                    engine.SheetNumber(line.latitude + line.northward * offset, 117.6, false);
                EXPECT_TRUE(number == onLine || number == across)
                    << number << " at " << offset << " beside " << onLine << " / " << across;
            }
        }
    }
}

TEST(OldSheetBounds, BandsFromTheEquatorWithTheSouthernRule) {
    SheetEngine engine;
    engine.OldSheet100kBounds(41.0, 117.5);
    EXPECT_NEAR(engine.oldSheet100k().south, 41.0, 1e-12);
    EXPECT_NEAR(engine.oldSheet100k().north, 41.0 + 1.0 / 3, 1e-12);
    EXPECT_EQ(engine.oldSheet100k().west, 117.5);
    EXPECT_EQ(engine.oldSheet100k().east, 118.0);
    engine.OldSheet50kBounds(-41.0, -0.1);
    EXPECT_NEAR(engine.oldSheet50k().north, -41.0, 1e-12);
    EXPECT_NEAR(engine.oldSheet50k().south, -41.0 - 1.0 / 6, 1e-12);
    EXPECT_EQ(engine.oldSheet50k().west, -0.25);
    EXPECT_EQ(engine.oldSheet50k().east, 0.0);
    engine.OldSheet100kBounds(65.0, 179.9);
    EXPECT_EQ(engine.oldSheet100k().west, 179.0);
    EXPECT_EQ(engine.oldSheet100k().east, 180.0);
}

}  // namespace
}  // namespace mapsheet::engine
