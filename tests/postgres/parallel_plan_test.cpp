// The functions in parallel workers give what they give in one backend: 200,000 rows read by a
// parallel plan with two workers against the same rows read serially.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/postgres/server_connection.h"

namespace mapsheet::postgres_test {
namespace {

constexpr const char* kSerial = "SET max_parallel_workers_per_gather = 0";
constexpr const char* kParallel[] = {"SET parallel_setup_cost = 0", "SET parallel_tuple_cost = 0",
                                     "SET min_parallel_table_scan_size = 0",
                                     "SET max_parallel_workers_per_gather = 2"};

struct ParallelCase {
    const char* name;
    const char* rows;  // a query giving (id, v) from parallel_points
};

const ParallelCase kParallelCases[] = {
    {"NewNumbers", "SELECT id, mapsheet_number(lat, lon, '1:10000') AS v FROM parallel_points"},
    {"OldNumbers", "SELECT id, mapsheet_old_number(lat, lon, '1:5万') AS v FROM parallel_points"},
    {"SheetsOfOldNumbers",
     "SELECT id, (mapsheet_sheet(mapsheet_old_number(lat, lon, 'F'))).new AS v "
     "FROM parallel_points"},
    {"Covers",
     "SELECT id || '.' || k AS id, n AS v FROM parallel_points, "
     "LATERAL mapsheet_cover(lat, lon, lat + 0.2, lon + 0.3, '1:50000') WITH ORDINALITY AS c(n, "
     "k)"},
    {"SquareSheets",
     "SELECT id, mapsheet_square(lat, lon, '1:1000', 0) AS v FROM parallel_points "
     "WHERE lat BETWEEN 18 AND 54 AND lon BETWEEN 73 AND 136"},
    {"Envelopes",
     "SELECT id, ST_AsText(mapsheet_envelope(mapsheet_number(lat, lon, '1:100000'))) AS v "
     "FROM parallel_points"},
    {"GeometryPoints",
     "SELECT id, mapsheet_number(ST_SetSRID(ST_MakePoint(lon, lat), 4490), '1:2000') AS v "
     "FROM parallel_points"},
};

// The same 200,000 points each time: random() after setseed is a fixed sequence.
void createPoints(Connection& connection) {
    connection.query(
        "CREATE TABLE IF NOT EXISTS parallel_points AS "
        "SELECT i AS id, -89 + 178 * random() AS lat, -180 + 359.5 * random() AS lon "
        "FROM (SELECT setseed(0.25)) AS seed, generate_series(1, 200000) AS i");
    connection.query("ANALYZE parallel_points");
}

void use(Connection& connection, bool parallel) {
    connection.query(kSerial);
    if (parallel) {
        for (const char* setting : kParallel) {
            connection.query(setting);
        }
    }
}

class ParallelPlans : public ::testing::TestWithParam<ParallelCase> {};

// The digest is a sum of per-row hashes that include the row's id: order-free, so each worker
// aggregates its own rows and the leader only adds the partial sums, and any row that differs
// changes it.
std::string digestOf(const char* rows) {
    return std::string(
               "SELECT count(v) || ' ' || "
               "sum(hashtextextended(id || ':' || coalesce(v, '-'), 0)) FROM (") +
           rows + ") AS s";
}

TEST_P(ParallelPlans, GiveTheSerialResults) {
    const std::string digest = digestOf(GetParam().rows);
    Connection connection;
    createPoints(connection);
    use(connection, false);
    const Value serial = connection.value(digest);

    use(connection, true);
    std::string plan;
    for (const Row& row : connection.query("EXPLAIN (ANALYZE, VERBOSE, COSTS OFF) " + digest)) {
        plan += row[0].value_or("") + "\n";
    }
    // The functions must be evaluated by the workers, below the Gather, not above it.
    EXPECT_NE(plan.find("Workers Launched: 2"), std::string::npos) << plan;
    const std::size_t partial = plan.find("Partial Aggregate");
    ASSERT_NE(partial, std::string::npos) << plan;
    EXPECT_NE(plan.find("mapsheet_", partial), std::string::npos) << plan;
    EXPECT_EQ(connection.value(digest), serial);
}

INSTANTIATE_TEST_SUITE_P(TwoWorkers, ParallelPlans, ::testing::ValuesIn(kParallelCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A grouping by sheet, aggregated partially in each worker and finished in the leader.
TEST(ParallelAggregate, CountsPerSheetMatchTheSerialCounts) {
    const std::string counts =
        "SELECT string_agg(n || ':' || c, ' ' ORDER BY n) FROM ("
        "SELECT mapsheet_number(lat, lon, '1:1000000') AS n, count(*) AS c "
        "FROM parallel_points GROUP BY 1) AS g";
    Connection connection;
    createPoints(connection);
    use(connection, false);
    const Value serial = connection.value(counts);
    use(connection, true);
    EXPECT_EQ(connection.value(counts), serial);
}

}  // namespace
}  // namespace mapsheet::postgres_test
