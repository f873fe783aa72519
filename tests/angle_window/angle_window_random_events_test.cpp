// The angle window under a seeded stream of random user events: clicks and focus changes
// between the seven boxes, typed keys including full-width digits and the marks, F5 to F7,
// Enter, Escape (which closes the window; it is opened again at once) and the arrows. No
// exception may leave a handler and no event may take a second; the sanitizer build adds that
// no event reads or writes memory it must not. Closing puts the library's mode back.

#include <QDesktopServices>
#include <QLineEdit>
#include <QSet>
#include <QUrl>
#include <QtTest>

#include "angle_window/FormDC2.h"
#include "library/ModuleQmb.h"
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

class AngleWindowRandomEvents : public QObject {
    Q_OBJECT

  private slots:
    void survivesRandomEvents();
};

void AngleWindowRandomEvents::survivesRandomEvents() {
    AddressSink sink;
    QDesktopServices::setUrlHandler("https", &sink, "open");
    mapsheet::ModuleQmb::精确模式 = false;
    int reopened = 0;
    {
        mapsheet::FormDC2 window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        const std::uint32_t seed = random_events::seedFromEnvironment(2012);
        random_events::Driver driver(window, seed);
        driver.addEvent(2, [&window] {
            QTest::keyClick(&window, Qt::Key_Escape);
            return QString("press Escape");
        });
        // The events must reach the conversion: many different angles are shown. Escape closes
        // the window; the user opens it again at once.
        QSet<QString> radians;
        auto* text5 = window.findChild<QLineEdit*>("Text5");
        QVERIFY(text5 != nullptr);
        driver.afterEach([&] {
            if (!window.isVisible()) {
                window.show();
                window.activateWindow();
                ++reopened;
            }
            radians.insert(text5->text());
        });

        const random_events::Outcome outcome = driver.run(kEvents);
        qInfo(
            "seed %u: %d events, reopened %d times, %lld different radians, slowest %lld ms "
            "(%s)",
            seed, outcome.events, reopened, static_cast<long long>(radians.size()),
            outcome.slowestMilliseconds, qPrintable(outcome.slowestEvent));
        QVERIFY2(outcome.escapedException.isEmpty(),
                 qPrintable(outcome.escapedException + "\nafter:\n" + outcome.lastEvents));
        QCOMPARE(outcome.events, kEvents);
        QVERIFY2(outcome.slowestMilliseconds < kSlowestAllowedMilliseconds,
                 qPrintable(outcome.slowestEvent));
        QVERIFY2(radians.size() >= 200, qPrintable(QString::number(radians.size())));
    }
    QDesktopServices::unsetUrlHandler("https");
    QVERIFY(!mapsheet::ModuleQmb::精确模式);
}

QTEST_MAIN(AngleWindowRandomEvents)
#include "angle_window_random_events_test.moc"
