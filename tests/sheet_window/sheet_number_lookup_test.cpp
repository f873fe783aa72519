// The sheet-number pieces: their limits, the centre of the sheet they name, and the angle texts
// that carry it into the position boxes.

#include <QTest>
#include <random>
#include <string>

#include "engine/scale_catalogue.h"
#include "engine/sheet_engine.h"
#include "sheet_window/angle_text.h"
#include "sheet_window/sheet_number_lookup.h"

using namespace mapsheet;
using namespace mapsheet::sheet_window;

Q_DECLARE_METATYPE(std::string)

namespace {

// Splits a new-standard number (K50E003005, SH50D001012, J50) into the typed pieces.
SheetNumberPieces PiecesOf(const std::string& number, int codeDigits) {
    SheetNumberPieces pieces{" ", " ", "", "", ""};
    std::size_t at = 0;
    if (number.size() > 3 && number[0] == 'S' && number[1] >= 'A' && number[1] <= 'V' &&
        number[2] >= '0' && number[2] <= '9') {
        pieces.hemisphere = "S";
        at = 1;
    }
    pieces.rowLetter = number.substr(at, 1);
    pieces.zone = number.substr(at + 1, 2);
    if (number.size() > at + 3) {
        pieces.rowCode = number.substr(at + 4, codeDigits);
        pieces.columnCode = number.substr(at + 4 + codeDigits, codeDigits);
    }
    return pieces;
}

}  // namespace

class SheetNumberLookupTest : public QObject {
    Q_OBJECT

  private slots:
    void zoneLimits_data() {
        QTest::addColumn<std::string>("letter");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("width");
        QTest::newRow("blank entry") << std::string(" ") << 60 << 6;
        QTest::newRow("A") << std::string("A") << 60 << 6;
        QTest::newRow("O") << std::string("O") << 60 << 6;
        QTest::newRow("P") << std::string("P") << 30 << 12;
        QTest::newRow("S") << std::string("S") << 30 << 12;
        QTest::newRow("T") << std::string("T") << 15 << 24;
        QTest::newRow("V") << std::string("V") << 15 << 24;
    }
    void zoneLimits() {
        QFETCH(std::string, letter);
        QFETCH(int, limit);
        QFETCH(int, width);
        QCOMPARE(ZoneLimit(letter), limit);
        QCOMPARE(ZoneWidthOfRow(letter), width);
    }

    void rowLetterNumbers_data() {
        QTest::addColumn<std::string>("letter");
        QTest::addColumn<int>("number");
        QTest::newRow("A") << std::string("A") << 1;
        QTest::newRow("J") << std::string("J") << 10;
        QTest::newRow("lower-case v") << std::string("v") << 22;
        QTest::newRow("W is no row") << std::string("W") << 1;
        QTest::newRow("empty") << std::string() << 1;
        QTest::newRow("two letters") << std::string("AB") << 1;
    }
    void rowLetterNumbers() {
        QFETCH(std::string, letter);
        QFETCH(int, number);
        QCOMPARE(RowLetterNumber(letter), number);
    }

