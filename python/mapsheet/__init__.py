"""Sheets of the Chinese national basic-scale topographic map series, over NumPy arrays.

Names the sheet that holds a point at one of twelve scales, in the 1993-2012 standard
numbering (new, K50E003005) and in the pre-1992 numbering (old, J-50-5-A-1); reads numbers
back into bounds and centres; covers boxes with sheets; converts angles between the written
forms of the angle window. Every rule comes from the compiled engine that mapsheet-cli runs,
so both always give the same answer.

SCALE, wherever a function takes one, is written as mapsheet-cli takes it: "1:50000", 50000,
"50,000", "1:5万" or the scale letter "E" (see scales()).

Array functions take array-likes of any shape that broadcast together, any real dtype and any
layout (slices, transposes), and return arrays of the broadcast shape; scalars in give scalars
out. Points are numbered with the GIL released on `threads` threads (default: the processors
available). A row without an answer follows `errors`:
  "raise"  raise mapsheet.Error with the engine's message (the default for scalars),
  "empty"  an empty string (NaN for numbers) in that row (the default for arrays),
  "mask"   a numpy.ma masked array, masked where there is no answer.
"""

import json as _json

import numpy as _np

from . import _core
from ._arrays import (
    Error,
    _scale_index,
    _threads,
    _error_mode,
    _coordinate_pair,
    _finish,
    _sheet_array,
    _value_result,
    _edge_result,
    _one_sheet,
)
from ._square_cover import square_cover

Error.__doc__ = "A value the engine refuses; the message is the engine's (a ValueError)."
Error.__module__ = "mapsheet"

__all__ = [
    "Error",
    "angle",
    "area",
    "bounds",
    "centre",
    "children",
    "corners",
    "cover",
    "from_number",
    "neighbours",
    "number",
    "old_number",
    "parent",
    "scale_of",
    "scales",
    "sheet_id",
    "square",
    "square_bounds",
    "square_cover",
    "to_number",
]

def _number(latitude, longitude, scale, output, errors, threads):
    lat, lon, scalar = _coordinate_pair(latitude, longitude, ("latitude", "longitude"))
    mode = _error_mode(errors, scalar)
    index = _scale_index(scale)
    if output == _core.PointOutput.OLD_NUMBER and not _core.scale_rows()[index]["has_old_number"]:
        if mode == "raise":
            _core.number_points(lat.reshape(-1)[:0], lon.reshape(-1)[:0], index, output, 1)
        numbers = _np.full(lat.shape, "")
        return numbers.reshape(()).item() if scalar else _finish(numbers, -1, None, mode, False, "")
    numbers, first_missing = _core.number_points(lat, lon, index, output, _threads(threads))

    def message(index):
        point = _np.unravel_index(index, lat.shape) if lat.ndim else ()
        return (
            f"point {lat[point]!r}, {lon[point]!r} (row {index}): {_core.no_sheet_reason()}"
        )

    empty = 0 if output == _core.PointOutput.SHEET_ID else ""
    return _finish(numbers, first_missing, message, mode, scalar, empty)


def number(latitude, longitude, scale, *, errors=None, threads=None):
    """The 1993-2012 standard number of the sheet of SCALE that holds each point, as
    `mapsheet-cli number` writes it in its new column: K50 at 1:1,000,000, K50E003005,
    SK50D001012 in the south, four-digit codes at 1:1000 and 1:500 (K50J11521152). 1:200,000
    (R) is not part of that standard: its number is the code of the same 6 x 6 division.

    latitude, longitude  decimal degrees, north and east positive; array-likes that broadcast
    scale                1:50000, 50000, "1:5万" or "E" (see scales())
    errors               "raise", "empty" or "mask" for points without a sheet
    threads              threads to number on (default: the processors available)

    A point has a sheet when -88 < latitude < 88 and -180 <= longitude < 180; NaN and
    infinities never do. A point on a sheet line belongs to the sheet north and east of it
    (south and east of it in the southern hemisphere); a point within 1e-10 degree of a line
    counts as on it.

    Returns a str array of the broadcast shape (a str for scalars); "" where there is no sheet.

    >>> mapsheet.number(39.979, 116.318, "1:50000")
    'J50E001010'
    """
    return _number(latitude, longitude, scale, _core.PointOutput.NEW_NUMBER, errors, threads)


