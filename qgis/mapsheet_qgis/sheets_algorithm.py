"""mapsheet:sheets, Sheets of numbers: for each row of a table, the sheet its FIELD names (in
either numbering) as a polygon in EPSG:4490, the row's attributes kept and new, old, scale and
error added; a row whose number names no sheet keeps no geometry and says why in error."""

from qgis.core import (
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsProcessingParameterField,
    QgsProcessingUtils,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QVariant

from .algorithm_base import MapsheetAlgorithm, cgcs2000, module
from .sheet_features import sheet_columns, sheet_fields, sheet_attributes, sheet_geometry

BATCH = 20000


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
        added = sheet_fields()
        added.append(QgsField("error", QVariant.String, len=254))
        fields = QgsProcessingUtils.combineFields(source.fields(), added)
        sink, destination = self.parameterAsSink(
            parameters, "OUTPUT", context, fields, QgsWkbTypes.Polygon, cgcs2000()
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
                _write_batch(sink, batch, field_index)
                done += len(batch)
                batch = []
                feedback.setProgress(100.0 * done / total)
        _write_batch(sink, batch, field_index)
        return {"OUTPUT": destination}


def _write_batch(sink, features, field_index):
    texts = ["" if f.attribute(field_index) is None else str(f.attribute(field_index)) for f in features]
    errors = [_number_error(text) for text in texts]
    readable = [index for index, error in enumerate(errors) if not error]
    columns = sheet_columns([texts[index] for index in readable]) if readable else None
    position = {index: k for k, index in enumerate(readable)}
    out = []
    for index, feature in enumerate(features):
        sheet = QgsFeature()
        if index in position:
            attributes = sheet_attributes(columns, position[index]) + [None]
            sheet.setGeometry(sheet_geometry(columns, position[index]))
        else:
            attributes = [None, None, None, errors[index]]
        sheet.setAttributes(feature.attributes() + attributes)
        out.append(sheet)
    sink.addFeatures(out, QgsFeatureSink.FastInsert)


def _number_error(text):
    """Why text is no sheet number ("" when it is one), in the module's words."""
    mapsheet = module()
    try:
        mapsheet.from_number(text)
    except mapsheet.Error as failure:
        return str(failure)
    return ""
