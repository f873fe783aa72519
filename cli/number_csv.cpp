#include "cli/number_csv.h"

#include <ostream>

#include "batch/number_csv.h"
#include "cli/exit_status.h"
#include "cli/progress_line.h"

namespace mapsheet::cli {

int numberToCsv(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
    const bool ids = options.format == "id";
    if (options.latitude) {
        return exitStatusOf(batch::numberPointToCsv(*options.latitude, *options.longitude,
                                                    options.scale, ids, out, err));
    }
    batch::CsvNumbering numbering{options.scale, options.jobs, ids, std::nullopt};
    if (options.latitudeColumn) {
        numbering.table =
            batch::TableColumns{options.latitudeColumn, options.longitudeColumn, options.header};
    }
    ProgressLine progressLine(err, &out, "rows");
    const batch::CsvNumberingRun run =
        batch::numberToCsv(numbering, in, out, err, progressLine.listener());
    if (!run.tableProblem.empty()) {
        err << "mapsheet-cli number: " << run.tableProblem << '\n';
        return kExitUsage;
    }
    return exitStatusOf(run.status);
}

}  // namespace mapsheet::cli
