// mapsheet-cli cover --square: the square sheets meeting a latitude/longitude box or a
// graticule sheet, as CSV or a GIS layer.
#ifdef MAPSHEET_HAVE_PROJ

#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/output_status.h"
#include "cli/progress_line.h"
#include "cli/square_area_commands.h"
#include "cli/square_options.h"
#include "engine/scale_names.h"
#include "engine/sheet_number_parse.h"
#include "projection/area_squares.h"
#include "text/box_text.h"
#include "text/csv.h"

#ifdef MAPSHEET_HAVE_GDAL
#include <fstream>

#include "cli/square_layer.h"
#include "cli/square_within.h"
#include "gis/staged_output.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr std::string_view kPrefix = "mapsheet-cli cover: ";
constexpr std::uint64_t kDefaultMaxSheets = 10'000'000;
constexpr std::string_view kCsvHeader = "sheet,crs,scale,south_x,west_y,north_x,east_y\n";

struct CoverOptions {
    std::optional<std::string> scale;
    SystemArguments system;
    std::optional<std::string> bbox;
    std::optional<std::string> withinSheet;
    std::optional<std::string> within;
    std::optional<std::string> format;
    std::optional<std::string> output;
    std::optional<std::string> maxSheets;
};

int usageError(std::ostream& err, const std::string& message) {
    err << kPrefix << message << '\n';
    return kExitUsage;
}

std::optional<std::string>* slotOf(CoverOptions& options, std::string_view name) {
    if (name == "--scale") {
        return &options.scale;
    }
    if (name == "--crs") {
        return &options.system.crs;
    }
    if (name == "--central-meridian") {
        return &options.system.centralMeridian;
    }
    if (name == "--zone-width") {
        return &options.system.zoneWidth;
    }
    if (name == "--bbox") {
        return &options.bbox;
    }
    if (name == "--within-sheet") {
        return &options.withinSheet;
    }
    if (name == "--within") {
        return &options.within;
    }
    if (name == "--format") {
        return &options.format;
    }
    if (name == "--output") {
        return &options.output;
    }
    if (name == "--max-sheets") {
        return &options.maxSheets;
    }
    return nullptr;
}

// Fills options; false after writing a usage error.
bool parseCoverOptions(const Arguments& arguments, CoverOptions& options, std::ostream& err) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--square") {
            continue;
        }
        const std::string_view name = argument.substr(0, argument.find('='));
        std::optional<std::string>* slot = slotOf(options, name);
        if (slot == nullptr) {
            usageError(err, "unknown argument '" + std::string(argument) +
                                "' for --square; run 'mapsheet-cli cover --help'");
            return false;
        }
        if (name.size() < argument.size()) {
            *slot = std::string(argument.substr(name.size() + 1));
        } else if (i + 1 < arguments.size()) {
            *slot = arguments[++i];
        } else {
            usageError(err, std::string(name) + " needs a value");
            return false;
        }
    }
    return true;
}

// The area: a box (--bbox, or the bounds of the --within-sheet sheet) or the polygons of a
// --within file, with the box around them.
using Area = projection::SquareArea;

// nullopt with error set, and status to the exit status (a file that cannot be read is 4).
std::optional<Area> areaOf(const CoverOptions& options, std::string& error, int& status) {
    status = kExitUsage;
    const int areas =
        (options.bbox ? 1 : 0) + (options.withinSheet ? 1 : 0) + (options.within ? 1 : 0);
    if (areas != 1) {
        error = "give exactly one of --bbox, --within and --within-sheet";
        return std::nullopt;
    }
    if (options.within) {
#ifdef MAPSHEET_HAVE_GDAL
        std::optional<std::vector<projection::GeographicPolygon>> polygons =
            readGeographicPolygons(*options.within, error);
        if (!polygons) {
            error = "--within: " + error;
            status = kExitReadFailed;
            return std::nullopt;
        }
        return projection::areaOfPolygons(std::move(*polygons));
#else
        error = "--within needs GDAL, which this build lacks";
        return std::nullopt;
#endif
    }
    if (options.bbox) {
        const std::optional<engine::LatLonBox> box = parseBox(*options.bbox, error);
        return box ? std::optional<Area>(Area{*box, {}}) : std::nullopt;
    }
    const engine::ParsedSheet parsed = engine::parseSheetNumber(*options.withinSheet);
    if (!parsed.sheet) {
        error = "--within-sheet: " + parsed.error;
        return std::nullopt;
    }
    const engine::DegreeBounds bounds = engine::degreeBounds(*parsed.sheet);
    return Area{{bounds.south, bounds.west, bounds.north, bounds.east}, {}};
}

