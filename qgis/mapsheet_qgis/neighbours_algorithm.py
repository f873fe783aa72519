"""mapsheet:neighbours, Neighbourhood: the sheets of the same scale around one sheet, RINGS
sheets deep, as polygons in EPSG:4490 with new, old, scale and ring (0 for the sheet itself)."""

from qgis.core import (
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterNumber,
    QgsProcessingParameterString,
    QgsWkbTypes,
)

from .algorithm_base import MapsheetAlgorithm, call, cgcs2000, module
from .feature_rows import RING
from .sheet_features import sheet_fields, write_sheets

MAX_RINGS = 1000


class NeighboursAlgorithm(MapsheetAlgorithm):
    def name(self):
        return "neighbours"

    def displayName(self):
        return "Neighbourhood"

    def shortHelpString(self):
        return (
            "The sheets of the same scale as NUMBER (either numbering) whose interior meets the "
            "sheet grown by RINGS sheet heights north and south and RINGS sheet widths east "
            "and west (1 to 1000), rows from the north, each from the west. ring is 0 for the "
            "sheet itself, 1 for the sheets around it, and so on. Across 180 degrees the series "
            "goes on (zone 60 next to zone 1); nothing lies beyond 88 degrees of latitude."
        )

    def initAlgorithm(self, config=None):
        number = QgsProcessingParameterString("NUMBER", "Sheet number")
        number.setHelp("A sheet number in either numbering: J50E001015 or J-50-5-A-1")
        self.addParameter(number)
        self.addParameter(
            QgsProcessingParameterNumber(
                "RINGS", "Rings", QgsProcessingParameterNumber.Integer, defaultValue=1,
                minValue=1, maxValue=MAX_RINGS,
            )
        )
        self.addParameter(
            QgsProcessingParameterFeatureSink("OUTPUT", "Sheets", QgsProcessing.TypeVectorPolygon)
        )

    def checkParameterValues(self, parameters, context):
        number = self.parameterAsString(parameters, "NUMBER", context).strip()
        try:
            call(module().from_number, number)
        except QgsProcessingException as failure:
            return False, str(failure)
        return super().checkParameterValues(parameters, context)

    def processAlgorithm(self, parameters, context, feedback):
        number = self.parameterAsString(parameters, "NUMBER", context).strip()
        rings = self.parameterAsInt(parameters, "RINGS", context)
        found = call(module().neighbours, number, rings=rings, ids=True)
        fields = sheet_fields(RING)
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, fields, QgsWkbTypes.Polygon, cgcs2000()
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        rings_of_sheets = [[ring] for ring in found["ring"].tolist()]
        if not write_sheets(sink, found["sheet"], feedback, rings_of_sheets):
            return {}
        return {"OUTPUT": destination}
