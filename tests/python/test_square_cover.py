"""mapsheet.square_cover against `mapsheet-cli cover --square` on the same areas and system
options: the same squares in the same order, named in the same system."""

import numpy as np
import pytest
from osgeo import ogr, osr

import mapsheet
from conftest import csv_column, run_cli

ogr.UseExceptions()

BOX_ROWS = [
    # name, box (south, west, north, east), scale, keyword options, the CLI's options
    ("epsg_zone_number_in_y", (39.9, 116.3, 39.92, 116.33), "1:5000", {"crs": "EPSG:4527"},
     ["--crs", "EPSG:4527"]),
    ("nearest_zone_by_default", (39.9, 116.3, 39.92, 116.33), "1:2000", {}, []),
    ("default_zone_east_of_halfway", (30.0, 118.4, 30.01, 118.62), "1:5000", {}, []),
    ("meridian_in_dms_no_code", (39.9, 116.3, 39.903, 116.304), "K",
     {"central_meridian": "116°30′"}, ["--central-meridian", "116°30′"]),
    ("six_degree_meridian", (31.2, 121.45, 31.21, 121.47), "2000",
     {"central_meridian": 123, "zone_width": 6},
     ["--central-meridian", "123", "--zone-width", "6"]),
    ("southern_hemisphere", (-33.9, 151.1, -33.88, 151.13), "1:1000", {}, []),
]


@pytest.mark.parametrize("box, scale, options, cli_options", [r[1:] for r in BOX_ROWS],
                         ids=[r[0] for r in BOX_ROWS])
def test_box_cover_is_the_cli_cover(box, scale, options, cli_options):
    numbers, system = mapsheet.square_cover(box, scale, **options)
    table = run_cli("cover", "--square", "--scale", scale, *cli_options,
                    "--bbox", ",".join(map(str, box)))
    assert numbers.tolist() == csv_column(table, "sheet")
    assert {system["name"]} == set(csv_column(table, "crs"))
    assert system["epsg"] == (int(system["name"][5:]) if system["name"].startswith("EPSG:") else 0)


def test_polygons_with_a_hole_are_the_cli_cover_of_the_same_file(tmp_path):
    from shapely.geometry import MultiPolygon, Polygon

    ring = [(116.30, 39.90), (116.36, 39.90), (116.36, 39.95), (116.30, 39.95)]
    hole = [(116.32, 39.915), (116.34, 39.915), (116.34, 39.935), (116.32, 39.935)]
    triangle = [(116.40, 39.90), (116.44, 39.90), (116.40, 39.93)]
    area = MultiPolygon([Polygon(ring, [hole]), Polygon(triangle)])
    path = str(tmp_path / "area.gpkg")
    source = ogr.GetDriverByName("GPKG").CreateDataSource(path)
    reference = osr.SpatialReference()
    reference.ImportFromEPSG(4490)
    layer = source.CreateLayer("area", reference, ogr.wkbMultiPolygon)
    feature = ogr.Feature(layer.GetLayerDefn())
    feature.SetGeometry(ogr.CreateGeometryFromWkb(area.wkb))
    layer.CreateFeature(feature)
    source = None
    numbers, _ = mapsheet.square_cover(area, "1:1000")
    table = run_cli("cover", "--square", "--scale", "1:1000", "--within", path)
    assert numbers.tolist() == csv_column(table, "sheet")
    # The hole holds squares of the ring's box that the cover leaves out.
    box, _ = mapsheet.square_cover((39.90, 116.30, 39.95, 116.36), "1:1000")
    assert len(set(box.tolist()) - set(numbers.tolist())) > 0


BAD_ROWS = [
    # name, box, scale, options, words of the message
    ("crs_and_meridian", (39.9, 116.3, 39.92, 116.33), "1:5000",
     {"crs": "EPSG:4527", "central_meridian": 117}, "names the whole system"),
    ("width_without_meridian", (39.9, 116.3, 39.92, 116.33), "1:5000", {"zone_width": 6},
     "needs --central-meridian"),
    ("width_four", (39.9, 116.3, 39.92, 116.33), "1:5000",
     {"central_meridian": 117, "zone_width": 4}, "neither 3 nor 6"),
    ("geographic_crs", (39.9, 116.3, 39.92, 116.33), "1:5000", {"crs": "EPSG:4490"},
     "not a projected"),
    ("too_wide_for_the_zone", (39.9, 114.0, 39.92, 119.0), "1:5000", {"crs": "EPSG:4548"},
     "reaches too far"),
    ("graticule_scale", (39.9, 116.3, 39.92, 116.33), "1:10000", {}, "no square sheets"),
    ("box_upside_down", (39.92, 116.3, 39.9, 116.33), "1:5000", {}, "south"),
]


@pytest.mark.parametrize("box, scale, options, words", [r[1:] for r in BAD_ROWS],
                         ids=[r[0] for r in BAD_ROWS])
def test_bad_options_are_refused_with_the_engine_message(box, scale, options, words):
    with pytest.raises(mapsheet.Error, match=words):
        mapsheet.square_cover(box, scale, **options)


def test_max_sheets_refuses_a_larger_cover():
    box = (39.9, 116.3, 39.92, 116.33)
    everything, _ = mapsheet.square_cover(box, "1:5000")
    exactly, _ = mapsheet.square_cover(box, "1:5000", max_sheets=len(everything))
    assert exactly.tolist() == everything.tolist()
    with pytest.raises(mapsheet.Error, match="max_sheets"):
        mapsheet.square_cover(box, "1:5000", max_sheets=len(everything) - 1)
    assert isinstance(everything, np.ndarray)
