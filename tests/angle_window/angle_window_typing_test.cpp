// Typing into the angle window as a user does: clicking a box, selecting, typing, deleting and
// pressing the mark keys, then reading what every box shows.

#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "angle_window/FormDC2.h"

using mapsheet::FormDC2;

namespace {

const QStringList kBoxNames = {"TextDu", "TextFen", "TextMiao", "Text2", "Text3", "Text4", "Text5"};

QLineEdit* box(const FormDC2& window, const QString& name) {
    auto* edit = window.findChild<QLineEdit*>(name);
    if (edit == nullptr) {
        qFatal("no box named %s", qPrintable(name));
    }
    return edit;
}

QStringList allTexts(const FormDC2& window) {
    QStringList texts;
    for (const QString& name : kBoxNames) {
        texts << box(window, name)->text();
    }
    return texts;
}

// Presses keys into a box. Braced words are keys ({ALL} is select-all, {BS} backspace, {HOME},
// {END}, {RIGHT}, {F5}, {F6}, {F7}, {ENTER}); every other character is typed as itself.
void pressKeys(QLineEdit* edit, const QString& keys) {
    static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {"ALL", {Qt::Key_A, Qt::ControlModifier}},
        {"BS", {Qt::Key_Backspace, {}}},
        {"HOME", {Qt::Key_Home, {}}},
        {"END", {Qt::Key_End, {}}},
        {"RIGHT", {Qt::Key_Right, {}}},
        {"F5", {Qt::Key_F5, {}}},
        {"F6", {Qt::Key_F6, {}}},
        {"F7", {Qt::Key_F7, {}}},
        {"ENTER", {Qt::Key_Return, {}}},
    };
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == u'{') {
            const qsizetype close = keys.indexOf(u'}', i);
            const auto key = named.value(keys.mid(i + 1, close - i - 1));
            QTest::keyClick(edit, key.first, key.second);
            i = close;
            continue;
        }
        const QChar typed = keys[i];
        const auto code =
            typed.unicode() < 0x80 ? Qt::Key(typed.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, edit, code, QString(typed), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, code, QString(typed), Qt::NoModifier);
    }
}

// A step "Box|keys" clicks into the box and presses the keys.
void runStep(const FormDC2& window, const QString& step) {
    const qsizetype bar = step.indexOf(u'|');
    QLineEdit* edit = box(window, step.left(bar));
    QTest::mouseClick(edit, Qt::LeftButton);
    if (!edit->hasFocus()) {
        qFatal("clicking %s gave it no focus", qPrintable(edit->objectName()));
    }
    pressKeys(edit, step.mid(bar + 1));
}

// Stands in for the browser: keeps the addresses the desktop was asked to open.
class OpenedAddresses : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace

class AngleWindowTyping : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void typingConverts_data();
    void typingConverts();
    void markKeysElsewhereDoNothing_data();
    void markKeysElsewhereDoNothing();
    void programWriteConvertsOnlyInTheFocusedBox_data();
    void programWriteConvertsOnlyInTheFocusedBox();
    void caretGoesToTheEnd();
    void enterNeitherClosesNorDownloads();
    void downloadOpensItsAddress();
    void screenshot();

  private:
    std::unique_ptr<FormDC2> window;
};