class SquareOutput {
  public:
    virtual ~SquareOutput() = default;
    virtual bool add(const engine::SquareSheet& sheet) = 0;
    virtual bool finish() = 0;
    std::string error;
};

class CsvSquares final : public SquareOutput {
  public:
    CsvSquares(std::ostream& out, std::string systemName)
        : out_(out), name_(std::move(systemName)) {
        out_ << kCsvHeader;
    }
    bool add(const engine::SquareSheet& sheet) override {
        const engine::SquareBounds b = engine::squareBounds(sheet);
        std::string record = engine::squareNumber(sheet);
        record.push_back(',');
        appendCsvField(record, name_);
        record.append(",").append(engine::scaleRatioText(sheet.scale));
        for (const std::int64_t edge : {b.south, b.west, b.north, b.east}) {
            record.append(",").append(std::to_string(edge));
        }
        record.push_back('\n');
        out_ << record;
        return out_.good();
    }
    bool finish() override { return true; }

  private:
    std::ostream& out_;
    std::string name_;
};

#ifdef MAPSHEET_HAVE_GDAL
// CSV into a file that appears only when complete.
class CsvSquareFile final : public SquareOutput {
  public:
    CsvSquareFile(gis::StagedOutput staged, std::string systemName)
        : staged_(std::move(staged)),
          file_(staged_.stagingPath(), std::ios::binary),
          csv_(file_, std::move(systemName)) {}
    bool add(const engine::SquareSheet& sheet) override {
        return csv_.add(sheet) || (error = "cannot write the CSV file", false);
    }
    bool finish() override {
        file_.close();
        if (file_.fail()) {
            error = "cannot write the CSV file";
            return false;
        }
        return staged_.commit(error);
    }

  private:
    gis::StagedOutput staged_;
    std::ofstream file_;
    CsvSquares csv_;
};
#endif

#ifdef MAPSHEET_HAVE_GDAL
class LayerSquares final : public SquareOutput {
  public:
    explicit LayerSquares(std::unique_ptr<SquareLayer> layer) : layer_(std::move(layer)) {}
    bool add(const engine::SquareSheet& sheet) override {
        return layer_->add(sheet) || (error = layer_->error(), false);
    }
    bool finish() override { return layer_->finish() || (error = layer_->error(), false); }

  private:
    std::unique_ptr<SquareLayer> layer_;
};
#endif

