// The window program's command line, read before a display is opened.

#include <QTest>

#include "app/program_arguments.h"

using namespace mapsheet::app;

Q_DECLARE_METATYPE(mapsheet::app::EarlyAction)

class ProgramArgumentsTest : public QObject {
    Q_OBJECT

  private slots:
    void helpOrVersion_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<EarlyAction>("action");
        QTest::newRow("none") << QStringList{"mapsheet"} << EarlyAction::None;
        QTest::newRow("help") << QStringList{"mapsheet", "--help"} << EarlyAction::Help;
        QTest::newRow("short help") << QStringList{"mapsheet", "-h"} << EarlyAction::Help;
        QTest::newRow("version") << QStringList{"mapsheet", "--version"} << EarlyAction::Version;
        QTest::newRow("after a Qt option")
            << QStringList{"mapsheet", "-platform", "offscreen", "--version"}
            << EarlyAction::Version;
        QTest::newRow("first one wins")
            << QStringList{"mapsheet", "--version", "--help"} << EarlyAction::Version;
        QTest::newRow("screenshot file named --help")
            << QStringList{"mapsheet", "--screenshot", "--help"} << EarlyAction::None;
        QTest::newRow("program name is no option") << QStringList{"--help"} << EarlyAction::None;
    }
    void helpOrVersion() {
        QFETCH(QStringList, arguments);
        QFETCH(EarlyAction, action);
        QCOMPARE(WantsHelpOrVersion(arguments), action);
    }

    void windowArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("screenshot");
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << QStringList{"mapsheet"} << QString() << QString();
        QTest::newRow("screenshot")
            << QStringList{"mapsheet", "--screenshot", "out.png"} << "out.png" << QString();
        QTest::newRow("screenshot without file")
            << QStringList{"mapsheet", "--screenshot"} << QString()
            << "mapsheet: --screenshot needs a file name";
        QTest::newRow("Qt option with its value")
            << QStringList{"mapsheet", "-platform", "offscreen", "--screenshot", "a.png"} << "a.png"
            << QString();
        QTest::newRow("Qt option with two dashes and a glued value")
            << QStringList{"mapsheet", "--style=Fusion", "-reverse", "--screenshot", "b.png"}
            << "b.png" << QString();
        QTest::newRow("value of a Qt option is not ours")
            << QStringList{"mapsheet", "-style", "--bogus"} << QString() << QString();
        QTest::newRow("unknown single-dash option")
            << QStringList{"mapsheet", "-bogus"} << QString()
            << "mapsheet: unknown argument '-bogus'; see mapsheet --help";
        QTest::newRow("unknown") << QStringList{"mapsheet", "--hlep"} << QString()
                                 << "mapsheet: unknown argument '--hlep'; see mapsheet --help";
    }
    void windowArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, screenshot);
        QFETCH(QString, error);
        const WindowArguments read = ReadWindowArguments(arguments);
        QCOMPARE(read.screenshotFile.value_or(QString()), screenshot);
        QCOMPARE(read.error, error);
    }
};

QTEST_GUILESS_MAIN(ProgramArgumentsTest)
#include "program_arguments_test.moc"
