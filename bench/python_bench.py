#!/usr/bin/python3
"""Speed and memory of the Python package on random points in China, beside mapsheet-cli.

Usage: PYTHONPATH=build/python bench/python_bench.py [BUILD_DIR]  (default build/; build the
targets mapsheet_python and mapsheet-cli in a release configuration first). POINTS=n changes
the number of points (default 10,000,000), ROUNDS=n the rounds (default 3; the best counts).

Prints points per second of sheet_id and number on one thread, number on two threads and
mapsheet-cli number --jobs 1 reading the same points from a file, the ratios, and the peak
resident memory of this process against three times the input arrays plus the output.
Targets: sheet_id >= 10 M/s and number >= 4 M/s on one thread, two threads >= 1.6 x one.
"""

import os
import resource
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import numpy as np

build = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[1] / "build")
sys.path.insert(0, str(build / "python"))
import mapsheet  # noqa: E402

points = int(os.environ.get("POINTS", 10_000_000))
rounds = int(os.environ.get("ROUNDS", 3))
generator = np.random.default_rng(20240601)
lat = generator.uniform(18.0, 53.5, points)
lon = generator.uniform(73.5, 135.0, points)


processor_seconds = {}


def best_rate(run):
    """Points per second of the best round by wall time; its processor time (all threads) is
    kept to show how much of the machine other load took."""
    best = float("inf")
    result = None
    for _ in range(rounds):
        result = None  # the previous round's output is no part of this round's memory
        start, start_processor = time.perf_counter(), time.process_time()
        result = run()
        wall = time.perf_counter() - start
        if wall < best:
            best, processor_seconds[run] = wall, time.process_time() - start_processor
    return points / best, result, processor_seconds[run]


id_rate, ids, id_cpu = best_rate(lambda: mapsheet.sheet_id(lat, lon, "1:50000", threads=1))
del ids
one_rate, numbers, one_cpu = best_rate(lambda: mapsheet.number(lat, lon, "1:50000", threads=1))
del numbers
two_rate, numbers, two_cpu = best_rate(lambda: mapsheet.number(lat, lon, "1:50000", threads=2))
peak_mb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
allowed_mb = (3 * (lat.nbytes + lon.nbytes) + numbers.nbytes) / 2**20

with tempfile.TemporaryDirectory() as work:
    path = Path(work) / "points.txt"
    np.savetxt(path, np.column_stack([lat, lon]), fmt="%.9f")
    cli_best = float("inf")
    for _ in range(rounds):
        with open(path) as source:
            start = time.perf_counter()
            subprocess.run([str(build / "cli" / "mapsheet-cli"), "number", "--scale", "1:50000",
                            "--jobs", "1"], stdin=source, stdout=subprocess.DEVNULL, check=True)
            cli_best = min(cli_best, time.perf_counter() - start)
cli_rate = points / cli_best

print(f"{points} points in China, best of {rounds} rounds:")
print(f"  sheet_id, threads=1         {id_rate:12,.0f} points/s (target at least 10,000,000; "
      f"processor {id_cpu:.3f} s)")
print(f"  number, threads=1           {one_rate:12,.0f} points/s (target at least 4,000,000; "
      f"processor {one_cpu:.3f} s)")
print(f"  number, threads=2           {two_rate:12,.0f} points/s (processor {two_cpu:.3f} s)")
print(f"  threads=2 / threads=1       {two_rate / one_rate:.2f} (target at least 1.60)")
print(f"  mapsheet-cli number --jobs 1 {cli_rate:11,.0f} points/s from a file")
print(f"  number / mapsheet-cli       {one_rate / cli_rate:.1f}")
print(f"  peak resident memory        {peak_mb:,.0f} MB (target below {allowed_mb:,.0f} MB: "
      "3 x the input arrays plus the output)")
