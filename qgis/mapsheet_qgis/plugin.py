"""Registers the mapsheet Processing provider with QGIS: in the window (initGui) and headless in
qgis_process (initProcessing), and removes it when the plugin is unloaded."""

from qgis.core import QgsApplication

from .provider import MapsheetProvider


class MapsheetPlugin:
    def __init__(self, iface):
        self.iface = iface
        self.provider = None

    def initProcessing(self):
        if self.provider is None:
            self.provider = MapsheetProvider()
            QgsApplication.processingRegistry().addProvider(self.provider)

    def initGui(self):
        self.initProcessing()

    def unload(self):
        if self.provider is not None:
            QgsApplication.processingRegistry().removeProvider(self.provider)
            self.provider = None
