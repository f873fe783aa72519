"""Graticule sheets as polygon features in CGCS2000 longitude/latitude.

A sheet's polygon is its rectangle of bounds from the module (south, west, north, east in
degrees, exact to the double nearest the 1/8-second lattice); its fields are new (1993-2012
number), old (pre-1992 number, NULL at 1:2000 and finer, which have none) and scale (the
denominator). write_sheets reports progress and stops between features when the run is
cancelled.
"""

from qgis.core import (
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsGeometry,
    QgsRectangle,
)
from qgis.PyQt.QtCore import QVariant

from .algorithm_base import call, module

# Sheets are written in batches: the module numbers a whole batch in one call.
BATCH = 5000


def sheet_fields():
    fields = QgsFields()
    fields.append(QgsField("new", QVariant.String, len=16))
    fields.append(QgsField("old", QVariant.String, len=24))
    fields.append(QgsField("scale", QVariant.Int))
    return fields


def sheet_columns(sheets):
    """For valid sheets given by number (either numbering) or id: new, old, scale and the
    bounds, each a sequence as long as sheets."""
    mapsheet = module()
    new = call(mapsheet.to_number, sheets, errors="raise")
    old = call(mapsheet.to_number, sheets, old=True, errors="raise")
    denominators = call(mapsheet.scale_of, sheets, errors="raise")
    edges = call(mapsheet.bounds, sheets, errors="raise")
    return new, old, denominators, edges["south"], edges["west"], edges["north"], edges["east"]


def sheet_attributes(columns, index):
    new, old, denominators, *_ = columns
    return [str(new[index]), str(old[index]) or None, int(denominators[index])]


def sheet_geometry(columns, index):
    *_, south, west, north, east = columns
    return QgsGeometry.fromRect(
        QgsRectangle(float(west[index]), float(south[index]), float(east[index]), float(north[index]))
    )


def _sheet_features(columns, extra_attributes):
    """The features of one batch; plain lists, not NumPy items, in the loop (a third faster)."""
    new, old, denominators, south, west, north, east = (
        column.tolist() if hasattr(column, "tolist") else list(column) for column in columns
    )
    features = []
    for index, number in enumerate(new):
        feature = QgsFeature()
        attributes = [number, old[index] or None, denominators[index]]
        if extra_attributes is not None:
            attributes += extra_attributes[index]
        feature.setAttributes(attributes)
        feature.setGeometry(
            QgsGeometry.fromRect(QgsRectangle(west[index], south[index], east[index], north[index]))
        )
        features.append(feature)
    return features


def write_sheets(sink, sheets, feedback, extra_attributes=None):
    """Writes one feature per sheet (number or id): sheet_fields, then extra_attributes[i] (a
    list) when given; returns how many were written, fewer when cancelled."""
    total = len(sheets)
    written = 0
    for start in range(0, total, BATCH):
        end = start + BATCH
        features = _sheet_features(
            sheet_columns(sheets[start:end]),
            None if extra_attributes is None else extra_attributes[start:end],
        )
        if feedback.isCanceled():
            return written
        sink.addFeatures(features, QgsFeatureSink.FastInsert)
        written += len(features)
        feedback.setProgress(100.0 * written / total)
    return written
