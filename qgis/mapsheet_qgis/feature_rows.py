"""Fields and features for the algorithms' sinks, built in bulk.

Fields are named by specs, (name, QVariant type, length), so that each field the algorithms
add is written once. Features are written from rows, each an attribute list and its geometry as
WKB (None for no geometry): one QgsFeature is filled and handed to the sink per row, which
copies it, and the rectangles' WKB is built for all rows at once with NumPy, so the loop does
little per row. Cancellation is checked, and progress reported, every PROGRESS_STEP rows.
"""

import numpy

from qgis.core import QgsFeature, QgsFeatureSink, QgsField, QgsFields, QgsGeometry
from qgis.PyQt.QtCore import QVariant

NEW = ("new", QVariant.String, 16)
OLD = ("old", QVariant.String, 24)
SCALE = ("scale", QVariant.Int, 0)
ERROR = ("error", QVariant.String, 254)
RING = ("ring", QVariant.Int, 0)
SQUARE = ("sheet", QVariant.String, 24)
SYSTEM = ("crs", QVariant.String, 64)

SHEET_FIELDS = (NEW, OLD, SCALE)

PROGRESS_STEP = 2000

# A WKB polygon of one ring of five points, little-endian: byte order, type 3, one ring, five
# points, then x, y for each.
_RECTANGLE_WKB = numpy.dtype(
    [("order", "u1"), ("type", "<u4"), ("rings", "<u4"), ("points", "<u4"), ("xy", "<f8", (10,))]
)


def fields_of(specs):
    fields = QgsFields()
    for name, kind, length in specs:
        fields.append(QgsField(name, kind, len=length))
    return fields


def rectangle_wkb(south, west, north, east):
    """The WKB of each rectangle (x the longitude or easting, y the latitude or northing), a
    list of bytes, corners from the south-west round counter-clockwise."""
    count = len(south)
    table = numpy.zeros(count, dtype=_RECTANGLE_WKB)
    table["order"], table["type"], table["rings"], table["points"] = 1, 3, 1, 5
    corners = (west, south, east, south, east, north, west, north, west, south)
    for index, values in enumerate(corners):
        table["xy"][:, index] = values
    blob = table.tobytes()
    size = _RECTANGLE_WKB.itemsize
    return [blob[start:start + size] for start in range(0, len(blob), size)]


def write_rows(sink, rows, geometries, feedback, done=0, total=None):
    """Writes one feature per row (attributes rows[i], geometry from the WKB geometries[i] or
    none); done and total place these rows in the whole run's progress. False when cancelled
    (the rows before the cancellation are written)."""
    total = total or len(rows) or 1
    feature = QgsFeature()
    set_attributes, set_geometry, add = feature.setAttributes, feature.setGeometry, sink.addFeature
    for index, attributes in enumerate(rows):
        if index % PROGRESS_STEP == 0:
            if feedback.isCanceled():
                return False
            feedback.setProgress(100.0 * (done + index) / total)
        wkb = geometries[index]
        geometry = QgsGeometry()
        if wkb is not None:
            geometry.fromWkb(wkb)
        set_attributes(attributes)
        set_geometry(geometry)
        add(feature, QgsFeatureSink.FastInsert)
    return True
