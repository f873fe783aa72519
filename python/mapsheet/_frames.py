"""The columns new and old that mapsheet.geo and mapsheet.dask add to a frame."""

import mapsheet as _mapsheet


def _with_numbers(frame, latitude, longitude, scale, threads):
    """A copy of frame with the new and old numbers of its points (float arrays in degrees,
    NaN where a row has no point) in two object columns, None where a point has no sheet."""
    out = frame.copy()
    out["new"] = _mapsheet.number(latitude, longitude, scale, errors="empty",
                                  threads=threads).astype(object)
    out["old"] = _mapsheet.old_number(latitude, longitude, scale, errors="empty",
                                      threads=threads).astype(object)
    return out
