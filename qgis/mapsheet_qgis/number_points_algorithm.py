"""mapsheet:numberpoints, Number points: the input layer with the fields new, old and error
added, each point numbered at one scale after transforming it to CGCS2000; geometries and
attributes kept as they are."""

import numpy

from qgis.core import (
    QgsCoordinateTransform,
    QgsCsException,
    QgsFeatureSink,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsProcessingUtils,
    QgsWkbTypes,
)

from .algorithm_base import MapsheetAlgorithm, call, cgcs2000, module, scale_row, scales_help
from .feature_rows import ERROR, NEW, OLD, fields_of

# Points are numbered in batches: one module call per batch, cancellation checked per feature.
BATCH = 50000


class NumberPointsAlgorithm(MapsheetAlgorithm):
    def name(self):
        return "numberpoints"

    def displayName(self):
        return "Number points"

    def shortHelpString(self):
        return (
            "Names the sheet holding each point of a point layer at one scale of the national "
            "basic-scale topographic map series. The output is the input layer, geometries "
            "unchanged, with three fields added: new (the 1993-2012 number), old (the pre-1992 "
            "number, empty at 1:2000 and finer, which have none) and error (why a point has no "
            "sheet: outside -88 < latitude < 88, no geometry, several points, or a CRS that "
            "cannot be transformed). Points of any CRS are transformed to CGCS2000 "
            "(EPSG:4490) for the numbering. A point on a sheet line belongs to the sheet north "
            "and east of it.\n\n" + scales_help()
        )

    def initAlgorithm(self, config=None):
        self.addParameter(
            QgsProcessingParameterFeatureSource("INPUT", "Point layer", [QgsProcessing.TypeVectorPoint])
        )
        self.add_scale_parameter("Scale", "1:50000")
        self.addParameter(
            QgsProcessingParameterFeatureSink("OUTPUT", "Numbered points", QgsProcessing.TypeVectorPoint)
        )

    def checkParameterValues(self, parameters, context):
        ok, message = self.check_scale(parameters, context)
        if not ok:
            return ok, message
        return super().checkParameterValues(parameters, context)

    def processAlgorithm(self, parameters, context, feedback):
        scale = self.scale_value(parameters, context)
        source = self.source_or_raise(
            parameters, "INPUT", context, geometry_types=[QgsWkbTypes.PointGeometry]
        )
        fields = QgsProcessingUtils.combineFields(source.fields(), fields_of((NEW, OLD, ERROR)))
        transform = QgsCoordinateTransform(source.sourceCrs(), cgcs2000(), context.transformContext())
        if not transform.isValid():
            raise QgsProcessingException(
                "No transformation from {} to EPSG:4490".format(source.sourceCrs().authid())
            )
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, fields, source.wkbType(), source.sourceCrs()
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        total = source.featureCount()
        batch = []
        done = 0
        for feature in source.getFeatures():
            if feedback.isCanceled():
                return {}
            batch.append(feature)
            if len(batch) == BATCH:
                self._write_batch(sink, batch, transform, scale)
                done += len(batch)
                batch = []
                feedback.setProgress(100.0 * done / total)
        self._write_batch(sink, batch, transform, scale)
        return {"OUTPUT": destination}

    def _write_batch(self, sink, features, transform, scale):
        """Numbers the batch in one module call and writes the features, their own attributes
        followed by new, old and error (the features are the iterator's copies, so they are
        changed in place)."""
        located = [_locate(feature, transform) for feature in features]
        latitudes = numpy.array([place[0] for place in located], dtype=float)
        longitudes = numpy.array([place[1] for place in located], dtype=float)
        new, old, errors = numbers_of_points(latitudes, longitudes, scale)
        for index, feature in enumerate(features):
            error = located[index][2] or errors[index]
            attributes = feature.attributes()
            attributes += [new[index] or None, old[index] or None, error or None]
            feature.setAttributes(attributes)
        sink.addFeatures(features, QgsFeatureSink.FastInsert)


def _locate(feature, transform):
    """(latitude, longitude, None) of the feature's point in CGCS2000, or (NaN, NaN, why it has
    none)."""
    geometry = feature.geometry()
    if geometry.isNull() or geometry.isEmpty():
        return _NOWHERE, _NOWHERE, "no geometry"
    if geometry.isMultipart():
        points = geometry.asMultiPoint()
        if len(points) != 1:
            return _NOWHERE, _NOWHERE, "{} points, not one".format(len(points))
        point = points[0]
    else:
        point = geometry.asPoint()
    try:
        point = transform.transform(point)
    except QgsCsException as failure:
        return _NOWHERE, _NOWHERE, "cannot be transformed to EPSG:4490: {}".format(failure)
    return point.y(), point.x(), None


_NOWHERE = float("nan")


def numbers_of_points(latitudes, longitudes, scale):
    """new, old and error texts for each point ("" where not applicable), from the module."""
    mapsheet = module()
    new = call(mapsheet.number, latitudes, longitudes, scale, errors="empty")
    old = ([""] * len(latitudes)) if not _has_old_number(scale) else call(
        mapsheet.old_number, latitudes, longitudes, scale, errors="empty"
    )
    errors = [""] * len(latitudes)
    for index in numpy.flatnonzero(new == ""):
        if not numpy.isnan(latitudes[index]):
            errors[index] = _point_error(latitudes[index], longitudes[index], scale)
    return new.tolist(), (old if isinstance(old, list) else old.tolist()), errors


def _has_old_number(scale):
    return scale_row(scale)["has_old_number"]


def _point_error(latitude, longitude, scale):
    try:
        module().number(latitude, longitude, scale)
    except module().Error as failure:
        return str(failure)
    return ""
