#!/usr/bin/env bash
# Feeds 1,000,000 pseudo-random points in China through `mapsheet-cli square --scale 1:500
# --jobs 1` (each point in its nearest 3-degree Gauss-Kruger zone) and prints points per second.
#
# Usage: bench/square_points.sh [BUILD_DIR]   (default: build/ of the repository; build
# mapsheet-cli in it first, in a release configuration). POINTS=n changes the number of points,
# JOBS=n the --jobs value.
#
# The points are those of scripts/bench: a fixed Park-Miller generator over the latitudes
# 18..53.5 N and longitudes 73.5..135 E, six decimals each.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${1:-$root/build}"
cli="$build_dir/cli/mapsheet-cli"
points="${POINTS:-1000000}"
jobs="${JOBS:-1}"

if [ ! -x "$cli" ]; then
    echo "square_points: $cli not found; build the mapsheet-cli target in $build_dir first" >&2
    exit 2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

LC_ALL=C awk -v n="$points" 'BEGIN {
    m = 2147483647; x = 20240601
    for (i = 0; i < n; i++) {
        x = (x * 16807) % m; latitude = 18 + 35.5 * x / m
        x = (x * 16807) % m; longitude = 73.5 + 61.5 * x / m
        printf "%.6f,%.6f\n", latitude, longitude
    }
}' > "$work/points.csv"

status=0
TIMEFORMAT='%R %U %S'
{ time "$cli" square --scale 1:500 --jobs "$jobs" < "$work/points.csv" > "$work/sheets.csv" \
    2> "$work/errors.txt" || status=$?; } 2> "$work/time.txt"
read -r elapsed user system < "$work/time.txt"

rows=$(($(wc -l < "$work/sheets.csv") - 1))
if [ "$status" -ne 0 ] || [ "$rows" -ne "$points" ]; then
    echo "square_points: mapsheet-cli exited with $status and wrote $rows rows for $points points" >&2
    head -5 "$work/errors.txt" >&2
    exit 1
fi
# Wall time is the figure; the processor time shows how much of it went to other load on the
# machine.
LC_ALL=C awk -v n="$points" -v wall="$elapsed" -v user_seconds="$user" -v system_seconds="$system" 'BEGIN {
    cpu = user_seconds + system_seconds
    printf "%d points in %.3f s: %.0f points per second", n, wall, n / wall
    printf " (processor time %.3f s: %.0f points per second)\n", cpu, n / cpu
}'
