// mapsheet-cli cover: placeholder until the command lands.

#include <ostream>

#include "cli/commands.h"
#include "cli/output_status.h"

namespace mapsheet::cli {

int runCoverCommand(const Arguments&, std::ostream&, std::ostream& err) {
    err << "mapsheet-cli: cover: not available in this build\n";
    return kExitUsage;
}

}  // namespace mapsheet::cli
