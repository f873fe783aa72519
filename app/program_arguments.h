#pragma once

// The command line of the window program, read before any window or display is touched.
//
// mapsheet takes --help (-h), --version and the developer aid --screenshot FILE; Qt's own
// options (-platform NAME, -style NAME, ...) are removed by QApplication before
// ReadWindowArguments sees the rest. WantsHelpOrVersion looks at the raw arguments so that
// both work on a machine without a display. Any other argument is a usage error.

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

// The arguments that remain after Qt took its own, program name first.
WindowArguments ReadWindowArguments(const QStringList& arguments);

// The text --help prints; the manual page mapsheet(1) describes the same options.
QString HelpText();
// The text --version prints: "mapsheet VERSION".
QString VersionText();
// The one line printed when no display can be opened.
QString NoDisplayText();

}  // namespace mapsheet::app
