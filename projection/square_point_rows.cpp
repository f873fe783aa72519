#include "projection/square_point_rows.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <fast_float/fast_float.h>

#include "batch/input_blocks.h"
#include "batch/ordered_blocks.h"
#include "batch/ordered_output.h"
#include "batch/point_numbering.h"
#include "library/number_text.h"
#include "projection/square_locator.h"
#include "text/coordinate_text.h"
#include "text/csv.h"
#include "text/fixed_decimals.h"
#include "text/point_line.h"
#include "text/utf8_text.h"

namespace mapsheet::projection {

namespace {

constexpr std::string_view kHeader = "latitude,longitude,crs,x,y,sheet,error\n";
constexpr int kMetreDecimals = 3;
constexpr int kDegreeDecimals = 9;
constexpr std::size_t kBlockSize = 64 * 1024;

// A plane coordinate: a decimal number of metres, nothing around it but blanks.
std::optional<double> readMetres(std::string_view text) {
    text = trimSpacesAndTabs(text);
    double value = 0;
    const auto [end, error] = fast_float::from_chars(text.data(), text.data() + text.size(), value,
                                                     fast_float::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Rows of points appended to a caller's text. Owns a locator, and so PROJ contexts: one per
// thread.
class SquarePointRows {
  public:
    explicit SquarePointRows(const SquarePointRequest& options)
        : locator_(options.scale, options.system), plane_(options.plane) {}

    // Where the next rows go; whether any of them has an error, and how many there are, since
    // the last call.
    void startBlock(std::string& records) {
        records_ = &records;
        anyError_ = false;
        rowCount_ = 0;
    }
    bool anyError() const { return anyError_; }
    std::size_t rowCount() const { return rowCount_; }

    // The rows of the whole lines in block, the first of them line firstLine of the input.
    void block(std::string_view block, long firstLine) {
        long lineNumber = firstLine - 1;
        while (!block.empty()) {
            ++lineNumber;
            const std::size_t end = block.find('\n');
            std::string_view line = block.substr(0, end);
            block.remove_prefix(end == std::string_view::npos ? block.size() : end + 1);
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            if (lineNumber == 1) {
                line = text::withoutByteOrderMark(line);
            }
            if (text::isBlankLine(line)) {
                continue;
            }
            if (const std::optional<text::PointFields> fields = text::splitPointLine(line)) {
                point(fields->latitude, fields->longitude, lineNumber);
            } else {
                malformed(line, lineNumber);
            }
        }
    }

    // One point of two texts from line lineNumber (0 for the arguments).
    void point(std::string_view first, std::string_view second, long lineNumber) {
        if (plane_) {
            planePoint(first, second, lineNumber);
        } else {
            geographicPoint(first, second, lineNumber);
        }
    }

  private:
    void malformed(std::string_view line, long lineNumber) {
        startError(lineNumber)
            .append(plane_ ? "expected x and y" : "expected latitude and longitude");
        error_.append(" separated by a comma, a tab or blanks");
        if (plane_) {
            write({}, {}, nullptr, line, {}, {});
        } else {
            write(line, {}, nullptr, {}, {}, {});
        }
    }

    void geographicPoint(std::string_view latitudeText, std::string_view longitudeText,
                         long lineNumber) {
        const text::CoordinateReading latitude = text::readCoordinate(latitudeText);
        const text::CoordinateReading longitude = latitude.fault == text::CoordinateFault::None
                                                      ? text::readCoordinate(longitudeText)
                                                      : text::CoordinateReading{};
        if (latitude.fault != text::CoordinateFault::None ||
            longitude.fault != text::CoordinateFault::None) {
            const bool latitudeBad = latitude.fault != text::CoordinateFault::None;
            startError(lineNumber)
                .append(engine::describeInputError(engine::inputError(
                    batch::coordinateErrorCode(latitudeBad ? latitude.fault : longitude.fault,
                                               latitudeBad),
                    latitudeBad ? latitudeText : longitudeText)));
            write(latitudeText, longitudeText, nullptr, {}, {}, {});
            return;
        }
        const LocatedPoint located =
            locator_.locateGeographic({latitude.degrees, longitude.degrees});
        if (!located.sheet) {
            startError(lineNumber).append(located.error);
            write(latitudeText, longitudeText, located.system, {}, {}, {});
            return;
        }
        xText_.clear();
        text::appendFixed(xText_, located.plane.x, kMetreDecimals);
        yText_.clear();
        text::appendFixed(yText_, located.plane.y, kMetreDecimals);
        error_.clear();
        write(latitudeText, longitudeText, located.system, xText_, yText_,
              engine::squareNumber(*located.sheet));
    }

    void planePoint(std::string_view xGiven, std::string_view yGiven, long lineNumber) {
        const std::optional<double> x = readMetres(xGiven);
        const std::optional<double> y = x ? readMetres(yGiven) : std::nullopt;
        if (!x || !y) {
            startError(lineNumber)
                .append(engine::describeInputError(
                    engine::inputError(x ? engine::InputErrorCode::PlaneYNotMetres
                                         : engine::InputErrorCode::PlaneXNotMetres,
                                       x ? yGiven : xGiven)));
            write({}, {},
                  locator_.fixedProjector() ? &locator_.fixedProjector()->system() : nullptr,
                  xGiven, yGiven, {});
            return;
        }
        const LocatedPoint located = locator_.locatePlane({*x, *y});
        latitudeText_.clear();
        longitudeText_.clear();
        if (!located.error.empty()) {
            startError(lineNumber).append(located.error);
            write({}, {}, located.system, xGiven, yGiven, {});
            return;
        }
        text::appendFixed(latitudeText_, located.geographic.latitude, kDegreeDecimals);
        text::appendFixed(longitudeText_, located.geographic.longitude, kDegreeDecimals);
        error_.clear();
        write(latitudeText_, longitudeText_, located.system, xGiven, yGiven,
              engine::squareNumber(*located.sheet));
    }

    std::string& startError(long lineNumber) {
        error_.clear();
        if (lineNumber > 0) {
            error_.append("line ").append(std::to_string(lineNumber)).append(": ");
        }
        return error_;
    }

    std::string_view nameOf(const GaussKrugerSystem* system) {
        if (system == nullptr) {
            return {};
        }
        // Made once per system: the locator keeps its systems in place.
        auto found = names_.find(system);
        if (found == names_.end()) {
            found = names_.emplace(system, systemName(*system)).first;
        }
        return found->second;
    }

    // The error column is error_, empty for a row with a sheet.
    void write(std::string_view latitude, std::string_view longitude,
               const GaussKrugerSystem* system, std::string_view x, std::string_view y,
               std::string_view sheet) {
        // What the input gave (latitude and longitude, or x and y with --xy) and the error are
        // quoted as CSV needs; the system's name, computed numbers and the sheet never hold a
        // comma or a quote.
        const std::string_view fields[] = {latitude, longitude, nameOf(system), x, y, sheet};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            const bool given = plane_ ? (i == 3 || i == 4) : i < 2;
            if (given) {
                text::appendCsvField(*records_, fields[i]);
            } else {
                records_->append(fields[i]);
            }
            records_->push_back(',');
        }
        text::appendCsvField(*records_, error_);
        records_->push_back('\n');
        anyError_ = anyError_ || !error_.empty();
        ++rowCount_;
    }

    SquareLocator locator_;
    bool plane_;
    std::string* records_ = nullptr;
    std::string error_;
    std::string xText_;
    std::string yText_;
    std::string latitudeText_;
    std::string longitudeText_;
    std::unordered_map<const GaussKrugerSystem*, std::string> names_;
    bool anyError_ = false;
    std::size_t rowCount_ = 0;
};

// Row writers for the worker threads, each used by one thread at a time.
class RowWriterPool {
  public:
    explicit RowWriterPool(const SquarePointRequest& options) : options_(options) {}

    std::unique_ptr<SquarePointRows> take() {
        const std::lock_guard lock(mutex_);
        if (free_.empty()) {
            return std::make_unique<SquarePointRows>(options_);
        }
        std::unique_ptr<SquarePointRows> rows = std::move(free_.back());
        free_.pop_back();
        return rows;
    }

    void give(std::unique_ptr<SquarePointRows> rows) {
        const std::lock_guard lock(mutex_);
        free_.push_back(std::move(rows));
    }

  private:
    const SquarePointRequest& options_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<SquarePointRows>> free_;
};

}  // namespace

batch::RunStatus writeSquarePointRows(const SquarePointRequest& request, std::istream& in,
                                      std::ostream& out, std::ostream& err,
                                      const batch::ProgressListener& progress) {
    if (!batch::writeChecked(out, kHeader, err)) {
        return batch::RunStatus::WriteFailed;
    }
    if (!request.values.empty()) {
        SquarePointRows rows(request);
        std::string record;
        rows.startBlock(record);
        rows.point(request.values[0], request.values[1], 0);
        if (!batch::writeChecked(out, record, err) || !batch::flushChecked(out, err)) {
            return batch::RunStatus::WriteFailed;
        }
        return rows.anyError() ? batch::RunStatus::RowErrors : batch::RunStatus::Success;
    }
    batch::InputBlocks blocks(in, batch::RecordFormat::Lines, kBlockSize);
    RowWriterPool pool(request);
    return batch::writeBlocksInOrder(
        request.jobs, blocks, std::nullopt,
        [&](batch::Block& block) {
            std::unique_ptr<SquarePointRows> rows = pool.take();
            block.output.clear();
            rows->startBlock(block.output);
            rows->block(block.input, block.firstLine);
            block.anyError = rows->anyError();
            block.rows = rows->rowCount();
            pool.give(std::move(rows));
        },
        out, err, progress);
}

}  // namespace mapsheet::projection
