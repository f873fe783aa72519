#include "projection/graticule_square_rows.h"

#include <map>
#include <ostream>

#include "batch/number_lines.h"
#include "engine/scale_names.h"
#include "engine/sheet_number_parse.h"
#include "projection/graticule_squares.h"
#include "text/csv.h"

namespace mapsheet::projection {

namespace {

constexpr std::string_view kHeader = "input,crs,square_scale,squares,error\n";

class SquareRows {
  public:
    SquareRows(const GraticuleSquareRequest& options, std::ostream& out)
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
        GaussKrugerProjector& projector = projectorFor(systemForBox(options_.system, box));
        const std::string name = systemName(projector.system());
        if (const std::string wide = boxWidthError(projector.system(), box); !wide.empty()) {
            write(text, name, {}, {}, lineNumber, "the sheet reaches too far: " + wide);
            return;
        }
        std::optional<SquareCover> cover = squaresOfBox(box, options_.scale, projector);
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
    GaussKrugerProjector& projectorFor(const GaussKrugerSystem& system) {
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

    const GraticuleSquareRequest& options_;
    std::ostream& out_;
    std::map<double, GaussKrugerProjector> projectors_;
    bool anyError_ = false;
};

}  // namespace

batch::NumberRun writeGraticuleSquareRows(const GraticuleSquareRequest& request, std::istream& in,
                                          std::ostream& out, std::ostream& err,
                                          const batch::ProgressListener& progress) {
    SquareRows rows(request, out);
    std::string readError = batch::forEachNumber(
        request.values, in,
        [&rows](std::string_view number, long line) { rows.sheet(number, line); }, progress);
    return batch::endOfNumberRun(std::move(readError), rows.anyError(), out, err);
}

}  // namespace mapsheet::projection
