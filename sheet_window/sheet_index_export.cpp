#include "sheet_window/sheet_index_export.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace mapsheet::sheet_window {

namespace {

constexpr int kPngPixelsPerUnit = 2;

bool WriteSvg(const SheetIndex& index, QSaveFile& file) {
    const QSizeF size = SheetIndexDrawingSize();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    svg.setTitle(QStringLiteral("接图表 ") + index.newNumbers[4]);
    svg.setDescription(QStringLiteral("地形图分幅与编号 — mapsheet"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    PaintSheetIndex(painter, index);
    return painter.end();
}

bool WritePdf(const SheetIndex& index, QSaveFile& file) {
    const QSizeF size = SheetIndexDrawingSize();
    QPdfWriter pdf(&file);
    pdf.setTitle(QStringLiteral("接图表 ") + index.newNumbers[4]);
    pdf.setCreator(QStringLiteral("mapsheet"));
    pdf.setPageLayout(
        QPageLayout(QPageSize(size, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    // The writer paints in device pixels at its resolution; the drawing is in points.
    const qreal scale = pdf.resolution() / 72.0;
    painter.scale(scale, scale);
    PaintSheetIndex(painter, index);
    return painter.end();
}

bool WritePng(const SheetIndex& index, QSaveFile& file) {
    const QSizeF size = SheetIndexDrawingSize() * kPngPixelsPerUnit;
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(kPngPixelsPerUnit, kPngPixelsPerUnit);
        PaintSheetIndex(painter, index);
    }
    return image.save(&file, "PNG");
}

}  // namespace

std::optional<SheetIndexFormat> SheetIndexFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        return SheetIndexFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return SheetIndexFormat::Pdf;
    }
    if (suffix == QLatin1String("png")) {
        return SheetIndexFormat::Png;
    }
    return std::nullopt;
}

QString ExportSheetIndex(const SheetIndex& index, const QString& fileName) {
    const std::optional<SheetIndexFormat> format = SheetIndexFormatOf(fileName);
    if (!format) {
        return QStringLiteral("无法导出 %1：文件名须以 .svg、.pdf 或 .png 结尾").arg(fileName);
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("无法写入 %1：%2").arg(fileName, file.errorString());
    }
    bool drawn = false;
    switch (*format) {
        case SheetIndexFormat::Svg:
            drawn = WriteSvg(index, file);
            break;
        case SheetIndexFormat::Pdf:
            drawn = WritePdf(index, file);
            break;
        case SheetIndexFormat::Png:
            drawn = WritePng(index, file);
            break;
    }
    if (!drawn) {
        file.cancelWriting();
        return QStringLiteral("无法写入 %1：绘制失败").arg(fileName);
    }
    if (!file.commit()) {
        return QStringLiteral("无法写入 %1：%2").arg(fileName, file.errorString());
    }
    return {};
}

}  // namespace mapsheet::sheet_window
