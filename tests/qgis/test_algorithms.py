"""The five algorithms run by a real qgis_process: their layers, read back with GDAL, hold the
sheets mapsheet-cli gives for the same input, with the right counts, fields and CRS."""

import random

import pytest
from osgeo import osr

from layer_io import bounds_close, cli, read_layer, write_layer

ALGORITHMS = ["mapsheet:cover", "mapsheet:neighbours", "mapsheet:numberpoints", "mapsheet:sheets",
              "mapsheet:squares"]


def test_list_shows_the_five_algorithms(qgis):
    listed = qgis("list").stdout
    assert [a for a in ALGORITHMS if a in listed] == ALGORITHMS


def _extent(south, west, north, east):
    return "{},{},{},{} [EPSG:4490]".format(west, east, south, north)


COVER_ROWS = [
    # name, scale as typed, the CLI's scale, box (south, west, north, east)
    ("beijing_250k_chinese", "1:25万", "250000", (39.5, 116.0, 40.5, 117.5)),
    ("letter_E_across_lines", "E", "1:50000", (29.9, 103.9, 30.4, 104.6)),
    ("south_hemisphere", "1:100000", "100000", (-34.2, 150.6, -33.6, 151.4)),
    ("fine_1_2000_no_old", "I", "2000", (39.9, 116.3, 39.905, 116.306)),
]


@pytest.mark.parametrize("scale, cli_scale, box", [r[1:] for r in COVER_ROWS],
                         ids=[r[0] for r in COVER_ROWS])
