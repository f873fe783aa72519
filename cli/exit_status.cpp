#include "cli/exit_status.h"

namespace mapsheet::cli {

int finishOutput(std::ostream& out, std::ostream& err, int status) {
    return batch::flushChecked(out, err) ? status : kExitWriteFailed;
}

}  // namespace mapsheet::cli
