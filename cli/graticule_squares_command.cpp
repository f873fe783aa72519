// mapsheet-cli sheet --square: the square sheets that meet graticule sheets, one CSV row per
// graticule number,
//
//   input,crs,square_scale,squares,error
//
// the squares by their numbers separated by blanks, rows of squares from the north and each
// from the west.
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
#include "projection/graticule_squares.h"
#include "text/csv.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHeader = "input,crs,square_scale,squares,error\n";

struct SheetSquareOptions {
    int scale = 11;
    std::optional<projection::GaussKrugerSystem> system;
    std::vector<std::string> numbers;
};

constexpr CommandUsage kUsage{"sheet"};
constexpr Option kSquareOption{"--square", true};

std::optional<SheetSquareOptions> parseOptions(const Arguments& arguments, std::ostream& err) {
    const std::optional<CommandLine> line = readCommandLine(
        arguments, {kSquareOption, kCrsOption, kCentralMeridianOption, kZoneWidthOption}, kUsage,
        err);
    if (line && line->help()) {
        kUsage.error(err, "the help of --square is the command's" + kUsage.helpHint());
        return std::nullopt;
    }
    SheetSquareOptions options;
    if (!line || !readSquareFormScale(*line, kUsage, err, options.scale, kSquareOption) ||
        !readSquareSystem(*line, kUsage, err, options.system)) {
        return std::nullopt;
    }
    options.numbers = line->operands();
    return options;
}

class SquareRows {
  public:
    SquareRows(const SheetSquareOptions& options, std::ostream& out)
        : options_(options), out_(out) {
        out_ << kHeader;
    }

    bool anyError() const { return anyError_; }

    void sheet(std::string_view text, long lineNumber) {
        const engine::ParsedSheet parsed = engine::parseSheetNumber(text);
        if (!parsed.sheet) {
            write(text, {}, {}, {}, lineNumber, engine::describeInputError(parsed.error));
            return;
        }
        const engine::DegreeBounds bounds = engine::degreeBounds(*parsed.sheet);
        const engine::LatLonBox box{bounds.south, bounds.west, bounds.north, bounds.east};
        projection::GaussKrugerProjector& projector =
            projectorFor(projection::systemForBox(options_.system, box));
        const std::string name = projection::systemName(projector.system());
        if (const std::string wide = projection::boxWidthError(projector.system(), box);
            !wide.empty()) {
            write(text, name, {}, {}, lineNumber, "the sheet reaches too far: " + wide);
            return;
        }
        std::optional<projection::SquareCover> cover =
            projection::squaresOfBox(box, options_.scale, projector);
        if (!cover) {
            write(text, name, {}, {}, lineNumber, "PROJ cannot project the sheet into " + name);
            return;
        }
        std::string squares;
        while (const std::optional<engine::SquareSheet> square = cover->next()) {
            if (!squares.empty()) {
                squares.push_back(' ');
            }
            squares.append(engine::squareNumber(*square));
        }
        write(text, name, engine::scaleRatioText(options_.scale), squares, lineNumber, {});
    }

  private:
    projection::GaussKrugerProjector& projectorFor(const projection::GaussKrugerSystem& system) {
        auto found = projectors_.find(system.centralMeridian);
        if (found == projectors_.end() || !(found->second.system() == system)) {
            projectors_.erase(system.centralMeridian);
            found = projectors_.try_emplace(system.centralMeridian, system).first;
        }
        return found->second;
    }

    void write(std::string_view input, std::string_view crs, std::string_view scale,
               std::string_view squares, long lineNumber, const std::string& error) {
        std::string record;
        for (const std::string_view field : {input, crs, scale, squares}) {
            text::appendCsvField(record, field);
            record.push_back(',');
        }
        if (!error.empty() && lineNumber > 0) {
            text::appendCsvField(record, "line " + std::to_string(lineNumber) + ": " + error);
        } else {
            text::appendCsvField(record, error);
        }
        record.push_back('\n');
        out_ << record;
        anyError_ = anyError_ || !error.empty();
    }

    const SheetSquareOptions& options_;
    std::ostream& out_;
    std::map<double, projection::GaussKrugerProjector> projectors_;
    bool anyError_ = false;
};

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
    const std::optional<SheetSquareOptions> options = parseOptions(arguments, err);
    if (!options) {
        return kExitUsage;
    }
    SquareRows rows(*options, out);
    ProgressLine progressLine(err, &out, "rows");
    const std::string readError = batch::forEachNumber(
        options->numbers, in,
        [&rows](std::string_view number, long line) { rows.sheet(number, line); },
        progressLine.listener());
    if (!readError.empty()) {
        if (!batch::flushChecked(out, err)) {
            return kExitWriteFailed;
        }
        err << "mapsheet-cli sheet: cannot read the input: " << readError << '\n';
        return kExitReadFailed;
    }
    return finishOutput(out, err, rows.anyError() ? kExitRowErrors : kExitSuccess);
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
