// mapsheet-cli sheet --square: its options (the rows are projection/graticule_square_rows.h).
#ifdef MAPSHEET_HAVE_PROJ

#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "batch/number_lines.h"
#include "cli/exit_status.h"
#include "cli/progress_line.h"
#include "cli/square_area_commands.h"
#include "cli/square_system_options.h"
#include "engine/scale_names.h"
#include "engine/sheet_number_parse.h"
#include "projection/graticule_square_rows.h"
#include "text/csv.h"

namespace mapsheet::cli {

namespace {

constexpr CommandUsage kUsage{"sheet"};
constexpr Option kSquareOption{"--square", true};

std::optional<projection::GraticuleSquareRequest> parseOptions(const Arguments& arguments,
                                                               std::ostream& err) {
    const std::optional<CommandLine> line = readCommandLine(
        arguments, {kSquareOption, kCrsOption, kCentralMeridianOption, kZoneWidthOption}, kUsage,
        err);
    if (line && line->help()) {
        kUsage.error(err, "the help of --square is the command's" + kUsage.helpHint());
        return std::nullopt;
    }
    projection::GraticuleSquareRequest options;
    if (!line || !readSquareFormScale(*line, kUsage, err, options.scale, kSquareOption) ||
        !readSquareSystem(*line, kUsage, err, options.system)) {
        return std::nullopt;
    }
    options.values = line->operands();
    return options;
}

}  // namespace

bool asksForSquares(const Arguments& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--square" || argument.starts_with("--square=")) {
            return true;
        }
    }
    return false;
}

int runGraticuleSquaresCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                               std::ostream& err) {
    const std::optional<projection::GraticuleSquareRequest> options = parseOptions(arguments, err);
    if (!options) {
        return kExitUsage;
    }
    ProgressLine progressLine(err, &out, "rows");
    const batch::NumberRun run =
        projection::writeGraticuleSquareRows(*options, in, out, err, progressLine.listener());
    if (run.status == batch::RunStatus::ReadFailed) {
        err << "mapsheet-cli sheet: cannot read the input: " << run.readError << '\n';
    }
    return exitStatusOf(run.status);
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
