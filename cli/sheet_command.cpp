// mapsheet-cli sheet: the scale, both numbers and the bounds of written sheet numbers.

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "batch/number_lines.h"
#include "batch/sheet_records.h"
#include "cli/commands.h"
#include "cli/output_status.h"
#include "cli/progress_line.h"
#include "batch/sheet_records.h"
#include "cli/sheet_or_id.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "text/utf8_text.h"
#include "engine/sheet_number_parse.h"
#include "text/utf8_text.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#endif

#ifdef MAPSHEET_HAVE_PROJ
#include "cli/sheet_corner_fields.h"
#include "cli/square_area_commands.h"
#include "cli/square_options.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli sheet [--format csv|json|geojson] [NUMBER...]\n"
    "\n"
    "Reads written sheet numbers of the national basic-scale topographic map series, of either\n"
    "numbering and at any of the twelve scales, and gives for each its scale, its number in\n"
    "the other numbering and its bounds. This converts between the numberings:\n"
    "\n"
    "  mapsheet-cli sheet J-50-5-A-1      (pre-1992 to 1993-2012)\n"
    "  mapsheet-cli sheet J50F001019      (1993-2012 to pre-1992)\n"
    "\n"
    "NUMBER   a sheet number. Without any, numbers are read from standard input, one per line;\n"
    "         blank lines are skipped. Accepted: new-standard numbers (K50, K50E003005,\n"
    "         SH50D001012, J50R003004 for 1:200,000, K50J11521152) and pre-1992 numbers (K-50,\n"
    "         K-50-D, K-50-[11], K-50-(1), K-50-104, K-50-104-A, K-50-104-A-1, K-50-104-(1),\n"
    "         K-50-104-(15)-a), in upper or lower case, with full-width letters, digits,\n"
    "         brackets and dashes, any of - – — − －, the brackets 【】〔〕［］（）, and blanks\n"
    "         around the pieces: J—50—5—(15)—a and J-50-【4】 are read too. A number of\n"
    "         digits only is a sheet id, as the id column writes it.\n"
    "\n"
    "--format csv      (the default) CSV (RFC 4180) with the header\n"
    "                  input,scale,new,old,south,west,north,east,error,id,area_m2\n"
    "                  one row per input, in input order: the number as given, the scale as\n"
    "                  1:50000, the 1993-2012 number (at 1:200,000, which that standard lacks,\n"
    "                  the R code of the same division), the pre-1992 number (empty at 1:2000\n"
    "                  and finer; at 1:5000 the historical form K-50-104-(15)-a), the bounds in\n"
    "                  decimal degrees rounded to 12 places, and an error naming the wrong piece\n"
    "                  of a number that cannot be read (every other field then empty), the\n"
    "                  sheet id (a 64-bit integer, stable) and the sheet's area on the CGCS2000\n"
    "                  ellipsoid in square metres to 3 decimals.\n"
    "--format json     one JSON object per line (JSON Lines) with the same members, the bounds\n"
    "                  also as exact D°M′S″ text (south_dms, west_dms, north_dms, east_dms) and\n"
    "                  the centre (centre_latitude, centre_longitude); absent values are null.\n"
    "--format geojson  one RFC 7946 FeatureCollection: each sheet a polygon (longitude/latitude,\n"
    "                  counter-clockwise, closed) with the CSV fields as properties; a number\n"
    "                  that cannot be read is a feature without geometry and with its error.\n"
    "\n"
    "--corners         (csv and json) the four corners in CGCS2000 Gauss-Kruger metres, x\n"
    "                  northing, y easting with 500 km false easting, to 3 decimals: CSV\n"
    "                  columns zone,central_meridian,sw_x,sw_y,se_x,se_y,ne_x,ne_y,nw_x,nw_y\n"
    "                  after area_m2, JSON member \"corners\". In the 6-degree zone of the\n"
    "                  sheet's centre for 1:25,000 to 1:1,000,000, its 3-degree zone for\n"
    "                  1:10,000 and larger, or:\n"
    "--zone N          the zone N of that width, or\n"
    "--central-meridian DEG  the central meridian DEG; a sheet the zone does not reach is an\n"
    "                  error row.\n"
    "\n"
    "--square SCALE    with SCALE 1:5000 .. 1:500 and the CRS options of 'mapsheet-cli square':\n"
    "                  the square sheets meeting each graticule sheet, as CSV\n"
    "                  input,crs,square_scale,squares,error (squares separated by blanks).\n"
    "\n"
    "Exit status: 0 when every number was read, 1 when any could not be, 2 for a usage error,\n"
    "3 when the output cannot be written, 4 when the input cannot be read.\n";

constexpr std::size_t kFlushSize = 1 << 16;

enum class Format { Csv, Json, GeoJson };

struct Options {
    Format format = Format::Csv;
    std::vector<std::string_view> numbers;
    bool help = false;
#ifdef MAPSHEET_HAVE_PROJ
    bool corners = false;
    projection::CornerZone zone;
#endif
};