def test_cover_of_an_extent_is_the_cli_cover(qgis, out, scale, cli_scale, box):
    path = out("cover.gpkg")
    result = qgis("run", "mapsheet:cover", EXTENT=_extent(*box), SCALE=scale, OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    names, rows, epsg = read_layer(path)
    expected = cli("cover", "--scale", cli_scale, "--bbox", ",".join(map(str, box)))
    assert names[-3:] == ["new", "old", "scale"] and epsg == "4490"
    assert [r["new"] for r, _ in rows] == [e["new"] for e in expected]
    assert [r["old"] or "" for r, _ in rows] == [e["old"] for e in expected]
    assert all(bounds_close(envelope, e) for (_, envelope), e in zip(rows, expected))


def test_cover_of_polygons_in_another_crs_is_the_cli_cover(qgis, out, tmp_path):
    # Two triangles in Web Mercator; the CLI transforms the same file with GDAL.
    polygons = ["POLYGON ((12950000 4850000, 13000000 4850000, 12950000 4900000, 12950000 4850000))",
                "POLYGON ((13000000 4900000, 13050000 4900000, 13050000 4950000, 13000000 4900000))"]
    layer = write_layer(tmp_path / "area.gpkg", 3, polygons, epsg=3857)
    path = out("cover.gpkg")
    result = qgis("run", "mapsheet:cover", INPUT=layer, SCALE="1:100000", OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    _, rows, _ = read_layer(path)
    expected = cli("cover", "--scale", "1:100000", "--within", layer)
    assert sorted(r["new"] for r, _ in rows) == sorted(e["new"] for e in expected)


MODE_ROWS = [
    # name, mode, box; the truth is the CLI's meets cover filtered by the mode's own test
    ("centre_inside_box", "centre", (39.3, 115.8, 40.6, 117.9)),
    ("within_box", "within", (39.3, 115.8, 40.6, 117.9)),
]


def _mode_keeps(mode, row, box):
    south, west, north, east = box
    s, w, n, e = (float(row[k]) for k in ("south", "west", "north", "east"))
    if mode == "centre":
        return south <= (s + n) / 2 < north and west <= (w + e) / 2 < east
    return south <= s and n <= north and west <= w and e <= east


@pytest.mark.parametrize("mode, box", [r[1:] for r in MODE_ROWS], ids=[r[0] for r in MODE_ROWS])
def test_cover_modes_keep_the_sheets_the_mode_names(qgis, out, mode, box):
    path = out("cover.gpkg")
    result = qgis("run", "mapsheet:cover", EXTENT=_extent(*box), SCALE="1:100000", MODE=mode, OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    _, rows, _ = read_layer(path)
    meets = cli("cover", "--scale", "100000", "--bbox", ",".join(map(str, box)))
    kept = [e["new"] for e in meets if _mode_keeps(mode, e, box)]
    assert [r["new"] for r, _ in rows] == kept
    assert kept == [e["new"] for e in cli("cover", "--scale", "100000", "--bbox", ",".join(map(str, box)),
                                          "--mode", mode)]


COMPACT_ROWS = [
    # J50 spans 36..40 N, 114..120 E: every 1:250,000 sheet inside it compacts into it.
    ("whole_million_sheet", (36, 114, 40, 120), [("J50", "J-50", 1000000)]),
    # The same with a fringe of 1:250,000 sheets to the south and east; the CLI gives the rest.
    ("million_sheet_and_fringe", (35.5, 114, 40, 120.2), None),
]


@pytest.mark.parametrize("box, expected", [r[1:] for r in COMPACT_ROWS], ids=[r[0] for r in COMPACT_ROWS])
def test_compact_cover_is_the_cli_compact_cover(qgis, out, box, expected):
    path = out("cover.gpkg")
    result = qgis("run", "mapsheet:cover", EXTENT=_extent(*box), SCALE="C", MODE="within",
                  COMPACT="true", OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    _, rows, _ = read_layer(path)
    found = [(r["new"], r["old"], r["scale"]) for r, _ in rows]
    compact = cli("cover", "--scale", "C", "--bbox", ",".join(map(str, box)), "--mode", "within", "--compact")
    assert found == [(e["new"], e["old"], int(e["scale"][2:])) for e in compact]
    if expected is not None:
        assert found == expected


# The coarsest scale, the one outside the 1993-2012 standard, the historical old form of
# 1:5000, and the finest, which has no old number and four-digit codes.
NUMBER_SCALES = ["1:1000000", "1:200000", "1:5000", "1:500"]


@pytest.mark.parametrize("scale", NUMBER_SCALES)
def test_numbered_points_are_the_cli_numbers(qgis, out, tmp_path, scale):
    generator = random.Random(scale)
    points = [(generator.uniform(-87.9, 87.9), generator.uniform(-180, 180)) for _ in range(300)]
    points += [(40.0, 116.25), (88.0, 0.0), (-88.5, 10.0)]  # a line corner and two outside
    wkts = ["POINT ({!r} {!r})".format(lon, lat) for lat, lon in points] + [None]
    layer = write_layer(tmp_path / "points.gpkg", 1, wkts, fields=[("name", [str(i) for i in range(len(wkts))])])
    path = out("numbered.gpkg")
    result = qgis("run", "mapsheet:numberpoints", INPUT=layer, SCALE=scale, OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    names, rows, _ = read_layer(path)
    expected = cli("number", "--scale", scale, stdin="".join("{!r} {!r}\n".format(*p) for p in points))
    assert names[-4:] == ["name", "new", "old", "error"]
    assert [r["name"] for r, _ in rows] == [str(i) for i in range(len(wkts))]
    assert [r["new"] or "" for r, _ in rows[:-1]] == [e["new"] for e in expected]
    assert [r["old"] or "" for r, _ in rows[:-1]] == [e["old"] for e in expected]
    assert [bool(r["error"]) for r, _ in rows[:-1]] == [bool(e["error"]) for e in expected]
    assert rows[-1][0]["error"] == "no geometry"


def test_sheets_of_numbers_are_the_cli_sheets(qgis, out, tmp_path):
    numbers = ["J50E001015", "J-50-5-A-1", "k50c004002", "J-50-5-(15)-a", "K50J11521152", "J50",
               "SK50D001012", "XX", "J50E001145", ""]
    layer = write_layer(tmp_path / "numbers.gpkg", 100, [None] * len(numbers),
                        fields=[("written", numbers)])
    path = out("sheets.gpkg")
    result = qgis("run", "mapsheet:sheets", INPUT=layer, FIELD="written", OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    names, rows, _ = read_layer(path)
    assert names == ["written", "new", "old", "scale", "error"]
    expected = cli("sheet", *numbers)
    assert len(rows) == len(numbers)
    for (row, envelope), sheet in zip(rows, expected):
        assert (row["new"] or "") == sheet["new"], row
        assert bool(row["error"]) == bool(sheet["error"]), row
        if sheet["new"]:
            assert bounds_close(envelope, sheet)
            assert "1:{}".format(row["scale"]) == sheet["scale"].replace(",", "")
        else:
            assert envelope is None


SQUARE_ROWS = [
    # name, scale, system parameters (the CLI's options in capitals), box
    ("zone_39_1_5000", "1:5000", {"CRS": "EPSG:4527"}, (39.9, 116.3, 39.92, 116.33)),
    ("cm_117_1_500", "K", {"CRS": "EPSG:4548"}, (39.9, 116.3, 39.903, 116.304)),
    ("six_degree_1_2000", "2000", {"CRS": "EPSG:4499"}, (31.2, 121.45, 31.21, 121.47)),
    ("nearest_zone_by_default", "1:5000", {}, (30.0, 118.4, 30.01, 118.62)),
    ("meridian_without_code", "1:1000", {"CENTRAL_MERIDIAN": "116°30′"}, (39.9, 116.3, 39.905, 116.31)),
    ("six_degree_meridian", "1:2000", {"CENTRAL_MERIDIAN": "123", "ZONE_WIDTH": "6"},
     (31.2, 121.45, 31.21, 121.47)),
]


def _cli_system_options(system):
    return [word for name, value in system.items()
            for word in ("--" + name.lower().replace("_", "-"), value)]


def _assert_squares_are_the_cli_squares(path, expected):
    names, rows, epsg = read_layer(path)
    assert names == ["sheet", "crs", "scale"]
    assert [r["sheet"] for r, _ in rows] == [e["sheet"] for e in expected]
    system = expected[0]["crs"]
    assert {r["crs"] for r, _ in rows} == {system}
    assert epsg == (system[5:] if system.startswith("EPSG:") else None)
    for (row, (west, east, south, north)), e in zip(rows, expected):
        assert (south, west, north, east) == tuple(float(e[k]) for k in ("south_x", "west_y", "north_x", "east_y"))


@pytest.mark.parametrize("scale, system, box", [r[1:] for r in SQUARE_ROWS], ids=[r[0] for r in SQUARE_ROWS])
def test_square_sheets_are_the_cli_squares(qgis, out, scale, system, box):
    path = out("squares.gpkg")
    result = qgis("run", "mapsheet:squares", EXTENT=_extent(*box), SCALE=scale, OUTPUT=path, **system)
    assert result.returncode == 0, result.stdout + result.stderr
    expected = cli("cover", "--square", "--scale", scale, *_cli_system_options(system),
                   "--bbox", ",".join(map(str, box)))
    _assert_squares_are_the_cli_squares(path, expected)


def test_square_sheets_of_polygons_are_the_cli_squares_of_the_file(qgis, out, tmp_path):
    polygons = ["POLYGON ((116.30 39.90, 116.36 39.90, 116.36 39.95, 116.30 39.95, 116.30 39.90),"
                " (116.32 39.915, 116.34 39.915, 116.34 39.935, 116.32 39.935, 116.32 39.915))",
                "POLYGON ((116.40 39.90, 116.44 39.90, 116.40 39.93, 116.40 39.90))"]
    layer = write_layer(tmp_path / "area.gpkg", 3, polygons)
    path = out("squares.gpkg")
    result = qgis("run", "mapsheet:squares", INPUT=layer, SCALE="1:1000", OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    _assert_squares_are_the_cli_squares(path, cli("cover", "--square", "--scale", "1:1000", "--within", layer))


NEIGHBOUR_ROWS = [
    # name, number, rings, sheets per ring (an independent count: ring k is a square frame)
    ("one_ring", "J50E001015", 1, [1, 8]),
    ("two_rings_old_number", "J-50-5-A-1", 2, [1, 8, 16]),
]


@pytest.mark.parametrize("number, rings, per_ring", [r[1:] for r in NEIGHBOUR_ROWS],
                         ids=[r[0] for r in NEIGHBOUR_ROWS])
def test_neighbourhood_rings(qgis, out, number, rings, per_ring):
    path = out("neighbours.gpkg")
    result = qgis("run", "mapsheet:neighbours", NUMBER=number, RINGS=rings, OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    names, rows, _ = read_layer(path)
    assert names == ["new", "old", "scale", "ring"]
    assert [sum(1 for r, _ in rows if r["ring"] == k) for k in range(rings + 1)] == per_ring
    centre = cli("sheet", number)[0]
    assert [r["new"] for r, _ in rows if r["ring"] == 0] == [centre["new"]]


def test_points_of_another_crs_are_numbered_in_cgcs2000_and_keep_their_geometry(qgis, out, tmp_path):
    mercator, cgcs = osr.SpatialReference(), osr.SpatialReference()
    mercator.ImportFromEPSG(3857)
    cgcs.ImportFromEPSG(4490)
    cgcs.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
    to_cgcs = osr.CoordinateTransformation(mercator, cgcs)
    generator = random.Random(3857)
    xy = [(generator.uniform(8.2e6, 1.5e7), generator.uniform(2.0e6, 7.0e6)) for _ in range(200)]
    layer = write_layer(tmp_path / "mercator.gpkg", 1, ["POINT ({!r} {!r})".format(*p) for p in xy], epsg=3857)
    path = out("numbered.gpkg")
    result = qgis("run", "mapsheet:numberpoints", INPUT=layer, SCALE="1:10000", OUTPUT=path)
    assert result.returncode == 0, result.stdout + result.stderr
    _, rows, epsg = read_layer(path)
    lonlat = [to_cgcs.TransformPoint(x, y)[:2] for x, y in xy]
    expected = cli("number", "--scale", "1:10000", stdin="".join("{!r} {!r}\n".format(lat, lon) for lon, lat in lonlat))
    assert epsg == "3857"
    assert [r["new"] for r, _ in rows] == [e["new"] for e in expected]
    assert all(abs(envelope[0] - x) < 1e-6 and abs(envelope[2] - y) < 1e-6
               for (_, envelope), (x, y) in zip(rows, xy))