void AngleWindowTyping::init() {
    window = std::make_unique<FormDC2>();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void AngleWindowTyping::cleanup() {
    window.reset();
}

void AngleWindowTyping::typingConverts_data() {
    QTest::addColumn<QStringList>("steps");
    // "Box=text" expects that text exactly, "Box^text" a text that starts so.
    QTest::addColumn<QStringList>("expected");

    const QStringList allEmpty = {"TextFen=", "TextMiao=", "Text2=", "Text3=", "Text4=", "Text5="};
    QTest::newRow("emptying TextDu by backspace empties the others")
        << QStringList{"TextDu|{END}{BS}{BS}"} << (QStringList{"TextDu="} + allEmpty);
    QTest::newRow("a lone minus in TextDu empties the others")
        << QStringList{"TextDu|{ALL}-"} << (QStringList{"TextDu=-"} + allEmpty);
    QTest::newRow("-0 with zero minutes and seconds empties the others")
        << QStringList{"TextDu|{ALL}0", "TextFen|{ALL}0", "TextMiao|{ALL}0", "TextDu|{HOME}-"}
        << (QStringList{"TextDu=-0"} + allEmpty);
    QTest::newRow("-0 with 3 minutes is a negative angle")
        << QStringList{"TextDu|{ALL}0", "TextFen|{ALL}3", "TextMiao|{ALL}0", "TextDu|{HOME}-"}
        << QStringList{"TextDu=-0",   "TextFen=3",   "TextMiao=0",
                       "Text2=-0.03", "Text4=-0.05", "Text5=-0.0008726646259971647884618454"};
    QTest::newRow("minutes 75 are held at 59")
        << QStringList{"TextDu|{ALL}45", "TextFen|{ALL}75"}
        << QStringList{"TextDu=45", "TextFen=59", "Text2^45.59"};
    QTest::newRow("seconds 60 are held at 59.999999")
        << QStringList{"TextDu|{ALL}45", "TextFen|{ALL}1", "TextMiao|{ALL}60"}
        << QStringList{"TextDu=45", "TextFen=1", "TextMiao=59.999999", "Text2=45.0159999999"};
    QTest::newRow("minutes typed while TextDu is empty make the degrees 0")
        << QStringList{"TextDu|{ALL}{BS}", "TextFen|{ALL}30"}
        << QStringList{"TextDu=0", "TextFen=30", "TextMiao=0", "Text2=0.3", "Text4=0.5"};
    QTest::newRow("seconds typed while TextDu is empty make the degrees 0")
        << QStringList{"TextDu|{ALL}{BS}", "TextMiao|36"}
        << QStringList{"TextDu=0", "TextFen=0", "TextMiao=36", "Text4=0.01"};
    QTest::newRow("letters vanish from the degree, minute and second boxes")
        << QStringList{"TextDu|{ALL}4x5", "TextFen|{ALL}3q0", "TextMiao|{ALL}1e5"}
        << QStringList{"TextDu=45", "TextFen=30", "TextMiao=15", "Text2=45.3015"};
    QTest::newRow("letters vanish from the packed box")
        << QStringList{"Text2|{ALL}4y5.3"} << QStringList{"Text2=45.3", "Text4=45.5"};
    QTest::newRow("letters vanish from the decimal degrees box")
        << QStringList{"Text4|{ALL}1k2.5"} << QStringList{"Text4=12.5", "Text3=12°30′00.0000″"};
    QTest::newRow("letters vanish from the radians box")
        << QStringList{"Text5|{ALL}0z"} << QStringList{"Text5=0"};
    QTest::newRow("full-width digits typed into TextDu become plain ones")
        << QStringList{"TextDu|{ALL}４５"} << QStringList{"TextDu=45", "Text4=45.05"};
    QTest::newRow("a full-width number typed into Text4 becomes a plain one")
        << QStringList{"Text4|{ALL}１２．５"}
        << QStringList{"Text4=12.5", "TextDu=12", "TextFen=30"};
    QTest::newRow("marked text with degrees and minutes converts")
        << QStringList{"Text3|{ALL}45{F5}52{F6}"}
        << QStringList{"Text3=45°52′", "TextDu=45",   "TextFen=52",
                       "TextMiao=0",   "Text2=45.52", "Text4^45.866666666666666666666666"};
    QTest::newRow("marked text without its closing mark empties the others")
        << QStringList{"Text3|{ALL}45{F5}52"}
        << QStringList{
               "Text3=45°52", "TextDu=", "TextFen=", "TextMiao=", "Text2=", "Text4=", "Text5="};
    QTest::newRow("a zero seconds part is dropped from the marked text")
        << QStringList{"Text3|{ALL}45{F5}30{F6}0{F7}"}
        << QStringList{"Text3=45°30′", "TextDu=45", "TextFen=30", "Text4=45.5"};
    QTest::newRow("F5 appends its mark at the end with the caret at the start")
        << QStringList{"Text3|{ALL}45{HOME}{F5}"} << QStringList{"Text3=45°", "TextDu=45"};
    QTest::newRow("F6 appends its mark at the end with the caret inside the text")
        << QStringList{"Text3|{ALL}45{F5}52{HOME}{RIGHT}{F6}"}
        << QStringList{"Text3=45°52′", "TextFen=52"};
    QTest::newRow("F7 appends its mark at the end, not over the selection")
        << QStringList{"Text3|{ALL}45{F5}52{F6}30{ALL}{F7}"}
        << QStringList{"Text3=45°52′30″", "TextMiao=30"};
    QTest::newRow("worked example typed as marked text")
        << QStringList{"Text3|{ALL}45{F5}52{F6}56.6879{F7}"}
        << QStringList{"Text3=45°52′56.6879″",
                       "TextDu=45",
                       "TextFen=52",
                       "TextMiao=56.6879",
                       "Text2=45.52566879",
                       "Text4=45.882413305555555555555555556",
                       "Text5=0.8007991809427995252701764234"};
    QTest::newRow("worked example typed as a packed number")
        << QStringList{"Text2|{ALL}45.52566879"}
        << QStringList{"Text3=45°52′56.6879″", "Text4=45.882413305555555555555555556",
                       "Text5=0.8007991809427995252701764234"};
    QTest::newRow("worked example typed as decimal degrees")
        << QStringList{"Text4|{ALL}45.882413305555555555555555556"}
        << QStringList{"Text3=45°52′56.6879″", "Text2=45.52566879", "TextMiao^56.6879"};
    QTest::newRow("worked example typed as the label's radians")
        << QStringList{"Text5|{ALL}0.8007991809428"}
        << QStringList{"Text4^45.882413305", "Text3=45°52′56.6879″", "TextFen=52"};
}

void AngleWindowTyping::typingConverts() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    for (const QString& step : steps) {
        runStep(*window, step);
    }
    for (const QString& expectation : expected) {
        const qsizetype at = expectation.indexOf(QRegularExpression("[=^]"));
        const QString shown = box(*window, expectation.left(at))->text();
        const QString want = expectation.mid(at + 1);
        if (expectation[at] == u'=') {
            QCOMPARE(expectation.left(at) + "=" + shown, expectation);
        } else if (!shown.startsWith(want)) {
            QFAIL(qPrintable(QString("%1 shows %2").arg(expectation.left(at), shown)));
        }
    }
}

