#!/usr/bin/env bash
# Times `SELECT count(mapsheet_number(lat, lon, '1:50000')) FROM points` and the same with
# mapsheet_id(lat, lon, 50000) (the integer form shards use) over 10,000,000
# pseudo-random points in China in a throwaway PostgreSQL server, serially and with two parallel
# workers, and prints rows per second for each, beside the bare scan `SELECT count(lat)` that
# bounds them.
#
# Usage: bench/postgres_points.sh [BUILD_DIR]   (default: build/ of the repository; build the
# mapsheet_postgres target in it first, in a release configuration). ROWS=n changes the number
# of points, RUNS=n how often each query runs (the best run counts).
#
# The server is the one tests/postgres/with_server.sh starts, with 2 GB of shared buffers so
# that the table (about 500 MB) is read from memory. The points come from random() after
# setseed(0.5) over the latitudes 18..53.5 N and longitudes 73.5..135 E.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(cd "${1:-$root/build}" && pwd)"
rows="${ROWS:-10000000}"
runs="${RUNS:-3}"

if ! ls "$build_dir"/postgres/mapsheet.so >/dev/null 2>&1; then
    echo "postgres_points: $build_dir/postgres/mapsheet.so not found; build the mapsheet_postgres" \
        "target in $build_dir first" >&2
    exit 2
fi

measure() {
    local rows="$1" runs="$2"
    psql -X -q -v ON_ERROR_STOP=1 <<SQL
CREATE EXTENSION mapsheet;
CREATE UNLOGGED TABLE points AS
    SELECT 18 + 35.5 * random() AS lat, 73.5 + 61.5 * random() AS lon
    FROM (SELECT setseed(0.5)) AS seed, generate_series(1, $rows);
VACUUM ANALYZE points;
SQL
    # One query a session, so that the settings of one measurement cannot leak into the next.
    best() {
        local settings="$1" query="$2" run best="" ms
        for run in $(seq "$runs"); do
            ms="$(psql -X -q -v ON_ERROR_STOP=1 -c "$settings" -c '\timing on' -c "$query" |
                awk '/^Time:/ { print $2 }')"
            if [ -z "$best" ] || awk -v a="$ms" -v b="$best" 'BEGIN { exit !(a < b) }'; then
                best="$ms"
            fi
        done
        echo "$best"
    }
    local serial="SET max_parallel_workers_per_gather = 0"
    local parallel="SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0;
                    SET parallel_tuple_cost = 0; SET min_parallel_table_scan_size = 0"
    local number="SELECT count(mapsheet_number(lat, lon, '1:50000')) FROM points"
    local id="SELECT count(mapsheet_id(lat, lon, 50000)) FROM points"
    local scan="SELECT count(lat) FROM points"
    report() {
        LC_ALL=C awk -v label="$1" -v n="$rows" -v ms="$2" \
            'BEGIN { printf "%-34s %9.0f ms  %12.0f rows per second\n", label, ms, n / (ms / 1000) }'
    }
    report "scan only, serial" "$(best "$serial" "$scan")"
    report "mapsheet_number, serial" "$(best "$serial" "$number")"
    report "mapsheet_id, serial" "$(best "$serial" "$id")"
    report "scan only, 2 workers" "$(best "$parallel" "$scan")"
    report "mapsheet_number, 2 workers" "$(best "$parallel" "$number")"
    report "mapsheet_id, 2 workers" "$(best "$parallel" "$id")"
}
export -f measure

echo "$rows points, best of $runs runs:"
SERVER_OPTIONS="-c shared_buffers=2GB -c max_parallel_workers=8" \
    "$root/tests/postgres/with_server.sh" "$build_dir" bash -c "measure $rows $runs"
