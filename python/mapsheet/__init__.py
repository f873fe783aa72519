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

Error = _core.Error
Error.__doc__ = "A value the engine refuses; the message is the engine's (a ValueError)."
Error.__module__ = "mapsheet"

__all__ = [
    "Error",
    "angle",
    "bounds",
    "centre",
    "cover",
    "from_number",
    "number",
    "old_number",
    "scales",
    "square",
    "square_bounds",
]

_ERROR_MODES = ("raise", "empty", "mask")


def _scale_index(scale):
    """The catalogue index of a scale written as the CLI takes it."""
    if isinstance(scale, bool) or not isinstance(scale, (str, int, _np.integer)):
        raise TypeError(f"scale must be a str or an int, not {type(scale).__name__}")
    return _core.scale_index(str(scale))


def _threads(threads):
    if threads is None:
        return _core.available_threads()
    if isinstance(threads, bool) or not isinstance(threads, (int, _np.integer)) or threads < 1:
        raise ValueError(f"threads must be a whole number from 1, got {threads!r}")
    return int(threads)


def _error_mode(errors, scalar):
    if errors is None:
        return "raise" if scalar else "empty"
    if errors not in _ERROR_MODES:
        raise ValueError(f"errors must be one of {', '.join(_ERROR_MODES)}, got {errors!r}")
    return errors


def _real_array(values, name):
    """values as a float64 array (a view when it already is one); TypeError for other kinds."""
    array = _np.asarray(values)
    if array.dtype.kind not in "fiub":
        raise TypeError(f"{name} must be real numbers, not an array of dtype {array.dtype}")
    return array.astype(_np.float64, copy=False)


def _coordinate_pair(first, second, names):
    a = _real_array(first, names[0])
    b = _real_array(second, names[1])
    try:
        a, b = _np.broadcast_arrays(a, b)
    except ValueError:
        raise ValueError(
            f"{names[0]} of shape {a.shape} and {names[1]} of shape {b.shape} do not broadcast"
        ) from None
    return a, b, a.ndim == 0


def _finish(values, first_bad, message, mode, scalar, empty):
    """Applies the error mode to a result whose first bad row is first_bad (or -1)."""
    if first_bad >= 0 and mode == "raise":
        raise Error(message(first_bad))
    if scalar:
        value = values.reshape(()).item() if hasattr(values, "reshape") else values
        return _np.ma.masked if (mode == "mask" and first_bad >= 0) else value
    if mode == "mask":
        return _np.ma.masked_array(values, mask=(values == empty))
    return values


def _number(latitude, longitude, scale, old, errors, threads):
    lat, lon, scalar = _coordinate_pair(latitude, longitude, ("latitude", "longitude"))
    mode = _error_mode(errors, scalar)
    numbers, first_missing = _core.number_points(
        lat, lon, _scale_index(scale), old, _threads(threads)
    )

    def message(index):
        point = _np.unravel_index(index, lat.shape) if lat.ndim else ()
        return (
            f"point {lat[point]!r}, {lon[point]!r} (row {index}): {_core.no_sheet_reason()}"
        )

    return _finish(numbers, first_missing, message, mode, scalar, "")


def number(latitude, longitude, scale, *, errors=None, threads=None):
    """number(latitude, longitude, scale, *, errors=None, threads=None)

    The 1993-2012 standard number of the sheet of SCALE that holds each point, as
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
    'J50E001009'
    """
    return _number(latitude, longitude, scale, False, errors, threads)


def old_number(latitude, longitude, scale, *, errors=None, threads=None):
    """old_number(latitude, longitude, scale, *, errors=None, threads=None)

    The pre-1992 number of the sheet of SCALE that holds each point, as `mapsheet-cli number`
    writes it in its old column: K-50, K-50-D, K-50-[11], K-50-(1), K-50-104, K-50-104-A,
    K-50-104-A-1, K-50-104-(1), and at 1:5000 the historical form K-50-104-(1)-a. 1:2000 and
    finer have none: mapsheet.Error (or empty strings when errors says so).

    Arguments, line rule and errors as number().
    """
    return _number(latitude, longitude, scale, True, errors, threads)


def _sheet_array(numbers, threads):
    """(SheetArray, scalar) of numbers given as a str, a sequence of str or a str array."""
    scalar = isinstance(numbers, (str, _np.str_))
    if scalar:
        array = _np.array([str(numbers)], dtype=object)
    elif isinstance(numbers, _np.ndarray) and numbers.dtype.kind in "UO":
        array = numbers
    elif isinstance(numbers, _np.ndarray):
        raise TypeError(f"sheet numbers must be str, not an array of dtype {numbers.dtype}")
    else:
        # Through objects, not a str array: NumPy would drop trailing NUL characters.
        array = _np.empty(len(numbers), dtype=object)
        array[:] = list(numbers)
    return _core.SheetArray.from_numbers(array, _threads(threads)), scalar


def _sheet_message(sheets):
    return lambda index: sheets.first_error


