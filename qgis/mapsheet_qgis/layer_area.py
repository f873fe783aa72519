"""The area that Sheets covering a layer and Square sheets work on: the polygons of INPUT or the
rectangle of EXTENT, exactly one of them, in CGCS2000 longitude/latitude (EPSG:4490).

The polygons are transformed to EPSG:4490 and united into one geometry, so that sheets shared
by neighbouring polygons come once and in order from the north-west. A layer or extent whose
CRS cannot be transformed is refused with the transformation's message.
"""

from qgis.core import (
    QgsCoordinateTransform,
    QgsCsException,
    QgsGeometry,
    QgsProcessingException,
    QgsProcessingParameterExtent,
    QgsProcessingParameterFeatureSource,
    QgsProcessing,
    QgsWkbTypes,
)

from .algorithm_base import cgcs2000


def add_area_parameters(algorithm):
    algorithm.addParameter(
        QgsProcessingParameterFeatureSource(
            "INPUT", "Polygon layer", [QgsProcessing.TypeVectorPolygon], optional=True
        )
    )
    algorithm.addParameter(
        QgsProcessingParameterExtent("EXTENT", "Extent (instead of a layer)", optional=True)
    )


def check_area_parameters(algorithm, parameters, context):
    has_input = parameters.get("INPUT") not in (None, "")
    has_extent = parameters.get("EXTENT") not in (None, "")
    if has_input == has_extent:
        return False, "Give exactly one of INPUT (a polygon layer) and EXTENT"
    return True, ""


def _transform(source_crs, target_crs, context):
    transform = QgsCoordinateTransform(source_crs, target_crs, context.transformContext())
    if not transform.isValid():
        raise QgsProcessingException(
            "No transformation from {} to {}".format(_crs_name(source_crs), _crs_name(target_crs))
        )
    transform.setBallparkTransformsAreAppropriate(False)
    return transform


def _crs_name(crs):
    return crs.authid() or crs.toProj() or crs.description()


def _transformed(geometry, transform, what):
    target = _crs_name(transform.destinationCrs())
    try:
        geometry.transform(transform)
    except QgsCsException as failure:
        raise QgsProcessingException(
            "{} cannot be transformed to {}: {}".format(what, target, failure)
        ) from failure
    if geometry.isEmpty():
        raise QgsProcessingException("{} cannot be transformed to {}".format(what, target))
    return geometry


def area_for_module(algorithm, parameters, context, feedback):
    """The area as the module's cover takes it: the box (south, west, north, east) for an
    EXTENT in EPSG:4490, otherwise a Shapely geometry in EPSG:4490."""
    if parameters.get("EXTENT") not in (None, ""):
        rectangle = algorithm.parameterAsExtent(parameters, "EXTENT", context)
        crs = algorithm.parameterAsExtentCrs(parameters, "EXTENT", context)
        if not crs.isValid() or crs == cgcs2000():
            return (rectangle.yMinimum(), rectangle.xMinimum(), rectangle.yMaximum(), rectangle.xMaximum())
    import shapely.wkb

    geometry = area_geometry(algorithm, parameters, context, feedback, cgcs2000())
    return shapely.wkb.loads(bytes(geometry.asWkb()))


def area_geometry(algorithm, parameters, context, feedback, target_crs):
    """The area as one QgsGeometry in target_crs: the EXTENT rectangle (taken in EPSG:4490
    when it names no CRS) or the union of the INPUT polygons."""
    if parameters.get("EXTENT") not in (None, ""):
        rectangle = algorithm.parameterAsExtent(parameters, "EXTENT", context)
        crs = algorithm.parameterAsExtentCrs(parameters, "EXTENT", context)
        geometry = QgsGeometry.fromRect(rectangle)
        if not crs.isValid():
            crs = cgcs2000()
        if crs == target_crs:
            return geometry
        return _transformed(geometry, _transform(crs, target_crs, context), "The extent")
    source = algorithm.source_or_raise(
        parameters, "INPUT", context, geometry_types=[QgsWkbTypes.PolygonGeometry]
    )
    transform = _transform(source.sourceCrs(), target_crs, context)
    parts = []
    for feature in source.getFeatures():
        if feedback.isCanceled():
            break
        geometry = feature.geometry()
        if geometry.isNull() or geometry.isEmpty():
            continue
        parts.append(_transformed(QgsGeometry(geometry), transform, "Feature {}".format(feature.id())))
    if not parts:
        raise QgsProcessingException("The layer INPUT has no polygons")
    return QgsGeometry.unaryUnion(parts)
