"""mapsheet:squares, Square sheets: the square sheets of 1:5000 .. 1:500 that meet a polygon
layer or an extent, as squares in their Gauss-Kruger CRS with the fields sheet, crs and scale.

The system is chosen as `mapsheet-cli square` chooses it, under the same option names: CRS (one
of the CGCS2000 Gauss-Kruger systems EPSG:4491-4554), or CENTRAL_MERIDIAN with ZONE_WIDTH, or
neither (the 3-degree zone whose central meridian is nearest the area)."""

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsGeometry,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterEnum,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterString,
    QgsRectangle,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QVariant

from .algorithm_base import MapsheetAlgorithm, call, module, scales_help
from .layer_area import (
    add_area_parameters,
    area_for_module,
    check_area_parameters,
)

SQUARE_DENOMINATORS = (5000, 2000, 1000, 500)
ZONE_WIDTHS = ["3", "6"]


def _square_fields():
    fields = QgsFields()
    fields.append(QgsField("sheet", QVariant.String, len=24))
    fields.append(QgsField("crs", QVariant.String, len=254))
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
            "corner, x (northing) then y (easting) in kilometres (3810-502, 3810.25-501.50).\n\n"
            "CRS: a CGCS2000 Gauss-Kruger system, EPSG:4491-4501 (6-degree zones 13-23, zone "
            "number in front of y), EPSG:4502-4512 (6-degree, CM 75E-135E), EPSG:4513-4533 "
            "(3-degree zones 25-45, zone number in front of y), EPSG:4534-4554 (3-degree, CM "
            "75E-135E). CENTRAL_MERIDIAN: instead, any central meridian in decimal degrees or "
            "D°M′S″, with ZONE_WIDTH 3 (the default) or 6; y then carries no zone number. "
            "Without either, the 3-degree zone whose central meridian is nearest the area.\n\n"
            + scales_help(SQUARE_DENOMINATORS)
        )

    def initAlgorithm(self, config=None):
        add_area_parameters(self)
        self.add_scale_parameter("Scale (1:5000 .. 1:500)", "1:5000")
        crs = QgsProcessingParameterString("CRS", "Gauss-Kruger system (EPSG:4491 .. EPSG:4554)", optional=True)
        self.addParameter(crs)
        self.addParameter(
            QgsProcessingParameterString("CENTRAL_MERIDIAN", "Central meridian (degrees)", optional=True)
        )
        width = QgsProcessingParameterEnum(
            "ZONE_WIDTH", "Zone width (with CENTRAL_MERIDIAN)", options=ZONE_WIDTHS, optional=True
        )
        width.setUsesStaticStrings(True)
        self.addParameter(width)
        self.addParameter(
            QgsProcessingParameterFeatureSink("OUTPUT", "Square sheets", QgsProcessing.TypeVectorPolygon)
        )

    def _system(self, parameters, context):
        crs = self.parameterAsString(parameters, "CRS", context).strip() or None
        meridian = self.parameterAsString(parameters, "CENTRAL_MERIDIAN", context).strip() or None
        width = self.parameterAsEnumString(parameters, "ZONE_WIDTH", context) or None
        return crs, meridian, width

    def checkParameterValues(self, parameters, context):
        crs, meridian, width = self._system(parameters, context)
        if crs and meridian:
            return False, "Give CRS or CENTRAL_MERIDIAN, not both"
        if width and not meridian:
            return False, "ZONE_WIDTH goes with CENTRAL_MERIDIAN"
        for check in (
            check_area_parameters(self, parameters, context),
            self.check_scale(parameters, context, SQUARE_DENOMINATORS),
        ):
            if not check[0]:
                return check
        return super().checkParameterValues(parameters, context)

    def processAlgorithm(self, parameters, context, feedback):
        scale = self.scale_value(parameters, context)
        crs, meridian, width = self._system(parameters, context)
        area = area_for_module(self, parameters, context, feedback)
        if feedback.isCanceled():
            return {}
        squares = call(
            module().square_cover,
            area,
            scale,
            crs=crs,
            central_meridian=meridian,
            zone_width=int(width) if width else None,
        )
        output_crs = QgsCoordinateReferenceSystem(squares["crs_definition"])
        if not output_crs.isValid():
            raise QgsProcessingException("QGIS cannot read the CRS {}".format(squares["crs"]))
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, _square_fields(), QgsWkbTypes.Polygon, output_crs
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        denominator = call(module().scale_info, scale)["denominator"]
        total = len(squares["sheet"])
        for index in range(total):
            if feedback.isCanceled():
                return {}
            feature = QgsFeature()
            feature.setAttributes([str(squares["sheet"][index]), squares["crs"], denominator])
            feature.setGeometry(
                QgsGeometry.fromRect(
                    QgsRectangle(
                        float(squares["west_y"][index]),
                        float(squares["south_x"][index]),
                        float(squares["east_y"][index]),
                        float(squares["north_x"][index]),
                    )
                )
            )
            sink.addFeature(feature, QgsFeatureSink.FastInsert)
            if index % 1000 == 0:
                feedback.setProgress(100.0 * index / total)
        return {"OUTPUT": destination}
