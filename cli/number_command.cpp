// mapsheet-cli number: the sheet numbers of points at one scale, as CSV or a GIS point layer.

#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/number_csv.h"
#include "cli/number_features.h"
#include "cli/number_input.h"
#include "cli/number_options.h"

namespace mapsheet::cli {

int runNumberCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err) {
    const std::optional<NumberOptions> options = parseNumberOptions(arguments, err);
    if (!options) {
        return kExitUsage;
    }
    if (options->help) {
        if (!batch::writeChecked(out, numberHelpText(), err)) {
            return kExitWriteFailed;
        }
        return finishOutput(out, err, kExitSuccess);
    }
    if (options->input) {
        return numberInputFile(*options, out, err);
    }
    if ((options->format == "csv" || options->format == "id") && !options->output) {
        return numberToCsv(*options, in, out, err);
    }
    return writeNumberFile(*options, in, out, err);
}

}  // namespace mapsheet::cli
