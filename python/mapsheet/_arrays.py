"""The conversions every public function of mapsheet shares: reading scales, thread counts and
error modes, turning array-likes into the arrays the compiled core takes, and applying the error
mode to its results. No rule of the series lives here; the core decides every sheet."""

import numpy as _np

from . import _core

Error = _core.Error

_ERROR_MODES = ("raise", "empty", "mask")


def _scale_index(scale):
    """The catalogue index of a scale written as the CLI takes it."""
    if isinstance(scale, bool) or not isinstance(scale, (str, int, _np.integer)):
        raise TypeError(f"scale must be a str or an int, not {type(scale).__name__}")
    return _core.scale_index(str(scale))


def _threads(threads):
    if threads is None:
        return _core.available_threads()
    if (isinstance(threads, bool) or not isinstance(threads, (int, _np.integer))
            or not 1 <= threads <= _core.MAX_THREADS):
        raise ValueError(f"threads must be a whole number from 1 to {_core.MAX_THREADS}, "
                         f"got {threads!r}")
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


def _int64_ids(array):
    if array.dtype.kind == "u" and array.size and array.max() > _np.iinfo(_np.int64).max:
        raise Error("no sheet has an id beyond 2**63 - 1")
    return array.astype(_np.int64, copy=False)


def _sheet_array(sheets, threads):
    """(SheetArray, scalar) of sheets given as numbers or ids: a str or an int, a sequence of
    them or an array of str or integers."""
    if isinstance(sheets, (str, _np.str_)):
        return _core.SheetArray.from_numbers(_np.array([str(sheets)], dtype=object), 1), True
    if isinstance(sheets, (int, _np.integer)) and not isinstance(sheets, bool):
        return _core.SheetArray.from_ids(_int64_ids(_np.array([sheets]))), True
    if not isinstance(sheets, _np.ndarray):
        # Through objects, not a str array: NumPy would drop trailing NUL characters.
        items = list(sheets)
        if items and all(isinstance(v, (int, _np.integer)) and not isinstance(v, bool)
                         for v in items):
            return _core.SheetArray.from_ids(_int64_ids(_np.array(items))), False
        sheets = _np.empty(len(items), dtype=object)
        sheets[:] = items
    if sheets.dtype.kind in "iu":
        return _core.SheetArray.from_ids(_int64_ids(sheets)), False
    if sheets.dtype.kind == "U" and not sheets.dtype.isnative:
        sheets = sheets.astype(sheets.dtype.newbyteorder("="))  # the core reads native UCS-4
    if sheets.dtype.kind in "UO":
        return _core.SheetArray.from_numbers(sheets, _threads(threads)), False
    raise TypeError(f"sheets are numbers (str) or ids (integers), not an array of dtype "
                    f"{sheets.dtype}")


def _value_result(sheets, values, empty, errors, scalar):
    """A plain array of one value per sheet, the error mode applied."""
    mode = _error_mode(errors, scalar)
    if sheets.first_invalid >= 0 and mode == "raise":
        raise Error(sheets.first_error)
    if scalar:
        if sheets.first_invalid >= 0:
            return _np.ma.masked if mode == "mask" else empty
        return values.reshape(-1)[0].item()
    if mode == "mask":
        return _np.ma.masked_array(values, mask=~sheets.validity())
    return values


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


def _one_sheet(sheet):
    sheets, scalar = _sheet_array(sheet, 1)
    if not scalar:
        raise TypeError("expected one sheet (a number or an id)")
    if sheets.first_invalid >= 0:
        raise Error(sheets.first_error)
    return sheets
