// Opening and closing the angle window modally, as the sheet window does: every opening starts
// afresh, and closing puts the library's arithmetic back as it was.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "angle_window/FormDC2.h"
#include "library/ModuleQmb.h"
#include "library/diagnostics_log.h"
#include "sheet_window/FormDC1.h"

using mapsheet::FormDC2;
namespace ModuleQmb = mapsheet::ModuleQmb;

namespace {

QLineEdit* box(const FormDC2& window, const char* name) {
    return window.findChild<QLineEdit*>(name);
}

QStringList allTexts(const FormDC2& window) {
    QStringList texts;
    for (const char* name : {"TextDu", "TextFen", "TextMiao", "Text2", "Text3", "Text4", "Text5"}) {
        texts << box(window, name)->text();
    }
    return texts;
}

// Runs the window's modal loop with `whileOpen` acting inside it; `whileOpen` must close it.
// Should it fail to, the window is rejected after a while so that the test cannot hang.
void execWith(FormDC2& window, const std::function<void()>& whileOpen) {
    QTimer::singleShot(0, &window, [&window, whileOpen] {
        if (QTest::qWaitForWindowActive(&window)) {
            whileOpen();
        }
    });
    QTimer::singleShot(10000, &window, &QDialog::reject);
    window.exec();
}

enum class Closing { Escape, CloseEvent, Reject, Accept, Hide };

void closeBy(FormDC2& window, Closing way) {
    switch (way) {
        case Closing::Escape:
            QTest::keyClick(box(window, "Text4"), Qt::Key_Escape);
            break;
        case Closing::CloseEvent:
            window.close();
            break;
        case Closing::Reject:
            window.reject();
            break;
        case Closing::Accept:
            window.accept();
            break;
        case Closing::Hide:
            window.hide();
            break;
    }
}

}  // namespace

class AngleWindowLifecycle : public QObject {
    Q_OBJECT

  private slots:
    void closingPutsTheArithmeticBack_data();
    void closingPutsTheArithmeticBack();
    void reopeningStartsAfresh();
    void defaultsShowTheirOwnConversion();
    void opensModallyFromTheSheetWindow();
};

void AngleWindowLifecycle::closingPutsTheArithmeticBack_data() {
    QTest::addColumn<Closing>("way");
    QTest::addColumn<bool>("exactBefore");
    QTest::newRow("Escape, from double") << Closing::Escape << false;
    QTest::newRow("title bar close, from double") << Closing::CloseEvent << false;
    QTest::newRow("reject, from double") << Closing::Reject << false;
    QTest::newRow("accept, from double") << Closing::Accept << false;
    QTest::newRow("hide, from double") << Closing::Hide << false;
    QTest::newRow("reject, from exact") << Closing::Reject << true;
}

void AngleWindowLifecycle::closingPutsTheArithmeticBack() {
    QFETCH(Closing, way);
    QFETCH(bool, exactBefore);
    ModuleQmb::精确模式 = exactBefore;
    FormDC2 window;
    bool exactWhileOpen = false;
    execWith(window, [&] {
        exactWhileOpen = ModuleQmb::精确模式;
        QTest::mouseClick(box(window, "Text4"), Qt::LeftButton);
        QTest::keyClicks(box(window, "Text4"), "9");
        closeBy(window, way);
    });
    QVERIFY(exactWhileOpen);
    QVERIFY(!window.isVisible());
    QCOMPARE(ModuleQmb::精确模式, exactBefore);
    QCOMPARE(ModuleQmb::日志().精确运算次数, 0);
    QCOMPARE(ModuleQmb::日志().信息条数, 0);
    // What the sheet window computes next runs in the arithmetic it had before.
    QCOMPARE(ModuleQmb::四舍五入("0.125", 2).isDecimal(), exactBefore);
    ModuleQmb::精确模式 = false;
}

void AngleWindowLifecycle::reopeningStartsAfresh() {
    ModuleQmb::精确模式 = false;
    FormDC2 window;
    QStringList firstOpening;
    QStringList afterTyping;
    execWith(window, [&] {
        firstOpening = allTexts(window);
        QTest::mouseClick(box(window, "Text4"), Qt::LeftButton);
        QTest::keyClick(box(window, "Text4"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box(window, "Text4"), "12.5");
        afterTyping = allTexts(window);
        window.reject();
    });
    QVERIFY(afterTyping != firstOpening);

    QStringList secondOpening;
    QString convertedFromDegrees;
    bool exactWhileOpen = false;
    execWith(window, [&] {
        secondOpening = allTexts(window);
        exactWhileOpen = ModuleQmb::精确模式;
        // The focus was last in Text4; afresh, the degrees box is the one in use again.
        box(window, "TextDu")->setText("2");
        convertedFromDegrees = box(window, "Text4")->text();
        window.reject();
    });
    QCOMPARE(secondOpening, firstOpening);
    QVERIFY(exactWhileOpen);
    QCOMPARE(convertedFromDegrees, QString("2.05"));
    QVERIFY(!ModuleQmb::精确模式);
}

void AngleWindowLifecycle::defaultsShowTheirOwnConversion() {
    FormDC2 window;
    QStringList opened;
    execWith(window, [&] {
        opened = allTexts(window);
        window.reject();
    });
    const QStringList expected = {
        "-0", "3", "0", "-0.03", "-00°03′00.0000″", "-0.05", "-0.0008726646259971647884618454"};
    QCOMPARE(opened, expected);
}

void AngleWindowLifecycle::opensModallyFromTheSheetWindow() {
    ModuleQmb::精确模式 = false;
    mapsheet::FormDC1 sheet;
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    auto* button = sheet.findChild<QPushButton*>("CommandJd");
    QVERIFY(button != nullptr);
    bool modalWhileOpen = false;
    bool exactWhileOpen = false;
    QTimer::singleShot(0, &sheet, [&] {
        auto* angle = sheet.findChild<FormDC2*>();
        if (angle != nullptr && QTest::qWaitForWindowActive(angle)) {
            modalWhileOpen = QApplication::activeModalWidget() == angle;
            exactWhileOpen = ModuleQmb::精确模式;
            angle->reject();
        }
    });
    QTimer::singleShot(10000, &sheet, [] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            modal->reject();
        }
    });
    button->click();
    QVERIFY(modalWhileOpen);
    QVERIFY(exactWhileOpen);
    QVERIFY(!ModuleQmb::精确模式);
}

QTEST_MAIN(AngleWindowLifecycle)
#include "angle_window_lifecycle_test.moc"
