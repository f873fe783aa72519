// The nine cells of the sheet window: selecting their texts, the context menu, copying all
// numbers, exporting through the file dialog, and the frame at a scale factor of 1.5.

#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "window_driver.h"

using namespace window_driver;

namespace {

// Runs `act` on the first top-level widget of type T once the event loop shows it.
template <class T, class Act>
void WhenShown(Act act) {
    QTimer::singleShot(0, [act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<T*>(widget); shown && shown->isVisible()) {
                act(shown);
                return;
            }
        }
    });
}

}  // namespace

class FormCellsTest : public QObject {
    Q_OBJECT

  private slots:
    // A double click selects the whole text, though "-", "°" and "′" split it into words.
    void doubleClickSelectsTheWholeText_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("pre-1992 number") << 5 << "LabOld5"
                                         << "J-50-8-A";
        QTest::newRow("new number") << 5 << "LabXin5"
                                    << "J50E001015";
        QTest::newRow("latitude line") << 1 << "LabWeiDu1"
                                       << "38°00′00.00″";
        QTest::newRow("longitude line") << 1 << "LabJingDu2"
                                        << "120°00′00.00″";
    }
    void doubleClickSelectsTheWholeText() {
        QFETCH(int, scale);
        QFETCH(QString, label);
        QFETCH(QString, text);
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        TypePosition(window, "117 30 00", "39 58 45");
        Click(window, "dcButZhuan");
        auto* cell = Find<QLabel>(window, label);
        QCOMPARE(cell->text(), text);
        const QPoint middle = cell->rect().center();
        QTest::mouseDClick(cell, Qt::LeftButton, {}, middle);
        QCOMPARE(cell->selectedText(), text);
    }

    void menuOffersCopyAndExport() {
        mapsheet::FormDC1 window;
        Show(window);
        QStringList offered;
        WhenShown<QMenu>([&offered](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    offered << action->text();
                }
            }
            menu->close();
        });
        auto* cell = Find<QLabel>(window, "LabOld5");
        emit cell->customContextMenuRequested(cell->rect().center());
        QCOMPARE(offered, QStringList({"复制", "复制全部编号", "导出接图表…"}));
    }

    // The start-up neighbourhood (J50B001002 at 1:500,000) as a 3 x 3 table; at 1:2000, which
    // has no pre-1992 numbers, the new numbers alone.
    void copyAllNumbers() {
        mapsheet::FormDC1 window;
        Show(window);
        Find<QAction>(window, "CopyAllNumbers")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("K50B002001 K-50-C\tK50B002002 K-50-D\tK51B002001 K-51-C\n"
                         "J50B001001 J-50-A\tJ50B001002 J-50-B\tJ51B001001 J-51-A\n"
                         "J50B002001 J-50-C\tJ50B002002 J-50-D\tJ51B002001 J-51-C\n"));
        ChooseScale(window, 9);
        Click(window, "dcButZhuan");
        Find<QAction>(window, "CopyAllNumbers")->trigger();
        const QStringList rows = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[1].split('\t')[1], MiddleSheet(window));
    }

    // The file named in the dialog gets the drawing; a name without a suffix takes the one of
    // the chosen file type.
    void exportThroughTheDialog() {
        QTemporaryDir folder;
        mapsheet::FormDC1 window;
        Show(window);
        const QString chosen = folder.filePath("neighbourhood");
        WhenShown<QFileDialog>([chosen](QFileDialog* dialog) {
            dialog->selectNameFilter(dialog->nameFilters().at(0));
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        Find<QAction>(window, "ExportSheetIndex")->trigger();
        QVERIFY(QSvgRenderer(chosen + ".svg").isValid());
    }

    // Drawn at a scale factor of 1.5, every side of the cells' frame has dark pixels along it.
    void frameKeepsFourBordersAtOneAndAHalf() {
        mapsheet::FormDC1 window;
        Show(window);
        auto* grid = Find<QWidget>(window, "SheetGrid");
        QImage image(grid->size() * 1.5, QImage::Format_RGB32);
        image.setDevicePixelRatio(1.5);
        image.fill(Qt::white);
        grid->render(&image);
        const int last = image.width() - 1;
        const int bottom = image.height() - 1;
        const auto darkRun = [&](int x0, int y0, int dx, int dy, int steps) {
            for (int i = 0; i < steps; ++i) {
                bool dark = false;
                // The border is two units wide: look two pixels inwards.
                for (int inward = 0; inward < 2 && !dark; ++inward) {
                    const int x = x0 + dx * i + (dy != 0 ? (x0 == 0 ? inward : -inward) : 0);
                    const int y = y0 + dy * i + (dx != 0 ? (y0 == 0 ? inward : -inward) : 0);
                    dark = qGray(image.pixel(x, y)) < 96;
                }
                if (!dark) {
                    return false;
                }
            }
            return true;
        };
        QVERIFY(darkRun(0, 0, 1, 0, image.width()));       // north
        QVERIFY(darkRun(0, bottom, 1, 0, image.width()));  // south
        QVERIFY(darkRun(0, 0, 0, 1, image.height()));      // west
        QVERIFY(darkRun(last, 0, 0, 1, image.height()));   // east
    }

    // With a title bar and a panel, 1280 x 800 leaves about 1280 x 720 for the window.
    void windowFitsTheSmallScreenAtOneAndAHalf() {
        mapsheet::FormDC1 window;
        const QSize size = window.sizeHint() * 1.5;
        QVERIFY2(size.width() <= 1280 && size.height() <= 720,
                 qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
    }
};

QTEST_MAIN(FormCellsTest)
#include "form_cells_test.moc"