// csv, or a GIS format from --format or the --output extension; nullptr after a usage error.
std::unique_ptr<SquareOutput> openOutput(const CoverOptions& options,
                                         projection::GaussKrugerProjector& projector,
                                         std::ostream& out, std::ostream& err, int& status) {
    status = kExitUsage;
    std::string format = options.format.value_or("");
#ifdef MAPSHEET_HAVE_GDAL
    if (format.empty() && options.output) {
        if (const auto implied = gis::vectorFormatOfPath(*options.output)) {
            format = gis::vectorFormatName(*implied);
        }
    }
#endif
    const std::string systemName = projection::systemName(projector.system());
    if (format.empty() || format == "csv") {
        if (!options.output) {
            return std::make_unique<CsvSquares>(out, systemName);
        }
#ifdef MAPSHEET_HAVE_GDAL
        std::string error;
        std::optional<gis::StagedOutput> staged = gis::StagedOutput::create(*options.output, error);
        if (!staged) {
            err << kPrefix << "cannot write '" << *options.output << "': " << error << '\n';
            status = kExitWriteFailed;
            return nullptr;
        }
        return std::make_unique<CsvSquareFile>(std::move(*staged), systemName);
#else
        usageError(err, "--output needs GDAL, which this build lacks");
        return nullptr;
#endif
    }
#ifdef MAPSHEET_HAVE_GDAL
    const std::optional<gis::VectorFormat> vector = gis::vectorFormatNamed(format);
    if (!vector) {
        usageError(err,
                   "unknown format '" + format + "': expected csv, geojson, gpkg, shp, kml or fgb");
        return nullptr;
    }
    std::string error;
    std::unique_ptr<SquareLayer> layer =
        SquareLayer::open(*vector, options.output, out, projector, error);
    if (!layer) {
        err << kPrefix << error << '\n';
        status = options.output ? kExitWriteFailed : kExitUsage;
        return nullptr;
    }
    return std::make_unique<LayerSquares>(std::move(layer));
#else
    usageError(err, "format '" + format + "' needs GDAL, which this build lacks");
    return nullptr;
#endif
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

int runSquareCoverCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    CoverOptions options;
    if (!parseCoverOptions(arguments, options, err)) {
        return kExitUsage;
    }
    if (!options.scale) {
        return usageError(err, "--scale SCALE is required: 1:5000, 1:2000, 1:1000 or 1:500");
    }
    const std::optional<int> scale = engine::parseScale(*options.scale);
    if (!scale || !engine::hasSquareSheets(*scale)) {
        return usageError(err,
                          "--square needs a square-sheet scale: 1:5000, 1:2000, 1:1000 or "
                          "1:500, not '" +
                              *options.scale + "'");
    }
    std::uint64_t maxSheets = kDefaultMaxSheets;
    if (options.maxSheets) {
        const std::string& text = *options.maxSheets;
        const auto [end, fault] =
            std::from_chars(text.data(), text.data() + text.size(), maxSheets);
        if (fault != std::errc{} || end != text.data() + text.size()) {
            return usageError(err,
                              "--max-sheets '" + text + "': expected a whole number of sheets");
        }
    }
    std::string error;
    int areaStatus = kExitUsage;
    const std::optional<Area> area = areaOf(options, error, areaStatus);
    if (!area) {
        err << kPrefix << error << '\n';
        return areaStatus;
    }
    std::optional<projection::GaussKrugerSystem> chosen;
    if (!chooseSquareSystem(options.system, chosen, kPrefix, err)) {
        return kExitUsage;
    }
    projection::GaussKrugerProjector projector(projection::systemForBox(chosen, area->box));
    std::optional<projection::SquareCover> cover =
        projection::squaresOfArea(*area, *scale, projector, error);
    if (!cover) {
        return usageError(err, error);
    }
    // Counted on a copy before anything is written, so that a refused cover writes nothing.
    projection::SquareCover counting = *cover;
    std::uint64_t count = 0;
    while (count <= maxSheets && counting.next()) {
        ++count;
    }
    if (count > maxSheets) {
        return usageError(err, "the cover would have more than " + std::to_string(maxSheets) +
                                   " sheets, more than --max-sheets allows");
    }
    int status = kExitSuccess;
    const std::unique_ptr<SquareOutput> output = openOutput(options, projector, out, err, status);
    if (!output) {
        return status;
    }
    ProgressLine progressLine(err, options.output ? nullptr : &out, "sheets");
    ProgressCounter progress(progressLine.listener(), count);
    while (const std::optional<engine::SquareSheet> sheet = cover->next()) {
        if (!output->add(*sheet)) {
            err << kPrefix << (output->error.empty() ? "cannot write output" : output->error)
                << '\n';
            return kExitWriteFailed;
        }
        progress.add();
    }
    if (!output->finish()) {
        err << kPrefix << output->error << '\n';
        return kExitWriteFailed;
    }
    return finishOutput(out, err, kExitSuccess);
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
