#!/usr/bin/env bash
# Times the QGIS plugin through qgis_process against mapsheet-cli on the same work:
#  - mapsheet:cover of China's box (18..54 N, 73..135 E) at 1:50,000 (53,568 sheets) to a
#    GeoPackage, against mapsheet-cli cover --bbox ... --output china.gpkg;
#  - mapsheet:numberpoints on a GeoPackage of POINTS random points in China (default
#    1,000,000), against mapsheet-cli number --format gpkg reading the same points as text.
# Each figure is the best of ROUNDS rounds (default 2), whole runs with start-up included, as
# wall and CPU seconds; the start-up of qgis_process alone is measured first for comparison.
#
# Usage: bench/qgis_plugin.sh [BUILD_DIR]   (default build/; build mapsheet-cli, mapsheet-cli-full,
# mapsheet_python and mapsheet_qgis_plugin there first). Needs QGIS (qgis_process.bin).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(cd "${1:-$root/build}" && pwd)"
cli="$build_dir/cli/mapsheet-cli"
points="${POINTS:-1000000}"
rounds="${ROUNDS:-2}"
qgis_process=/usr/bin/qgis_process.bin

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen QGIS_CUSTOM_CONFIG_PATH="$work/profile"
export QGIS_PLUGINPATH="$build_dir/qgis" PYTHONPATH="$build_dir/python"
mkdir -p "$QGIS_CUSTOM_CONFIG_PATH"
"$qgis_process" plugins enable mapsheet_qgis >/dev/null 2>&1

# "WALL CPU" of the run with the best wall time of ROUNDS runs, in seconds; CPU is user plus
# system time of the command and its children, which a loaded machine disturbs less than the
# wall time. The output file is removed first.
best_of() {
    local output="$1" best="" best_cpu="" took user system cpu
    shift
    for _ in $(seq "$rounds"); do
        rm -f "$output"
        (TIMEFORMAT='%R %U %S' && time "$@" >/dev/null 2>"$work/stderr") 2>"$work/time" ||
            { cat "$work/stderr" >&2; exit 1; }
        read -r took user system <"$work/time"
        cpu=$(echo "$user + $system" | bc)
        if [ -z "$best" ] || [ "$(echo "$took < $best" | bc)" = 1 ]; then
            best=$took best_cpu=$cpu
        fi
    done
    echo "$best $best_cpu"
}

report() {
    printf '%-52s %6.2f s wall %6.2f s CPU\n' "$1" $2
}

ratio() {
    local a=($1) b=($2)
    echo "$3 ratio qgis/cli: $(echo "scale=2; ${a[0]} / ${b[0]}" | bc) wall, $(echo "scale=2; ${a[1]} / ${b[1]}" | bc) CPU"
}

# What qgis_process takes before any algorithm of the plugin runs: start-up, the providers and
# a one-feature layer written by a native algorithm.
startup=$(best_of "$work/extent.gpkg" "$qgis_process" run native:extenttolayer -- \
    "INPUT=0,1,0,1 [EPSG:4326]" "OUTPUT=$work/extent.gpkg")
report "qgis_process start-up (native:extenttolayer)" "$startup"

cover_cli=$(best_of "$work/cli.gpkg" "$cli" cover --scale 1:50000 --bbox 18,73,54,135 --output "$work/cli.gpkg")
cover_qgis=$(best_of "$work/qgis.gpkg" "$qgis_process" run mapsheet:cover -- \
    "EXTENT=73,135,18,54 [EPSG:4490]" SCALE=1:50000 "OUTPUT=$work/qgis.gpkg")
report "mapsheet-cli cover, China 1:50,000" "$cover_cli"
report "qgis_process mapsheet:cover, China 1:50,000" "$cover_qgis"
ratio "$cover_qgis" "$cover_cli" cover

LC_ALL=C awk -v n="$points" 'BEGIN { m = 2147483647; x = 20240601
    for (i = 0; i < n; i++) { x = (x * 16807) % m; lat = 18 + 35.5 * x / m
        x = (x * 16807) % m; printf "%.6f %.6f\n", lat, 73.5 + 61.5 * x / m } }' >"$work/points.txt"
awk 'BEGIN { print "lat,lon" } { print $1 "," $2 }' "$work/points.txt" >"$work/points.csv"
ogr2ogr -f GPKG "$work/points.gpkg" "$work/points.csv" -nln points -a_srs EPSG:4490 \
    -oo X_POSSIBLE_NAMES=lon -oo Y_POSSIBLE_NAMES=lat -oo KEEP_GEOM_COLUMNS=NO
number_cli=$(best_of "$work/cli_points.gpkg" sh -c \
    "'$cli' number --scale 1:50000 --format gpkg --output '$work/cli_points.gpkg' <'$work/points.txt'")
number_qgis=$(best_of "$work/qgis_points.gpkg" "$qgis_process" run mapsheet:numberpoints -- \
    "INPUT=$work/points.gpkg" SCALE=1:50000 "OUTPUT=$work/qgis_points.gpkg")
report "mapsheet-cli number --format gpkg, $points points" "$number_cli"
report "qgis_process mapsheet:numberpoints, $points points" "$number_qgis"
ratio "$number_qgis" "$number_cli" number
