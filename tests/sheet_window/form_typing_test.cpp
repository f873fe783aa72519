// Typing into the sheet window: the position filters, the sheet-number boxes and the lookup
// that writes a typed sheet's centre into the position boxes.

#include <QTest>

#include "window_driver.h"

using namespace window_driver;

class FormTypingTest : public QObject {
    Q_OBJECT

  private slots:
    void positionFilters_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("pasted");
        QTest::newRow("minus sign") << "TextJdD"
                                    << "-"
                                    << "-" << false;
        QTest::newRow("minus zero") << "TextWdD"
                                    << "-0"
                                    << "-0" << false;
        QTest::newRow("longitude below -179") << "TextJdD"
                                              << "-200"
                                              << "-179" << false;
        QTest::newRow("latitude above 87") << "TextWdD"
                                           << "88"
                                           << "87" << false;
        // Decimal degrees stay as typed until the box is left.
        QTest::newRow("pasted decimal degrees") << "TextJdD"
                                                << "2.5"
                                                << "2.5" << true;
        QTest::newRow("decimal latitude beyond 87") << "TextWdD"
                                                    << "88.5"
                                                    << "87" << true;
        QTest::newRow("degrees too large for an integer") << "TextJdD"
                                                          << "99999999999"
                                                          << "179" << true;
        QTest::newRow("minutes above 59") << "TextJdF"
                                          << "75"
                                          << "59" << false;
        QTest::newRow("negative minutes") << "TextWdF"
                                          << "-7"
                                          << "0" << true;
        QTest::newRow("minutes too large") << "TextWdF"
                                           << "99999999999"
                                           << "59" << true;
        QTest::newRow("seconds above 60") << "TextJdM"
                                          << "61"
                                          << "59.99" << false;
        QTest::newRow("seconds with a point") << "TextWdM"
                                              << "12."
                                              << "12." << false;
        QTest::newRow("seconds point zero") << "TextJdM"
                                            << "12.0"
                                            << "12.0" << false;
        QTest::newRow("seconds trailing zero") << "TextWdM"
                                               << "12.30"
                                               << "12.3" << false;
        QTest::newRow("seconds too large") << "TextWdM"
                                           << "99999999999"
                                           << "59.99" << true;
        // Key by key, each keystroke is filtered on its own: "2." must survive it.
        QTest::newRow("degrees typed key by key") << "TextJdD"
                                                  << "2.5"
                                                  << "2.5" << false;
        QTest::newRow("latitude typed key by key") << "TextWdD"
                                                   << "39.9042"
                                                   << "39.9042" << false;
        QTest::newRow("minus then minutes") << "TextWdF"
                                            << "-7"
                                            << "7" << false;
    }
    void positionFilters() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, pasted);
        mapsheet::FormDC1 window;
        Show(window);
        if (pasted) {
            PasteInto(window, box, typed);
        } else {
            TypeInto(window, box, typed);
        }
        QCOMPARE(TextOf(window, box), shown);
        auto* edit = Find<QLineEdit>(window, box);
        QCOMPARE(edit->cursorPosition(), int(edit->text().size()));
    }

    // The display's own writes are not filtered: "00.00" stays, though typing it gives "0".
    void displayWritesAreNotFiltered() {
        mapsheet::FormDC1 window;
        Show(window);
        Click(window, "TextJdM");
        Click(window, "dcButZhuan");
        QCOMPARE(TextOf(window, "TextJdM"), QString("00.00"));
        QCOMPARE(TextOf(window, "TextWdM"), QString("00.00"));
    }

    // A typed position replaces a typed sheet number, without losing the other position boxes.
    void typingAPositionClearsTheSheetNumber() {
        mapsheet::FormDC1 window;
        Show(window);
        Choose(window, "ComIdB", "J");
        TypeInto(window, "TextID1", "50");
        TypeInto(window, "TextID3", "1");
        TypeInto(window, "TextID4", "2");
        QCOMPARE(Boxes(window, "TextWd"), QString("39 00 00.00"));
        TypeInto(window, "TextJdD", "116");
        QCOMPARE(Find<QComboBox>(window, "ComIdB")->currentIndex(), 0);
        for (const char* box : {"TextID1", "TextID3", "TextID4"}) {
            QCOMPARE(TextOf(window, box), QString());
        }
        QCOMPARE(TextOf(window, "TextID2"), QString("B"));
        QCOMPARE(Boxes(window, "TextJd"), QString("116 30 00.00"));
        QCOMPARE(Boxes(window, "TextWd"), QString("39 00 00.00"));
        Click(window, "dcButZhuan");
        QCOMPARE(MiddleSheet(window), QString("J50B001001"));
    }

    // Leaving a zone box for a position box writes the zone with two digits and looks it up;
    // the lookup's writes into the now focused position box are not taken for typing.
    void focusingAPositionBoxKeepsTheSheetNumber() {
        mapsheet::FormDC1 window;
        Show(window);
        Choose(window, "ComIdB", "J");
        TypeInto(window, "TextID1", "5");
        Click(window, "TextJdD");
        QCOMPARE(window.actionCode(), 11);
        QCOMPARE(TextOf(window, "TextID1"), QString("05"));
        QCOMPARE(Find<QComboBox>(window, "ComIdB")->currentText(), QString("J"));
        QCOMPARE(Boxes(window, "TextJd"), QString("-154 30 00.00"));
        QCOMPARE(Boxes(window, "TextWd"), QString("39 00 00.00"));
    }

    void lookups_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("hemisphere");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("longitude");
        QTest::addColumn<QString>("zoneShown");
        QTest::newRow("band only") << 1 << " "
                                   << "J"
                                   << ""
                                   << ""
                                   << ""
                                   << "38 00 00.00"
                                   << "  "
                                   << "";
        QTest::newRow("J50E003005") << 5 << " "
                                    << "J"
                                    << "50"
                                    << "3"
                                    << "5"
                                    << "39 35 00.00"
                                    << "115 07 30.00"
                                    << "50";
        QTest::newRow("P limits the zone to 30") << 1 << " "
                                                 << "P"
                                                 << "45"
                                                 << ""
                                                 << ""
                                                 << "63 00 00.00"
                                                 << "171 00 00.00"
                                                 << "30";
        QTest::newRow("empty codes: north-west sheet") << 4 << " "
                                                       << "J"
                                                       << "50"
                                                       << ""
                                                       << ""
                                                       << "39 50 00.00"
                                                       << "114 15 00.00"
                                                       << "50";
        QTest::newRow("south, letter A") << 1 << "S"
                                         << "A"
                                         << ""
                                         << ""
                                         << ""
                                         << "-2 00 00.00"
                                         << "  "
                                         << "";
    }
    void lookups() {
        QFETCH(int, scale);
        QFETCH(QString, hemisphere);
        QFETCH(QString, letter);
        QFETCH(QString, zone);
        QFETCH(QString, row);
        QFETCH(QString, column);
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        QFETCH(QString, zoneShown);
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, scale);
        Choose(window, "ComIdS", hemisphere);
        Choose(window, "ComIdB", letter);
        if (!zone.isEmpty()) {
            TypeInto(window, "TextID1", zone);
        }
        if (!row.isEmpty()) {
            TypeInto(window, "TextID3", row);
            TypeInto(window, "TextID4", column);
        }
        QCOMPARE(TextOf(window, "TextID1"), zoneShown);
        QCOMPARE(Boxes(window, "TextWd"), latitude);
        QCOMPARE(Boxes(window, "TextJd"), longitude);
    }

    // Typed codes above the scale's divisions are lowered while typing; leaving the box writes
    // the code with the scale's digits.
    void codesWhileAndAfterTyping() {
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, 4);
        Choose(window, "ComIdB", "K");
        TypeInto(window, "TextID1", "5");
        TypeInto(window, "TextID3", "13");
        QCOMPARE(TextOf(window, "TextID1"), QString("05"));
        QCOMPARE(TextOf(window, "TextID3"), QString("12"));
        TypeInto(window, "TextID4", "0");
        QCOMPARE(TextOf(window, "TextID4"), QString("0"));
        Click(window, "dcButZhuan");
        QCOMPARE(TextOf(window, "TextID3"), QString("012"));
        QCOMPARE(TextOf(window, "TextID4"), QString("001"));
        QCOMPARE(MiddleSheet(window), QString("K05D012001"));
    }

    // Choosing the same row letter again looks the sheet up again.
    void choosingTheSameLetterAgain() {
        mapsheet::FormDC1 window;
        Show(window);
        Choose(window, "ComIdB", "J");
        QCOMPARE(Boxes(window, "TextWd"), QString("38 00 00.00"));
        auto* list = Find<QComboBox>(window, "ComIdB");
        Find<QLineEdit>(window, "TextWdD")->setText("1");
        emit list->activated(list->currentIndex());
        QCOMPARE(Boxes(window, "TextWd"), QString("38 00 00.00"));
    }

    void convertRoundsSecondsToHundredths() {
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, 11);
        // 39°59′53.75″ is the south edge of the first 1:500 row of J50: 53.745″ rounds onto
        // it and so into that row, not the one below.
        TypePosition(window, "117 00 05", "39 59 53.745");
        Click(window, "dcButZhuan");
        QCOMPARE(MiddleSheet(window), QString("J50K00011153"));
    }
};

QTEST_MAIN(FormTypingTest)
#include "form_typing_test.moc"
