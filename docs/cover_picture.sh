#!/usr/bin/env bash
# Draws docs/cover.png from the GeoPackage that mapsheet-cli cover writes, with GDAL's own tools
# only: the 1:50,000 sheets meeting a polygon around Beijing, filled, their outlines, and the
# polygon's outline on top.
#
# Usage: docs/cover_picture.sh [BUILD_DIR]   (default: build/ of the repository)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$root/build}/cli/mapsheet-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat > "$work/area.geojson" <<'EOF'
{"type": "Polygon", "coordinates": [[[115.72, 39.47], [116.9, 39.52], [117.38, 40.08],
 [116.83, 40.88], [116.2, 40.55], [115.93, 40.62], [115.72, 39.47]]]}
EOF
"$cli" cover --scale 1:50000 --within "$work/area.geojson" --output "$work/cover.gpkg"

# A white canvas a little larger than the sheets (115.5-117.5 E, 39 20'-41 N), 280 pixels to the
# degree east and 360 north: about the same ground distance per pixel both ways at 40 N.
gdal_create -q -of GTiff -outsize 588 624 -bands 3 -burn 255 -ot Byte -a_srs EPSG:4490 \
    -a_ullr 115.45 41.033333333333 117.55 39.3 "$work/canvas.tif"
ogr2ogr -q -nlt MULTILINESTRING "$work/outlines.gpkg" "$work/cover.gpkg" sheets
ogr2ogr -q -nlt MULTILINESTRING -nln area "$work/area_line.gpkg" "$work/area.geojson"
gdal_rasterize -q -b 1 -b 2 -b 3 -burn 214 -burn 230 -burn 245 -l sheets \
    "$work/cover.gpkg" "$work/canvas.tif"
gdal_rasterize -q -b 1 -b 2 -b 3 -burn 40 -burn 70 -burn 140 -l sheets \
    "$work/outlines.gpkg" "$work/canvas.tif"
gdal_rasterize -q -b 1 -b 2 -b 3 -burn 200 -burn 30 -burn 30 -l area \
    "$work/area_line.gpkg" "$work/canvas.tif"
gdal_translate -q -of PNG "$work/canvas.tif" "$root/docs/cover.png"
rm -f "$root/docs/cover.png.aux.xml"
ogrinfo -so "$work/cover.gpkg" sheets | grep "Feature Count"
