#!/usr/bin/env bash
# Times the hierarchy commands of mapsheet-cli: numbering to ids against numbering to written
# numbers, the compact cover of China at 1:10,000, and ten rings of neighbours around 100,000
# sheets; prints each figure as wall and processor seconds (best of ROUNDS).
#
# Usage: bench/hierarchy_cli.sh [BUILD_DIR]   (default: build/ of the repository; build
# mapsheet-cli and mapsheet-cli-full in it first, in a release configuration). POINTS=n
# changes the points numbered (default 1,000,000), SHEETS=n the sheets given to neighbours
# (default 100,000), ROUNDS=n the rounds (default 3).
#
# The points are those of scripts/bench: a fixed Park-Miller generator over the latitudes
# 18..53.5 N and longitudes 73.5..135 E, six decimals each; the sheets are the 1:50,000 sheets
# of the first SHEETS of them.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${1:-$root/build}"
cli="$build_dir/cli/mapsheet-cli"
points="${POINTS:-1000000}"
sheets="${SHEETS:-100000}"
rounds="${ROUNDS:-3}"

if [ ! -x "$cli" ]; then
    echo "hierarchy_cli: $cli not found; build mapsheet-cli in $build_dir first" >&2
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
"$cli" number --scale 1:50000 --jobs 1 < "$work/points.csv" | sed -n "2,$((sheets + 1))p" |
    cut -d, -f3 > "$work/sheets.txt"

# Best wall and processor (user + system) seconds of ROUNDS runs of the command on the input.
best() {
    local name="$1" input="$2"
    shift 2
    local best_wall="" best_cpu="" round
    for ((round = 0; round < rounds; round++)); do
        local TIMEFORMAT='%R %U %S'
        local times
        times=$({ time "$@" < "$input" > /dev/null; } 2>&1)
        read -r wall user system <<< "$times"
        local cpu
        cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }')
        if [ -z "$best_wall" ] || awk -v a="$wall" -v b="$best_wall" 'BEGIN { exit !(a < b) }'; then
            best_wall="$wall"
            best_cpu="$cpu"
        fi
    done
    printf '%-44s %6s s wall %6s s processor\n' "$name" "$best_wall" "$best_cpu"
}

best "number --scale 1:50000 ($points points)" "$work/points.csv" \
    "$cli" number --scale 1:50000 --jobs 1
best "number --scale 1:50000 --format id" "$work/points.csv" \
    "$cli" number --scale 1:50000 --jobs 1 --format id
best "cover --compact of China at 1:10,000" /dev/null \
    "$cli" cover --scale 1:10000 --bbox 18,73,54,135 --compact
best "cover --compact --mode within, box off lines" /dev/null \
    "$cli" cover --scale 1:10000 --bbox 18.001,73.001,53.999,134.999 --compact --mode within
best "neighbours --rings 10 ($sheets sheets)" "$work/sheets.txt" \
    "$cli" neighbours --rings 10
