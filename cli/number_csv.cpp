#include "cli/number_csv.h"

#include <ostream>

#include "cli/exit_status.h"
#include "cli/progress_line.h"

namespace mapsheet::cli {

std::optional<batch::TableColumns> tableColumnsOf(const NumberOptions& options) {
    if (!options.latitudeColumn) {
        return std::nullopt;
    }
    return batch::TableColumns{options.latitudeColumn, options.longitudeColumn, options.header};
}

int exitStatusOfNumbering(const batch::CsvNumberingRun& run, std::ostream& err) {
    if (!run.tableProblem.empty()) {
        err << "mapsheet-cli number: " << run.tableProblem << '\n';
        return kExitUsage;
    }
    return exitStatusOf(run.status);
}

batch::CsvNumberingRun runCsvNumbering(const NumberOptions& options, std::istream& in,
                                       std::ostream& out, std::ostream& err) {
    const bool ids = options.format == "id";
    if (options.latitude) {
        return {batch::numberPointToCsv(*options.latitude, *options.longitude, options.scale, ids,
                                        out, err)};
    }
    const batch::CsvNumbering numbering{options.scale, options.jobs, ids, tableColumnsOf(options)};
    ProgressLine progressLine(err, &out, "rows");
    return batch::numberToCsv(numbering, in, out, err, progressLine.listener());
}

int numberToCsv(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
    return exitStatusOfNumbering(runCsvNumbering(options, in, out, err), err);
}

}  // namespace mapsheet::cli
