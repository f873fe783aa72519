#pragma once

// The command line of the window program, read before any window or display is touched.
//
// mapsheet takes --help (-h), --version and the developer aid --screenshot FILE, besides the
// options QGuiApplication and QApplication document as their own (-platform NAME, -style NAME,
// -reverse, ...; Qt accepts each with one dash or two), which are passed over here and left to
// Qt. Both readings work on the raw arguments, so that help, version and usage errors are
// answered the same on a machine without a display. Any other argument is a usage error.

#include <QString>
#include <QStringList>
#include <optional>

namespace mapsheet::app {

enum class EarlyAction { None, Help, Version };

// Help or version when any argument after the program name asks for it, the first one
// winning; None otherwise.
EarlyAction WantsHelpOrVersion(const QStringList& arguments);

struct WindowArguments {
    std::optional<QString> screenshotFile;
    QString error;  // empty when the arguments were understood
};

// The raw arguments, program name first; Qt's own options and their values are passed over.
WindowArguments ReadWindowArguments(const QStringList& arguments);

// The text --help prints; the manual page mapsheet(1) describes the same options.
QString HelpText();
// The text --version prints: "mapsheet VERSION".
QString VersionText();
// The one line printed when no display can be opened.
QString NoDisplayText();

}  // namespace mapsheet::app
