"""Renders docs/qgis_cover_zhejiang.png, the README's picture of the plugin: the 1:250,000
sheets covering Zhejiang, made by mapsheet:cover inside a headless QGIS and labelled with their
new numbers over the province polygon of QGIS's own world map (Natural Earth, in qgis-common).

Usage (offscreen, from the repository):
  QT_QPA_PLATFORM=offscreen PYTHONPATH=build/python:build/qgis \
      /usr/bin/python3 qgis/render_cover_picture.py docs/qgis_cover_zhejiang.png
"""

import sys

from qgis.core import (
    QgsApplication,
    QgsFillSymbol,
    QgsMapRendererParallelJob,
    QgsMapSettings,
    QgsPalLayerSettings,
    QgsTextFormat,
    QgsVectorLayer,
    QgsVectorLayerSimpleLabeling,
)
from qgis.PyQt.QtCore import QSize
from qgis.PyQt.QtGui import QColor, QFont

WORLD_MAP = "/usr/share/qgis/resources/data/world_map.gpkg"
PROVINCE = "Zhejiang"


def main(picture):
    application = QgsApplication([], False)
    application.initQgis()
    sys.path.append("/usr/share/qgis/python/plugins")
    from processing.core.Processing import Processing
    import processing

    from mapsheet_qgis.provider import MapsheetProvider

    Processing.initialize()
    provider = MapsheetProvider()  # the registry does not keep the Python object alive
    QgsApplication.processingRegistry().addProvider(provider)

    province = QgsVectorLayer(
        "{}|layername=states_provinces|subset=\"name\" = '{}'".format(WORLD_MAP, PROVINCE),
        PROVINCE, "ogr",
    )
    sheets = processing.run(
        "mapsheet:cover", {"INPUT": province, "SCALE": "1:25万", "OUTPUT": "memory:sheets"}
    )["OUTPUT"]

    province.setRenderer(province.renderer().clone())
    province.renderer().setSymbol(
        QgsFillSymbol.createSimple({"color": "190,220,170,255", "outline_color": "60,110,40,255",
                                    "outline_width": "0.6"})
    )
    sheets.renderer().setSymbol(
        QgsFillSymbol.createSimple({"color": "0,0,0,0", "outline_color": "200,40,40,255",
                                    "outline_width": "0.5"})
    )
    label = QgsPalLayerSettings()
    label.fieldName = "new || '\n' || old"
    label.isExpression = True
    label.placement = QgsPalLayerSettings.OverPoint
    text = QgsTextFormat()
    text.setFont(QFont("DejaVu Sans"))
    text.setSize(9)
    text.setColor(QColor(120, 20, 20))
    text.buffer().setEnabled(True)  # readable over the province's outline
    text.buffer().setSize(1.2)
    text.buffer().setColor(QColor(255, 255, 255))
    label.setFormat(text)
    sheets.setLabeling(QgsVectorLayerSimpleLabeling(label))
    sheets.setLabelsEnabled(True)

    settings = QgsMapSettings()
    settings.setLayers([sheets, province])
    settings.setDestinationCrs(sheets.crs())
    extent = sheets.extent()
    extent.grow(0.2)
    settings.setExtent(extent)
    settings.setOutputSize(QSize(1000, int(1000 * extent.height() / extent.width())))
    settings.setBackgroundColor(QColor(255, 255, 255))
    job = QgsMapRendererParallelJob(settings)
    job.start()
    job.waitForFinished()
    job.renderedImage().save(picture)
    print("{}: {} sheets of 1:250,000 over {}".format(picture, sheets.featureCount(), PROVINCE))
    application.exitQgis()


if __name__ == "__main__":
    main(sys.argv[1])
