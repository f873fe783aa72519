// Decimal degrees typed into a degrees box: the split into degrees, minutes and seconds.

#include <QTest>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "sheet_window/decimal_degrees.h"

using namespace mapsheet::sheet_window;

Q_DECLARE_METATYPE(std::string)

namespace {

std::string Boxes(const std::optional<SplitDegrees>& split) {
    if (!split) {
        return "<left alone>";
    }
    return split->degrees + " " + split->minutes.value_or("<kept>") + " " +
           split->seconds.value_or("<kept>");
}

}  // namespace

class DecimalDegreesTest : public QObject {
    Q_OBJECT

  private slots:
    void split_data() {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<std::string>("boxes");
        QTest::newRow("Beijing latitude")
            << std::string("39.9042") << 87 << std::string("39 54 15.12");
        QTest::newRow("negative half degree")
            << std::string("-2.5") << 179 << std::string("-2 30 00.00");
        QTest::newRow("less than one degree south")
            << std::string("-0.5") << 87 << std::string("-0 30 00.00");
        QTest::newRow("point first") << std::string(".25") << 179 << std::string("0 15 00.00");
        // 0.0000125 degree is 0.045 second: the half goes away from zero.
        QTest::newRow("half a hundredth up")
            << std::string("10.0000125") << 179 << std::string("10 00 00.05");
        QTest::newRow("just below the half")
            << std::string("10.0000124") << 179 << std::string("10 00 00.04");
        QTest::newRow("carry into the degree")
            << std::string("116.9999999") << 179 << std::string("117 00 00.00");
        QTest::newRow("rounds to zero has no sign")
            << std::string("-0.000001") << 87 << std::string("0 00 00.00");
        QTest::newRow("largest latitude kept")
            << std::string("87.999997") << 87 << std::string("87 59 59.99");
        QTest::newRow("carry past the limit clamped")
            << std::string("87.9999999") << 87 << std::string("87 59 59.99");
        QTest::newRow("beyond the limit clamped")
            << std::string("-200.5") << 179 << std::string("-179 59 59.99");
        QTest::newRow("28 decimals")
            << std::string("1.0000000000000000000000000001") << 179 << std::string("1 00 00.00");
        QTest::newRow("blanks ignored")
            << std::string(" 3 9.5 ") << 87 << std::string("39 30 00.00");
        QTest::newRow("trailing point dropped")
            << std::string("39.") << 87 << std::string("39 <kept> <kept>");
        QTest::newRow("minus point") << std::string("-.") << 87 << std::string("-0 <kept> <kept>");
        QTest::newRow("whole degrees") << std::string("39") << 87 << std::string("<left alone>");
        QTest::newRow("minus alone") << std::string("-") << 87 << std::string("<left alone>");
        QTest::newRow("exponent") << std::string("1.5e1") << 179 << std::string("<left alone>");
    }
    void split() {
        QFETCH(std::string, typed);
        QFETCH(int, limit);
        QFETCH(std::string, boxes);
        QCOMPARE(Boxes(SplitDecimalDegrees(typed, limit)), boxes);
    }

    // For every value with six decimals in a sweep, the boxes name the nearest hundredth of a
    // second: |D + M/60 + S/3600 - value| <= 1/720000 degree, checked in integers.
    void splitIsTheNearestHundredth() {
        for (std::int64_t micro = -87'000'000; micro <= 87'000'000; micro += 1'234'567) {
            const std::int64_t size = std::llabs(micro);
            const std::string typed =
                std::string(micro < 0 ? "-" : "") + std::to_string(size / 1'000'000) + "." +
                QString::number(size % 1'000'000).rightJustified(6, '0').toStdString();
            const std::optional<SplitDegrees> split = SplitDecimalDegrees(typed, 87);
            QVERIFY2(split && split->minutes && split->seconds, typed.c_str());
            const std::int64_t hundredths = std::llabs(std::stoll(split->degrees)) * 360000 +
                                            std::stoll(*split->minutes) * 6000 +
                                            std::llround(std::stod(*split->seconds) * 100);
            // hundredths / 360000 against size / 1e6, both scaled by 36e6.
            const std::int64_t error = std::llabs(hundredths * 1'000'000 - size * 360'000);
            QVERIFY2(error <= 500'000, typed.c_str());
            QCOMPARE(split->degrees.front() == '-', micro < 0 && hundredths != 0);
        }
    }
};

QTEST_MAIN(DecimalDegreesTest)
#include "decimal_degrees_test.moc"
