"""mapsheet:squares, Square sheets: the square sheets of 1:5000 .. 1:500 that meet a polygon
layer or an extent, as squares in their Gauss-Kruger CRS with the fields sheet, crs and scale.

The area goes to the module in CGCS2000 longitude/latitude with the system options as
mapsheet-cli cover --square takes them (CRS, or CENTRAL_MERIDIAN with ZONE_WIDTH, or none for
the 3-degree zone nearest the middle of the area); the module chooses the system and finds the
squares, so the layer holds what the CLI gives for the same area.
"""

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterString,
    QgsWkbTypes,
)

from .algorithm_base import MapsheetAlgorithm, call, module, scale_row, scales_help
from .feature_rows import SCALE, SQUARE, SYSTEM, fields_of, rectangle_wkb, write_rows
from .layer_area import add_area_parameters, area_for_module, check_area_parameters

SQUARE_DENOMINATORS = (5000, 2000, 1000, 500)

# Parameter name, the module's keyword, description, help.
SYSTEM_OPTIONS = (
    ("CRS", "crs", "Gauss-Kruger system (EPSG:4491 .. EPSG:4554)",
     "The CGCS2000 Gauss-Kruger system the squares are cut from, as EPSG:CODE; alone, without "
     "CENTRAL_MERIDIAN and ZONE_WIDTH"),
    ("CENTRAL_MERIDIAN", "central_meridian", "Central meridian (instead of CRS)",
     "The central meridian of the system, decimal degrees or D°M′S″ (116.5, 116°30′)"),
    ("ZONE_WIDTH", "zone_width", "Zone width, 3 or 6 (with CENTRAL_MERIDIAN)",
     "The zone width of the central meridian's system in degrees, 3 or 6 (3 when not given)"),
)


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
            "The system, as mapsheet-cli cover --square takes it: CRS one of EPSG:4491-4501 "
            "(6-degree zones 13-23, zone number in front of y), EPSG:4502-4512 (6-degree, CM "
            "75E-135E), EPSG:4513-4533 (3-degree zones 25-45, zone number in front of y), "
            "EPSG:4534-4554 (3-degree, CM 75E-135E); or CENTRAL_MERIDIAN with ZONE_WIDTH 3 or 6; "
            "or none of them for the 3-degree zone whose central meridian is nearest the middle "
            "of the area. The area must lie within the system's usable width (3 degrees either "
            "side of a 6-degree zone's meridian, 2 of a 3-degree zone's).\n\n"
            + scales_help(SQUARE_DENOMINATORS)
        )

    def initAlgorithm(self, config=None):
        add_area_parameters(self)
        self.add_scale_parameter("Scale (1:5000 .. 1:500)", "1:5000")
        for name, _, description, help_text in SYSTEM_OPTIONS:
            parameter = QgsProcessingParameterString(name, description, optional=True)
            parameter.setHelp(help_text)
            self.addParameter(parameter)
        self.addParameter(
            QgsProcessingParameterFeatureSink(
                "OUTPUT", "Square sheets", QgsProcessing.TypeVectorPolygon
            )
        )

    def checkParameterValues(self, parameters, context):
        for check in (
            check_area_parameters(self, parameters, context),
            self.check_scale(parameters, context, SQUARE_DENOMINATORS),
        ):
            if not check[0]:
                return check
        return super().checkParameterValues(parameters, context)

    def _system_options(self, parameters, context):
        """The module's keywords of the system options given (blank ones left out)."""
        options = {}
        for name, keyword, _, _ in SYSTEM_OPTIONS:
            text = self.parameterAsString(parameters, name, context).strip()
            if text:
                options[keyword] = text
        return options

    def processAlgorithm(self, parameters, context, feedback):
        scale = self.scale_value(parameters, context)
        area = area_for_module(self, parameters, context, feedback)
        if feedback.isCanceled():
            return {}
        mapsheet = module()
        numbers, system = call(
            mapsheet.square_cover, area, scale, **self._system_options(parameters, context)
        )
        feedback.pushInfo("{} square sheets in {}".format(len(numbers), system["name"]))
        crs = QgsCoordinateReferenceSystem("EPSG:{}".format(system["epsg"]))
        if not system["epsg"]:
            crs = QgsCoordinateReferenceSystem.fromProj(system["proj"])
        fields = fields_of((SQUARE, SYSTEM, SCALE))
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, fields, QgsWkbTypes.Polygon, crs
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        edges = call(mapsheet.square_bounds, numbers, scale)
        denominator = scale_row(scale)["denominator"]
        rows = [[number, system["name"], denominator] for number in numbers.tolist()]
        # QGIS's x is the easting, the system's y: the rectangles go west to east in x.
        rectangles = rectangle_wkb(edges["south"], edges["west"], edges["north"], edges["east"])
        if not write_rows(sink, rows, rectangles, feedback):
            return {}
        return {"OUTPUT": destination}
