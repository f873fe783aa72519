"""mapsheet:squares, Square sheets: the square sheets of 1:5000 .. 1:500 that meet a polygon
layer or an extent, as squares in their Gauss-Kruger CRS with the fields sheet, crs and scale.

The area is transformed into CRS by QGIS; the module names the square holding each point and
gives its edges. The squares meeting the area are found by asking the module for the square of
one point per square of the area's bounding box (the centres of a lattice of the square size
started in the square of the south-west corner), then keeping those whose interior meets the
area's interior.
"""

import numpy

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsGeometry,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterString,
    QgsRectangle,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QVariant

from .algorithm_base import MapsheetAlgorithm, call, module, scale_row, scales_help
from .layer_area import add_area_parameters, area_geometry, check_area_parameters

SQUARE_DENOMINATORS = (5000, 2000, 1000, 500)


def _square_fields():
    fields = QgsFields()
    fields.append(QgsField("sheet", QVariant.String, len=24))
    fields.append(QgsField("crs", QVariant.String, len=64))
    fields.append(QgsField("scale", QVariant.Int))
    return fields


class SquaresAlgorithm(MapsheetAlgorithm):
    def name(self):
        return "squares"

    def displayName(self):
        return "Square sheets"

    def shortHelpString(self):
        return (
            "The square sheets meeting the polygons of a layer or an extent: 2 km at 1:5000, "
            "1 km at 1:2000, 500 m at 1:1000, 250 m at 1:500, cut from CGCS2000 Gauss-Kruger "
            "plane coordinates at whole multiples of the size, each numbered by its south-west "
            "corner, x (northing) then y (easting) in kilometres (3810-502, 3810.25-501.50). "
            "A square only touching the area's edge is left out.\n\n"
            "CRS: the CGCS2000 Gauss-Kruger system, as mapsheet-cli square --crs takes it: "
            "EPSG:4491-4501 (6-degree zones 13-23, zone number in front of y), EPSG:4502-4512 "
            "(6-degree, CM 75E-135E), EPSG:4513-4533 (3-degree zones 25-45, zone number in "
            "front of y), EPSG:4534-4554 (3-degree, CM 75E-135E).\n\n"
            + scales_help(SQUARE_DENOMINATORS)
        )

    def initAlgorithm(self, config=None):
        add_area_parameters(self)
        self.add_scale_parameter("Scale (1:5000 .. 1:500)", "1:5000")
        crs = QgsProcessingParameterString("CRS", "Gauss-Kruger system (EPSG:4491 .. EPSG:4554)")
        crs.setHelp("The CGCS2000 Gauss-Kruger system the squares are cut from, as EPSG:CODE")
        self.addParameter(crs)
        self.addParameter(
            QgsProcessingParameterFeatureSink("OUTPUT", "Square sheets", QgsProcessing.TypeVectorPolygon)
        )

    def checkParameterValues(self, parameters, context):
        for check in (
            check_area_parameters(self, parameters, context),
            self.check_scale(parameters, context, SQUARE_DENOMINATORS),
            self._check_crs(parameters, context),
        ):
            if not check[0]:
                return check
        return super().checkParameterValues(parameters, context)

    def _crs(self, parameters, context):
        text = self.parameterAsString(parameters, "CRS", context).strip()
        return text, QgsCoordinateReferenceSystem(text)

    def _check_crs(self, parameters, context):
        text, crs = self._crs(parameters, context)
        if not crs.isValid() or crs.isGeographic():
            return False, "CRS {!r} is no projected system QGIS knows".format(text)
        return True, ""

    def processAlgorithm(self, parameters, context, feedback):
        scale = self.scale_value(parameters, context)
        row = scale_row(scale)
        crs_text, crs = self._crs(parameters, context)
        area = area_geometry(self, parameters, context, feedback, crs)
        if feedback.isCanceled():
            return {}
        numbers = _squares_meeting(area, scale, row["square_metres"])
        edges = call(module().square_bounds, numbers, scale)
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, _square_fields(), QgsWkbTypes.Polygon, crs
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        total = len(numbers)
        for index in range(total):
            if feedback.isCanceled():
                return {}
            feature = QgsFeature()
            feature.setAttributes([str(numbers[index]), crs.authid() or crs_text, row["denominator"]])
            # QGIS's x is the easting, the system's y.
            feature.setGeometry(
                QgsGeometry.fromRect(
                    QgsRectangle(
                        edges["west"][index], edges["south"][index],
                        edges["east"][index], edges["north"][index],
                    )
                )
            )
            sink.addFeature(feature, QgsFeatureSink.FastInsert)
            if index % 1000 == 0:
                feedback.setProgress(100.0 * index / total)
        return {"OUTPUT": destination}


def _squares_meeting(area, scale, size):
    """The numbers of the squares whose interior meets the area's (rows from the north, each
    from the west), the squares named by the module."""
    box = area.boundingBox()
    mapsheet = module()
    first = call(mapsheet.square_bounds, [call(mapsheet.square, box.yMinimum(), box.xMinimum(), scale)], scale)
    northings = numpy.arange(first["south"][0] + size / 2, box.yMaximum() + size / 2, size)[::-1]
    eastings = numpy.arange(first["west"][0] + size / 2, box.xMaximum() + size / 2, size)
    x, y = numpy.meshgrid(northings, eastings, indexing="ij")
    candidates = call(mapsheet.square, x.ravel(), y.ravel(), scale, errors="raise")
    edges = call(mapsheet.square_bounds, candidates, scale)
    engine = QgsGeometry.createGeometryEngine(area.constGet())
    engine.prepareGeometry()
    kept = []
    for index, number in enumerate(candidates):
        square = QgsGeometry.fromRect(
            QgsRectangle(edges["west"][index], edges["south"][index], edges["east"][index], edges["north"][index])
        )
        if engine.intersects(square.constGet()) and not engine.touches(square.constGet()):
            kept.append(str(number))
    return kept
