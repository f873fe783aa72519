"""What the five algorithms share: the provider's group, the mapsheet module with its errors turned
into QGIS's, the SCALE parameter and the checks of an input layer.

Every value check that concerns sheets (a scale, a number, a mode, a square system) is the
module's: the algorithms pass the text on and report the module's message unchanged through
QgsProcessingException, which QGIS shows as the algorithm's error and which leaves no layer.
"""

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsProcessingAlgorithm,
    QgsProcessingException,
    QgsProcessingParameterString,
    QgsWkbTypes,
)

# Sheets are drawn and numbered in CGCS2000 longitude/latitude.
CGCS2000 = "EPSG:4490"


def cgcs2000():
    return QgsCoordinateReferenceSystem(CGCS2000)


def module():
    """The mapsheet module, or the algorithm's error saying how to install it."""
    try:
        import mapsheet
    except ImportError as failure:
        raise QgsProcessingException(
            "the mapsheet Python module is not installed ({}); install python3-mapsheet or put "
            "the build's python folder on PYTHONPATH".format(failure)
        ) from failure
    return mapsheet


def call(function, *args, **kwargs):
    """function(*args, **kwargs) with the module's mapsheet.Error reported as QGIS's error."""
    error_class = module().Error
    try:
        return function(*args, **kwargs)
    except error_class as failure:
        raise QgsProcessingException(str(failure)) from failure


def scale_row(text):
    """The module's scales() entry of a scale written as mapsheet-cli takes it.

    The module reads the text where it numbers a point, so the scale is that of the sheet it
    gives the point 0, 0; an unreadable scale is the module's error."""
    mapsheet = module()
    denominator = call(mapsheet.scale_of, call(mapsheet.number, 0.0, 0.0, text))
    return next(row for row in mapsheet.scales() if row["denominator"] == denominator)


def scales_help(only=None):
    """The help paragraph of SCALE: the scales (those of denominators only, when given) with
    the forms the parameter takes, the Chinese names as the window shows them."""
    try:
        rows = module().scales()
    except QgsProcessingException as failure:
        return str(failure)
    lines = ["SCALE takes every form mapsheet-cli takes:"]
    for row in rows:
        if only is None or row["denominator"] in only:
            forms = [row["ratio"], str(row["denominator"])]
            if row["caption"] != row["ratio"]:
                forms.append(row["caption"])
            forms.append(row["letter"])
            lines.append("  " + ", ".join(forms))
    return "\n".join(lines)


class MapsheetAlgorithm(QgsProcessingAlgorithm):
    """Base of the provider's algorithms: a fresh instance per run, one group."""

    def createInstance(self):
        return type(self)()

    def group(self):
        return "Map sheets"

    def groupId(self):
        return "mapsheet"

    def add_scale_parameter(self, description, default):
        parameter = QgsProcessingParameterString("SCALE", description, defaultValue=default)
        parameter.setHelp(
            "A scale as mapsheet-cli takes it: 1:250000, 250000, 1:250,000, 1:25万 or the "
            "letter C"
        )
        self.addParameter(parameter)

    def scale_value(self, parameters, context):
        """The SCALE text as given; the module reads it."""
        return self.parameterAsString(parameters, "SCALE", context).strip()

    def check_scale(self, parameters, context, accepted=None):
        """(True, "") when the module reads SCALE as a scale (one of accepted when given),
        else (False, the module's message)."""
        text = self.scale_value(parameters, context)
        try:
            denominator = scale_row(text)["denominator"]
        except QgsProcessingException as failure:
            return False, str(failure)
        if accepted is not None and denominator not in accepted:
            return False, "SCALE {} is not one of 1:{}".format(
                text, ", 1:".join(str(d) for d in sorted(accepted, reverse=True))
            )
        return True, ""

    def source_or_raise(self, parameters, name, context, geometry_types=None):
        """The feature source of parameter name, refused when it cannot be read, has no
        features or (geometry_types given) holds other geometries."""
        source = self.parameterAsSource(parameters, name, context)
        if source is None:
            raise QgsProcessingException(self.invalidSourceError(parameters, name))
        if source.featureCount() == 0:
            raise QgsProcessingException("The layer {} has no features".format(name))
        if geometry_types is not None:
            kind = QgsWkbTypes.geometryType(source.wkbType())
            if kind not in geometry_types:
                raise QgsProcessingException(
                    "The layer {} holds {} geometries; this algorithm needs {}".format(
                        name,
                        QgsWkbTypes.geometryDisplayString(kind).lower(),
                        " or ".join(
                            QgsWkbTypes.geometryDisplayString(t).lower() for t in geometry_types
                        ),
                    )
                )
        return source
