// The neighbourhood grid against an independent computation in exact integer units of
// 1/3,600,000 degree, in which every sheet line of every scale is a whole number.

#include <QTest>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>

#include "engine/scale_catalogue.h"
#include "engine/sheet_engine.h"
#include "sheet_window/neighbourhood.h"

using namespace mapsheet;
using namespace mapsheet::sheet_window;

namespace {

constexpr std::int64_t kUnits = 3'600'000;  // per degree

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

struct ExpectedGrid {
    int zoneWidth;
    std::int64_t latitudeLines[4];
    std::int64_t longitudeLines[4];
};

// The zone width of a row of sheets, from the middle of the row.
int ZoneWidthOfRow(std::int64_t row, std::int64_t height) {
    const std::int64_t centreTwice = (2 * row + 1) * height;  // twice the row's middle
    const std::int64_t absCentreTwice = centreTwice < 0 ? -centreTwice : centreTwice;
    return absCentreTwice < 120 * kUnits ? 6 : absCentreTwice < 152 * kUnits ? 12 : 24;
}

// The cell holding the point: north of a parallel (south of it in the south), east of a
// meridian; the narrowest zone width of the three rows.
ExpectedGrid Expected(std::int64_t latitude, std::int64_t longitude, int divisions) {
    const std::int64_t height = 4 * kUnits / divisions;
    const std::int64_t row =
        latitude >= 0 ? FloorDiv(latitude, height) : -FloorDiv(-latitude, height) - 1;
    const int zoneWidth = std::min({ZoneWidthOfRow(row - 1, height), ZoneWidthOfRow(row, height),
                                    ZoneWidthOfRow(row + 1, height)});
    const std::int64_t width = zoneWidth * kUnits / divisions;
    const std::int64_t column = FloorDiv(longitude + 180 * kUnits, width);
    ExpectedGrid grid{zoneWidth, {}, {}};
    for (int i = 0; i < 4; ++i) {
        grid.latitudeLines[i] = (row - 1 + i) * height;
        grid.longitudeLines[i] = (column - 1 + i) * width - 180 * kUnits;
    }
    return grid;
}

double Degrees(std::int64_t units) {
    return double(units) / double(kUnits);
}

void CompareGrid(const GridLines& grid, const ExpectedGrid& expected, const QString& where) {
    QCOMPARE(grid.zoneWidth, expected.zoneWidth);
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(
            std::abs(grid.latitudeLines[i] - Degrees(expected.latitudeLines[i])) < 1e-9,
            qPrintable(
                where +
                QString(" latitude line %1: %2").arg(i).arg(grid.latitudeLines[i], 0, 'g', 17)));
        QVERIFY2(
            std::abs(grid.longitudeLines[i] - Degrees(expected.longitudeLines[i])) < 1e-9,
            qPrintable(
                where +
                QString(" longitude line %1: %2").arg(i).arg(grid.longitudeLines[i], 0, 'g', 17)));
    }
    QVERIFY(std::abs(grid.centreLatitude -
                     Degrees(expected.latitudeLines[1] + expected.latitudeLines[2]) / 2) < 1e-9);
    QVERIFY(std::abs(grid.centreLongitude -
                     Degrees(expected.longitudeLines[1] + expected.longitudeLines[2]) / 2) < 1e-9);
}

}  // namespace

class NeighbourhoodTest : public QObject {
    Q_OBJECT

  private slots:
    void scales_data() {
        QTest::addColumn<int>("scale");
        for (int scale = 0; scale < engine::kScaleCount; ++scale) {
            QTest::newRow(engine::kScaleCatalogue[scale].caption.data()) << scale;
        }
    }

    // Random points, some of them exactly on a parallel, a meridian or a corner.
    void gridAgreesWithExactArithmetic_data() { scales_data(); }
    void gridAgreesWithExactArithmetic() {
        QFETCH(int, scale);
        engine::SheetEngine engine;
        engine.SelectScale(scale);
        const int divisions = engine.scale().rowDivisions;
        std::mt19937_64 random(20240601 + scale);
        std::uniform_int_distribution<std::int64_t> latitudes(-86 * kUnits, 86 * kUnits);
        std::uniform_int_distribution<std::int64_t> longitudes(-150 * kUnits, 179 * kUnits);
        for (int n = 0; n < 400; ++n) {
            std::int64_t latitude = latitudes(random);
            std::int64_t longitude = longitudes(random);
            const std::int64_t height = 4 * kUnits / divisions;
            if (n % 4 == 1 || n % 4 == 3) {
                latitude = latitude / height * height;  // towards the equator: stays in range
            }
            if (n % 4 >= 2) {
                const std::int64_t width =
                    Expected(latitude, 0, divisions).zoneWidth * kUnits / divisions;
                longitude = FloorDiv(longitude, width) * width;
            }
            const QString where = QString("point %1, %2").arg(latitude).arg(longitude);
            const std::optional<GridLines> grid =
                ComputeGridLines(engine, Degrees(latitude), Degrees(longitude));
            QVERIFY2(grid.has_value(), qPrintable(where));
            CompareGrid(*grid, Expected(latitude, longitude, divisions), where);
            // The middle cell is the engine's sheet of the point itself.
            QCOMPARE(engine.SheetNumber(grid->centreLatitude, grid->centreLongitude, true),
                     engine.SheetNumber(Degrees(latitude), Degrees(longitude), true));
        }
    }

