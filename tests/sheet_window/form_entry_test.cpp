// Ending an entry in the sheet window: decimal degrees split when typing ends, and Enter in
// the position and sheet-number rows running the convert button.

#include <QTest>

#include "engine/sheet.h"
#include "window_driver.h"

using namespace window_driver;

namespace {

// The new-standard number of the sheet that holds the point, from the sheet core directly.
QString SheetOfPoint(double latitude, double longitude, int scale) {
    const auto sheet = mapsheet::engine::sheetOf(latitude, longitude, scale);
    return sheet ? QString::fromUtf8(mapsheet::engine::newNumber(*sheet).view().data(),
                                     qsizetype(mapsheet::engine::newNumber(*sheet).view().size()))
                 : QString();
}

}  // namespace

class FormEntryTest : public QObject {
    Q_OBJECT

  private slots:
    // Leaving a degrees box turns the decimal degrees typed there into the three boxes.
    void leavingTheBoxSplitsDecimalDegrees_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("latitude") << "TextWd"
                                  << "39.9042"
                                  << "39 54 15.12";
        QTest::newRow("western longitude") << "TextJd"
                                           << "-2.5"
                                           << "-2 30 00.00";
        QTest::newRow("trailing point") << "TextWd"
                                        << "39."
                                        << "39 58 45";
    }
    void leavingTheBoxSplitsDecimalDegrees() {
        QFETCH(QString, prefix);
        QFETCH(QString, typed);
        QFETCH(QString, boxes);
        mapsheet::FormDC1 window;
        Show(window);
        TypePosition(window, "117 30 00", "39 58 45");
        TypeInto(window, prefix + "D", typed);
        QCOMPARE(TextOf(window, prefix + "D"), typed);
        Click(window, "TextID1");
        QCOMPARE(Boxes(window, prefix.toLatin1().constData()), boxes);
    }

    // Enter converts what is typed, decimal degrees included, as the convert button does.
    void enterConvertsDecimalDegrees() {
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, 5);
        TypeInto(window, "TextJdD", "116.4074");
        TypeInto(window, "TextWdD", "39.9042");
        QTest::keyClick(Find<QLineEdit>(window, "TextWdD"), Qt::Key_Return);
        QCOMPARE(MiddleSheet(window), SheetOfPoint(39.9042, 116.4074, 5));
        QCOMPARE(window.actionCode(), 31);
    }

    void enterRunsTheConvertButton_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"TextJdD", "TextJdF", "TextJdM", "TextWdD", "TextWdF", "TextWdM",
                                 "ComIdS", "ComIdB", "TextID1", "TextID2", "TextID3", "TextID4"}) {
            QTest::newRow(name) << name;
        }
    }
    void enterRunsTheConvertButton() {
        QFETCH(QString, control);
        mapsheet::FormDC1 window;
        Show(window);
        TypePosition(window, "100 10 00", "-30 20 00");
        QVERIFY(MiddleSheet(window) != SheetOfPoint(-30 - 20 / 60.0, 100 + 10 / 60.0, 1));
        auto* widget = Find<QWidget>(window, control);
        widget->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(widget, Qt::Key_Enter);
        QCOMPARE(MiddleSheet(window), SheetOfPoint(-30 - 20 / 60.0, 100 + 10 / 60.0, 1));
    }
};

QTEST_MAIN(FormEntryTest)
#include "form_entry_test.moc"
