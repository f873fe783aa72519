#include "app/program_arguments.h"

namespace mapsheet::app {

namespace {

// The options QGuiApplication and QApplication take for themselves, as their documentation
// lists them; how many arguments each takes, its value included.
int QtOptionLength(const QString& argument) {
    static const QStringList withValue{
        QStringLiteral("-platform"),      QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"), QStringLiteral("-plugin"),
        QStringLiteral("-qmljsdebugger"), QStringLiteral("-qwindowgeometry"),
        QStringLiteral("-qwindowicon"),   QStringLiteral("-qwindowtitle"),
        QStringLiteral("-session"),       QStringLiteral("-display"),
        QStringLiteral("-geometry"),      QStringLiteral("-style"),
        QStringLiteral("-stylesheet")};
    static const QStringList alone{QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                   QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                   QStringLiteral("-sync")};
    // Qt reads "--platform" as "-platform", and "-style=NAME" as "-style NAME".
    QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
    const qsizetype equals = option.indexOf(QLatin1Char('='));
    if (equals > 0) {
        return withValue.contains(option.left(equals)) ? 1 : 0;
    }
    if (withValue.contains(option)) {
        return 2;
    }
    return alone.contains(option) ? 1 : 0;
}

}  // namespace

EarlyAction WantsHelpOrVersion(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return EarlyAction::Help;
        }
        if (argument == QLatin1String("--version")) {
            return EarlyAction::Version;
        }
        // The file name after --screenshot is not an option, whatever it is called.
        if (argument == QLatin1String("--screenshot")) {
            ++i;
        }
    }
    return EarlyAction::None;
}

WindowArguments ReadWindowArguments(const QStringList& arguments) {
    WindowArguments read;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size()) {
                read.error = QStringLiteral("mapsheet: --screenshot needs a file name");
                return read;
            }
            read.screenshotFile = arguments.at(++i);
        } else if (const int length = QtOptionLength(argument); length > 0) {
            i += length - 1;
        } else {
            read.error = QStringLiteral("mapsheet: unknown argument '%1'; see mapsheet --help")
                             .arg(argument);
            return read;
        }
    }
    return read;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: mapsheet [--help | --version | --screenshot FILE]\n"
        "\n"
        "Opens the sheet-numbering window (地形图分幅与编号): a point's longitude and latitude\n"
        "and one of twelve scales (1:1,000,000 to 1:500) give the sheet that holds the point in\n"
        "the 1993-2012 standard numbering (K50E003005) and the pre-1992 numbering (J-50-5-A-1),\n"
        "with its eight neighbours. Its 角度转换 button opens the angle-conversion window.\n"
        "\n"
        "Options:\n"
        "  -h, --help          print this help and exit\n"
        "  --version           print the version and exit\n"
        "  --screenshot FILE   open the window, save a picture of it to FILE (PNG) and exit\n"
        "\n"
        "Qt's own options are accepted too, for example -platform offscreen.\n"
        "The window needs a graphical display; mapsheet-cli does the same numbering without\n"
        "one. Exit status: 0 on success, 1 when no display can be opened or the screenshot\n"
        "cannot be saved, 2 for a usage error.\n");
}

QString VersionText() {
    return QStringLiteral("mapsheet " MAPSHEET_VERSION "\n");
}

QString NoDisplayText() {
    return QStringLiteral(
        "mapsheet: no graphical display could be opened (is DISPLAY or WAYLAND_DISPLAY set?); "
        "mapsheet-cli needs none\n");
}

}  // namespace mapsheet::app