    void clampedPoints_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("southLine");
        QTest::addColumn<double>("westLine");
        QTest::newRow("north pole") << 90.0 << 117.5 << 80.0 << 84.0;
        QTest::newRow("south of -88") << -89.0 << 117.5 << -92.0 << 84.0;
        QTest::newRow("antimeridian") << 41.0 << 180.0 << 36.0 << 168.0;
        QTest::newRow("west of -180") << 41.0 << -200.0 << 36.0 << -186.0;
    }
    // 1:1,000,000, where the clamp decides the sheet.
    void clampedPoints() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, southLine);
        QFETCH(double, westLine);
        engine::SheetEngine engine;
        engine.SelectScale(0);
        const std::optional<GridLines> grid = ComputeGridLines(engine, latitude, longitude);
        QVERIFY(grid.has_value());
        QCOMPARE(grid->latitudeLines[0], southLine);
        QCOMPARE(grid->longitudeLines[0], westLine);
    }

    // Where the grid's clamp and the engine's part: the grid decides on the value as given, so
    // -180 is moved in to -179.59599 (the engine keeps it), a latitude within the line
    // tolerance inside 88 is not moved (the engine takes it as 88 and so off the series), and
    // NaN is 0 (the engine takes the positive stand-ins).
    void beyondAsGiven_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<bool>("hasGrid");
        QTest::addColumn<double>("middleSouth");
        QTest::addColumn<double>("middleWest");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("-180 at 1:50,000") << 5 << 41.0 << -180.0 << true << 41.0 << -179.75;
        QTest::newRow("NaN latitude") << 0 << nan << 117.5 << true << 0.0 << 114.0;
        QTest::newRow("NaN longitude") << 0 << 41.0 << nan << true << 40.0 << 0.0;
        QTest::newRow("a hair inside 88") << 0 << 88 - 5e-11 << 117.5 << false << 0.0 << 0.0;
    }
    void beyondAsGiven() {
        QFETCH(int, scale);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(bool, hasGrid);
        QFETCH(double, middleSouth);
        QFETCH(double, middleWest);
        engine::SheetEngine engine;
        engine.SelectScale(scale);
        const std::optional<GridLines> grid = ComputeGridLines(engine, latitude, longitude);
        QCOMPARE(grid.has_value(), hasGrid);
        if (grid) {
            QCOMPARE(grid->latitudeLines[1], middleSouth);
            QCOMPARE(grid->longitudeLines[1], middleWest);
        }
    }

    void cellsInReadingOrder() {
        engine::SheetEngine engine;
        engine.SelectScale(1);
        const GridLines grid = *ComputeGridLines(engine, 39.979, 117.5);
        const std::array<CellPoint, 9> cells = CellPoints(grid);
        const double latitudes[3] = {41, 39, 37};
        const double longitudes[3] = {115.5, 118.5, 121.5};
        for (int k = 0; k < 9; ++k) {
            QCOMPARE(cells[k].latitude, latitudes[k / 3]);
            QCOMPARE(cells[k].longitude, longitudes[k % 3]);
        }
    }

    void stepLimits_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("atLimit");
        const int up = int(StepDirection::Up), down = int(StepDirection::Down);
        const int left = int(StepDirection::Left), right = int(StepDirection::Right);
        QTest::newRow("top row of 1:1,000,000") << 0 << 86.0 << 117.0 << up << true;
        QTest::newRow("below the top row") << 0 << 83.0 << 117.0 << up << false;
        QTest::newRow("bottom row of 1:1,000,000") << 0 << -86.0 << 117.0 << down << true;
        QTest::newRow("above the bottom row") << 0 << -83.0 << 117.0 << down << false;
        QTest::newRow("westmost zone") << 0 << 41.0 << -179.0 << left << true;
        QTest::newRow("second zone") << 0 << 41.0 << -173.0 << left << false;
        QTest::newRow("eastmost zone") << 0 << 41.0 << 179.0 << right << true;
        QTest::newRow("eastmost 24-degree zone") << 0 << 80.0 << 170.0 << right << true;
        QTest::newRow("1:500 at the east edge") << 11 << 41.0 << 179.999 << right << true;
        QTest::newRow("1:500 one sheet in") << 11 << 41.0 << 179.996 << right << false;
        QTest::newRow("1:500 at the north edge") << 11 << 87.9995 << 10.0 << up << true;
    }
    void stepLimits() {
        QFETCH(int, scale);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(int, direction);
        QFETCH(bool, atLimit);
        engine::SheetEngine engine;
        engine.SelectScale(scale);
        const GridLines grid = *ComputeGridLines(engine, latitude, longitude);
        QCOMPARE(AtStepLimit(grid, StepDirection(direction)), atLimit);
        if (!atLimit) {
            const CellPoint next = SteppedPoint(grid, StepDirection(direction));
            QVERIFY(!engine.SheetNumber(next.latitude, next.longitude, true).empty());
        }
    }
};

QTEST_MAIN(NeighbourhoodTest)
#include "neighbourhood_test.moc"
