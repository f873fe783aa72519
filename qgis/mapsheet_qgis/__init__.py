"""The mapsheet QGIS plugin: a Processing provider naming the sheets of the Chinese national
basic-scale topographic map series. QGIS calls classFactory when it loads the plugin."""


def classFactory(iface):
    from .plugin import MapsheetPlugin

    return MapsheetPlugin(iface)
