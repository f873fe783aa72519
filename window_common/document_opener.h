#pragma once

// Opening a document or web address with the desktop's own handler.
//
// The address goes to QDesktopServices::openUrl as a URL (a plain local path is taken as a file);
// nothing is ever passed through a shell, so no character of the address can run a command.
// The call returns at once; a failure (no handler, a malformed address, no desktop session) is
// ignored and nothing is shown: the windows carry on as before.

#include <QString>

namespace mapsheet {

void OpenDocument(const QString& address);

}  // namespace mapsheet