def old_number(latitude, longitude, scale, *, errors=None, threads=None):
    """The pre-1992 number of the sheet of SCALE that holds each point, as `mapsheet-cli number`
    writes it in its old column: K-50, K-50-D, K-50-[11], K-50-(1), K-50-104, K-50-104-A,
    K-50-104-A-1, K-50-104-(1), and at 1:5000 the historical form K-50-104-(1)-a. 1:2000 and
    finer have none: mapsheet.Error (or empty strings when errors says so).

    Arguments, line rule and errors as number().
    """
    return _number(latitude, longitude, scale, _core.PointOutput.OLD_NUMBER, errors, threads)


def sheet_id(latitude, longitude, scale, *, errors=None, threads=None):
    """The id of the sheet of SCALE that holds each point: a positive 64-bit integer, the same for
    the sheet in both numberings and at every scale unique (its bits hold the scale, hemisphere,
    row, zone and codes, so ids sort by scale first). to_number turns ids back into numbers.

    Arguments, line rule and errors as number(); 0 where there is no sheet. Returns an int64
    array (an int for scalars).
    """
    return _number(latitude, longitude, scale, _core.PointOutput.SHEET_ID, errors, threads)


def to_number(ids, *, old=False, errors=None):
    """The written numbers of sheets given by id (or by number, which gives the canonical
    spelling): the 1993-2012 number, or the pre-1992 one with old=True ("" at 1:2000 and finer,
    which have none). Returns a str array (a str for one id).
    """
    sheets, scalar = _sheet_array(ids, 1)
    return _value_result(sheets, sheets.numbers(old=bool(old)), "", errors, scalar)


def from_number(numbers, *, errors=None, threads=None):
    """The ids of written sheet numbers of either numbering, in the typed forms `mapsheet-cli
    sheet` reads: K50E003005, SH50D001012, J-50-5-A-1, K-50-104-(1)-a; full-width characters,
    the dashes people type, blanks and lower-case letters are accepted. to_number writes them
    back, in either numbering.

    Errors name the wrong piece and its range: "row code 145: 1:100,000 has rows 1 to 12".
    Returns an int64 array (an int for one str); 0 on rows that are no number.
    """
    sheets, scalar = _sheet_array(numbers, threads)
    if not isinstance(numbers, (str, _np.str_)) and sheets.size and _np.asarray(
            numbers).dtype.kind in "iu":
        raise TypeError("from_number reads numbers (str); ids are already ids")
    return _value_result(sheets, sheets.ids(), 0, errors, scalar)


def bounds(numbers, *, errors=None, threads=None):
    """The edges of each sheet in decimal degrees, each the nearest double of the exact edge
    rounded to 12 places, as `mapsheet-cli sheet` gives them.

    numbers  sheet numbers of either numbering (as from_number reads them) or sheet ids

    Returns a structured array with the fields south, west, north, east (NaN on rows that are
    no sheet when errors="empty"); for one str, a tuple (south, west, north, east).
    """
    sheets, scalar = _sheet_array(numbers, threads)
    return _edge_result(sheets, sheets.bounds(), ("south", "west", "north", "east"), errors,
                        scalar)


def centre(numbers, *, errors=None, threads=None):
    """The centre of each sheet, halfway between its exact edges: a structured array with the
    fields latitude and longitude; for one str, a tuple (latitude, longitude).
    """
    sheets, scalar = _sheet_array(numbers, threads)
    return _edge_result(sheets, sheets.centres(), ("latitude", "longitude"), errors, scalar)


