"""The Processing provider 'mapsheet' and its five algorithms."""

from qgis.core import QgsProcessingProvider

from .cover_algorithm import CoverAlgorithm
from .neighbours_algorithm import NeighboursAlgorithm
from .number_points_algorithm import NumberPointsAlgorithm
from .sheets_algorithm import SheetsAlgorithm
from .squares_algorithm import SquaresAlgorithm


class MapsheetProvider(QgsProcessingProvider):
    def id(self):
        return "mapsheet"

    def name(self):
        return "Map sheets"

    def longName(self):
        return "Map sheets of the national basic-scale topographic map series"

    def loadAlgorithms(self):
        for algorithm in (
            NumberPointsAlgorithm(),
            CoverAlgorithm(),
            SheetsAlgorithm(),
            NeighboursAlgorithm(),
            SquaresAlgorithm(),
        ):
            self.addAlgorithm(algorithm)
