// The square-sheet grid: the worked numbers of every scale, points on and beside sheet lines,
// and numbers read back into sheets.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/square_sheet.h"

namespace mapsheet::engine {
namespace {

constexpr int k5000 = 8;
constexpr int k2000 = 9;
constexpr int k1000 = 10;
constexpr int k500 = 11;

struct PointCase {
    const char* name;
    double x;
    double y;
    int scale;
    const char* number;
};

// The numbering rule's own examples, points on lines (which go north and east), points a
// millimetre short of a line, and points south of the equator.
const PointCase kPointCases[] = {
    {"worked 1:5000", 3811234.5, 502999.9, k5000, "3810-502"},
    {"worked 1:2000", 3810999.0, 501000.0, k2000, "3810.0-501.0"},
    {"worked 1:1000", 3810500.0, 501500.0, k1000, "3810.5-501.5"},
    {"worked 1:500", 3810250.0, 501500.0, k500, "3810.25-501.50"},
    {"1:500 inside", 3810499.999, 501749.999, k500, "3810.25-501.50"},
    {"1:500 a millimetre below both lines", 3810249.999, 501499.999, k500, "3810.00-501.25"},
    {"1:500 within the tolerance below a line", 3810249.9999999, 501500.0, k500, "3810.25-501.50"},
    {"1:1000 on the odd half kilometre", 3811500.0, 38501000.0, k1000, "3811.5-38501.0"},
    {"1:5000 odd kilometre belongs to the even line", 3811000.0, 501000.0, k5000, "3810-500"},
    {"zone prefix on y", 4374033.21, 39517202.69, k500, "4374.00-39517.00"},
    {"origin", 0.0, 0.0, k500, "0.00-0.00"},
    {"south of the equator", -0.001, 333000.0, k500, "-0.25-333.00"},
    {"south of the equator on a line", -250.0, 333000.0, k2000, "-1.0-333.0"},
    {"far south 1:5000", -3810001.0, 600000.0, k5000, "-3812-600"},
};

class SquarePointTest : public testing::TestWithParam<PointCase> {};

TEST_P(SquarePointTest, NamesTheSheetNorthAndEastOfLines) {
    const PointCase& c = GetParam();
    const std::optional<SquareSheet> sheet = squareSheetOf(c.x, c.y, c.scale);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(squareNumber(*sheet), c.number);
    const SquareBounds bounds = squareBounds(*sheet);
    EXPECT_LE(static_cast<double>(bounds.south) - kSquareLineToleranceMetres, c.x);
    EXPECT_GT(static_cast<double>(bounds.north) - kSquareLineToleranceMetres, c.x);
    EXPECT_EQ(bounds.north - bounds.south, squareSizeMetres(c.scale));
    EXPECT_EQ(bounds.east - bounds.west, squareSizeMetres(c.scale));
}

INSTANTIATE_TEST_SUITE_P(Grid, SquarePointTest, testing::ValuesIn(kPointCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name)) {
                                 name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c
                                                                                            : '_');
                             }
                             return name;
                         });

TEST(SquareSheetOf, RefusesScalesWithoutSquaresAndPointsOutsideAnyZone) {
    EXPECT_FALSE(squareSheetOf(3810000, 501000, 7));  // 1:10,000 is cut by the graticule only
    EXPECT_FALSE(squareSheetOf(3810000, 501000, 12));
    EXPECT_FALSE(squareSheetOf(std::nan(""), 501000, k500));
    EXPECT_FALSE(squareSheetOf(3810000, INFINITY, k500));
    EXPECT_FALSE(squareSheetOf(1e9, 501000, k500));
}

// Every sheet's corners, as the nearest doubles, lie in the sheet itself (south-west) or in its
// neighbours to the north and east; checked along a run of lines far from the origin, where a
// double's spacing is largest.
TEST(SquareSheetOf, CornersOfEverySheetAlongARunOfLines) {
    for (const int scale : {k5000, k2000, k1000, k500}) {
        const int size = squareSizeMetres(scale);
        for (std::int64_t line = 0; line < 40; ++line) {
            const std::int64_t south = 60'000'000 - 4'000 + line * size;
            const std::int64_t west = 45'000'000 + line * size;
            const auto sheet =
                squareSheetOf(static_cast<double>(south), static_cast<double>(west), scale);
            ASSERT_TRUE(sheet);
            EXPECT_EQ(sheet->south, south);
            EXPECT_EQ(sheet->west, west);
            const auto north =
                squareSheetOf(static_cast<double>(south + size),
                              std::nextafter(static_cast<double>(west + size), 0.0), scale);
            ASSERT_TRUE(north);
            EXPECT_EQ(north->south, south + size);
            EXPECT_EQ(north->west, west + size);  // within the tolerance of the east line
        }
    }
}

