"""Runs the mapsheet plugin in a real, headless QGIS (qgis_process) and mapsheet-cli on the same
input, and reads the layers back with GDAL.

Environment (set by qgis_tests.cmake): QGIS_PROCESS the qgis_process binary, MAPSHEET_CLI the
CLI, QGIS_PLUGINPATH the folder holding the built plugin, PYTHONPATH the built Python module.
Each test session gets its own throwaway QGIS profile, with the plugin enabled in it once.
"""

import os
import subprocess

import pytest

QGIS_PROCESS = os.environ.get("QGIS_PROCESS", "/usr/bin/qgis_process.bin")


@pytest.fixture(scope="session")
def qgis(tmp_path_factory):
    """run(algorithm, **parameters) -> CompletedProcess of `qgis_process run`."""
    if not os.access(QGIS_PROCESS, os.X_OK):
        pytest.skip("QGIS is not installed ({} missing)".format(QGIS_PROCESS))
    profile = tmp_path_factory.mktemp("qgis-profile")
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen", QGIS_CUSTOM_CONFIG_PATH=str(profile))
    enable = subprocess.run(
        [QGIS_PROCESS, "plugins", "enable", "mapsheet_qgis"], env=environment, capture_output=True, text=True
    )
    assert enable.returncode == 0, enable.stdout + enable.stderr

    def run(*arguments, **parameters):
        command = [QGIS_PROCESS, *arguments]
        if parameters:
            command.append("--")
            command += ["{}={}".format(name, value) for name, value in parameters.items()]
        return subprocess.run(command, env=environment, capture_output=True, text=True, timeout=300)

    return run


@pytest.fixture
def out(tmp_path):
    """A path for an output layer; tests check that a failed run leaves nothing there."""

    def path(name):
        return tmp_path / name

    return path