    void codeTexts_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("clamped");
        QTest::newRow("zone above the P limit")
            << std::string("45") << 30 << std::string("30") << std::string("30");
        QTest::newRow("zone within")
            << std::string("5") << 60 << std::string("5") << std::string("05");
        QTest::newRow("zero") << std::string("0") << 60 << std::string("0") << std::string("01");
        QTest::newRow("too large for any integer")
            << std::string("99999999999") << 576 << std::string("576") << std::string("576");
        // Typing keeps the digits; the clamp reads the leading number.
        QTest::newRow("letters") << std::string("1a2") << 96 << std::string("12")
                                 << std::string("001");
    }
    void codeTexts() {
        QFETCH(std::string, text);
        QFETCH(int, limit);
        QFETCH(std::string, typed);
        QFETCH(std::string, clamped);
        QCOMPARE(TypedCodeText(text, limit), typed);
        QCOMPARE(ClampedCodeText(text, limit, limit == 60 || limit == 30 ? "00" : "000"), clamped);
    }

    void centres_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<std::string>("hemisphere");
        QTest::addColumn<std::string>("letter");
        QTest::addColumn<std::string>("zone");
        QTest::addColumn<std::string>("row");
        QTest::addColumn<std::string>("column");
        QTest::addColumn<std::string>("latitude");
        QTest::addColumn<std::string>("longitude");
        QTest::newRow("no letter")
            << 1 << std::string(" ") << std::string(" ") << std::string("50") << std::string("1")
            << std::string("1") << std::string("||") << std::string("||");
        QTest::newRow("band only")
            << 1 << std::string(" ") << std::string("J") << std::string() << std::string()
            << std::string() << std::string("38|00|00.00") << std::string("||");
        QTest::newRow("J50E003005")
            << 5 << std::string(" ") << std::string("J") << std::string("50") << std::string("003")
            << std::string("005") << std::string("39|35|00.00") << std::string("115|07|30.00");
        QTest::newRow("empty codes: north-west sheet")
            << 1 << std::string(" ") << std::string("J") << std::string("50") << std::string()
            << std::string() << std::string("39|00|00.00") << std::string("115|30|00.00");
        QTest::newRow("south band only")
            << 1 << std::string("S") << std::string("A") << std::string() << std::string()
            << std::string() << std::string("-2|00|00.00") << std::string("||");
        QTest::newRow("south first row")
            << 1 << std::string("S") << std::string("A") << std::string("50") << std::string("1")
            << std::string("1") << std::string("-01|00|00.00") << std::string("115|30|00.00");
        QTest::newRow("zone above the limit")
            << 0 << std::string(" ") << std::string("P") << std::string("45") << std::string()
            << std::string() << std::string("62|00|00.00") << std::string("174|00|00.00");
        QTest::newRow("1:500 last sheet")
            << 11 << std::string(" ") << std::string("K") << std::string("50")
            << std::string("2304") << std::string("2304") << std::string("40|00|03.13")
            << std::string("119|59|55.31");
    }
    void centres() {
        QFETCH(int, scale);
        QFETCH(std::string, hemisphere);
        QFETCH(std::string, letter);
        QFETCH(std::string, zone);
        QFETCH(std::string, row);
        QFETCH(std::string, column);
        QFETCH(std::string, latitude);
        QFETCH(std::string, longitude);
        const CentreTexts centre =
            LookUpSheetCentre({hemisphere, letter, zone, row, column}, engine::scaleRecord(scale));
        const auto joined = [](const AngleBoxTexts& boxes) {
            return boxes.degrees + "|" + boxes.minutes + "|" + boxes.seconds;
        };
        QCOMPARE(joined(centre.latitude), latitude);
        QCOMPARE(joined(centre.longitude), longitude);
    }

    // The number the engine gives a point, looked up, gives back a point of the same sheet.
    void lookupReturnsTheSheet_data() {
        QTest::addColumn<int>("scale");
        for (int scale = 0; scale < engine::kScaleCount; ++scale) {
            QTest::newRow(engine::kScaleCatalogue[scale].caption.data()) << scale;
        }
    }
    void lookupReturnsTheSheet() {
        QFETCH(int, scale);
        engine::SheetEngine engine;
        engine.SelectScale(scale);
        std::mt19937 random(7 + scale);
        std::uniform_real_distribution<double> latitudes(-87.5, 87.5);
        std::uniform_real_distribution<double> longitudes(-179.9, 179.9);
        const int digits = engine::kScaleCatalogue[scale].codeDigits;
        for (int n = 0; n < 200; ++n) {
            const double latitude = latitudes(random);
            const double longitude = longitudes(random);
            const std::string number = engine.SheetNumber(latitude, longitude, true);
            const CentreTexts centre = LookUpSheetCentre(PiecesOf(number, digits), engine.scale());
            const double backLatitude = DegreesFromBoxes(
                centre.latitude.degrees, centre.latitude.minutes, centre.latitude.seconds);
            const double backLongitude = DegreesFromBoxes(
                centre.longitude.degrees, centre.longitude.minutes, centre.longitude.seconds);
            QCOMPARE(engine.SheetNumber(backLatitude, backLongitude, true), number);
        }
    }

    void boxesToDegrees_data() {
        QTest::addColumn<std::string>("degrees");
        QTest::addColumn<std::string>("minutes");
        QTest::addColumn<std::string>("seconds");
        QTest::addColumn<double>("value");
        QTest::newRow("default latitude") << std::string("39") << std::string("58")
                                          << std::string("45") << 39 + 58 / 60.0 + 45 / 3600.0;
        QTest::newRow("minus zero degrees")
            << std::string("-0") << std::string("30") << std::string("00") << -0.5;
        QTest::newRow("south") << std::string("-12") << std::string("30") << std::string("0")
                               << -12.5;
        QTest::newRow("seconds to hundredths")
            << std::string("10") << std::string("0") << std::string("36.004") << 10.01;
        QTest::newRow("seconds rounding up")
            << std::string("10") << std::string("0") << std::string("35.995") << 10.01;
        QTest::newRow("one-digit minutes") << std::string("39") << std::string("5")
                                           << std::string("7.5") << 39 + 5 / 60.0 + 7.5 / 3600.0;
        QTest::newRow("all empty") << std::string() << std::string() << std::string() << 0.0;
    }
    void boxesToDegrees() {
        QFETCH(std::string, degrees);
        QFETCH(std::string, minutes);
        QFETCH(std::string, seconds);
        QFETCH(double, value);
        QVERIFY(std::abs(DegreesFromBoxes(degrees, minutes, seconds) - value) < 1e-12);
    }

    void markedTexts_data() {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<std::string>("marked");
        QTest::newRow("whole") << 39.0 << std::string("39°00′00.00″");
        QTest::newRow("half a degree south") << -0.5 << std::string("-00°30′00.00″");
        QTest::newRow("sheet centre") << 118.5 << std::string("118°30′00.00″");
        QTest::newRow("hundredths up") << 40.00086805556 << std::string("40°00′03.13″");
        QTest::newRow("hundredths down") << 40.000868055555 << std::string("40°00′03.12″");
    }
    void markedTexts() {
        QFETCH(double, degrees);
        QFETCH(std::string, marked);
        QCOMPARE(MarkedText(degrees), marked);
        const AngleBoxTexts boxes = SplitMarkedText(marked);
        QVERIFY(std::abs(DegreesFromBoxes(boxes.degrees, boxes.minutes, boxes.seconds) - degrees) <
                0.01 / 3600);
    }
};

QTEST_MAIN(SheetNumberLookupTest)
#include "sheet_number_lookup_test.moc"
