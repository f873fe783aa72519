// The table of written numbers behind `neighbours` gives the text appendNumbers gives, for sheets
// met first, met again, and met again after a sheet sharing their place has taken it.

#include <gtest/gtest.h>

#include <string>

#include "batch/sheet_number_texts.h"
#include "engine/scale_names.h"
#include "engine/sheet_cover.h"

namespace mapsheet::batch {
namespace {

TEST(NumberTexts, GiveTheNumbersOfEverySheetMetAgain) {
    // Each area spans more than 256 rows or columns of its sheets, so that sheets 256 apart
    // share a place and the second pass finds the other sheet there.
    const struct {
        const char* name;
        engine::LatLonBox box;
        const char* scale;
    } areas[] = {
        {"FiftyThousandsNorthToSouth", {10, 100, 54, 100.5}, "1:50000"},
        {"TenThousandsAcrossAZone", {39.9, 113.9, 40, 116.1}, "1:10000"},
        {"SouthernAndWiderZones", {-70, 10, -20, 12}, "1:100000"},
        {"FiveHundredsWithFourDigitCodes", {39.99, 116, 40, 116.05}, "1:500"},
        {"HistoricalFiveThousands", {30, 100, 31, 101.2}, "1:5000"},
    };
    for (const auto& area : areas) {
        SCOPED_TRACE(area.name);
        const int scale = *engine::parseScale(area.scale);
        NumberTexts table;
        std::string fromTable;
        std::string expected;
        for (int pass = 0; pass < 2; ++pass) {
            engine::SheetCover cover(area.box, scale);
            while (const auto sheet = cover.next()) {
                table.append(fromTable, *sheet);
                appendNumbers(expected, *sheet);
                fromTable += '\n';
                expected += '\n';
            }
        }
        EXPECT_EQ(fromTable, expected);
    }
}

}  // namespace
}  // namespace mapsheet::batch