def from_number(numbers, *, errors=None, threads=None):
    """from_number(numbers, *, errors=None, threads=None)

    Reads written sheet numbers of either numbering, in the typed forms `mapsheet-cli sheet`
    reads (full-width characters, the dashes people type and lower-case letters are accepted),
    and returns them as a structured array with the fields new, old (both numbers, canonical)
    and scale (the denominator); for a single str, a dict.

    Errors name the wrong piece and its range: "row code 145: 1:100,000 has rows 1 to 144".
    """
    sheets, scalar = _sheet_array(numbers, threads)
    mode = _error_mode(errors, scalar)
    if sheets.first_invalid >= 0 and mode == "raise":
        raise Error(sheets.first_error)
    new = sheets.numbers(old=False)
    old = sheets.numbers(old=True)
    scale = sheets.denominators()
    if scalar:
        if sheets.first_invalid >= 0:
            return _np.ma.masked if mode == "mask" else {}
        return {"new": new[0], "old": old[0], "scale": int(scale[0])}
    table = _np.empty(new.shape, dtype=[("new", new.dtype), ("old", old.dtype), ("scale", "i4")])
    table["new"], table["old"], table["scale"] = new, old, scale
    if mode == "mask":
        invalid = ~sheets.validity()
        mask = _np.empty(new.shape, dtype=[("new", bool), ("old", bool), ("scale", bool)])
        mask["new"], mask["old"], mask["scale"] = invalid, invalid, invalid
        return _np.ma.masked_array(table, mask=mask)
    return table


def _edge_result(sheets, arrays, names, errors, scalar):
    mode = _error_mode(errors, scalar)
    if sheets.first_invalid >= 0 and mode == "raise":
        raise Error(sheets.first_error)
    if scalar:
        if sheets.first_invalid >= 0 and mode == "mask":
            return _np.ma.masked
        return tuple(float(a[0]) for a in arrays)
    table = _np.empty(arrays[0].shape, dtype=[(name, "f8") for name in names])
    for name, values in zip(names, arrays):
        table[name] = values
    if mode == "mask":
        invalid = ~sheets.validity()
        mask = _np.empty(table.shape, dtype=[(name, bool) for name in names])
        for name in names:
            mask[name] = invalid
        return _np.ma.masked_array(table, mask=mask)
    return table


def bounds(numbers, *, errors=None, threads=None):
    """bounds(numbers, *, errors=None, threads=None)

    The edges of each sheet in decimal degrees, each the nearest double of the exact edge
    rounded to 12 places, as `mapsheet-cli sheet` gives them.

    numbers  sheet numbers of either numbering (as from_number reads them)

    Returns a structured array with the fields south, west, north, east (NaN on rows that are
    no sheet when errors="empty"); for one str, a tuple (south, west, north, east).
    """
    sheets, scalar = _sheet_array(numbers, threads)
    return _edge_result(sheets, sheets.bounds(), ("south", "west", "north", "east"), errors,
                        scalar)


def centre(numbers, *, errors=None, threads=None):
    """centre(numbers, *, errors=None, threads=None)

    The centre of each sheet, halfway between its exact edges: a structured array with the
    fields latitude and longitude; for one str, a tuple (latitude, longitude).
    """
    sheets, scalar = _sheet_array(numbers, threads)
    return _edge_result(sheets, sheets.centres(), ("latitude", "longitude"), errors, scalar)


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


def cover(box_or_geometry, scale, mode="meets", compact=False, *, max_sheets=10_000_000):
    """cover(box_or_geometry, scale, mode="meets", compact=False, *, max_sheets=10_000_000)

    The sheets of SCALE whose interior meets a box, as `mapsheet-cli cover --bbox` gives them:
    rows of sheets from the north, each row from the west. A sheet that only touches the box's
    edge is not in it; a box inside one sheet gives that sheet.

    box_or_geometry  (south, west, north, east) in decimal degrees, or a Shapely geometry in
                     CGCS2000 degrees (longitude x, latitude y): the sheets of its bounding box
                     whose interior meets the geometry's interior
    scale            1:50000, 50000, "1:5万" or "E"
    mode             "meets" (sheets whose interior meets the area)
    compact          False (sheets of SCALE only)
    max_sheets       refuse (mapsheet.Error) a cover of more sheets than this

    Returns a str array of new numbers.
    """
    if mode != "meets" or compact:
        raise Error(f"cover mode {mode!r} with compact={compact!r} is not available yet")
    south, west, north, east, geometry = _box_of(box_or_geometry)
    sheets = _core.cover_box(south, west, north, east, _scale_index(scale), max_sheets)
    numbers = sheets.numbers(old=False)
    if geometry is None:
        return numbers
    return numbers[_meets_interior(sheets.bounds(), geometry)]


def _meets_interior(edges, geometry):
    """Which sheet boxes have an interior meeting the geometry's (Shapely decides)."""
    import shapely

    south, west, north, east = edges
    boxes = shapely.box(west, south, east, north)
    return shapely.intersects(boxes, geometry) & ~shapely.touches(boxes, geometry)


def square(x, y, scale, *, errors=None):
    """square(x, y, scale, *, errors=None)

    The square sheet of 1:5000, 1:2000, 1:1000 or 1:500 that holds each Gauss-Kruger plane
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
    """square_bounds(numbers, scale, *, errors=None)

    The edges in metres of square-sheet numbers of SCALE (1:5000 .. 1:500): a structured
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
    """angle(value, form=None)

    One angle in the five written forms of the angle window, exactly as `mapsheet-cli angle`
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
    """scales()

    The twelve scales of the series, 1:1,000,000 first: a list of dicts with denominator,
    ratio ("1:50000"), caption ("1:5万"), letter ("E"; "R" for 1:200,000), divisions (rows and
    columns in one 1:1,000,000 sheet), height_degrees and width_degrees (below 60 degrees of
    latitude), has_old_number, in_new_standard and square_metres (the side of its square
    sheets, 0 when it has none).
    """
    return _core.scale_rows()
