#include "window_common/document_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace mapsheet {

void OpenDocument(const QString& address) {
    try {
        const QUrl url = QUrl::fromUserInput(address.trimmed());
        if (url.isValid()) {
            QDesktopServices::openUrl(url);
        }
    } catch (...) {
        // Opening is a courtesy; a failure leaves the window as it was.
    }
}

}  // namespace mapsheet