#ifdef MAPSHEET_HAVE_PROJ
// --zone N or --central-meridian DEG (read as `square` reads it) at arguments[i]; false after
// a usage error.
bool readCornerZone(const Arguments& arguments, std::size_t& i, projection::CornerZone& zone,
                    std::ostream& err) {
    const std::string_view option = arguments[i];
    if (i + 1 == arguments.size()) {
        err << "mapsheet-cli sheet: " << option << " needs a value\n";
        return false;
    }
    const std::string& value = arguments[++i];
    if (option == "--zone") {
        std::size_t used = 0;
        try {
            zone = {projection::CornerZone::Kind::Zone, std::stoi(value, &used), 0};
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != value.size() || used == 0) {
            err << "mapsheet-cli sheet: --zone '" << value << "' is not a zone number\n";
            return false;
        }
        return true;
    }
    std::optional<projection::GaussKrugerSystem> system;
    if (!chooseSquareSystem({std::nullopt, value, std::nullopt}, system,
                            "mapsheet-cli sheet: ", err)) {
        return false;
    }
    zone = {projection::CornerZone::Kind::CentralMeridian, 0, system->centralMeridian};
    return true;
}
#endif

std::optional<Options> parseOptions(const Arguments& arguments, std::ostream& err) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        std::optional<std::string_view> format;
        if (argument == "--help" || argument == "-h") {
            options.help = true;
#ifdef MAPSHEET_HAVE_PROJ
        } else if (argument == "--corners") {
            options.corners = true;
        } else if (argument == "--zone" || argument == "--central-meridian") {
            if (!readCornerZone(arguments, i, options.zone, err)) {
                return std::nullopt;
            }
#endif
        } else if (argument == "--format") {
            if (i + 1 == arguments.size()) {
                err << "mapsheet-cli sheet: --format needs a value: csv, json or geojson\n";
                return std::nullopt;
            }
            format = arguments[++i];
        } else if (argument.starts_with("--format=")) {
            format = argument.substr(9);
        } else if (argument.starts_with("--")) {
            err << "mapsheet-cli sheet: unknown option '" << argument
                << "'; run 'mapsheet-cli sheet --help'\n";
            return std::nullopt;
        } else {
            options.numbers.push_back(argument);
        }
        if (format) {
            if (*format == "csv") {
                options.format = Format::Csv;
            } else if (*format == "json") {
                options.format = Format::Json;
            } else if (*format == "geojson") {
                options.format = Format::GeoJson;
            } else {
                err << "mapsheet-cli sheet: unknown format '" << *format
                    << "': expected csv, json or geojson\n";
                return std::nullopt;
            }
        }
    }
    return options;
}

// Where the records go: text records buffered into the stream, or features into GDAL.
class SheetOutput {
  public:
    virtual ~SheetOutput() = default;
    virtual bool add(std::string_view input, const engine::ParsedSheet& parsed) = 0;
    // Writes what is left; false when the output failed (already reported on err).
    virtual bool finish() = 0;
    // Whether a sheet that was read became an error row here (a zone that misses it).
    virtual bool refusedAnySheet() const { return false; }
};

class TextOutput final : public SheetOutput {
  public:
    TextOutput(const Options& options, std::ostream& out, std::ostream& err)
        : json_(options.format == Format::Json), out_(out), err_(err) {
#ifdef MAPSHEET_HAVE_PROJ
        if (options.corners) {
            cornerZone_ = options.zone;
        }
#endif
        records_.reserve(kFlushSize + 1024);
        if (!json_) {
            records_.append(kSheetCsvHeader);
#ifdef MAPSHEET_HAVE_PROJ
            if (cornerZone_) {
                records_.pop_back();
                records_.append(kCornerCsvColumns).push_back('\n');
            }
#endif
        }
    }
    bool add(std::string_view input, const engine::ParsedSheet& parsed) override {
#ifdef MAPSHEET_HAVE_PROJ
        if (cornerZone_) {
            return addWithCorners(input, parsed);
        }
#endif
        if (json_) {
            appendSheetJsonRecord(records_, input, parsed);
        } else {
            appendSheetCsvRecord(records_, input, parsed);
        }
        return records_.size() < kFlushSize || flush();
    }
    bool finish() override { return flush(); }

  private:
#ifdef MAPSHEET_HAVE_PROJ
    // A sheet the zone does not reach becomes an error row with the reason.
    bool addWithCorners(std::string_view input, engine::ParsedSheet parsed) {
        std::optional<projection::SheetCorners> corners;
        if (parsed.sheet) {
            parsed.error = projection::cornerZoneError(*parsed.sheet, *cornerZone_);
            if (parsed.error.empty()) {
                corners = projection::sheetCorners(*parsed.sheet, *cornerZone_);
            } else {
                parsed.sheet.reset();
                refusedAnySheet_ = true;
            }
        }
        if (json_) {
            appendSheetJsonRecord(records_, input, parsed);
            appendCornerJsonMember(records_, corners);
        } else {
            appendSheetCsvRecord(records_, input, parsed);
            appendCornerCsvFields(records_, corners);
        }
        return records_.size() < kFlushSize || flush();
    }
    bool refusedAnySheet() const override {
        return refusedAnySheet_;
    }
    std::optional<projection::CornerZone> cornerZone_;
    bool refusedAnySheet_ = false;
#endif

