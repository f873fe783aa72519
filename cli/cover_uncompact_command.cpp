// mapsheet-cli uncompact: a list of sheets of mixed scales (a compact cover) back at one scale.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/number_lines.h"
#include "cli/commands.h"
#include "cli/cover_output.h"
#include "cli/exit_status.h"
#include "cli/relation_rows.h"
#include "cover/cover_writing.h"
#include "cover/graticule_source.h"
#include "cover/uncompact_source.h"
#include "engine/compact_cover.h"
#include "engine/scale_names.h"
#include "engine/sheet_or_id.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli uncompact --scale SCALE [--id] [--format FORMAT] [--output FILE]\n"
    "                              [--max-sheets N] [NUMBER...]\n"
    "\n"
    "Turns a list of sheets of mixed scales, such as 'mapsheet-cli cover --compact' writes,\n"
    "back into the sheets of one scale: each sheet given becomes its sheets of SCALE (a\n"
    "1:250,000 sheet at 1:200,000, which does not nest in it, the sheets meeting it), in the\n"
    "order given, each from the north-west. Rows are written as 'mapsheet-cli cover' writes\n"
    "them.\n"
    "\n"
    "SCALE           one of the twelve scales, written as 1:50000, 1:50,000, 50000, 1:5万 or E;\n"
    "                no sheet given may be finer.\n"
    "NUMBER          a sheet number of either numbering, or a sheet id; without any, one per\n"
    "                line from standard input (a 'cover --compact' CSV gives its new column).\n"
    "--id            add the column id, as 'cover --id' does.\n"
    "--format, --output\n"
    "                as for 'mapsheet-cli cover'.\n"
    "--max-sheets N  refuse a result of more than N sheets (default 10000000).\n"
    "\n"
    "Every sheet is read and checked before anything is written: a number that cannot be read\n"
    "or is finer than SCALE writes nothing (exit 1, the reasons on standard error).\n"
    "\n"
    "Exit status: 0 on success, 1 for a sheet that cannot be uncompacted, 2 for a usage error,\n"
    "3 when the output cannot be written, 4 when the input cannot be read.\n";

}  // namespace

int runUncompactCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                        std::ostream& err) {
    const RelationStart start = startRelationCommand(
        arguments, {kScaleOption, kMaxSheetsOption, kFormatOption, kOutputOption, kIdOption},
        "uncompact", kHelp, out, err);
    if (!start.options) {
        return start.exitStatus;
    }
    const CommandUsage usage = relationUsage("uncompact");
    const CommandLine& line = *start.line;
    const RelationOptions& options = *start.options;
    const std::optional<std::string> path = line.value(kOutputOption);
    const std::string format =
        line.value(kFormatOption).value_or(path ? coverFormatOfPath(*path).value_or("csv") : "csv");
    if (!isCoverFormat(format)) {
        usage.error(err, "unknown format " + usage.quoted(format) + ": expected " +
                             std::string(kCoverFormatNames));
        return kExitUsage;
    }

    const int scale = *options.scale;
    std::vector<engine::Sheet> sheets;
    bool anyError = false;
    const std::string readError =
        batch::forEachNumber(options.sheets, in, [&](std::string_view input, long line) {
            const engine::ParsedSheet parsed = engine::parseSheetOrId(input);
            std::string reason = engine::describeInputError(parsed.error);
            if (parsed.sheet && parsed.sheet->scale > scale) {
                reason = "it is finer than " + engine::scaleRatioText(scale);
            }
            if (!reason.empty()) {
                anyError = true;
                err << "mapsheet-cli uncompact: ";
                if (line > 0) {
                    err << "line " << line << ": ";
                }
                err << usage.quoted(input) << ": " << reason << '\n';
                return;
            }
            sheets.push_back(*parsed.sheet);
        });
    if (!readError.empty()) {
        err << "mapsheet-cli uncompact: cannot read the input: " << readError << '\n';
        return kExitReadFailed;
    }
    if (anyError) {
        return kExitRowErrors;
    }
    const cover::GraticuleColumns columns{.id = line.has(kIdOption)};
    cover::UncompactSource source(std::move(sheets), scale, columns);
    if (const std::string refusal = maxSheetsRefusal(source, options.maxSheets); !refusal.empty()) {
        usage.error(err, refusal);
        return kExitUsage;
    }
    std::string error;
    const std::unique_ptr<cover::CoverOutput> output =
        openCoverOutput(format, path, out, error, source.layout());
    if (!output) {
        err << "mapsheet-cli uncompact: " << error << '\n';
        return path ? kExitWriteFailed : kExitUsage;
    }
    if (const auto failure = cover::writeCoverRows(source, *output)) {
        err << "mapsheet-cli uncompact: " << *failure << '\n';
        return kExitWriteFailed;
    }
    return finishOutput(out, err, kExitSuccess);
}

}  // namespace mapsheet::cli
