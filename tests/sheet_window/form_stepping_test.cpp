// Moving through the sheets: the four step buttons and their limits, the round trip through a
// typed sheet number, and points typed exactly on a sheet corner.

#include <QTest>
#include <cstdint>
#include <random>

#include "engine/scale_catalogue.h"
#include "engine/sheet_engine.h"
#include "window_driver.h"

using namespace window_driver;

namespace {

constexpr std::int64_t kUnits = 3'600'000;  // per degree; every sheet line is a whole number

// Degrees, minutes and seconds (to hundredths) of a value in units, as typed in three boxes.
QString Typed(std::int64_t units) {
    const bool negative = units < 0;
    const std::int64_t magnitude = negative ? -units : units;
    const std::int64_t degrees = magnitude / kUnits;
    const std::int64_t minutes = magnitude % kUnits / 60'000;
    const std::int64_t thousandths = magnitude % 60'000;
    return QString("%1%2 %3 %4")
        .arg(negative ? "-" : "")
        .arg(degrees)
        .arg(minutes)
        .arg(QString::number(thousandths / 1000.0, 'f', 2));
}

double Degrees(std::int64_t units) {
    return double(units) / double(kUnits);
}

void Convert(QWidget& window, std::int64_t longitude, std::int64_t latitude) {
    TypePosition(window, Typed(longitude), Typed(latitude));
    Click(window, "dcButZhuan");
}

QStringList Cells(QWidget& window) {
    QStringList cells;
    for (int k = 1; k <= 9; ++k) {
        cells << TextOf(window, QString("LabXin%1").arg(k));
    }
    return cells;
}

bool Enabled(QWidget& window, const char* button) {
    return Find<QPushButton>(window, button)->isEnabled();
}

void AddScaleRows() {
    QTest::addColumn<int>("scale");
    for (int scale = 0; scale < mapsheet::engine::kScaleCount; ++scale) {
        QTest::newRow(mapsheet::engine::kScaleCatalogue[scale].caption.data()) << scale;
    }
}

}  // namespace

class FormSteppingTest : public QObject {
    Q_OBJECT

  private slots:
    // Each arrow shows the neighbour that was beside the middle cell; the opposite arrow comes
    // back. The start lies far from 60 degrees, so all rows share one zone width.
    void stepsAndBack_data() { AddScaleRows(); }
    void stepsAndBack() {
        QFETCH(int, scale);
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        Convert(window, 101 * kUnits + 1234567, 31 * kUnits + 765432);
        const QStringList start = Cells(window);
        const struct {
            const char* there;
            const char* back;
            int neighbour;  // index of the cell that becomes the middle one
        } moves[] = {{"dcButRight", "dcButLeft", 5},
                     {"dcButLeft", "dcButRight", 3},
                     {"dcButUp", "dcButDown", 1},
                     {"dcButDown", "dcButUp", 7}};
        for (const auto& move : moves) {
            Click(window, move.there);
            QCOMPARE(MiddleSheet(window), start[move.neighbour]);
            QCOMPARE(Cells(window)[8 - move.neighbour], start[4]);
            Click(window, move.back);
            QCOMPARE(Cells(window), start);
            QCOMPARE(window.actionCode() > 31, true);
        }
    }

