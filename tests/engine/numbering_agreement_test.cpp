// The pre-1992 number and the new-standard number of a point name the same sheet at every
// scale that has both: the pre-1992 grids are the same divisions of the 1:1,000,000 sheet,
// numbered differently (K-50-104 and K50D009008).

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>
#include <string_view>

#include "engine/sheet_engine.h"
#include "exact_sheet.h"

namespace mapsheet::engine {
namespace {

int digitsValue(std::string_view digits) {
    int value = -1;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// Reads K50D009008 or SK50D009008 back into its parts (S50D009008 is the northern row S).
testing::ExactSheet parseNewNumber(std::string_view code, int codeDigits) {
    testing::ExactSheet sheet;
    const std::size_t letters = code.size() - 3 - 2 * static_cast<std::size_t>(codeDigits);
    sheet.rowLetterText = std::string(code.substr(0, letters));
    sheet.zone = digitsValue(code.substr(letters, 2));
    sheet.rowCode = digitsValue(code.substr(letters + 3, codeDigits));
    sheet.columnCode = digitsValue(code.substr(letters + 3 + codeDigits, codeDigits));
    return sheet;
}

class NumberingsAgree : public ::testing::TestWithParam<int> {};

TEST_P(NumberingsAgree, OnRandomPointsInBothHemispheres) {
    const int scaleIndex = GetParam();
    SheetEngine engine;
    engine.SelectScale(scaleIndex);
    std::mt19937_64 random(7 + scaleIndex);
    std::uniform_real_distribution<double> latitudes(-88.0, 88.0);
    std::uniform_real_distribution<double> longitudes(-180.0, 180.0);
    int failures = 0;
    for (int n = 0; n < 4000; ++n) {
        const double latitude = latitudes(random);
        const double longitude = longitudes(random);
        const std::string newNumber = engine.SheetNumber(latitude, longitude, true);
        const std::string oldNumber = engine.SheetNumber(latitude, longitude, false);
        const testing::ExactSheet sheet =
            parseNewNumber(newNumber, kScaleCatalogue[scaleIndex].codeDigits);
        EXPECT_EQ(sheet.rowCode, engine.rowCode()) << newNumber;
        EXPECT_EQ(sheet.rowLetterText, engine.baseSheet().rowLetterText);
        EXPECT_EQ(sheet.columnCode, engine.columnCode());
        if (oldNumber != testing::oldNumber(scaleIndex, sheet) && ++failures <= 10) {
            ADD_FAILURE() << latitude << ", " << longitude << ": " << newNumber << " vs "
                          << oldNumber;
        }
    }
    EXPECT_EQ(failures, 0);
}

std::string scaleName(const ::testing::TestParamInfo<int>& info) {
    return "Scale" + std::to_string(info.param) + std::string(scaleLetter(info.param));
}

// 1:500,000, 1:250,000, 1:200,000, 1:100,000, 1:50,000, 1:25,000 and 1:10,000.
INSTANTIATE_TEST_SUITE_P(ScalesWithBothNumberings, NumberingsAgree, ::testing::Range(1, 8),
                         scaleName);

}  // namespace
}  // namespace mapsheet::engine
