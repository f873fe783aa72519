"""mapsheet-cli's answers and layers written and read with GDAL, for the plugin's tests."""

import csv
import io
import os
import subprocess

from osgeo import ogr, osr

ogr.UseExceptions()

MAPSHEET_CLI = os.environ.get("MAPSHEET_CLI", "mapsheet-cli")


def cli(*arguments, stdin=None):
    """The rows of mapsheet-cli's CSV output as dicts."""
    result = subprocess.run(
        [MAPSHEET_CLI, *arguments], input=stdin, capture_output=True, text=True, timeout=300
    )
    assert result.returncode in (0, 1), result.stderr
    return list(csv.DictReader(io.StringIO(result.stdout)))


def read_layer(path):
    """(field names, [(attributes dict, (west, east, south, north) or None)], EPSG code) of the
    only layer of a file, as GDAL reads it."""
    source = ogr.Open(str(path))
    layer = source.GetLayer(0)
    definition = layer.GetLayerDefn()
    names = [definition.GetFieldDefn(i).GetName() for i in range(definition.GetFieldCount())]
    rows = []
    for feature in layer:
        geometry = feature.GetGeometryRef()
        envelope = None if geometry is None or geometry.IsEmpty() else geometry.GetEnvelope()
        rows.append(({name: feature.GetField(name) for name in names}, envelope))
    reference = layer.GetSpatialRef()
    code = None
    if reference is not None:
        reference.AutoIdentifyEPSG()
        code = reference.GetAuthorityCode(None)
    return names, rows, code


def write_layer(path, geometry_type, wkts, crs_wkt=None, epsg=4490, fields=()):
    """A GeoPackage layer of the geometries (WKT) and text fields [(name, values)]."""
    driver = ogr.GetDriverByName("GPKG")
    if os.path.exists(path):
        os.remove(path)
    source = driver.CreateDataSource(str(path))
    reference = osr.SpatialReference()
    if crs_wkt is not None:
        reference.SetFromUserInput(crs_wkt)
    else:
        reference.ImportFromEPSG(epsg)
    layer = source.CreateLayer("input", reference, geometry_type)
    for name, _ in fields:
        layer.CreateField(ogr.FieldDefn(name, ogr.OFTString))
    layer.StartTransaction()
    for index, wkt in enumerate(wkts):
        feature = ogr.Feature(layer.GetLayerDefn())
        if wkt is not None:
            feature.SetGeometry(ogr.CreateGeometryFromWkt(wkt))
        for name, values in fields:
            feature.SetField(name, values[index])
        layer.CreateFeature(feature)
    layer.CommitTransaction()
    source = None
    return str(path)


def bounds_close(envelope, row, tolerance=1e-9):
    """Whether a GDAL envelope (west, east, south, north) is the CLI row's south..east."""
    west, east, south, north = envelope
    expected = [float(row[k]) for k in ("west", "east", "south", "north")]
    return all(abs(a - b) <= tolerance for a, b in zip((west, east, south, north), expected))


def no_crash(result):
    """A run that ended by itself (QGIS exits 1 on an algorithm error), not by a signal."""
    return result.returncode >= 0 and result.returncode not in (134, 139)

