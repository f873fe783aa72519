"""The mapsheet Python module, which holds every numbering rule the algorithms use.

QGIS imports this plugin as the top-level package 'mapsheet' and puts the plugin folders first on
sys.path, so a plain `import mapsheet` inside the plugin finds the plugin itself, not the module.
This file finds the module's package folder on sys.path, skipping the folder holding the plugin,
and loads it once under the name 'mapsheet_module' (the module imports its own parts
relatively, so it works under any name). load() raises ImportError with the places searched when
the module is not installed.
"""

import importlib.util
import os
import sys

MODULE_NAME = "mapsheet_module"
_PLUGIN_PARENT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def _package_folder():
    for entry in sys.path:
        folder = os.path.abspath(entry or os.getcwd())
        if folder == _PLUGIN_PARENT:
            continue
        candidate = os.path.join(folder, "mapsheet")
        if os.path.isfile(os.path.join(candidate, "__init__.py")):
            return candidate
    return None


def load():
    """The mapsheet module, imported on first use."""
    if MODULE_NAME in sys.modules:
        return sys.modules[MODULE_NAME]
    folder = _package_folder()
    if folder is None:
        raise ImportError(
            "the mapsheet Python module is not installed (looked for a folder mapsheet in "
            + os.pathsep.join(sys.path)
            + "); install python3-mapsheet or put the build's python folder on PYTHONPATH"
        )
    spec = importlib.util.spec_from_file_location(
        MODULE_NAME, os.path.join(folder, "__init__.py"), submodule_search_locations=[folder]
    )
    module = importlib.util.module_from_spec(spec)
    sys.modules[MODULE_NAME] = module
    try:
        spec.loader.exec_module(module)
    except BaseException:
        del sys.modules[MODULE_NAME]
        raise
    return module
