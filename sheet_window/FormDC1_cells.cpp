// The context menu of the nine cells: copying the selected text, copying all numbers as a
// table, and exporting the neighbourhood as drawn to an SVG, PDF or PNG file.

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>

#include "engine/scale_catalogue.h"
#include "sheet_window/FormDC1.h"
#include "sheet_window/sheet_index_export.h"

namespace mapsheet {

namespace {

struct ExportFilter {
    const char* suffix;
    QString filter;
};

const std::array<ExportFilter, 3>& ExportFilters() {
    static const std::array<ExportFilter, 3> filters = {{
        {".svg", QStringLiteral("SVG 矢量图 (*.svg)")},
        {".pdf", QStringLiteral("PDF 文档 (*.pdf)")},
        {".png", QStringLiteral("PNG 图片 (*.png)")},
    }};
    return filters;
}

}  // namespace

void FormDC1::ShowCellMenu(QWidget* source, const QPoint& position) {
    auto* label = qobject_cast<QLabel*>(source);
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("复制"));
    copy->setEnabled(label != nullptr && label->hasSelectedText());
    menu.addSeparator();
    menu.addAction(copyAllNumbers_);
    menu.addAction(exportSheetIndex_);
    if (menu.exec(source->mapToGlobal(position)) == copy && label != nullptr) {
        QGuiApplication::clipboard()->setText(label->selectedText());
    }
}

sheet_window::SheetIndex FormDC1::CurrentSheetIndex() const {
    sheet_window::SheetIndex index;
    index.scale = labBiLi_[engine_.scale().scaleIndex]->text().trimmed();
    for (int k = 0; k < 9; ++k) {
        index.newNumbers[k] = labXin_[k]->text();
        index.oldNumbers[k] = labOld_[k]->text();
    }
    for (int i = 0; i < 12; ++i) {
        index.separatorShown[i] = !separatorLines_[i]->isHidden();
    }
    for (int i = 0; i < 4; ++i) {
        index.latitudes[i] = labWeiDu_[i]->text();
        index.longitudes[i] = labJingDu_[i]->text();
    }
    return index;
}

void FormDC1::CopyAllNumbers() {
    QGuiApplication::clipboard()->setText(sheet_window::SheetIndexTable(CurrentSheetIndex()));
}

void FormDC1::ExportSheetIndexToChosenFile() {
    const sheet_window::SheetIndex index = CurrentSheetIndex();
    QStringList filters;
    for (const ExportFilter& filter : ExportFilters()) {
        filters << filter.filter;
    }
    QString chosenFilter = filters.front();
    const QString folder = exportFolder_.isEmpty() ? QDir::homePath() : exportFolder_;
    QString fileName = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出接图表"), QDir(folder).filePath(index.newNumbers[4] + ".svg"),
        filters.join(QStringLiteral(";;")), &chosenFilter);
    if (fileName.isEmpty()) {
        return;
    }
    // A name without a known suffix takes the one of the chosen file type.
    if (!sheet_window::SheetIndexFormatOf(fileName)) {
        for (const ExportFilter& filter : ExportFilters()) {
            if (filter.filter == chosenFilter) {
                fileName += QLatin1String(filter.suffix);
            }
        }
    }
    exportFolder_ = QFileInfo(fileName).absolutePath();
    const QString error = sheet_window::ExportSheetIndex(index, fileName);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("导出接图表"), error);
    }
}

}  // namespace mapsheet
