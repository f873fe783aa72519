// The promises the planner acts on: every function of both extensions is IMMUTABLE (foldable,
// usable in indexes and generated columns), STRICT and PARALLEL SAFE (run in workers and pushed
// down to the nodes of a distributed database).

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/postgres/server_connection.h"

namespace mapsheet::postgres_test {
namespace {

TEST(FunctionAttributes, EveryFunctionIsImmutableStrictAndParallelSafe) {
    Connection connection;
    std::set<std::string> functions;
    for (const Row& row : connection.query(
             "SELECT p.oid::regprocedure::text, p.provolatile, p.proisstrict, p.proparallel "
             "FROM pg_proc AS p "
             "JOIN pg_depend AS d ON d.classid = 'pg_proc'::regclass AND d.objid = p.oid "
             "JOIN pg_extension AS e ON e.oid = d.refobjid AND d.deptype = 'e' "
             "WHERE e.extname IN ('mapsheet', 'mapsheet_postgis')")) {
        const std::string& function = *row[0];
        functions.insert(function);
        EXPECT_EQ(row[1], Value{"i"}) << function;
        EXPECT_EQ(row[2], Value{"t"}) << function;
        EXPECT_EQ(row[3], Value{"s"}) << function;
    }
    const std::set<std::string> expected{
        "mapsheet_number(double precision,double precision,text)",
        "mapsheet_old_number(double precision,double precision,text)",
        "mapsheet_sheet(text)",
        "mapsheet_cover(double precision,double precision,double precision,double precision,text)",
        "mapsheet_square(double precision,double precision,text,integer)",
        "mapsheet_envelope(text)",
        "mapsheet_number(geometry,text)",
        "mapsheet_cover(double precision,double precision,double precision,double "
        "precision,text,text)",
        "mapsheet_cover(double precision,double precision,double precision,double "
        "precision,integer)",
        "mapsheet_cover(double precision,double precision,double precision,double "
        "precision,integer,"
        "text)",
        "mapsheet_denominator(text)",
        "mapsheet_id(double precision,double precision,text)",
        "mapsheet_id(double precision,double precision,integer)",
        "mapsheet_id(text)",
        "mapsheet_number(bigint)",
        "mapsheet_old_number(bigint)",
        "mapsheet_area(bigint)",
        "mapsheet_area(text)",
        "mapsheet_parent(bigint,integer)",
        "mapsheet_parent(text,integer)",
        "mapsheet_parent(text,text)",
        "mapsheet_neighbours(bigint,integer)",
        "mapsheet_neighbours(text,integer)",
        "mapsheet_children(bigint,integer)",
        "mapsheet_children(text,integer)",
        "mapsheet_children(text,text)",
        "mapsheet_compact(text[])",
        "mapsheet_corners(text)",
        "mapsheet_corners(text,integer)",
    };
    EXPECT_EQ(functions, expected);
}

}  // namespace
}  // namespace mapsheet::postgres_test
