"""GeoPandas frames of sheets (imported only where GeoPandas and Shapely are installed).

Every frame is in EPSG:4490 (CGCS2000 geographic, longitude x, latitude y), the datum the
series is drawn on, so written with to_file it opens in QGIS on top of the sheets
mapsheet-cli writes.
"""

import geopandas as _gpd
import numpy as _np
from shapely.geometry import box as _box
from shapely.ops import unary_union as _unary_union

import mapsheet as _mapsheet
from mapsheet._frames import _with_numbers

CRS = "EPSG:4490"

__all__ = ["CRS", "cover_frame", "number_points", "sheets_frame"]


def sheets_frame(numbers):
    """A GeoDataFrame with one row per sheet (numbers of either numbering, or ids): the columns
    id, new, old and scale (the denominator) and the sheet's outline as a polygon, its edges
    exact to 12 places. A row that is no sheet raises mapsheet.Error.
    """
    given = _np.atleast_1d(_np.asarray(numbers))
    ids = given if given.dtype.kind in "iu" else _mapsheet.from_number(given, errors="raise")
    edges = _mapsheet.bounds(ids, errors="raise")
    return _gpd.GeoDataFrame(
        {
            "id": ids.astype(_np.int64),
            "new": _mapsheet.to_number(ids).astype(object),
            "old": _mapsheet.to_number(ids, old=True).astype(object),
            "scale": _mapsheet.scale_of(ids),
        },
        geometry=list(map(_box, edges["west"], edges["south"], edges["east"], edges["north"])),
        crs=CRS,
    )


def _area_in_cgcs2000(area):
    """The union of a GeoDataFrame's, GeoSeries' or geometry's shapes in EPSG:4490."""
    if isinstance(area, (_gpd.GeoDataFrame, _gpd.GeoSeries)):
        if area.crs is None:
            raise ValueError("the frame has no CRS; set it (EPSG:4490 for CGCS2000 degrees)")
        return _unary_union(list(area.to_crs(CRS).geometry.values))
    return area


def cover_frame(area, scale, mode="meets"):
    """The sheets of SCALE that cover an area as a frame of sheets_frame: for a GeoDataFrame or
    GeoSeries (reprojected to CGCS2000 first) or a Shapely geometry in CGCS2000 degrees, the
    sheets whose interior meets the shapes' interior; for a box (south, west, north, east),
    mapsheet.cover(box, scale, mode).
    """
    shape = _area_in_cgcs2000(area)
    return sheets_frame(_mapsheet.cover(shape, scale, mode=mode, ids=True))


def number_points(frame, scale, *, threads=None):
    """A copy of a GeoDataFrame of points with the columns new and old added: the sheets of SCALE
    that hold them (points reprojected to CGCS2000 first). A point without a sheet, or a row
    whose geometry is missing or not a point, gets empty numbers.
    """
    if frame.crs is None:
        raise ValueError("the frame has no CRS; set it (EPSG:4490 for CGCS2000 degrees)")
    points = frame.geometry.to_crs(CRS)
    is_point = _np.asarray(points.geom_type == "Point")
    longitude = _np.where(is_point, points.x.where(is_point), _np.nan).astype(float)
    latitude = _np.where(is_point, points.y.where(is_point), _np.nan).astype(float)
    return _with_numbers(frame, latitude, longitude, scale, threads)