struct NumberCase {
    const char* name;
    const char* text;
    int scale;
    std::int64_t south;
    std::int64_t west;
    const char* written;
};

const NumberCase kNumberCases[] = {
    {"1:5000", "3810-502", k5000, 3810000, 502000, "3810-502"},
    {"1:2000", "3810.0-501.0", k2000, 3810000, 501000, "3810.0-501.0"},
    {"1:1000", "3810.5-501.5", k1000, 3810500, 501500, "3810.5-501.5"},
    {"1:500", "3810.25-501.50", k500, 3810250, 501500, "3810.25-501.50"},
    {"1:500 fewer decimals", "3810.5-501.5", k500, 3810500, 501500, "3810.50-501.50"},
    {"1:2000 whole kilometres", "3810-501", k2000, 3810000, 501000, "3810.0-501.0"},
    {"metres written out", "3810.750-501.000", k500, 3810750, 501000, "3810.75-501.00"},
    {"blanks around", "  3810.25-501.50\t", k500, 3810250, 501500, "3810.25-501.50"},
    {"negative x", "-0.25-333.00", k500, -250, 333000, "-0.25-333.00"},
    {"zone prefix", "4374.00-39517.00", k500, 4374000, 39517000, "4374.00-39517.00"},
};

class SquareNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(SquareNumberTest, ReadsTheSheetAndWritesItsNumber) {
    const NumberCase& c = GetParam();
    const ParsedSquareSheet parsed = parseSquareNumber(c.text, c.scale);
    ASSERT_TRUE(parsed.sheet) << parsed.error;
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.sheet->south, c.south);
    EXPECT_EQ(parsed.sheet->west, c.west);
    EXPECT_EQ(parsed.sheet->scale, c.scale);
    EXPECT_EQ(squareNumber(*parsed.sheet), c.written);
}

INSTANTIATE_TEST_SUITE_P(Numbers, SquareNumberTest, testing::ValuesIn(kNumberCases));

struct MalformedCase {
    const char* text;
    int scale;
    const char* error;
};

const MalformedCase kMalformedCases[] = {
    {"3811-502", k5000, "'3811-502': x 3811 km is not a 1:5000 sheet line (they lie every 2 km)"},
    {"3810.1-501.0", k2000,
     "'3810.1-501.0': x 3810.1 km is not a 1:2000 sheet line (they lie every 1 km)"},
    {"3810.25-501.6", k500,
     "'3810.25-501.6': y 501.6 km is not a 1:500 sheet line (they lie every 0.25 km)"},
    {"3810.25", k500,
     "'3810.25': expected x-y in kilometres with at most three decimals, as 3810.25-501.50"},
    {"3810.2500-501.50", k500,
     "'3810.2500-501.50': expected x-y in kilometres with at most three decimals, as "
     "3810.25-501.50"},
    {"3810.-501", k5000,
     "'3810.-501': expected x-y in kilometres with at most three decimals, as 3810-502"},
    {"3810-502-1", k5000,
     "'3810-502-1': expected x-y in kilometres with at most three decimals, as 3810-502"},
    {"", k500, "'': expected x-y in kilometres with at most three decimals, as 3810.25-501.50"},
    {"K50H001001", k5000,
     "'K50H001001': expected x-y in kilometres with at most three decimals, as 3810-502"},
    {"1234567-502", k5000,
     "'1234567-502': expected x-y in kilometres with at most three decimals, as 3810-502"},
    {"3810-502", 7,
     "scale 1:10000 has no square sheets; those are 1:5000, 1:2000, 1:1000 and 1:500"},
};

class SquareMalformedTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(SquareMalformedTest, SaysWhatIsWrong) {
    const ParsedSquareSheet parsed = parseSquareNumber(GetParam().text, GetParam().scale);
    EXPECT_FALSE(parsed.sheet);
    EXPECT_EQ(parsed.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Numbers, SquareMalformedTest, testing::ValuesIn(kMalformedCases));

}  // namespace
}  // namespace mapsheet::engine
