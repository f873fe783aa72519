#include "projection/square_sheet_rows.h"

#include <array>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "batch/number_lines.h"
#include "engine/scale_names.h"
#include "projection/graticule_squares.h"
#include "projection/square_locator.h"
#include "text/csv.h"
#include "text/fixed_decimals.h"

namespace mapsheet::projection {

namespace {

constexpr std::string_view kCornerHeader =
    "sheet,crs,south_x,west_y,north_x,east_y,sw_latitude,sw_longitude,se_latitude,"
    "se_longitude,ne_latitude,ne_longitude,nw_latitude,nw_longitude,error\n";
constexpr std::string_view kGraticuleHeader = "sheet,crs,graticule_scale,graticule,error\n";
constexpr int kDegreeDecimals = 9;

class SquareSheetRows {
  public:
    SquareSheetRows(const SquareSheetRequest& options, std::ostream& out)
        : options_(options),
          locator_(options.scale, std::optional<GaussKrugerSystem>(options.system)),
          projector_(*locator_.fixedProjector()),
          systemName_(systemName(projector_.system())),
          out_(out) {
        out_ << (options.graticuleScale ? kGraticuleHeader : kCornerHeader);
    }

    bool anyError() const { return anyError_; }

    void sheet(std::string_view text, long lineNumber) {
        fields_.clear();
        std::string why;
        const std::optional<engine::SquareSheet> sheet =
            readSquareSheet(text, options_.scale, locator_, why);
        if (!sheet) {
            error(text, lineNumber, why);
            return;
        }
        const engine::SquareBounds bounds = engine::squareBounds(*sheet);
        fields_.push_back(engine::squareNumber(*sheet));
        fields_.push_back(systemName_);
        if (options_.graticuleScale) {
            graticuleFields(*sheet, text, lineNumber);
        } else {
            cornerFields(bounds, text, lineNumber);
        }
    }

  private:
    void cornerFields(const engine::SquareBounds& bounds, std::string_view text, long lineNumber) {
        for (const std::int64_t edge : {bounds.south, bounds.west, bounds.north, bounds.east}) {
            fields_.push_back(std::to_string(edge));
        }
        const std::array<PlanePoint, 4> corners = {
            PlanePoint{double(bounds.south), double(bounds.west)},
            PlanePoint{double(bounds.south), double(bounds.east)},
            PlanePoint{double(bounds.north), double(bounds.east)},
            PlanePoint{double(bounds.north), double(bounds.west)}};
        for (const PlanePoint& corner : corners) {
            const auto geographic = projector_.inverse(corner);
            if (!geographic) {
                error(text, lineNumber, "PROJ cannot take a corner back to latitude and longitude");
                return;
            }
            std::string latitude;
            text::appendFixed(latitude, geographic->latitude, kDegreeDecimals);
            std::string longitude;
            text::appendFixed(longitude, geographic->longitude, kDegreeDecimals);
            fields_.push_back(std::move(latitude));
            fields_.push_back(std::move(longitude));
        }
        writeRow({});
    }

    void graticuleFields(const engine::SquareSheet& sheet, std::string_view text, long lineNumber) {
        const GraticuleSheets found =
            graticuleSheetsOfSquare(sheet, *options_.graticuleScale, projector_);
        if (!found.error.empty()) {
            error(text, lineNumber, found.error);
            return;
        }
        fields_.push_back(engine::scaleRatioText(*options_.graticuleScale));
        std::string numbers;
        for (const engine::Sheet& graticule : found.sheets) {
            if (!numbers.empty()) {
                numbers.push_back(' ');
            }
            numbers.append(engine::newNumber(graticule).view());
        }
        fields_.push_back(std::move(numbers));
        writeRow({});
    }

    void error(std::string_view text, long lineNumber, const std::string& why) {
        fields_.clear();
        fields_.emplace_back(text);
        std::string message;
        if (lineNumber > 0) {
            message = "line " + std::to_string(lineNumber) + ": ";
        }
        writeRow(message + why);
    }

    // The fields gathered so far, empty ones up to the error column, and the error.
    void writeRow(std::string_view error) {
        const std::size_t columns = options_.graticuleScale ? 4 : 14;
        std::string record;
        for (std::size_t i = 0; i < columns; ++i) {
            text::appendCsvField(record, i < fields_.size() ? std::string_view(fields_[i]) : "");
            record.push_back(',');
        }
        text::appendCsvField(record, error);
        record.push_back('\n');
        out_ << record;
        anyError_ = anyError_ || !error.empty();
    }

    const SquareSheetRequest& options_;
    SquareLocator locator_;
    GaussKrugerProjector& projector_;
    std::string systemName_;
    std::ostream& out_;
    std::vector<std::string> fields_;
    bool anyError_ = false;
};

}  // namespace

std::optional<engine::SquareSheet> readSquareSheet(std::string_view text, int scale,
                                                   SquareLocator& locator, std::string& error) {
    const engine::ParsedSquareSheet parsed = engine::parseSquareNumber(text, scale);
    if (!parsed.sheet) {
        error = engine::describeInputError(parsed.error);
        return std::nullopt;
    }
    const engine::SquareBounds bounds = engine::squareBounds(*parsed.sheet);
    const double half = (bounds.north - bounds.south) / 2.0;
    const LocatedPoint centre = locator.locatePlane({bounds.south + half, bounds.west + half});
    if (!centre.sheet) {
        error = "the sheet's centre: " + centre.error;
        return std::nullopt;
    }
    return parsed.sheet;
}

batch::NumberRun writeSquareSheetRows(const SquareSheetRequest& request, std::istream& in,
                                      std::ostream& out, std::ostream& err,
                                      const batch::ProgressListener& progress) {
    SquareSheetRows rows(request, out);
    std::string readError = batch::forEachNumber(
        request.values, in,
        [&rows](std::string_view number, long line) { rows.sheet(number, line); }, progress);
    return batch::endOfNumberRun(std::move(readError), rows.anyError(), out, err);
}

batch::RunStatus addSquareSheets(std::string_view messagePrefix,
                                 const std::vector<std::string>& values, std::istream& in,
                                 int scale, SquareLocator& locator, SquareRow& row,
                                 cover::CoverOutput& layer, std::ostream& err) {
    bool anyError = false;
    bool written = true;
    const std::string readError =
        batch::forEachNumber(values, in, [&](std::string_view text, long line) {
            std::string why;
            const std::optional<engine::SquareSheet> sheet =
                readSquareSheet(text, scale, locator, why);
            if (!sheet) {
                anyError = true;
                // The reason quotes the bad piece or names the sheet's centre.
                err << messagePrefix << (line > 0 ? "line " + std::to_string(line) + ": " : "")
                    << why << '\n';
            } else if (written) {
                row.show(*sheet);
                written = layer.add(row);
            }
        });
    if (!readError.empty()) {
        err << messagePrefix << "cannot read the input: " << readError << '\n';
        return batch::RunStatus::ReadFailed;
    }
    if (!written || !layer.finish()) {
        return batch::RunStatus::WriteFailed;
    }
    return anyError ? batch::RunStatus::RowErrors : batch::RunStatus::Success;
}

}  // namespace mapsheet::projection