void AngleWindowTyping::markKeysElsewhereDoNothing_data() {
    QTest::addColumn<QString>("boxName");
    for (const QString& name : kBoxNames) {
        if (name != "Text3") {
            QTest::newRow(qPrintable(name)) << name;
        }
    }
}

void AngleWindowTyping::markKeysElsewhereDoNothing() {
    QFETCH(QString, boxName);
    QLineEdit* edit = box(*window, boxName);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Home);
    const QStringList before = allTexts(*window);
    pressKeys(edit, "{F5}{F6}{F7}");
    QCOMPARE(allTexts(*window), before);
    QCOMPARE(edit->cursorPosition(), 0);
}

void AngleWindowTyping::programWriteConvertsOnlyInTheFocusedBox_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<bool>("converts");
    QTest::newRow("focus in Text4: the write into TextDu converts nothing") << "Text4" << false;
    QTest::newRow("focus in TextDu: the write converts as typing would") << "TextDu" << true;
}

void AngleWindowTyping::programWriteConvertsOnlyInTheFocusedBox() {
    QFETCH(QString, focused);
    QFETCH(bool, converts);
    QTest::mouseClick(box(*window, focused), Qt::LeftButton);
    QStringList before = allTexts(*window);
    box(*window, "TextDu")->setText("12");
    if (converts) {
        QCOMPARE(box(*window, "Text4")->text(), QString("12.05"));
    } else {
        before[0] = "12";
        QCOMPARE(allTexts(*window), before);
    }
}

void AngleWindowTyping::caretGoesToTheEnd() {
    runStep(*window, "Text2|{ALL}45.30{HOME}1");
    QCOMPARE(box(*window, "Text2")->text(), QString("145.30"));
    QCOMPARE(box(*window, "Text2")->cursorPosition(), 6);
    QCOMPARE(box(*window, "TextDu")->text(), QString("145"));
}

void AngleWindowTyping::enterNeitherClosesNorDownloads() {
    QSignalSpy pressed(window->findChild<QPushButton*>("CommandBD"), &QPushButton::clicked);
    runStep(*window, "Text2|{ENTER}");
    QCOMPARE(pressed.count(), 0);
    QVERIFY(window->isVisible());
}

void AngleWindowTyping::downloadOpensItsAddress() {
    OpenedAddresses opened;
    QDesktopServices::setUrlHandler("https", &opened, "open");
    QTest::mouseClick(window->findChild<QPushButton*>("CommandBD"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(opened.urls, QList<QUrl>{QUrl(mapsheet::kAngleWindowDownloadAddress)});
    QVERIFY(window->isVisible());
}

// MAPSHEET_ANGLE_SCREENSHOT=FILE saves a picture of the window as it opens.
void AngleWindowTyping::screenshot() {
    const QString file = qEnvironmentVariable("MAPSHEET_ANGLE_SCREENSHOT");
    if (file.isEmpty()) {
        QSKIP("MAPSHEET_ANGLE_SCREENSHOT is not set");
    }
    QVERIFY(window->grab().save(file));
}

QTEST_MAIN(AngleWindowTyping)
#include "angle_window_typing_test.moc"
