// Program start-up: the sheet-numbering window; closing it ends the program.
//
// The program itself takes no arguments. "--screenshot FILE" is a developer aid for machines
// without a display (run under xvfb-run or QT_QPA_PLATFORM=offscreen): the window is shown,
// laid out by the event loop, grabbed into FILE as PNG, and the program exits (0 when saved).

#include <QApplication>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

#include "sheet_window/FormDC1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    mapsheet::FormDC1 window;
    window.show();

    const QStringList arguments = QApplication::arguments();
    const qsizetype option = arguments.indexOf(QStringLiteral("--screenshot"));
    if (option >= 0 && option + 1 < arguments.size()) {
        const QString file = arguments.at(option + 1);
        QTimer::singleShot(300, &window, [&window, file] {
            const bool saved = window.grab().save(file, "PNG");
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
