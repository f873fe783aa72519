#!/usr/bin/env bash
# The extension on shards: a coordinator and two shard servers, each a throwaway server of
# with_server.sh (Unix sockets only), the table of points partitioned over the shards as
# postgres_fdw foreign tables with the extension in the foreign servers' `extensions` option,
# by range of the 1:100,000 sheet id (PARTITION BY RANGE (mapsheet_id(lat, lon, 100000))), so that
# a grouping by that id is a grouping by the partition key and runs whole on each shard.
# The coordinator also holds all the points in one local table, the single-server answer.
#
# Checks: WHERE mapsheet_id(lat, lon, 50000) = ... and SELECT mapsheet_id(lat, lon, 100000),
# count(*) ... GROUP BY 1 give the single-server answer and EXPLAIN VERBOSE shows mapsheet_id
# inside the Remote SQL; the written numbers made on the coordinator from the grouped ids give
# the single-server answer of mapsheet_number(lat, lon, '1:100000').
#
# Usage: shard_test.sh BUILD_DIR (the script starts the three servers by calling itself).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build_dir="$1"

case "${SHARD_STAGE:-start}" in
start)
    exec "$here/with_server.sh" "$build_dir" env SHARD_STAGE=second "$0" "$build_dir" ;;
second)
    exec "$here/with_server.sh" "$build_dir" env SHARD_STAGE=coordinator \
        SHARD_A_HOST="$PGHOST" "$0" "$build_dir" ;;
coordinator)
    exec "$here/with_server.sh" "$build_dir" env SHARD_STAGE=checks \
        SHARD_A_HOST="$SHARD_A_HOST" SHARD_B_HOST="$PGHOST" "$0" "$build_dir" ;;
checks) ;;
esac

run() { psql -X -q -A -t -v ON_ERROR_STOP=1 "$@"; }
failures=0
check() {  # NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected '$2', got '$3'" >&2
        failures=$((failures + 1))
    else
        echo "ok   $1"
    fi
}

# 10,000 points over eastern China, the same on every server by the same formula; the shards
# split at the 1:100,000 sheet id of 35N 115E.
points="SELECT i, 30 + (i * 7919 % 10000) / 1000.0, 110 + (i * 104729 % 10000) / 1000.0
        FROM generate_series(0, 9999) AS i"
split="mapsheet_id(35.0, 115.0, 100000)"
for shard in "$SHARD_A_HOST:<" "$SHARD_B_HOST:>="; do
    IFS=: read -r host side <<<"$shard"
    PGHOST="$host" run -c "CREATE EXTENSION mapsheet" \
        -c "CREATE TABLE pts (id integer, lat float8, lon float8)" \
        -c "INSERT INTO pts SELECT * FROM ($points) AS p(i, lat, lon)
            WHERE mapsheet_id(lat, lon, 100000) $side $split" \
        -c "ANALYZE pts"
done

run <<SQL
CREATE EXTENSION mapsheet;
CREATE EXTENSION postgres_fdw;
CREATE TABLE local_pts (id integer, lat float8, lon float8);
INSERT INTO local_pts $points;
CREATE SERVER shard_a FOREIGN DATA WRAPPER postgres_fdw
    OPTIONS (host '$SHARD_A_HOST', port '5432', dbname 'postgres', extensions 'mapsheet');
CREATE SERVER shard_b FOREIGN DATA WRAPPER postgres_fdw
    OPTIONS (host '$SHARD_B_HOST', port '5432', dbname 'postgres', extensions 'mapsheet');
CREATE USER MAPPING FOR CURRENT_USER SERVER shard_a OPTIONS (user 'mapsheet');
CREATE USER MAPPING FOR CURRENT_USER SERVER shard_b OPTIONS (user 'mapsheet');
CREATE TABLE pts (id integer, lat float8, lon float8)
    PARTITION BY RANGE (mapsheet_id(lat, lon, 100000));
SELECT $split AS split \\gset
CREATE FOREIGN TABLE pts_a PARTITION OF pts FOR VALUES FROM (MINVALUE) TO (:split)
    SERVER shard_a OPTIONS (table_name 'pts');
CREATE FOREIGN TABLE pts_b PARTITION OF pts FOR VALUES FROM (:split) TO (MAXVALUE)
    SERVER shard_b OPTIONS (table_name 'pts');
SQL

target="$(run -c "SELECT mapsheet_id(lat, lon, 50000) FROM local_pts WHERE id = 4321")"
filter="SELECT string_agg(id::text, ',' ORDER BY id) FROM %s WHERE mapsheet_id(lat, lon, 50000) = $target"
check "filter on shards equals one server" \
    "$(run -c "$(printf "$filter" local_pts)")" "$(run -c "$(printf "$filter" pts)")"
check "filter finds the rows" "t" \
    "$(run -c "SELECT count(*) > 1 FROM local_pts WHERE mapsheet_id(lat, lon, 50000) = $target")"
plan_check() {  # NAME PLAN PATTERN: the pattern in the Remote SQL of both shards
    local count
    count="$(grep -c -- "$3" <<<"$2" || true)"
    check "$1" 2 "$count"
    [ "$count" -eq 2 ] || echo "$2" >&2
}
plan_check "filter runs on the shards" "$(run -c "EXPLAIN VERBOSE $(printf "$filter" pts)")" \
    "Remote SQL: .*WHERE ((public.mapsheet_id(lat, lon, 50000) = ${target}::bigint))"

grouped="SELECT string_agg(s || ':' || n, ',' ORDER BY s) FROM
         (SELECT mapsheet_id(lat, lon, 100000) AS s, count(*) AS n FROM %s GROUP BY 1) AS g"
check "groups on shards equal one server" \
    "$(run -c "$(printf "$grouped" local_pts)")" "$(run -c "$(printf "$grouped" pts)")"
group_plan="SET enable_partitionwise_aggregate = on;
            EXPLAIN VERBOSE SELECT mapsheet_id(lat, lon, 100000), count(*) FROM pts GROUP BY 1"
plan_check "grouping runs on the shards" "$(run -c "$group_plan")" \
    "Remote SQL: SELECT public.mapsheet_id(lat, lon, 100000), count(\*) FROM public.pts GROUP BY 1"
check "partitionwise groups equal one server" \
    "$(run -c "$(printf "$grouped" local_pts)")" \
    "$(run -c "SET enable_partitionwise_aggregate = on" -c "$(printf "$grouped" pts)")"

numbers="SELECT string_agg(s || ':' || n, ',' ORDER BY s) FROM (%s) AS g"
check "numbers from grouped ids equal one server" \
    "$(run -c "$(printf "$numbers" "SELECT mapsheet_number(lat, lon, '1:100000') AS s, count(*) AS n
                                     FROM local_pts GROUP BY 1")")" \
    "$(run -c "$(printf "$numbers" "SELECT mapsheet_number(id) AS s, sum(n) AS n FROM
        (SELECT mapsheet_id(lat, lon, 100000) AS id, count(*) AS n FROM pts GROUP BY 1) AS i
        GROUP BY 1")")"

[ "$failures" -eq 0 ]