def area(numbers, *, errors=None, threads=None):
    """The area of each sheet in square metres on the CGCS2000 ellipsoid (a = 6378137 m,
    f = 1/298.257222101): the zone between its two parallels times its share of longitude.
    Sheets given by number or id; returns a float64 array (a float for one sheet).
    """
    sheets, scalar = _sheet_array(numbers, threads)
    return _value_result(sheets, sheets.areas(), float("nan"), errors, scalar)


def scale_of(numbers, *, errors=None):
    """The scale denominator of each sheet (50000 for J50E001010 or J-50-5-B), given by number or
    id; an int32 array (an int for one sheet), 0 on rows that are no sheet.
    """
    sheets, scalar = _sheet_array(numbers, 1)
    return _value_result(sheets, sheets.denominators(), 0, errors, scalar)


_CORNER_FIELDS = ("central_meridian", "sw_x", "sw_y", "se_x", "se_y", "ne_x", "ne_y", "nw_x",
                  "nw_y")


def corners(numbers, *, zone=None, central_meridian=None, errors=None):
    """The four corners of each sheet in CGCS2000 Gauss-Kruger plane coordinates (PROJ's exact
    Transverse Mercator), x the northing and y the easting with the 500 km false easting and no
    zone number in front.

    numbers           sheets by number or id
    zone              the zone to draw in (6-degree zones 1..60 for 1:25,000 and smaller,
                      3-degree zones 1..120 for 1:10,000 and larger); default: the zone of
                      the sheet's centre
    central_meridian  any central meridian, in degrees east, instead of a zone

    A sheet the chosen zone does not reach is refused with the reason. Returns a structured
    array with the fields zone, central_meridian, sw_x, sw_y, se_x, se_y, ne_x, ne_y, nw_x and
    nw_y (a dict for one sheet).
    """
    if not hasattr(_core, "corners"):
        raise Error("this build of mapsheet has no PROJ, so no Gauss-Kruger corners")
    if zone is not None and central_meridian is not None:
        raise ValueError("give a zone or a central meridian, not both")
    sheets, scalar = _sheet_array(numbers, 1)
    zones, columns, valid, first_bad, first_error = _core.corners(
        sheets, int(zone or 0), None if central_meridian is None else float(central_meridian))
    mode = _error_mode(errors, scalar)
    if first_bad >= 0 and mode == "raise":
        raise Error(first_error)
    table = _np.empty(len(zones), dtype=[("zone", "i4")] + [(f, "f8") for f in _CORNER_FIELDS])
    table["zone"] = zones
    for name, column in zip(_CORNER_FIELDS, columns):
        table[name] = column
    if scalar:
        if first_bad >= 0:
            return _np.ma.masked if mode == "mask" else {}
        return {name: table[name][0].item() for name in table.dtype.names}
    table = table.reshape(_np.shape(sheets.validity()))
    if mode == "mask":
        mask = _np.empty(table.shape, dtype=[(name, bool) for name in table.dtype.names])
        for name in table.dtype.names:
            mask[name] = ~valid.reshape(table.shape)
        return _np.ma.masked_array(table, mask=mask)
    return table


def neighbours(number, rings=1, *, ids=False):
    """The sheets of the same scale around one sheet, as `mapsheet-cli` neighbours them: every
    sheet whose interior meets the sheet's box grown by `rings` sheet heights north and south
    and widths east and west. Rows from the north, each from the west; across 180 degrees the
    series goes on (zone 60 lies next to zone 1); nothing beyond +-88 degrees.

    number  a sheet number of either numbering, or an id
    rings   1 .. 1000
    ids     return ids instead of new numbers

    Returns a structured array with the fields sheet (new number, or id) and ring (0 for the
    sheet itself, k for the sheets first met by the box grown by k).
    """
    if isinstance(rings, bool) or not isinstance(rings, (int, _np.integer)):
        raise TypeError(f"rings must be an int, not {type(rings).__name__}")
    found, ring = _core.neighbours(_one_sheet(number), int(rings))
    values = found.ids() if ids else found.numbers(old=False)
    table = _np.empty(len(ring), dtype=[("sheet", values.dtype), ("ring", "i4")])
    table["sheet"], table["ring"] = values, ring
    return table


