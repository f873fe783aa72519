"""mapsheet:sheets, Sheets of numbers: for each row of a table, the sheet its FIELD names (in
either numbering) as a polygon in EPSG:4490, the row's attributes kept and new, old, scale and
error added; a row whose number names no sheet keeps no geometry and says why in error."""

from qgis.core import (
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsProcessingParameterField,
    QgsProcessingUtils,
    QgsWkbTypes,
)

from .algorithm_base import MapsheetAlgorithm, cgcs2000, module
from .feature_rows import ERROR, write_rows
from .sheet_features import BATCH, sheet_fields, sheet_rows


class SheetsAlgorithm(MapsheetAlgorithm):
    def name(self):
        return "sheets"

    def displayName(self):
        return "Sheets of numbers"

    def shortHelpString(self):
        return (
            "Draws the sheets that a table names: FIELD holds sheet numbers of any scale in "
            "either numbering, the 1993-2012 one (J50E001015) or the pre-1992 one "
            "(J-50-5-A-1, J-50-5-(15)-a). Each row gives one feature, in order: its attributes, "
            "then new, old, scale (the denominator) and error, and the sheet's rectangle in "
            "EPSG:4490; a row whose number cannot be read has no geometry and the reason in "
            "error."
        )

    def initAlgorithm(self, config=None):
        self.addParameter(
            QgsProcessingParameterFeatureSource("INPUT", "Table", [QgsProcessing.TypeVector])
        )
        self.addParameter(
            QgsProcessingParameterField(
                "FIELD", "Field of sheet numbers", parentLayerParameterName="INPUT",
                type=QgsProcessingParameterField.String,
            )
        )
        self.addParameter(
            QgsProcessingParameterFeatureSink("OUTPUT", "Sheets", QgsProcessing.TypeVectorPolygon)
        )

    def processAlgorithm(self, parameters, context, feedback):
        source = self.source_or_raise(parameters, "INPUT", context)
        field = self.parameterAsString(parameters, "FIELD", context)
        field_index = source.fields().lookupField(field)
        if field_index < 0:
            raise QgsProcessingException("The layer INPUT has no field {}".format(field))
        fields = QgsProcessingUtils.combineFields(source.fields(), sheet_fields(ERROR))
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, fields, QgsWkbTypes.Polygon, cgcs2000()
        )
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        total = source.featureCount()
        batch = []
        done = 0
        for feature in source.getFeatures():
            batch.append(feature.attributes())
            if len(batch) == BATCH:
                if not _write_batch(sink, batch, field_index, feedback, done, total):
                    return {}
                done += len(batch)
                batch = []
        if not _write_batch(sink, batch, field_index, feedback, done, total):
            return {}
        return {"OUTPUT": destination}


def _write_batch(sink, batch, field_index, feedback, done, total):
    """Writes the rows of one batch of input attributes: each followed by its sheet's new, old,
    scale and no error, or by three empty values and the reason its number names no sheet."""
    texts = ["" if a[field_index] is None else str(a[field_index]) for a in batch]
    errors = [_number_error(text) for text in texts]
    readable = [index for index, error in enumerate(errors) if not error]
    sheet_attributes, rectangles = ([], [])
    if readable:
        sheet_attributes, rectangles = sheet_rows([texts[index] for index in readable])
    rows = [attributes + [None, None, None, error] for attributes, error in zip(batch, errors)]
    geometries = [None] * len(batch)
    for k, index in enumerate(readable):
        rows[index][-4:-1] = sheet_attributes[k]
        geometries[index] = rectangles[k]
    return write_rows(sink, rows, geometries, feedback, done, total)


def _number_error(text):
    """Why text is no sheet number ("" when it is one), in the module's words."""
    mapsheet = module()
    try:
        mapsheet.from_number(text)
    except mapsheet.Error as failure:
        return str(failure)
    return ""
