"""Numbering a Dask DataFrame partition by partition (python3-dask, python3-distributed).

Each partition is numbered by mapsheet.number and mapsheet.old_number in the worker that
holds it, so the work spreads over every worker of the cluster the client is connected to;
the answer is the serial one, row for row.
"""

import numpy as _np
import pandas as _pd

from mapsheet._arrays import _scale_index
from mapsheet._frames import _with_numbers

__all__ = ["number"]


def _number_partition(partition, lat, lon, scale, threads):
    latitude = partition[lat].to_numpy(dtype=float, na_value=_np.nan)
    longitude = partition[lon].to_numpy(dtype=float, na_value=_np.nan)
    return _with_numbers(partition, latitude, longitude, scale, threads)


def number(ddf, lat="lat", lon="lon", scale=None, *, threads=1):
    """The Dask DataFrame with the columns new and old added: the 1993-2012 and pre-1992 numbers
    of the sheet of SCALE that holds each row's point (decimal degrees in the columns lat and
    lon). A point without a sheet gets empty numbers. Lazy, like every Dask operation: call
    .compute() or write it out.

    threads  threads per partition (default 1: Dask already runs partitions side by side)
    """
    if scale is None:
        raise TypeError("number() needs scale=, as 1:50000, 50000, '1:5万' or 'E'")
    _scale_index(scale)  # a wrong scale fails here, not in every worker
    meta = ddf._meta.assign(new=_pd.Series(dtype=object), old=_pd.Series(dtype=object))
    return ddf.map_partitions(_number_partition, lat, lon, scale, threads, meta=meta)
