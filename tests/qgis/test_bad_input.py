"""Bad input to the plugin's algorithms ends the run with QGIS's error, the module's or the
plugin's message, and no layer; qgis_process never crashes."""

import pytest

from layer_io import no_crash, write_layer

# Mars in longitude/latitude: PROJ refuses to transform between bodies.
MARS_CRS = 'GEOGCRS["Mars 2000",DATUM["D_Mars_2000",ELLIPSOID["Mars_2000_IAU_IAG",3396190,169.894447223612,LENGTHUNIT["metre",1]]],PRIMEM["Greenwich",0,ANGLEUNIT["degree",0.0174532925199433]],CS[ellipsoidal,2],AXIS["longitude",east,ORDER[1],ANGLEUNIT["degree",0.0174532925199433]],AXIS["latitude",north,ORDER[2],ANGLEUNIT["degree",0.0174532925199433]]]'

SQUARE = "POLYGON ((116 39, 117 39, 117 40, 116 40, 116 39))"
SMALL_SQUARE = "POLYGON ((116.3 39.9, 116.33 39.9, 116.33 39.92, 116.3 39.92, 116.3 39.9))"


def _layers(tmp_path):
    return {
        "empty_polygons": write_layer(tmp_path / "empty.gpkg", 3, []),
        "line": write_layer(tmp_path / "line.gpkg", 2, ["LINESTRING (116 39, 117 40)"]),
        "polygon": write_layer(tmp_path / "polygon.gpkg", 3, [SQUARE]),
        "small_polygon": write_layer(tmp_path / "small.gpkg", 3, [SMALL_SQUARE]),
        "mars_polygon": write_layer(tmp_path / "mars.gpkg", 3, [SQUARE], crs_wkt=MARS_CRS),
        "mars_points": write_layer(tmp_path / "marsp.gpkg", 1, ["POINT (116 39)"], crs_wkt=MARS_CRS),
        "empty_points": write_layer(tmp_path / "emptyp.gpkg", 1, []),
        "numbers": write_layer(tmp_path / "numbers.gpkg", 100, [None], fields=[("n", ["J50"])]),
    }


BAD_RUNS = [
    # name, algorithm, parameters (layer names from _layers), words of the expected message
    ("cover_empty_layer", "mapsheet:cover", {"INPUT": "empty_polygons", "SCALE": "1:50000"}, "no features"),
    ("cover_line_layer", "mapsheet:cover", {"INPUT": "line", "SCALE": "1:50000"}, "line"),
    ("cover_invalid_scale", "mapsheet:cover", {"INPUT": "polygon", "SCALE": "1:3000"}, "unknown scale"),
    ("cover_layer_and_extent", "mapsheet:cover",
     {"INPUT": "polygon", "EXTENT": "116,117,39,40 [EPSG:4490]", "SCALE": "E"}, "exactly one"),
    ("cover_mars_crs", "mapsheet:cover", {"INPUT": "mars_polygon", "SCALE": "1:50000"}, "transform"),
    ("cover_too_many_sheets", "mapsheet:cover",
     {"EXTENT": "-180,180,-87,87 [EPSG:4490]", "SCALE": "1:500"}, "max_sheets"),
    ("number_empty_layer", "mapsheet:numberpoints", {"INPUT": "empty_points", "SCALE": "1:50000"}, "no features"),
    ("number_polygon_layer", "mapsheet:numberpoints", {"INPUT": "polygon", "SCALE": "1:50000"}, "polygon"),
    ("number_mars_crs", "mapsheet:numberpoints", {"INPUT": "mars_points", "SCALE": "1:50000"}, "transform"),
    ("sheets_missing_field", "mapsheet:sheets", {"INPUT": "numbers", "FIELD": "absent"}, "absent"),
    ("neighbours_bad_number", "mapsheet:neighbours", {"NUMBER": "J50E001999", "RINGS": "1"}, "column"),
    ("neighbours_rings_zero", "mapsheet:neighbours", {"NUMBER": "J50E001015", "RINGS": "0"}, "RINGS"),
    ("squares_graticule_scale", "mapsheet:squares",
     {"INPUT": "polygon", "SCALE": "1:10000", "CRS": "EPSG:4527"}, "not one of"),
    ("squares_geographic_crs", "mapsheet:squares",
     {"INPUT": "polygon", "SCALE": "1:5000", "CRS": "EPSG:4490"}, "projected"),
    ("squares_crs_and_meridian", "mapsheet:squares",
     {"INPUT": "small_polygon", "SCALE": "1:5000", "CRS": "EPSG:4527", "CENTRAL_MERIDIAN": "117"},
     "names the whole system"),
    ("squares_width_without_meridian", "mapsheet:squares",
     {"INPUT": "small_polygon", "SCALE": "1:5000", "ZONE_WIDTH": "6"}, "needs --central-meridian"),
    ("squares_area_too_wide", "mapsheet:squares",
     {"EXTENT": "114,119,39.9,39.92 [EPSG:4490]", "SCALE": "1:5000", "CRS": "EPSG:4548"},
     "reaches too far"),
]


@pytest.mark.parametrize("algorithm, parameters, message", [r[1:] for r in BAD_RUNS],
                         ids=[r[0] for r in BAD_RUNS])
def test_bad_input_ends_with_an_error_and_no_layer(qgis, out, tmp_path, algorithm, parameters, message):
    layers = _layers(tmp_path)
    path = out("result.gpkg")
    given = {name: layers.get(value, value) for name, value in parameters.items()}
    result = qgis("run", algorithm, OUTPUT=path, **given)
    said = result.stdout + result.stderr
    assert no_crash(result), said
    assert result.returncode != 0, said
    assert message.lower() in said.lower(), said
    assert not path.exists()
