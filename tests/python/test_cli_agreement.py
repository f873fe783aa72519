"""The module against mapsheet-cli on the same points, sheets and boxes: two front ends of one
engine must write the same text for every row."""

import json
import subprocess

import numpy as np
import pytest

import mapsheet
from conftest import SCALES, csv_column, random_points, run_cli

POINTS_IN_TOTAL = 1_000_000


@pytest.fixture(scope="module")
def points(rng):
    return random_points(rng, POINTS_IN_TOTAL)


@pytest.mark.parametrize("scale", SCALES)
def test_numbers_match_the_cli_at_every_scale(points, scale):
    share = slice(SCALES.index(scale), None, len(SCALES))
    lat, lon = points[0][share], points[1][share]
    text = "".join(f"{a!r} {b!r}\n" for a, b in zip(lat.tolist(), lon.tolist()))
    table = run_cli("number", "--scale", str(scale), "--jobs", "1", stdin=text,
                    statuses=(0, 1))
    new = mapsheet.number(lat, lon, scale)
    old = mapsheet.old_number(lat, lon, scale, errors="empty")
    assert new.tolist() == csv_column(table, "new")
    assert old.tolist() == csv_column(table, "old")
    assert (new == "").any() and (new != "").sum() > 0.9 * len(new)


@pytest.mark.parametrize("scale", SCALES)
def test_ids_round_trip_through_both_numberings(points, scale):
    lat, lon = points[0][:20_000], points[1][:20_000]
    ids = mapsheet.sheet_id(lat, lon, scale)
    new = mapsheet.number(lat, lon, scale)
    assert ((ids == 0) == (new == "")).all()
    found = ids != 0
    assert mapsheet.to_number(ids[found]).tolist() == new[found].tolist()
    assert (mapsheet.from_number(new[found]) == ids[found]).all()
    old = mapsheet.to_number(ids[found], old=True)
    if mapsheet.scales()[SCALES.index(scale)]["has_old_number"]:
        assert (mapsheet.from_number(old) == ids[found]).all()
    else:
        assert (old == "").all()


def test_bounds_and_areas_match_the_cli_sheet_command(points):
    lat, lon = points[0][:3000], points[1][:3000]
    numbers = np.concatenate([mapsheet.number(lat, lon, s) for s in SCALES])
    numbers = numbers[numbers != ""]
    table = run_cli("sheet", *numbers[::25].tolist())
    edges = mapsheet.bounds(numbers[::25])
    for name in ("south", "west", "north", "east"):
        assert [float(v) for v in csv_column(table, name)] == edges[name].tolist(), name
    assert csv_column(table, "old") == mapsheet.to_number(numbers[::25], old=True).tolist()


BOXES = {
    "Beijing": (39.4, 115.4, 41.1, 117.5),
    "across the equator": (-0.7, 100.1, 0.6, 101.3),
    "across 60 degrees": (59.5, 10.2, 60.5, 12.9),
    "on sheet lines": (39.0, 116.0, 40.0, 117.0),
    "a point": (31.23, 121.47, 31.23, 121.47),
    "a line of latitude": (30.0, 110.1, 30.0, 111.4),
}


@pytest.mark.parametrize("name", BOXES)
@pytest.mark.parametrize("scale", [250_000, 200_000, 10_000])
@pytest.mark.parametrize("mode", ["meets", "centre", "within"])
def test_box_covers_match_the_cli(name, scale, mode):
    box = BOXES[name]
    bbox = ",".join(map(repr, box))
    table = run_cli("cover", "--scale", str(scale), "--bbox", bbox, "--mode", mode)
    assert mapsheet.cover(box, scale, mode=mode).tolist() == csv_column(table, "new")
    compact = run_cli("cover", "--scale", str(scale), "--bbox", bbox, "--mode", mode,
                      "--compact")
    assert mapsheet.cover(box, scale, mode=mode, compact=True).tolist() == \
        csv_column(compact, "new")


def test_geometry_cover_matches_the_cli_within_file(tmp_path):
    shapely = pytest.importorskip("shapely.geometry")
    polygon = shapely.Polygon([(116.0, 39.0), (117.3, 39.2), (116.6, 40.4), (116.0, 39.0)])
    path = tmp_path / "area.geojson"
    path.write_text(json.dumps({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {}, "geometry": shapely.mapping(polygon)}]}))
    table = run_cli("cover", "--scale", "1:50000", "--within", str(path))
    assert mapsheet.cover(polygon, "1:50000").tolist() == csv_column(table, "new")


ANGLES = {
    "decimal degrees": ("45.882413305556", None),
    "marked": ("45°52′56.6879″", None),
    "packed": ("45.52566879", "packed"),
    "radians": ("0.8", "radians"),
    "dms negative": ("-0 3 0", "dms"),
}


@pytest.mark.parametrize("name", ANGLES)
def test_angles_match_the_cli(name):
    value, form = ANGLES[name]
    arguments = ["--format", "json"] + (["--from", form] if form else []) + ["--"]
    expected = json.loads(run_cli("angle", *arguments, *value.split()))
    assert mapsheet.angle(value, form) == expected


@pytest.mark.parametrize("number", ["J50E001010", "SH50D001012", "K50G010020", "N51C001001"])
def test_corners_match_cs2cs_on_the_bounds(number):
    if not hasattr(mapsheet._core, "corners"):
        pytest.skip("built without PROJ")
    found = mapsheet.corners(number)
    south, west, north, east = mapsheet.bounds(number)
    projection = (f"+proj=tmerc +lat_0=0 +lon_0={found['central_meridian']!r} +k=1 "
                  "+x_0=500000 +y_0=0 +a=6378137 +rf=298.257222101 +units=m")
    text = "".join(f"{lon!r} {lat!r}\n" for lat, lon in
                   [(south, west), (south, east), (north, east), (north, west)])
    done = subprocess.run(["cs2cs", "-f", "%.6f", "+proj=longlat +a=6378137 +rf=298.257222101",
                           "+to", projection], input=text, capture_output=True, text=True,
                          check=True)
    projected = [tuple(map(float, line.split()[:2])) for line in done.stdout.splitlines()]
    for (easting, northing), corner in zip(projected, ("sw", "se", "ne", "nw")):
        assert found[f"{corner}_y"] == pytest.approx(easting, abs=1e-5), corner
        assert found[f"{corner}_x"] == pytest.approx(northing, abs=1e-5), corner
