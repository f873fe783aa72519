// Program start-up: the sheet-numbering window; closing it ends the program.
//
// --help, --version and usage errors are answered before Qt looks for a display. Without a display
// Qt cannot start its window system and stops the process with a fatal message; the messages Qt
// gives while it starts are therefore held back, and a fatal one is replaced by one line that
// says what is missing (exit status 1). When the start succeeds, the held messages are passed
// on as they came.
//
// Once the window is built, a line on standard error names the font package to install when no
// installed font draws some of its text (app/label_glyphs.h).
//
// "--screenshot FILE" is a developer aid for machines without a display (run under xvfb-run
// or with -platform offscreen): the window is shown, laid out by the event loop, grabbed into
// FILE as PNG, and the program exits (0 when saved).

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/label_glyphs.h"
#include "app/program_arguments.h"
#include "sheet_window/FormDC1.h"

namespace {

using mapsheet::app::EarlyAction;

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage>& HeldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(mapsheet::app::NoDisplayText().toLocal8Bit().constData(), stderr);
        std::_Exit(1);
    }
    HeldMessages().push_back({type, QByteArray(context.category), text});
}

void PassOnHeldMessages(QtMessageHandler handler) {
    for (const HeldMessage& message : HeldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        handler(message.type, context, message.text);
    }
    HeldMessages().clear();
}

int Print(const QString& text, std::FILE* stream, int status) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) ==
                             std::size_t(bytes.size()) &&
                         std::fflush(stream) == 0;
    return written ? status : 3;
}

}  // namespace

int main(int argc, char* argv[]) {
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i) {
        rawArguments.append(QString::fromLocal8Bit(argv[i]));
    }
    switch (mapsheet::app::WantsHelpOrVersion(rawArguments)) {
        case EarlyAction::Help:
            return Print(mapsheet::app::HelpText(), stdout, 0);
        case EarlyAction::Version:
            return Print(mapsheet::app::VersionText(), stdout, 0);
        case EarlyAction::None:
            break;
    }

    // Usage errors are told before Qt looks for a display, so they exit 2 with or without one.
    const mapsheet::app::WindowArguments arguments =
        mapsheet::app::ReadWindowArguments(rawArguments);
    if (!arguments.error.isEmpty()) {
        return Print(arguments.error + QLatin1Char('\n'), stderr, 2);
    }

    const QtMessageHandler standardHandler = qInstallMessageHandler(HoldStartMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(standardHandler);
    PassOnHeldMessages(standardHandler);
    QApplication::setApplicationName(QStringLiteral("mapsheet"));
    QApplication::setApplicationVersion(QStringLiteral(MAPSHEET_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(MAPSHEET_APP_ID));
    // Installed, the icon comes from the icon theme; run from the build, the window has none.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MAPSHEET_APP_ID)));

    mapsheet::FormDC1 window;
    window.show();
    const QString glyphsWarning = mapsheet::app::MissingGlyphsWarning(window);
    if (!glyphsWarning.isEmpty()) {
        Print(glyphsWarning, stderr, 0);
    }
    if (arguments.screenshotFile) {
        const QString file = *arguments.screenshotFile;
        QTimer::singleShot(300, &window, [&window, file] {
            const bool saved = window.grab().save(file, "PNG");
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
