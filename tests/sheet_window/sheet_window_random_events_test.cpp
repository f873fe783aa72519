// The sheet window under a seeded stream of random user events: clicks, focus changes, typed
// keys including full-width digits and the marks, F5 to F7, Enter, scale and list choices and
// the arrows. No exception may leave a handler and no event may take a second; the sanitizer
// build adds that no event reads or writes memory it must not.

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QSet>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "angle_window/FormDC2.h"
#include "sheet_window/FormDC1.h"
#include "tests/random_event_driver.h"

namespace {

constexpr int kEvents = 20000;
constexpr qint64 kSlowestAllowedMilliseconds = 1000;

// Stands in for the browser.
class AddressSink : public QObject {
    Q_OBJECT

  public slots:
    void open(const QUrl&) {}
};

}  // namespace

class SheetWindowRandomEvents : public QObject {
    Q_OBJECT

  private slots:
    void survivesRandomEvents();
};

void SheetWindowRandomEvents::survivesRandomEvents() {
    AddressSink sink;
    for (const char* scheme : {"http", "https", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &sink, "open");
    }
    mapsheet::FormDC1 window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const std::uint32_t seed = random_events::seedFromEnvironment(1993);
    random_events::Driver driver(window, seed);
    // The angle button opens the angle window modally, by any click that reaches it: while it
    // is open, a few events go into it, then it closes.
    int modalEvents = 0;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, &window, [&driver, &modalEvents] {
        auto* angle = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (angle == nullptr || !angle->isVisible()) {
            return;
        }
        random_events::Driver inside(*angle, driver.random()());
        modalEvents += inside.run(5).events;
        if (angle->isVisible()) {
            angle->reject();
        }
    });
    closer.start();
    driver.addEvent(1, [&window] {
        auto* button = window.findChild<QAbstractButton*>("CommandJd");
        if (button == nullptr) {
            return QString("no angle button");
        }
        QTest::mouseClick(button, Qt::LeftButton);
        return QString("open and close the angle window");
    });

    // The events must reach the numbering: many different middle sheets are shown.
    QSet<QString> middleSheets;
    auto* middle = window.findChild<QLabel*>("LabXin5");
    QVERIFY(middle != nullptr);
    driver.afterEach([&] { middleSheets.insert(middle->text()); });

    const random_events::Outcome outcome = driver.run(kEvents);
    for (const char* scheme : {"http", "https", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    closer.stop();
    qInfo(
        "seed %u: %d events, %d of them in the angle window, %lld middle sheets, slowest "
        "%lld ms (%s)",
        seed, outcome.events, modalEvents, static_cast<long long>(middleSheets.size()),
        outcome.slowestMilliseconds, qPrintable(outcome.slowestEvent));
    QVERIFY2(outcome.escapedException.isEmpty(),
             qPrintable(outcome.escapedException + "\nafter:\n" + outcome.lastEvents));
    QCOMPARE(outcome.events, kEvents);
    QVERIFY2(outcome.slowestMilliseconds < kSlowestAllowedMilliseconds,
             qPrintable(outcome.slowestEvent));
    QVERIFY2(middleSheets.size() >= 50, qPrintable(QString::number(middleSheets.size())));
}

QTEST_MAIN(SheetWindowRandomEvents)
#include "sheet_window_random_events_test.moc"
