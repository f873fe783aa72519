#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "engine/sheet_engine.h"
#include "tests/engine/number_cases.h"

namespace mapsheet::engine {
namespace {

TEST(NewSheetNumber, PublishedExamplesAndLineTies) {
    const NumberCase cases[] = {
        {"1:1,000,000", 0, 41.0, 117.5, "K50"},
        {"1:500,000", 1, 41.0, 117.5, "K50B002002"},
        {"1:100,000 on a row and a column line", 4, 41.0, 117.5, "K50D009008"},
        {"1:250,000", 2, 41.0, 117.5, "K50C003003"},
        {"1:200,000 is computed like the others", 3, 41.0, 117.5, "K50R005004"},
        {"1:1000 bottom-right sheet of K50", 10, 40.001, 119.999, "K50J11521152"},
        {"1:500 bottom-right sheet of K50", 11, 40.0001, 119.9999, "K50K23042304"},
        {"1:500 north-west sheet of K50", 11, 43.9999, 114.0001, "K50K00010001"},
        {"1:50,000 south-west corner of J50E001010", 5, 39.0 + 50.0 / 60, 116.25, "J50E001010"},
        {"southern 1:100,000", 4, -30.5, 117.5, "SH50D008008"},
        {"southern 1:100,000 north-east sheet", 4, -28.1, 119.9, "SH50D001012"},
        {"above 60: columns twice as wide", 5, 64.1, 108.6, "Q25E024002"},
        {"above 76: columns four times as wide", 5, 80.1, 131.9, "U13E024024"},
    };
    expectNumbers(cases, true);
}

// A southern point on a parallel belongs to the sheet south of it; the equator to row A.
TEST(NewSheetNumber, SouthernParallelsBelongToTheSheetFartherFromTheEquator) {
    const NumberCase cases[] = {
        {"-40 exactly is the top row of SK", 4, -40.0, 117.5, "SK50D001008"},
        {"-40 exactly at 1:500,000", 1, -40.0, 117.2, "SK50B001002"},
        {"-41 exactly takes the row south of it", 4, -41.0, 117.5, "SK50D004008"},
        {"-60 exactly is row SP with 12-degree zones", 5, -60.0, 117.5, "SP25E001020"},
        {"equator belongs to row A", 5, 0.0, 117.5, "A50E024015"},
        {"-44 exactly is the top row of SL", 2, -44.0, 114.0, "SL50C001001"},
    };
    expectNumbers(cases, true);
}

TEST(NewSheetNumber, PointsWithoutASheetGiveAnEmptyText) {
    const NumberCase cases[] = {
        {"latitude 88", 5, 88.0, 117.5, ""},
        {"latitude -88", 5, -88.0, 117.5, ""},
        {"latitude -88.5", 5, -88.5, 117.5, ""},
        {"latitude 90", 1, 90.0, 117.5, ""},
        {"a hair below 88 is on it", 5, 88.0 - 1e-12, 117.5, ""},
        {"longitude 180", 5, 41.0, 180.0, ""},
        {"longitude -180.5", 5, 41.0, -180.5, ""},
        {"NaN", 5, std::nan(""), 117.5, ""},
        {"infinity", 5, 41.0, INFINITY, ""},
        {"1:1,000,000 at 88", 0, 88.0, 117.5, ""},
    };
    expectNumbers(cases, true);
}

TEST(NewSheetNumber, OuterEdgesOfTheSeriesStillHaveSheets) {
    const NumberCase cases[] = {
        {"-180 is zone 1", 5, 41.0, -180.0, "K01E018001"},
        {"87.9 is row V", 1, 87.9, 0.0, "V08B001002"},
        {"-87.9 is row SV", 1, -87.9, 0.0, "SV08B002002"},
    };
    expectNumbers(cases, true);
}

// Within 1e-10 degree of a base-sheet line a point is on it; from 1e-8 degree on it is never
// moved; in between it lands in one of the two sheets beside the line, never farther away.
TEST(NewSheetNumber, PointsNearABaseSheetLineLandBesideIt) {
    const struct {
        const char* name;
        double latitude, longitude;  // on the line
        double northward, eastward;  // direction of the offset
        const char* onLine;          // the sheet the line belongs to
        const char* beyond;          // the sheet across the line
    } lines[] = {
        {"south of 40 N", 40.0, 117.6, -1, 0, "K50E024015", "J50E001015"},
        {"north of 40 S", -40.0, 117.6, 1, 0, "SK50E001015", "SJ50E024015"},
        {"west of 114 E", 41.1, 114.0, 0, -1, "K50E018001", "K49E018024"},
        {"south of 60 N, 1:500", 60.0, 117.6, -1, 0, "P25K23041844", "O50K00011383"},
    };
    const double offsets[] = {1e-12, 5e-11, 9e-11, 1e-10, 1.1e-10, 3e-10, 1e-9, 1e-8, 1e-7};
    SheetEngine engine;
    for (const auto& line : lines) {
        SCOPED_TRACE(line.name);
        engine.SelectScale(
            std::string_view(line.onLine).find('K', 2) != std::string_view::npos ? 11 : 5);
        for (const double offset : offsets) {
            SCOPED_TRACE(offset);
            const std::string number =
                engine.SheetNumber(line.latitude + line.northward * offset,
                                   line.longitude + line.eastward * offset, true);
            if (offset < 1e-10) {
                EXPECT_EQ(number, line.onLine);
            } else if (offset >= 1e-8) {
                EXPECT_EQ(number, line.beyond);
            } else {
                EXPECT_TRUE(number == line.onLine || number == line.beyond) << number;
            }
        }
    }
}

TEST(NewSheetNumber, StoresTheCodes) {
    SheetEngine engine;
    engine.SelectScale(4);
    engine.SheetNumber(41.0, 117.5, true);
    EXPECT_EQ(engine.rowCode(), 9);
    EXPECT_EQ(engine.columnCode(), 8);
}

}  // namespace
}  // namespace mapsheet::engine
