// mapsheet_postgis: envelopes that hold the points they were numbered from, equal for both
// numberings of a sheet, and points numbered the same as their coordinates, in any SRID.

#include <gtest/gtest.h>

#include <string>

#include "tests/postgres/server_connection.h"

namespace mapsheet::postgres_test {
namespace {

TEST(PostgisFunctions, EnvelopesHoldTheirPointsAtEveryScale) {
    Connection connection;
    const Value wrong = connection.value(
        "WITH points AS ("
        "  SELECT -87.5 + 175 * random() AS lat, -180 + 359.9 * random() AS lon "
        "  FROM (SELECT setseed(0.5)) AS seed, generate_series(1, 500)), "
        "numbered AS ("
        "  SELECT lat, lon, scale, mapsheet_number(lat, lon, scale) AS n, "
        "         mapsheet_old_number(lat, lon, scale) AS o, "
        "         ST_SetSRID(ST_MakePoint(lon, lat), 4490) AS point "
        "  FROM points, unnest(ARRAY['A','B','C','R','D','E','F','G','H','I','J','K']) AS scale) "
        "SELECT count(*) FILTER (WHERE NOT ("
        "         ST_SRID(mapsheet_envelope(n)) = 4490 "
        "         AND GeometryType(mapsheet_envelope(n)) = 'POLYGON' "
        "         AND ST_Covers(mapsheet_envelope(n), point) "
        "         AND (o IS NULL OR ST_Equals(mapsheet_envelope(n), mapsheet_envelope(o))) "
        "         AND mapsheet_number(point, scale) = n)) || '/' || count(*) "
        "FROM numbered");
    EXPECT_EQ(wrong, Value{"0/6000"});
}

struct SridCase {
    const char* name;
    const char* point;  // a geometry expression
    const char* number;
};

// 39.979 N, 116.3 E is J50F001019 at 1:25,000 (its sheet spans 39 55'..40 N, 116 15'..116 22'30"
// E, far wider than any datum shift).
const SridCase kSridCases[] = {
    {"Cgcs2000", "ST_SetSRID(ST_MakePoint(116.3, 39.979), 4490)", "J50F001019"},
    {"NoSrid", "ST_MakePoint(116.3, 39.979)", "J50F001019"},
    {"Wgs84", "ST_SetSRID(ST_MakePoint(116.3, 39.979), 4326)", "J50F001019"},
    {"WebMercator", "ST_Transform(ST_SetSRID(ST_MakePoint(116.3, 39.979), 4326), 3857)",
     "J50F001019"},
};

class PointSrids : public ::testing::TestWithParam<SridCase> {};

TEST_P(PointSrids, AreNumberedInCgcs2000) {
    Connection connection;
    EXPECT_EQ(connection.value(std::string("SELECT mapsheet_number(") + GetParam().point +
                               ", '1:25000')"),
              Value{GetParam().number});
}

INSTANTIATE_TEST_SUITE_P(Srids, PointSrids, ::testing::ValuesIn(kSridCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mapsheet::postgres_test