def parent(numbers, scale, *, ids=False, errors=None):
    """The sheet of the coarser SCALE (or the same one) that contains each sheet, as its new
    number (or id with ids=True). 1:200,000 and 1:250,000 do not nest, and a finer scale has
    no parent: mapsheet.Error, or "" / 0 as errors says.
    """
    sheets, scalar = _sheet_array(numbers, 1)
    parents = _core.parents(sheets, _scale_index(scale))
    values = parents.ids() if ids else parents.numbers(old=False)
    if not scalar:
        values = values.reshape(_np.shape(sheets.validity()))
    return _value_result(parents, values, 0 if ids else "", errors, scalar)


def children(number, scale, *, ids=False, max_sheets=10_000_000):
    """The sheets of the finer SCALE (or the same one) inside one sheet, from the north-west, as
    new numbers (ids with ids=True). For 1:200,000 against 1:250,000, which do not nest, the
    sheets that meet it. More than max_sheets sheets raise mapsheet.Error.
    """
    found = _core.children(_one_sheet(number), _scale_index(scale), max_sheets)
    return found.ids() if ids else found.numbers(old=False)


def _box_of(box_or_geometry):
    """(south, west, north, east, geometry or None)."""
    if hasattr(box_or_geometry, "bounds") and hasattr(box_or_geometry, "geom_type"):
        west, south, east, north = box_or_geometry.bounds
        return south, west, north, east, box_or_geometry
    try:
        south, west, north, east = (float(v) for v in box_or_geometry)
    except (TypeError, ValueError):
        raise TypeError(
            "cover takes a box (south, west, north, east) in degrees or a Shapely geometry"
        ) from None
    return south, west, north, east, None


def cover(box_or_geometry, scale, mode="meets", compact=False, *, ids=False,
          max_sheets=10_000_000):
    """The sheets of SCALE for a box, as `mapsheet-cli cover --bbox` gives them: rows of sheets
    from the north, each row from the west. Exact on the 1/8-second lattice.

    box_or_geometry  (south, west, north, east) in decimal degrees, or a Shapely geometry in
                     CGCS2000 degrees (longitude x, latitude y): the sheets of its bounding box
                     whose interior meets the geometry's interior
    scale            1:50000, 50000, "1:5万" or "E"
    mode             "meets": the sheets whose interior meets the box (a sheet that only
                     touches its edge is not in it; a box inside one sheet gives that sheet);
                     "centre": the sheets whose centre lies in the box; "within": the sheets
                     that lie wholly inside it
    compact          True: where every sheet of SCALE inside a coarser sheet is in the cover,
                     the coarser sheet stands in for them (1:500 up to 1:1,000,000; 1:200,000
                     stays as it is); children(sheet, scale) gives them back
    ids              return ids instead of new numbers
    max_sheets       refuse (mapsheet.Error) a cover of more sheets than this

    Returns a str array of new numbers (an int64 array of ids).
    """
    south, west, north, east, geometry = _box_of(box_or_geometry)
    if geometry is not None and (mode != "meets" or compact):
        raise Error("a geometry is covered in mode 'meets' without compact; give its box for "
                    "the other modes")
    if not isinstance(mode, str):
        raise TypeError(f"mode must be a str, not {type(mode).__name__}")
    sheets = _core.cover_box(south, west, north, east, _scale_index(scale), mode, bool(compact),
                             max_sheets)
    values = sheets.ids() if ids else sheets.numbers(old=False)
    if geometry is None:
        return values
    return values[_meets_interior(sheets.bounds(), geometry)]


def _meets_interior(edges, geometry):
    """Which sheet boxes have an interior meeting the geometry's (Shapely decides)."""
    from shapely.geometry import box
    from shapely.prepared import prep

    south, west, north, east = edges
    candidates = prep(geometry)
    return _np.array(
        [
            candidates.intersects(outline) and outline.relate_pattern(geometry, "T********")
            for outline in map(box, west, south, east, north)
        ],
        dtype=bool,
    )


