// mapsheet-cli sheet: placeholder until the command lands.

#include <ostream>

#include "cli/commands.h"
#include "cli/output_status.h"

namespace mapsheet::cli {

int runSheetCommand(const Arguments&, std::istream&, std::ostream&, std::ostream& err) {
    err << "mapsheet-cli: sheet: not available in this build\n";
    return kExitUsage;
}

}  // namespace mapsheet::cli