    void limits_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("opposite");
        QTest::newRow("north, 1:1,000,000") << 0 << 100.5 << 87.5 << "dcButUp"
                                            << "dcButDown";
        QTest::newRow("south, 1:1,000,000") << 0 << 100.5 << -87.5 << "dcButDown"
                                            << "dcButUp";
        QTest::newRow("west, 1:1,000,000") << 0 << -179.5 << 30.5 << "dcButLeft"
                                           << "dcButRight";
        QTest::newRow("east, 1:1,000,000") << 0 << 179.5 << 30.5 << "dcButRight"
                                           << "dcButLeft";
        QTest::newRow("east, 1:500") << 11 << 179.9999 << 30.5 << "dcButRight"
                                     << "dcButLeft";
        QTest::newRow("north, 1:10,000") << 7 << 10.5 << 87.99 << "dcButUp"
                                         << "dcButDown";
        QTest::newRow("west, 24-degree zones") << 1 << -179.5 << 80.5 << "dcButLeft"
                                               << "dcButRight";
    }
    // At the limit the arrow disables itself, enables the opposite one and does not move; the
    // opposite arrow then moves and enables it again.
    void limits() {
        QFETCH(int, scale);
        QFETCH(double, longitude);
        QFETCH(double, latitude);
        QFETCH(QString, button);
        QFETCH(QString, opposite);
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        Convert(window, std::llround(longitude * kUnits), std::llround(latitude * kUnits));
        const QStringList before = Cells(window);
        Click(window, opposite);
        Click(window, button);
        QCOMPARE(Cells(window), before);
        Click(window, button);
        QCOMPARE(Cells(window), before);
        QVERIFY(!Enabled(window, qPrintable(button)));
        QVERIFY(Enabled(window, qPrintable(opposite)));
        Click(window, opposite);
        QVERIFY(Enabled(window, qPrintable(button)));
        QCOMPARE(Cells(window)[4], before[button == "dcButUp"     ? 7
                                          : button == "dcButDown" ? 1
                                          : button == "dcButLeft" ? 5
                                                                  : 3]);
    }

    // Grid lines beyond the poles leave their corner labels empty.
    void coordinatesBeyondThePoles() {
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, 0);
        Convert(window, 100 * kUnits, 87 * kUnits);
        QCOMPARE(TextOf(window, "LabWeiDu3"), QString());
        QCOMPARE(TextOf(window, "LabWeiDu2"), QString("88°00′00.00″"));
        QCOMPARE(MiddleSheet(window), QString("V12"));
        QCOMPARE(TextOf(window, "LabXin2"), QString());
    }

    // Convert, type the middle sheet's number into the pieces, let the lookup fill the
    // position boxes, convert again: the same sheet. 1:200,000 has no new number to type.
    void roundTripThroughTheSheetNumber_data() { AddScaleRows(); }
    void roundTripThroughTheSheetNumber() {
        QFETCH(int, scale);
        if (scale == 3) {
            QSKIP("1:200,000 has no new number to type");
        }
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        const int digits = mapsheet::engine::kScaleCatalogue[scale].codeDigits;
        std::mt19937_64 random(99 + scale);
        std::uniform_int_distribution<std::int64_t> latitudes(-87 * kUnits, 87 * kUnits);
        std::uniform_int_distribution<std::int64_t> longitudes(-179 * kUnits, 179 * kUnits);
        for (int n = 0; n < 4; ++n) {
            // Hundredths of seconds, as a user can type them.
            Convert(window, longitudes(random) / 10 * 10, latitudes(random) / 10 * 10);
            const QString number = MiddleSheet(window);
            // "S" then a row letter is southern; "S" then digits the northern row S.
            const bool south = number.size() > 3 && number[0] == 'S' && number[1].isLetter();
            const QString rest = south ? number.mid(1) : number;
            Choose(window, "ComIdS", south ? "S" : " ");
            Choose(window, "ComIdB", rest.left(1));
            TypeInto(window, "TextID1", rest.mid(1, 2));
            if (digits > 0) {
                TypeInto(window, "TextID3", rest.mid(4, digits));
                TypeInto(window, "TextID4", rest.mid(4 + digits, digits));
            }
            Click(window, "dcButZhuan");
            QCOMPARE(MiddleSheet(window), number);
        }
    }

    // A point typed exactly on a sheet corner is in the corner's north-east sheet, south-east in
    // the southern hemisphere (the sheet farther from the equator).
    void pointOnACorner_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("latitude");
        for (int scale = 0; scale < mapsheet::engine::kScaleCount; ++scale) {
            for (double latitude : {30.3, -30.3, 65.1, -79.0}) {
                QTest::addRow("%s at %g", mapsheet::engine::kScaleCatalogue[scale].caption.data(),
                              latitude)
                    << scale << latitude;
            }
        }
    }
    void pointOnACorner() {
        QFETCH(int, scale);
        QFETCH(double, latitude);
        mapsheet::engine::SheetEngine engine;
        engine.SelectScale(scale);
        const int divisions = engine.scale().rowDivisions;
        // Every fourth line of every scale falls on whole hundredths of a second.
        const std::int64_t height = 4 * kUnits / divisions;
        const std::int64_t cornerLatitude =
            std::llround(latitude * kUnits) / (4 * height) * 4 * height;
        const std::int64_t inside = cornerLatitude >= 0 ? height / 2 : -height / 2;
        // The zone width of the sheet's row, which the corner's longitude must be a line of.
        const double rowMiddle = std::abs(Degrees(cornerLatitude + inside));
        const int zoneWidth = rowMiddle < 60 ? 6 : rowMiddle < 76 ? 12 : 24;
        const std::int64_t width = zoneWidth * kUnits / divisions;
        const std::int64_t cornerLongitude =
            (std::llround(100.37 * kUnits) + 180 * kUnits) / (4 * width) * 4 * width - 180 * kUnits;
        const std::string expected = engine.SheetNumber(Degrees(cornerLatitude + inside),
                                                        Degrees(cornerLongitude + width / 2), true);

        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        Convert(window, cornerLongitude, cornerLatitude);
        QCOMPARE(MiddleSheet(window), QString::fromStdString(expected));
    }
};

QTEST_MAIN(FormSteppingTest)
#include "form_stepping_test.moc"