def square(x, y, scale, *, errors=None):
    """The square sheet of 1:5000, 1:2000, 1:1000 or 1:500 that holds each Gauss-Kruger plane
    point, numbered by its south-west corner in kilometres, x first, as `mapsheet-cli square
    --xy` writes it: "3810-502" at 1:5000, "3810.5-501.5" at 1:1000, "3810.25-501.50" at 1:500.

    x, y   northing and easting in metres, exactly as the coordinate system writes them
           (false easting and any zone number in front of y included)
    scale  one of 1:5000, 1:2000, 1:1000, 1:500

    A point on a sheet line belongs to the sheet north and east of it; a coordinate within a
    micrometre of a line counts as on it. Returns a str array (a str for scalars).
    """
    xs, ys, scalar = _coordinate_pair(x, y, ("x", "y"))
    mode = _error_mode(errors, scalar)
    numbers, first_missing = _core.square_numbers(xs, ys, _scale_index(scale))

    def message(index):
        return f"no square sheet at row {index}: coordinates must be finite and below 1e9 m"

    return _finish(numbers, first_missing, message, mode, scalar, "")


def square_bounds(numbers, scale, *, errors=None):
    """The edges in metres of square-sheet numbers of SCALE (1:5000 .. 1:500): a structured
    array with the fields south, west, north, east (x of the south edge, y of the west edge,
    ...); for one str, a tuple.
    """
    scalar = isinstance(numbers, str)
    texts = [numbers] if scalar else [str(n) for n in numbers]
    *edges, first_bad, first_error = _core.square_bounds(texts, _scale_index(scale))
    mode = _error_mode(errors, scalar)
    if first_bad >= 0 and mode == "raise":
        raise Error(first_error)
    names = ("south", "west", "north", "east")
    if scalar:
        return tuple(float(e[0]) for e in edges)
    table = _np.empty(len(texts), dtype=[(name, "f8") for name in names])
    for name, values in zip(names, edges):
        table[name] = values
    if mode == "mask":
        return _np.ma.masked_invalid(table)
    return table


_ANGLE_FORMS = ("dms", "packed", "marked", "degrees", "radians")


def angle(value, form=None):
    """One angle in the five written forms of the angle window, exactly as `mapsheet-cli angle`
    converts it: the value is typed into the box of its form and the other boxes are read.

    value  a str (or a number, taken as its str); for form "dms" three values D M S, as a
           str "45 52 56.6879" or a sequence of three
    form   "dms"      whole degrees (leading "-" for a negative angle), whole minutes, seconds
           "packed"   one packed number D.MMSSs... (45.52566879 is 45°52′56.6879″)
           "marked"   text ending in a mark: 45°52′56.6879″, 45d52'56.6879", 45:52:56.6879
           "degrees"  decimal degrees
           "radians"  radians
           None: marked text when the value has marks, dms for three values, else degrees

    Returns a dict of str with the keys degrees, minutes, seconds, packed, marked,
    decimal_degrees and radians. A value that gives no angle raises mapsheet.Error.
    """
    if form is not None and form not in _ANGLE_FORMS:
        raise ValueError(f"form must be one of {', '.join(_ANGLE_FORMS)}, got {form!r}")
    if isinstance(value, str):
        values = value.split() if form == "dms" else [value]
    elif isinstance(value, (list, tuple)):
        values = [str(v) for v in value]
    else:
        values = [str(value)]
    return _json.loads(_core.angle_json(values, form or ""))


def scales():
    """The twelve scales of the series, 1:1,000,000 first: a list of dicts with denominator,
    ratio ("1:50000"), caption ("1:5万"), letter ("E"; "R" for 1:200,000), divisions (rows and
    columns in one 1:1,000,000 sheet), height_degrees and width_degrees (below 60 degrees of
    latitude), has_old_number, in_new_standard and square_metres (the side of its square
    sheets, 0 when it has none).
    """
    return _core.scale_rows()
