"""mapsheet.square_cover: the square sheets meeting an area, as `mapsheet-cli cover --square`."""

import numpy as _np

from . import _core
from ._arrays import Error, _scale_index


def _polygons_of(geometry):
    """The rings of a Shapely (multi)polygon as the core takes them: per polygon, the exterior
    then the holes, each an N x 2 array of longitude, latitude."""
    kind = geometry.geom_type
    if kind == "Polygon":
        parts = [geometry]
    elif kind in ("MultiPolygon", "GeometryCollection"):
        parts = [part for part in geometry.geoms if part.geom_type == "Polygon"]
        if len(parts) != len(geometry.geoms):
            raise TypeError("square_cover takes polygons, not a collection holding other "
                            "geometries")
    else:
        raise TypeError(f"square_cover takes polygons, not a {kind}")
    polygons = [[_np.asarray(part.exterior.coords)[:, :2]]
                + [_np.asarray(hole.coords)[:, :2] for hole in part.interiors]
                for part in parts if not part.is_empty]
    if not polygons:
        raise Error("the geometry is empty")
    return polygons


def _option_text(value, name):
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, (str, int, float, _np.number)):
        raise TypeError(f"{name} must be a str or a number, not {type(value).__name__}")
    return str(value)


def square_cover(box_or_geometry, scale, *, crs=None, central_meridian=None, zone_width=None,
                 max_sheets=10_000_000):
    """The square sheets of 1:5000, 1:2000, 1:1000 or 1:500 whose interior meets an area, as
    `mapsheet-cli cover --square` gives them: rows of sheets from the north, each from the west.

    box_or_geometry   (south, west, north, east) in CGCS2000 degrees, or a Shapely polygon or
                      multipolygon in CGCS2000 degrees (longitude x, latitude y)
    scale             1:5000, 1:2000, 1:1000 or 1:500, as mapsheet-cli takes it
    crs               "EPSG:4491" .. "EPSG:4554", the Gauss-Kruger system the squares are cut
                      from; or central_meridian (degrees, 116.5 or "116°30′") with zone_width
                      3 or 6 (3 when not given); with none of them, the 3-degree zone whose
                      central meridian is nearest the middle of the area
    max_sheets        refuse (mapsheet.Error) a cover of more sheets than this

    The area must lie within the system's usable width. Returns (numbers, system): a str array
    of square numbers ("3810-502") and a dict with the system's name as the CLI's crs column
    writes it ("EPSG:4527", "CGCS2000 3-degree Gauss-Kruger CM 116.5E"), its epsg code (0 for
    none) and its proj definition. square_bounds(numbers, scale) gives their edges.
    """
    if hasattr(box_or_geometry, "geom_type"):
        box, polygons = (0.0, 0.0, 0.0, 0.0), _polygons_of(box_or_geometry)
    else:
        try:
            box = tuple(float(v) for v in box_or_geometry)
        except (TypeError, ValueError):
            box = ()
        if len(box) != 4:
            raise TypeError("square_cover takes a box (south, west, north, east) in degrees "
                            "or a Shapely polygon")
        polygons = []
    numbers, name, epsg, proj = _core.square_cover(
        *box, polygons, _scale_index(scale), _option_text(crs, "crs"),
        _option_text(central_meridian, "central_meridian"),
        _option_text(zone_width, "zone_width"), int(max_sheets))
    return _np.array(numbers, dtype="U24"), {"name": name, "epsg": epsg, "proj": proj}
