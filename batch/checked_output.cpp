#include "batch/checked_output.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace mapsheet::batch {

namespace {

bool reportWriteFailure(std::ostream& err, int cause) {
    reportOutputFailure(err, cause != 0 ? std::strerror(cause) : std::string_view());
    return false;
}

}  // namespace

void reportOutputFailure(std::ostream& err, std::string_view reason) {
    err << "mapsheet-cli: cannot write output";
    if (!reason.empty()) {
        err << ": " << reason;
    }
    err << '\n';
    err.flush();
}

bool flushChecked(std::ostream& out, std::ostream& err) {
    if (out.good()) {
        errno = 0;
        out.flush();
        if (out.good()) {
            return true;
        }
        return reportWriteFailure(err, errno);
    }
    // An earlier write failed unnoticed; its reason is gone.
    return reportWriteFailure(err, 0);
}

bool writeChecked(std::ostream& out, std::string_view bytes, std::ostream& err) {
    if (out.good()) {
        errno = 0;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (out.good()) {
            return true;
        }
        return reportWriteFailure(err, errno);
    }
    return reportWriteFailure(err, 0);
}

}  // namespace mapsheet::batch
