"""Shared fixtures of the Python package tests: the CLI to compare with and seeded points."""

import os
import subprocess

import numpy as np
import pytest

import mapsheet

CLI = os.environ.get("MAPSHEET_CLI", "mapsheet-cli")
SCALES = [row["denominator"] for row in mapsheet.scales()]


def run_cli(*arguments, stdin=None, statuses=(0,)):
    """Standard output of mapsheet-cli; another exit status fails the test with its message
    (number exits 1 when some points have no sheet)."""
    done = subprocess.run([CLI, *arguments], input=stdin, capture_output=True, text=True)
    assert done.returncode in statuses, done.stderr
    return done.stdout


def csv_column(text, name):
    """One column of the CLI's CSV (no field of these outputs holds a comma or a quote)."""
    lines = text.splitlines()
    index = lines[0].split(",").index(name)
    return [line.split(",")[index] for line in lines[1:]]


@pytest.fixture(scope="session")
def rng():
    return np.random.default_rng(20240601)


def random_points(rng, count):
    """Points over the whole series, a third of them on 1/8-second lattice lines (the sheet
    lines of every scale lie on it), and a few outside the series."""
    lat = rng.uniform(-88.5, 88.5, count)
    lon = rng.uniform(-181, 181, count)
    on_lattice = rng.random(count) < 1 / 3
    lat[on_lattice] = np.round(lat[on_lattice] * 28800) / 28800
    lon[on_lattice] = np.round(lon[on_lattice] * 28800) / 28800
    return lat, lon
