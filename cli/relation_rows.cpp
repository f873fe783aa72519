#include "cli/relation_rows.h"

#include <algorithm>
#include <ostream>

#include "cli/exit_status.h"
#include "engine/sheet_hierarchy.h"

namespace mapsheet::cli {

namespace {

std::optional<RelationOptions> relationOptions(const CommandLine& line, const CommandUsage& usage,
                                               bool takesScale, std::ostream& err) {
    RelationOptions options;
    if ((takesScale && !readScale(line, usage, err, options.scale)) ||
        !readMaxSheets(line, usage, err, options.maxSheets)) {
        return std::nullopt;
    }
    if (const std::optional<std::string> text = line.value(kRingsOption)) {
        const std::optional<int> rings = wholeNumber<int>(*text);
        if (!rings || *rings < 1 || *rings > engine::kMaxRings) {
            usage.error(err, "--rings " + usage.quoted(*text) + ": rings run from 1 to 1000");
            return std::nullopt;
        }
        options.rings = *rings;
    }
    options.sheets = line.operands();
    return options;
}

}  // namespace

RelationStart startRelationCommand(const Arguments& arguments, const std::vector<Option>& takes,
                                   std::string_view command, std::string_view help,
                                   std::ostream& out, std::ostream& err) {
    const CommandUsage usage = relationUsage(command);
    const std::optional<CommandLine> line = readCommandLine(arguments, takes, usage, err);
    if (!line) {
        return {std::nullopt, kExitUsage, std::nullopt};
    }
    if (line->help()) {
        out << help;
        return {std::nullopt, finishOutput(out, err, kExitSuccess), std::nullopt};
    }
    const bool takesScale = std::any_of(takes.begin(), takes.end(), [](const Option& option) {
        return option.name == kScaleOption.name;
    });
    return {relationOptions(*line, usage, takesScale, err), kExitUsage, line};
}

int writeRelationRows(std::string_view command, const RelationOptions& options,
                      std::string_view header, const batch::RelationRows& rowsOf, std::istream& in,
                      std::ostream& out, std::ostream& err) {
    const std::string prefix = "mapsheet-cli " + std::string(command) + ": ";
    return exitStatusOf(
        batch::writeRelationRows(prefix, options.sheets, header, rowsOf, in, out, err));
}

}  // namespace mapsheet::cli
