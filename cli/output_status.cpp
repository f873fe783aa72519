#include "cli/output_status.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace mapsheet::cli {

bool flushChecked(std::ostream& out, std::ostream& err) {
    if (out.good()) {
        errno = 0;
        out.flush();
        if (out.good()) {
            return true;
        }
    }
    const int cause = errno;
    err << "mapsheet-cli: cannot write output";
    if (cause != 0) {
        err << ": " << std::strerror(cause);
    }
    err << '\n';
    err.flush();
    return false;
}

int finishOutput(std::ostream& out, std::ostream& err, int status) {
    return flushChecked(out, err) ? status : kExitWriteFailed;
}

}  // namespace mapsheet::cli
