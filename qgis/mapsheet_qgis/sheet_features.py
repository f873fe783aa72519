"""The rows of sheet features: for sheets given by number (either numbering) or id, the
attributes new, old (None where the scale has no pre-1992 number) and scale (the denominator),
and each sheet's rectangle in EPSG:4490, all from the module in a few array calls."""

from .algorithm_base import call, module
from .feature_rows import SHEET_FIELDS, fields_of, rectangle_wkb, write_rows

# Sheets are numbered in batches: the module numbers a whole batch in one call.
BATCH = 20000


def sheet_fields(*extra_specs):
    return fields_of(SHEET_FIELDS + tuple(extra_specs))


def sheet_rows(sheets):
    """(attribute lists, WKB rectangles) of valid sheets."""
    mapsheet = module()
    new = call(mapsheet.to_number, sheets, errors="raise").tolist()
    old = call(mapsheet.to_number, sheets, old=True, errors="raise").tolist()
    denominators = call(mapsheet.scale_of, sheets, errors="raise").tolist()
    edges = call(mapsheet.bounds, sheets, errors="raise")
    rows = [[number, old[index] or None, denominators[index]] for index, number in enumerate(new)]
    return rows, rectangle_wkb(edges["south"], edges["west"], edges["north"], edges["east"])


def write_sheets(sink, sheets, feedback, extra_attributes=None):
    """Writes one feature per sheet (number or id) with the sheet's attributes, then
    extra_attributes[i] (a list) when given. False when cancelled."""
    total = len(sheets)
    for start in range(0, total, BATCH):
        rows, rectangles = sheet_rows(sheets[start:start + BATCH])
        if extra_attributes is not None:
            for row, extra in zip(rows, extra_attributes[start:start + BATCH]):
                row += extra
        if not write_rows(sink, rows, rectangles, feedback, start, total):
            return False
    feedback.setProgress(100.0)
    return True
