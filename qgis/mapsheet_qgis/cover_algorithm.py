"""mapsheet:cover, Sheets covering a layer: every sheet of one scale that a polygon layer or an
extent covers under a containment mode, optionally compacted to the coarsest sheets of the
chain, as polygons in EPSG:4490 with new, old and scale."""

from qgis.core import (
    QgsProcessingException,
    QgsProcessingParameterBoolean,
    QgsProcessingParameterEnum,
    QgsProcessingParameterFeatureSink,
    QgsProcessing,
    QgsWkbTypes,
)

from .algorithm_base import MapsheetAlgorithm, call, cgcs2000, module, scales_help
from .layer_area import (
    add_area_parameters,
    area_for_module,
    check_area_parameters,
)
from .sheet_features import sheet_fields, write_sheets

MODES = ["meets", "centre", "within"]


class CoverAlgorithm(MapsheetAlgorithm):
    def name(self):
        return "cover"

    def displayName(self):
        return "Sheets covering a layer"

    def shortHelpString(self):
        return (
            "The sheets of one scale of the national basic-scale topographic map series that "
            "cover the polygons of a layer (any CRS, transformed to CGCS2000) or an extent, as "
            "rectangles in EPSG:4490 with the fields new (1993-2012 number), old (pre-1992 "
            "number, empty at 1:2000 and finer) and scale (the denominator).\n\n"
            "MODE: meets lists every sheet whose interior meets the area's interior (a sheet "
            "only touching the edge is left out); centre the sheets whose centre lies in the "
            "area; within the sheets lying wholly inside it.\n"
            "COMPACT: replace every complete set of children by their parent along "
            "1:500 - 1:1000 - ... - 1:1,000,000, giving sheets of mixed scales.\n\n"
            + scales_help()
        )

    def initAlgorithm(self, config=None):
        add_area_parameters(self)
        self.add_scale_parameter("Scale", "1:50000")
        mode = QgsProcessingParameterEnum("MODE", "Containment", options=MODES, defaultValue="meets")
        mode.setUsesStaticStrings(True)
        mode.setHelp("meets, centre or within")
        self.addParameter(mode)
        self.addParameter(QgsProcessingParameterBoolean("COMPACT", "Compact", defaultValue=False))
        self.addParameter(
            QgsProcessingParameterFeatureSink("OUTPUT", "Sheets", QgsProcessing.TypeVectorPolygon)
        )

    def checkParameterValues(self, parameters, context):
        for check in (check_area_parameters(self, parameters, context), self.check_scale(parameters, context)):
            if not check[0]:
                return check
        return super().checkParameterValues(parameters, context)

    def processAlgorithm(self, parameters, context, feedback):
        scale = self.scale_value(parameters, context)
        mode = self.parameterAsEnumString(parameters, "MODE", context) or "meets"
        compact = self.parameterAsBool(parameters, "COMPACT", context)
        area = area_for_module(self, parameters, context, feedback)
        if feedback.isCanceled():
            return {}
        feedback.pushInfo("Finding the sheets of {} ({})".format(scale, mode))
        sheets = call(module().cover, area, scale, mode=mode, compact=compact, ids=True)
        feedback.pushInfo("{} sheets".format(len(sheets)))
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, sheet_fields(), QgsWkbTypes.Polygon, cgcs2000()
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        if not write_sheets(sink, sheets, feedback):
            return {}
        return {"OUTPUT": destination}
