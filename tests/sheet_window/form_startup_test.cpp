// The sheet window as it opens, its controls and texts, and the choice of a scale.

#include <QSignalSpy>
#include <QTest>

#include "engine/scale_catalogue.h"
#include "window_driver.h"

using namespace window_driver;

class FormStartupTest : public QObject {
    Q_OBJECT

  private slots:
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("title") << "LabelTop"
                               << "地形图 分幅与编号"
                               << "";
        QTest::newRow("longitude caption") << "Label1"
                                           << "图中间点的经度（东）"
                                           << "";
        QTest::newRow("latitude caption") << "Label2"
                                          << "图中间点的纬度（北）"
                                          << "";
        QTest::newRow("convert") << "dcButZhuan"
                                 << "执行 编码转换"
                                 << "输入<编号>或<经纬度>后，执行编码转换";
        QTest::newRow("up") << "dcButUp"
                            << "上 ↑"
                            << "向上移动一个图幅";
        QTest::newRow("down") << "dcButDown"
                              << "下 ↓"
                              << "向下移动一个图幅";
        QTest::newRow("left") << "dcButLeft"
                              << "← 左"
                              << "向左移动一个图幅";
        QTest::newRow("right") << "dcButRight"
                               << "右 →"
                               << "向右移动一个图幅";
        QTest::newRow("zone box") << "TextID1"
                                  << ""
                                  << "经度的数字编码";
        QTest::newRow("scale letter") << "TextID2"
                                      << "B"
                                      << "比例尺标识";
        QTest::newRow("row box") << "TextID3"
                                 << ""
                                 << "所在行的数字编码";
        QTest::newRow("column box") << "TextID4"
                                    << ""
                                    << "所在列的数字编码";
        QTest::newRow("legend") << "LabNSWE"
                                << "粗体为1993-2012新编码"
                                << "";
        QTest::newRow("example") << "LabTuID"
                                 << "新编号示例:_K50B002002"
                                 << "";
        QTest::newRow("standard line") << "LabelXinXi"
                                       << "适于1993至2012新国标"
                                       << "";
        QTest::newRow("version") << "LabBanBen"
                                 << "版本 " MAPSHEET_VERSION << "";
        QTest::newRow("angle window") << "CommandJd"
                                      << "角度转换"
                                      << "转到 -- 衡启角度转换页面";
        for (int i = 0; i < 12; ++i) {
            QTest::addRow("scale label %d", i)
                << QString("LabBiLi%1").arg(i)
                << QString::fromUtf8(mapsheet::engine::kScaleCatalogue[i].caption.data()) << "";
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, tooltip);
        mapsheet::FormDC1 window;
        auto* control = Find<QWidget>(window, name);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else {
            QCOMPARE(TextOf(window, name), text);
        }
        QCOMPARE(control->toolTip(), tooltip);
    }

    void everyNamedControlExists() {
        mapsheet::FormDC1 window;
        QVERIFY(window.windowTitle().startsWith(" 地形图分幅与编号"));
        QStringList names = {"TextJdD", "TextJdF", "TextJdM", "TextWdD", "TextWdF",   "TextWdM",
                             "ComIdS",  "ComIdB",  "Shape1",  "Shape2",  "LabBeiZhu", "CommandBD"};
        for (int i = 0; i < 12; ++i) {
            names << QString("OptBiLi%1").arg(i);
        }
        for (int i = 1; i <= 9; ++i) {
            names << QString("LabXin%1").arg(i) << QString("LabOld%1").arg(i);
        }
        for (int i = 0; i < 4; ++i) {
            names << QString("LabJingDu%1").arg(i) << QString("LabWeiDu%1").arg(i);
        }
        for (const char* line : {"A", "B", "C", "D"}) {
            for (int i = 1; i <= 3; ++i) {
                names << QString("Line%1%2").arg(line).arg(i);
            }
        }
        for (int i = 3; i <= 8; ++i) {
            names << QString("Label%1").arg(i);
        }
        for (const QString& name : names) {
            QVERIFY2(window.findChild<QWidget*>(name) != nullptr, qPrintable(name));
        }
        QVERIFY(Find<QLabel>(window, "LabXin5")->font().bold());
        QVERIFY(!Find<QLabel>(window, "LabOld5")->font().bold());
        QVERIFY(Find<QLabel>(window, "LabXin5")->textInteractionFlags() &
                Qt::TextSelectableByMouse);
        QCOMPARE(Find<QComboBox>(window, "ComIdS")->count(), 2);
        QCOMPARE(Find<QComboBox>(window, "ComIdB")->count(), 23);
        QCOMPARE(Find<QComboBox>(window, "ComIdB")->itemText(22), QString("V"));
    }

    // Longitude 117°30′00″, latitude 39°58′45″ at 1:500,000: the sheet J50B001002 (38..40 N,
    // 117..120 E) and its neighbours; the boxes then hold that sheet's centre.
    void startUpNeighbourhood() {
        mapsheet::FormDC1 window;
        const QStringList newNumbers = {"K50B002001", "K50B002002", "K51B002001",
                                        "J50B001001", "J50B001002", "J51B001001",
                                        "J50B002001", "J50B002002", "J51B002001"};
        const QStringList oldNumbers = {"K-50-C", "K-50-D", "K-51-C", "J-50-A", "J-50-B",
                                        "J-51-A", "J-50-C", "J-50-D", "J-51-C"};
        for (int k = 0; k < 9; ++k) {
            QCOMPARE(TextOf(window, QString("LabXin%1").arg(k + 1)), newNumbers[k]);
            QCOMPARE(TextOf(window, QString("LabOld%1").arg(k + 1)), oldNumbers[k]);
        }
        const QStringList latitudes = {"36°00′00.00″", "38°00′00.00″", "40°00′00.00″",
                                       "42°00′00.00″"};
        const QStringList longitudes = {"114°00′00.00″", "117°00′00.00″", "120°00′00.00″",
                                        "123°00′00.00″"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(TextOf(window, QString("LabWeiDu%1").arg(i)), latitudes[i]);
            QCOMPARE(TextOf(window, QString("LabJingDu%1").arg(i)), longitudes[i]);
        }
        QCOMPARE(Boxes(window, "TextJd"), QString("118 30 00.00"));
        QCOMPARE(Boxes(window, "TextWd"), QString("39 00 00.00"));
        for (const char* line : {"LineA1", "LineB3", "LineC2", "LineD3"}) {
            QVERIFY(!Find<QFrame>(window, line)->isHidden());
        }
        QCOMPARE(window.actionCode(), 31);
        QCOMPARE(window.currentLatitude(), 39.0);
        QCOMPARE(window.currentLongitude(), 118.5);
    }

    void scaleChoice_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("codesShown");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("clampedRow");
        QTest::newRow("1:1,000,000") << 0 << false << ""
                                     << "";
        QTest::newRow("1:500,000") << 1 << true << "B"
                                   << "002";
        QTest::newRow("1:200,000") << 3 << false << ""
                                   << "";
        QTest::newRow("1:50,000") << 5 << true << "E"
                                  << "024";
        QTest::newRow("1:2000") << 9 << true << "I"
                                << "576";
        QTest::newRow("1:1000") << 10 << true << "J"
                                << "1152";
        QTest::newRow("1:500") << 11 << true << "K"
                               << "2304";
    }
    // The code boxes, the letter, the code pattern (a typed row code clamped on leaving the box)
    // and the notes of each scale.
    void scaleChoice() {
        QFETCH(int, scale);
        QFETCH(bool, codesShown);
        QFETCH(QString, letter);
        QFETCH(QString, clampedRow);
        mapsheet::FormDC1 window;
        Show(window);
        TypeInto(window, "TextID1", "50");
        ChooseScale(window, scale);
        QCOMPARE(TextOf(window, "TextID1"), QString());
        QCOMPARE(TextOf(window, "TextID2"), letter);
        for (const char* box : {"TextID2", "TextID3", "TextID4"}) {
            QCOMPARE(Find<QLineEdit>(window, box)->isVisible(), codesShown);
        }
        if (codesShown) {
            TypeInto(window, "TextID3", "99999");
            Click(window, "TextJdD");
            QCOMPARE(TextOf(window, "TextID3"), clampedRow);
        }
        const auto& row = mapsheet::engine::kScaleCatalogue[scale];
        const QStringList notes = TextOf(window, "LabBeiZhu").split('\n');
        QCOMPARE(notes.size(), 2);
        QCOMPARE(notes[0], QString::fromUtf8(row.note1.data(), row.note1.size()));
        QCOMPARE(notes[1], QString::fromUtf8(row.note2.data(), row.note2.size()));
        QCOMPARE(TextOf(window, "LabTuID"),
                 QString::fromUtf8(row.example.data(), row.example.size()));
        QVERIFY(Find<QRadioButton>(window, QString("OptBiLi%1").arg(scale))->isChecked());
    }

    void highlightColours() {
        mapsheet::FormDC1 window;
        Show(window);
        ChooseScale(window, 7);
        for (int i = 0; i < 12; ++i) {
            const bool chosen = i == 7;
            QCOMPARE(Find<QLabel>(window, QString("LabBiLi%1").arg(i))
                         ->palette()
                         .color(QPalette::WindowText),
                     chosen ? QColor(192, 0, 0) : QColor(128, 128, 128));
            QCOMPARE(Find<QRadioButton>(window, QString("OptBiLi%1").arg(i))
                         ->palette()
                         .color(QPalette::Window),
                     chosen ? QColor(192, 0, 0) : QColor(192, 192, 255));
        }
    }

    void scaleAppliedOnce_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("scale");
        QTest::newRow("scale label") << "LabBiLi5" << 5;
        QTest::newRow("option button") << "OptBiLi8" << 8;
        QTest::newRow("label of the chosen scale") << "LabBiLi1" << 1;
    }
    void scaleAppliedOnce() {
        QFETCH(QString, control);
        QFETCH(int, scale);
        mapsheet::FormDC1 window;
        Show(window);
        QSignalSpy applied(&window, &mapsheet::FormDC1::scaleApplied);
        Click(window, control);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(applied.at(0).at(0).toInt(), scale);
        QVERIFY(Find<QRadioButton>(window, QString("OptBiLi%1").arg(scale))->isChecked());
        QCOMPARE(window.engine().scale().scaleIndex, scale);
        QCOMPARE(window.actionCode(), 0);
    }

    void focusCodes_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("code");
        const char* names[] = {"ComIdS",  "ComIdB",  "TextID1", "TextID2", "TextID3", "TextID4",
                               "TextJdD", "TextJdF", "TextJdM", "TextWdD", "TextWdF", "TextWdM"};
        const int codes[] = {1, 2, 3, 4, 5, 6, 11, 12, 13, 21, 22, 23};
        for (int i = 0; i < 12; ++i) {
            QTest::newRow(names[i]) << names[i] << codes[i];
        }
        QTest::newRow("title") << "LabelTop" << 36;
        QTest::newRow("notes") << "LabBeiZhu" << 36;
    }
    void focusCodes() {
        QFETCH(QString, control);
        QFETCH(int, code);
        mapsheet::FormDC1 window;
        Show(window);
        Click(window, control);
        QCOMPARE(window.actionCode(), code);
    }
};

QTEST_MAIN(FormStartupTest)
#include "form_startup_test.moc"
