// mapsheet-cli square: placeholder until the command lands.

#include <ostream>

#include "cli/commands.h"
#include "cli/output_status.h"

namespace mapsheet::cli {

int runSquareCommand(const Arguments&, std::istream&, std::ostream&, std::ostream& err) {
    err << "mapsheet-cli: square: not available in this build\n";
    return kExitUsage;
}

}  // namespace mapsheet::cli