    bool flush() {
        out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
        records_.clear();
        return flushChecked(out_, err_);
    }

    bool json_;
    std::ostream& out_;
    std::ostream& err_;
    std::string records_;
};

#ifdef MAPSHEET_HAVE_GDAL
class FeatureOutput final : public SheetOutput {
  public:
    enum Field : std::size_t { Input, Scale, New, Old, South, West, North, East, Error, Id, Area };

    static gis::LayerSpec layer() {
        using gis::FieldType;
        return {gis::GeometryKind::Polygon,
                {{"input", FieldType::Text},
                 {"scale", FieldType::Text},
                 {"new", FieldType::Text},
                 {"old", FieldType::Text},
                 {"south", FieldType::Real},
                 {"west", FieldType::Real},
                 {"north", FieldType::Real},
                 {"east", FieldType::Real},
                 {"error", FieldType::Text},
                 {"id", FieldType::Text},
                 {"area_m2", FieldType::Real}}};
    }

    FeatureOutput(std::unique_ptr<gis::FeatureWriter> writer, std::ostream& err)
        : writer_(std::move(writer)), err_(err) {}

    bool add(std::string_view input, const engine::ParsedSheet& parsed) override {
        writer_->setText(Input, validUtf8(input));
        if (!parsed.sheet) {
            writer_->setText(Error, validUtf8(parsed.error));
            return check(writer_->writeWithoutGeometry());
        }
        const engine::Sheet& sheet = *parsed.sheet;
        const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
        writer_->setText(Scale, scaleRatio(sheet.scale));
        writer_->setText(New, engine::newNumber(sheet).view());
        const engine::InlineText oldText = engine::oldNumber(sheet);
        if (!oldText.empty()) {
            writer_->setText(Old, oldText.view());
        }
        writer_->setReal(South, bounds.south);
        writer_->setReal(West, bounds.west);
        writer_->setReal(North, bounds.north);
        writer_->setReal(East, bounds.east);
        writer_->setText(Id, std::to_string(engine::sheetToId(sheet)));
        writer_->setReal(Area, engine::sheetArea(sheet));
        return check(writer_->writeRectangle(bounds.south, bounds.west, bounds.north, bounds.east));
    }
    bool finish() override { return check(writer_->finish()); }

  private:
    bool check(bool written) {
        if (!written) {
            err_ << "mapsheet-cli sheet: " << writer_->error() << '\n';
        }
        return written;
    }

    std::unique_ptr<gis::FeatureWriter> writer_;
    std::ostream& err_;
};
#endif

std::unique_ptr<SheetOutput> openOutput(const Options& options, std::ostream& out,
                                        std::ostream& err) {
    if (options.format != Format::GeoJson) {
        return std::make_unique<TextOutput>(options, out, err);
    }
#ifdef MAPSHEET_HAVE_GDAL
    std::string error;
    auto writer = gis::FeatureWriter::toStream(out, gis::VectorFormat::GeoJson,
                                               FeatureOutput::layer(), error);
    if (!writer) {
        err << "mapsheet-cli sheet: " << error << '\n';
        return nullptr;
    }
    return std::make_unique<FeatureOutput>(std::move(writer), err);
#else
    err << "mapsheet-cli sheet: --format geojson needs GDAL, which this build lacks\n";
    return nullptr;
#endif
}

}  // namespace

int runSheetCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                    std::ostream& err) {
#ifdef MAPSHEET_HAVE_PROJ
    if (asksForSquares(arguments)) {
        return runGraticuleSquaresCommand(arguments, in, out, err);
    }
#endif
    const std::optional<Options> options = parseOptions(arguments, err);
    if (!options) {
        return kExitUsage;
    }
    if (options->help) {
        out << kHelp;
        return finishOutput(out, err, kExitSuccess);
    }
    const std::unique_ptr<SheetOutput> output = openOutput(*options, out, err);
    if (!output) {
        return kExitUsage;
    }
    bool anyError = false;
    ProgressLine progressLine(err, &out, "rows");
    ProgressCounter progress(progressLine.listener());
    const auto add = [&](std::string_view input) {
        const engine::ParsedSheet parsed = readSheetOrId(input);
        anyError = anyError || !parsed.sheet;
        progress.add();
        return output->add(input, parsed);
    };

    if (!options->numbers.empty()) {
        for (const std::string_view number : options->numbers) {
            if (!add(number)) {
                return kExitWriteFailed;
            }
        }
    } else {
        NumberLines lines(in);
        while (const std::optional<NumberLine> line = lines.next()) {
            if (!add(line->text)) {
                return kExitWriteFailed;
            }
        }
        if (!lines.readError().empty()) {
            // The rows read so far are written; the cut-off line is not guessed at.
            output->finish();
            err << "mapsheet-cli sheet: cannot read the input: " << lines.readError() << '\n';
            return kExitReadFailed;
        }
    }
    if (!output->finish()) {
        return kExitWriteFailed;
    }
    return anyError || output->refusedAnySheet() ? kExitRowErrors : kExitSuccess;
}

}  // namespace mapsheet::cli
