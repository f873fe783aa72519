// The neighbourhood where the zone width changes (60 and 76 degrees north and south): every
// cell names a sheet that touches the middle one, and two cells that fall in one wider sheet
// show the same number with no line between them. And text that no filter has seen (typed
// after a click on the title, which keeps the focus in the box) reaching the buttons.

#include <QFrame>
#include <QTest>

#include "window_driver.h"

using namespace window_driver;

namespace {

const char* const kLines[12] = {"LineA1", "LineB1", "LineA2", "LineB2", "LineA3", "LineB3",
                                "LineC1", "LineC2", "LineC3", "LineD1", "LineD2", "LineD3"};

QString Cells(QWidget& window) {
    QStringList cells;
    for (int k = 1; k <= 9; ++k) {
        cells << TextOf(window, QString("LabXin%1").arg(k));
    }
    return cells.join(' ');
}

QString HiddenLines(QWidget& window) {
    QStringList hidden;
    for (const char* line : kLines) {
        if (!Find<QFrame>(window, line)->isVisible()) {
            hidden << line;
        }
    }
    return hidden.join(' ');
}

QString LongitudeLabels(QWidget& window) {
    QStringList labels;
    for (int i = 0; i < 4; ++i) {
        labels << TextOf(window, QString("LabJingDu%1").arg(i));
    }
    return labels.join(' ');
}

}  // namespace

class ZoneChangeTest : public QObject {
    Q_OBJECT

  private slots:
    void zoneWidthChanges_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("longitude");
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<QString>("longitudeLabels");
        QTest::addColumn<QString>("position");
        QTest::newRow("last row below 60N") << 0 << "117 00 00"
                                            << "58 00 00"
                                            << "P25 P25 P26 O49 O50 O51 N49 N50 N51"
                                            << "LineA1"
                                            << "108°00′00.00″ 114°00′00.00″ 120°00′00.00″ "
                                               "126°00′00.00″"
                                            << "117 00 00.00 / 58 00 00.00";
        QTest::newRow("first row above 60N") << 0 << "117 00 00"
                                             << "61 00 00"
                                             << "Q25 Q25 Q26 P25 P25 P26 O49 O50 O51"
                                             << "LineA1 LineA2"
                                             << "108°00′00.00″ 114°00′00.00″ 120°00′00.00″ "
                                                "126°00′00.00″"
                                             << "117 00 00.00 / 62 00 00.00";
        QTest::newRow("first row above 60N, west part") << 0 << "111 00 00"
                                                        << "61 00 00"
                                                        << "Q24 Q25 Q25 P24 P25 P25 O48 O49 O50"
                                                        << "LineB1 LineB2"
                                                        << "102°00′00.00″ 108°00′00.00″ "
                                                           "114°00′00.00″ 120°00′00.00″"
                                                        << "111 00 00.00 / 62 00 00.00";
        QTest::newRow("first row above 60S") << 0 << "117 00 00"
                                             << "-61 00 00"
                                             << "SO49 SO50 SO51 SP25 SP25 SP26 SQ25 SQ25 SQ26"
                                             << "LineA2 LineA3"
                                             << "108°00′00.00″ 114°00′00.00″ 120°00′00.00″ "
                                                "126°00′00.00″"
                                             << "117 00 00.00 / -62 00 00.00";
        QTest::newRow("first row above 76N") << 0 << "117 00 00"
                                             << "77 00 00"
                                             << "U12 U13 U13 T12 T13 T13 S24 S25 S26"
                                             << "LineB1 LineB2"
                                             << "96°00′00.00″ 108°00′00.00″ 120°00′00.00″ "
                                                "132°00′00.00″"
                                             << "114 00 00.00 / 78 00 00.00";
        QTest::newRow("1:500,000 on the line between two parts")
            << 1 << "117 00 00"
            << "60 30 00"
            << "P25B001002 P25B001002 P26B001001 P25B002002 P25B002002 P26B002001 O50B001001 "
               "O50B001002 O51B001001"
            << "LineA1 LineA2"
            << "114°00′00.00″ 117°00′00.00″ 120°00′00.00″ 123°00′00.00″"
            << "118 30 00.00 / 61 00 00.00";
    }
    void zoneWidthChanges() {
        QFETCH(int, scale);
        QFETCH(QString, longitude);
        QFETCH(QString, latitude);
        QFETCH(QString, cells);
        QFETCH(QString, hidden);
        QFETCH(QString, longitudeLabels);
        QFETCH(QString, position);
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        TypePosition(window, longitude, latitude);
        Click(window, "dcButZhuan");
        QCOMPARE(Cells(window), cells);
        QCOMPARE(HiddenLines(window), hidden);
        QCOMPARE(LongitudeLabels(window), longitudeLabels);
        QCOMPARE(Boxes(window, "TextJd") + " / " + Boxes(window, "TextWd"), position);
        // Converting the written centre again shows the same neighbourhood.
        Click(window, "dcButZhuan");
        QCOMPARE(Cells(window), cells);
        Click(window, "dcButRight");
        Click(window, "dcButLeft");
        QCOMPARE(Cells(window), cells);
    }

    // A click on the title takes no focus, so what is typed next is not filtered; the convert
    // button then clamps the point to the numbered area and the window stays usable.
    void unfilteredTextReachesTheButtons_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("middle");
        QTest::newRow("latitude beyond the pole") << "TextWdD"
                                                  << "99999999999999999999"
                                                  << "V13B001001";
        QTest::newRow("latitude overflowing a double") << "TextWdD"
                                                       << "1e400"
                                                       << "A50B002002";
        QTest::newRow("longitude beyond 180") << "TextJdD"
                                              << "-500"
                                              << "J01B001001";
        QTest::newRow("seconds overflowing a double") << "TextJdM"
                                                      << "9e307"
                                                      << "J50B001002";
        QTest::newRow("zone code far too large") << "TextID1"
                                                 << "123456789012345678901"
                                                 << "J60B001001";
    }
    void unfilteredTextReachesTheButtons() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, middle);
        mapsheet::FormDC1 window;
        Show(window);
        if (box == "TextID1") {
            Choose(window, "ComIdB", "J");
        }
        auto* edit = Find<QLineEdit>(window, box);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        Click(window, "LabelTop");
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
        Click(window, "dcButZhuan");
        QCOMPARE(MiddleSheet(window), middle);
        for (const char* step : {"dcButUp", "dcButDown", "dcButLeft", "dcButRight"}) {
            Click(window, step);
            QVERIFY(!MiddleSheet(window).isEmpty());
        }
    }
};

QTEST_MAIN(ZoneChangeTest)
#include "zone_change_test.moc"
