// Every kind of bad argument, one after another on one session: each either gives NULL or an
// ERROR 22023 that names the wrong piece, and the session (and so the backend) survives all of
// them.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/postgres/server_connection.h"

namespace mapsheet::postgres_test {
namespace {

struct RejectedCase {
    const char* name;
    const char* sql;
    const char* fragment;  // part of the message that names the wrong piece
};

const RejectedCase kRejectedCases[] = {
    {"UnknownScaleLetter", "SELECT mapsheet_sheet('K50X')", "scale letter 'X'"},
    {"RowCodeOutOfRange", "SELECT mapsheet_sheet('K50E025001')", "row code 25"},
    {"ZoneOutOfRange", "SELECT mapsheet_sheet('J61')", "zone 61"},
    {"RowLetterBeyondV", "SELECT mapsheet_sheet('W50')", "row letter 'W'"},
    {"EmptyNumber", "SELECT mapsheet_sheet('')", "empty sheet number"},
    {"OldCellOutOfRange", "SELECT mapsheet_sheet('K-50-[17]')", "17"},
    {"TooManyPieces", "SELECT mapsheet_sheet('K-50-104-A-1-1')", "too many pieces"},
    {"TenMegabyteNumber", "SELECT mapsheet_sheet(repeat('K', 10000000))", "invalid sheet number"},
    {"FullWidthFlood", "SELECT mapsheet_sheet('Ｋ５０' || repeat('Ｅ', 1000000))",
     "invalid sheet number"},
    {"UnknownScale", "SELECT mapsheet_number(39, 116, '1:123')", "invalid scale '1:123'"},
    {"EmptyScale", "SELECT mapsheet_old_number(39, 116, '')", "invalid scale ''"},
    {"MegabyteScale", "SELECT mapsheet_number(39, 116, repeat('1', 1000000))", "invalid scale"},
    {"NaNScaleText", "SELECT mapsheet_number(39, 116, 'NaN')", "invalid scale 'NaN'"},
    {"CoverUnknownScale", "SELECT count(*) FROM mapsheet_cover(0, 0, 1, 1, 'Z')",
     "invalid scale 'Z'"},
    {"CoverNaNEdge", "SELECT count(*) FROM mapsheet_cover('NaN', 0, 1, 1, 'A')", "invalid box"},
    {"CoverInfiniteEdge", "SELECT count(*) FROM mapsheet_cover(0, '-Infinity', 1, 1, 'A')",
     "invalid box"},
    {"CoverSouthAboveNorth", "SELECT count(*) FROM mapsheet_cover(41, 0, 40, 1, 'A')", "south 41"},
    {"CoverLatitudeBeyond90", "SELECT count(*) FROM mapsheet_cover(0, 0, 95, 1, 'A')", "95"},
    {"GeometryNotAPoint",
     "SELECT mapsheet_number('SRID=4490;LINESTRING(116 39, 117 40)'::geometry, 'A')",
     "not a point"},
    {"SquareAtAGraticuleScale", "SELECT mapsheet_square(39.979, 116.3, '1:50000', 4548)",
     "square sheets exist at"},
    {"SquareInWgs84", "SELECT mapsheet_square(39.979, 116.3, '1:500', 4326)", "invalid srid 4326"},
    {"SquareUnknownScale", "SELECT mapsheet_square(39.979, 116.3, '1:400', 0)",
     "invalid scale '1:400'"},
    {"EnvelopeOfMalformedNumber", "SELECT mapsheet_envelope('J50F0010')", "invalid sheet number"},
    {"IdOfNoSheet", "SELECT mapsheet_number(12::bigint)", "invalid sheet id 12"},
    {"NegativeId", "SELECT mapsheet_old_number(-1::bigint)", "invalid sheet id -1"},
    {"UnknownDenominator", "SELECT mapsheet_id(39, 116, 123)", "invalid scale denominator 123"},
    {"IdOfMalformedNumber", "SELECT mapsheet_id('K50E025001')", "row code 25"},
    {"NoRings", "SELECT count(*) FROM mapsheet_neighbours('J50', 0)", "invalid rings 0"},
    {"TooManyRings", "SELECT count(*) FROM mapsheet_neighbours('J50', 1001)", "invalid rings 1001"},
    {"NeighboursOfMalformedNumber", "SELECT count(*) FROM mapsheet_neighbours('K50E025001', 1)",
     "row code 25"},
    {"ParentFinerThanTheSheet", "SELECT mapsheet_parent('J50', 50000)", "finer than the sheet"},
    {"ParentAcrossTheNonNesting", "SELECT mapsheet_parent('J-50-(1)', 250000)", "do not nest"},
    {"ChildrenCoarserThanTheSheet", "SELECT count(*) FROM mapsheet_children('J50E001001', 'A')",
     "coarser than the sheet"},
    {"UnknownMode", "SELECT count(*) FROM mapsheet_cover(0, 0, 1, 1, 50000, 'inside')",
     "invalid mode 'inside'"},
    {"CompactOfMalformedNumber", "SELECT count(*) FROM mapsheet_compact(ARRAY['J50', 'J5'])",
     "invalid sheet number"},
    {"CornersInAZoneThatMissesTheSheet", "SELECT mapsheet_corners('J50E001013', 19)",
     "invalid zone"},
    {"CornersInZone61", "SELECT mapsheet_corners('J50', 61)", "zone 61 is outside"},
};

struct AnsweredCase {
    const char* name;
    const char* sql;       // gives one value
    const char* expected;  // nullptr: NULL
};

const AnsweredCase kAnsweredCases[] = {
    {"NaNLatitude", "SELECT mapsheet_number('NaN', 116, '1:5万')", nullptr},
    {"InfiniteLongitude", "SELECT mapsheet_old_number(39, 'Infinity', 'E')", nullptr},
    {"MinusInfiniteLatitude", "SELECT mapsheet_number('-Infinity', 116, 'E')", nullptr},
    {"HugeLatitude", "SELECT mapsheet_number(1e308, 0, 'A')", nullptr},
    {"LatitudeOn88", "SELECT mapsheet_number(88, 0, 'A')", nullptr},
    {"OnThe180Meridian", "SELECT mapsheet_number(0, 180, 'A')", nullptr},
    {"NoOldNumberAt2000", "SELECT mapsheet_old_number(39.979, 116.3, '1:2000')", nullptr},
    {"NullLatitude", "SELECT mapsheet_number(NULL, 116, 'A')", nullptr},
    {"NullScale", "SELECT mapsheet_old_number(39, 116, NULL)", nullptr},
    {"NullNumber", "SELECT (mapsheet_sheet(NULL)).new", nullptr},
    {"NullEnvelope", "SELECT mapsheet_envelope(NULL)", nullptr},
    {"EmptyPoint", "SELECT mapsheet_number('SRID=4490;POINT EMPTY'::geometry, 'A')", nullptr},
    {"NullCoverEdge", "SELECT count(*) FROM mapsheet_cover(NULL, 0, 1, 1, 'A')", "0"},
    {"SquareOfNaN", "SELECT mapsheet_square('NaN', 116.3, '1:500', 4548)", nullptr},
    {"SquareBeyondTheZone", "SELECT mapsheet_square(39.979, 121, '1:500', 4548)", nullptr},
    {"SquareBeyondThePole", "SELECT mapsheet_square(91, 116.3, '1:500', 0)", nullptr},
    {"SquareNullSrid", "SELECT mapsheet_square(39.979, 116.3, '1:500', NULL)", nullptr},
    {"MeasuredPoint", "SELECT mapsheet_number('SRID=4490;POINT M (116.3 39.979 7)'::geometry, 'F')",
     "J50F001019"},
    {"NegativeZero", "SELECT mapsheet_number('-0', '-0', 'A')", "A31"},
};

TEST(BadInput, IsRejectedOrNullAndTheServerStillAnswers) {
    Connection connection;
    for (const RejectedCase& rejected : kRejectedCases) {
        SCOPED_TRACE(rejected.name);
        const ServerError error = connection.error(rejected.sql);
        EXPECT_EQ(error.sqlState, "22023") << error.message;
        EXPECT_NE(error.message.find(rejected.fragment), std::string::npos) << error.message;
        EXPECT_LT(error.message.size(), 400u);
        ASSERT_TRUE(connection.answers());
    }
    for (const AnsweredCase& answered : kAnsweredCases) {
        SCOPED_TRACE(answered.name);
        const Value value = connection.value(answered.sql);
        EXPECT_EQ(value, answered.expected ? Value{answered.expected} : Value{});
        ASSERT_TRUE(connection.answers());
    }
    Connection fresh;
    EXPECT_TRUE(fresh.answers());
}

}  // namespace
}  // namespace mapsheet::postgres_test
