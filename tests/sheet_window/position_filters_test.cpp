// The position box filters as functions of the typed text.

#include <QTest>
#include <optional>
#include <string>

#include "sheet_window/position_filters.h"

using namespace mapsheet::sheet_window;

Q_DECLARE_METATYPE(std::string)

namespace {

constexpr const char* kLeftAlone = "<left alone>";

std::string Shown(const std::optional<std::string>& filtered) {
    return filtered ? *filtered : kLeftAlone;
}

}  // namespace

class PositionFiltersTest : public QObject {
    Q_OBJECT

  private slots:
    void degrees_data() {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<std::string>("shown");
        QTest::newRow("minus sign alone") << std::string("-") << 179 << std::string(kLeftAlone);
        QTest::newRow("minus zero") << std::string("-0") << 87 << std::string(kLeftAlone);
        QTest::newRow("empty") << std::string() << 179 << std::string(kLeftAlone);
        QTest::newRow("lone blank") << std::string(" ") << 179 << std::string(kLeftAlone);
        QTest::newRow("below longitude limit") << std::string("-200") << 179 << std::string("-179");
        QTest::newRow("above latitude limit") << std::string("88") << 87 << std::string("87");
        QTest::newRow("fraction kept") << std::string("2.5") << 179 << std::string("2.5");
        QTest::newRow("trailing point kept") << std::string("39.") << 87 << std::string("39.");
        QTest::newRow("point alone kept") << std::string(".") << 87 << std::string(".");
        QTest::newRow("negative fraction kept")
            << std::string("-2.5") << 179 << std::string("-2.5");
        QTest::newRow("fraction just inside") << std::string("87.99") << 87 << std::string("87.99");
        QTest::newRow("fraction beyond the limit")
            << std::string("88.5") << 87 << std::string("87");
        QTest::newRow("mark after a fraction dropped")
            << std::string("39.9042°") << 87 << std::string("39.9042");
        QTest::newRow("exponent read whole") << std::string("1.5e1") << 179 << std::string("15");
        QTest::newRow("too large for any integer")
            << std::string("99999999999") << 179 << std::string("179");
        QTest::newRow("far too small") << std::string("-1e300") << 87 << std::string("-87");
        QTest::newRow("leading zero") << std::string("-05") << 179 << std::string("-5");
        QTest::newRow("letters read as 0") << std::string("abc") << 179 << std::string("0");
        QTest::newRow("trailing letters") << std::string("12x") << 179 << std::string("12");
        QTest::newRow("already clean") << std::string("117") << 179 << std::string("117");
    }
    void degrees() {
        QFETCH(std::string, typed);
        QFETCH(int, limit);
        QFETCH(std::string, shown);
        QCOMPARE(Shown(FilterDegrees(typed, limit)), shown);
    }

    void minutes_data() {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("shown");
        QTest::newRow("above 59") << std::string("75") << std::string("59");
        QTest::newRow("negative") << std::string("-3") << std::string("0");
        QTest::newRow("minus sign") << std::string("-") << std::string("0");
        QTest::newRow("half to even") << std::string("30.5") << std::string("30");
        QTest::newRow("huge") << std::string("99999999999") << std::string("59");
        QTest::newRow("leading zero") << std::string("05") << std::string("5");
        QTest::newRow("empty") << std::string() << std::string(kLeftAlone);
    }
    void minutes() {
        QFETCH(std::string, typed);
        QFETCH(std::string, shown);
        QCOMPARE(Shown(FilterMinutes(typed)), shown);
    }

    void seconds_data() {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("shown");
        QTest::newRow("60 and more") << std::string("61") << std::string("59.99");
        QTest::newRow("exactly 60") << std::string("60") << std::string("59.99");
        QTest::newRow("huge") << std::string("99999999999") << std::string("59.99");
        QTest::newRow("negative") << std::string("-5") << std::string("0");
        QTest::newRow("trailing point kept") << std::string("12.") << std::string("12.");
        QTest::newRow("trailing point zero kept") << std::string("12.0") << std::string("12.0");
        QTest::newRow("trailing zero dropped") << std::string("12.30") << std::string("12.3");
        QTest::newRow("two zeros dropped") << std::string("45.00") << std::string("45");
        QTest::newRow("hundredths") << std::string("45.05") << std::string("45.05");
        QTest::newRow("point alone") << std::string(".") << std::string("0.");
        QTest::newRow("leading zeros") << std::string("00") << std::string("0");
        QTest::newRow("empty") << std::string() << std::string(kLeftAlone);
    }
    void seconds() {
        QFETCH(std::string, typed);
        QFETCH(std::string, shown);
        QCOMPARE(Shown(FilterSeconds(typed)), shown);
    }

    // A filtered text filters to itself, so a rewrite never starts another one.
    void filteredTextIsStable_data() { seconds_data(); }
    void filteredTextIsStable() {
        QFETCH(std::string, typed);
        const std::optional<std::string> once = FilterSeconds(typed);
        if (once) {
            QCOMPARE(Shown(FilterSeconds(*once)), *once);
        }
        const std::optional<std::string> degrees = FilterDegrees(typed, 179);
        if (degrees) {
            QCOMPARE(Shown(FilterDegrees(*degrees, 179)), *degrees);
        }
    }
};

QTEST_MAIN(PositionFiltersTest)
#include "position_filters_test.moc"
