// mapsheet-cli number: the sheet numbers of points at one scale, as CSV.

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/csv.h"
#include "cli/input_lines.h"
#include "cli/point_line.h"
#include "engine/scale_names.h"
#include "engine/sheet_engine.h"
#include "library/angle_reading.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli number --scale SCALE [LAT LON]\n"
    "\n"
    "Names the sheet that holds each point at one scale of the national basic-scale\n"
    "topographic map series, in the 1993-2012 standard numbering (new) and in the pre-1992\n"
    "numbering (old), as CSV (RFC 4180) on standard output:\n"
    "\n"
    "  latitude,longitude,new,old,error\n"
    "\n"
    "SCALE    one of the twelve scales, written as 1:50000, 50000, 1:5万 or E:\n"
    "%SCALES%"
    "LAT LON  one point. Without them, points are read from standard input, one per line,\n"
    "         latitude then longitude, separated by a comma, a tab or blanks. Blank lines\n"
    "         are skipped; every other line must be a point (a header line is an error).\n"
    "\n"
    "Coordinates are decimal degrees (39.979 117.5) or degree-minute-second text\n"
    "(39°58′45″, 39°58′45.5″, 39d58'45\", 39:58:45); north and east are positive, a leading\n"
    "\"-\" marks south and west. A point on a sheet line belongs to the sheet north and east of\n"
    "it (south and east of it in the southern hemisphere).\n"
    "\n"
    "Each input point gives exactly one row, in input order: the coordinates as given, the new\n"
    "number, the old number and an error text (empty on success). The old number is empty at\n"
    "1:5000 and finer, which have none. 1:200,000 (R) is not part of the 1993-2012 standard:\n"
    "its new column holds the code of the same 6 x 6 division of the 1:1,000,000 sheet\n"
    "(K50R003004), kept for comparison only. A point outside -88 < LAT < 88, -180 <= LON < 180\n"
    "has no sheet and is reported as an error. A line that cannot be read gives a row with the\n"
    "whole line in the latitude column and an error naming the line number; the run goes on.\n"
    "\n"
    "Exit status: 0 when every row succeeded, 1 when any row has an error, 2 for a usage error.\n";

constexpr std::string_view kNoSheet =
    "no sheet: the latitude must lie in -88 < LAT < 88 and the longitude in -180 <= LON < 180";

// Written at the start of UTF-8 files by some editors; not part of the first point.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string helpText() {
    std::string help(kHelp);
    const auto marker = help.find("%SCALES%");
    help.replace(marker, 8, engine::acceptedScales());
    return help;
}

struct Options {
    std::optional<int> scale;
    std::optional<std::string> latitude;
    std::optional<std::string> longitude;
    bool help = false;
};

// Parses the arguments; on a usage error, writes the message to err and returns nullopt.
std::optional<Options> parseOptions(const Arguments& arguments, std::ostream& err) {
    Options options;
    std::vector<std::string_view> point;
    std::optional<std::string_view> scaleText;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--scale") {
            if (i + 1 == arguments.size()) {
                err << "mapsheet-cli number: --scale needs a value\n";
                return std::nullopt;
            }
            scaleText = arguments[++i];
        } else if (argument.starts_with("--scale=")) {
            scaleText = argument.substr(8);
        } else if (argument.starts_with("--")) {
            err << "mapsheet-cli number: unknown option '" << argument
                << "'; run 'mapsheet-cli number --help'\n";
            return std::nullopt;
        } else {
            point.push_back(argument);
        }
    }
    if (options.help) {
        return options;
    }
    if (!scaleText) {
        err << "mapsheet-cli number: --scale SCALE is required; accepted scales:\n"
            << engine::acceptedScales();
        return std::nullopt;
    }
    options.scale = engine::parseScale(*scaleText);
    if (!options.scale) {
        err << "mapsheet-cli number: unknown scale '" << *scaleText << "'; accepted scales:\n"
            << engine::acceptedScales();
        return std::nullopt;
    }
    if (point.size() == 2) {
        options.latitude = std::string(point[0]);
        options.longitude = std::string(point[1]);
    } else if (!point.empty()) {
        err << "mapsheet-cli number: expected LAT LON (two values), got " << point.size()
            << "; run 'mapsheet-cli number --help'\n";
        return std::nullopt;
    }
    return options;
}

// Numbers the points and writes their rows, reusing its buffers from point to point.
class PointNumberer {
  public:
    PointNumberer(int scaleIndex, std::ostream& out) : out_(out) {
        engine_.SelectScale(scaleIndex);
        records_.reserve(kFlushSize + 1024);
        records_.append("latitude,longitude,new,old,error\n");
    }
    void flush() {
        out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
        out_.flush();
        records_.clear();
    }

    bool anyError() const { return anyError_; }

    // One point, from input line lineNumber (counted from 1; 0 for a point given as
    // arguments, whose errors name no line).
    void number(std::string_view latitudeText, std::string_view longitudeText,
                std::string_view lineText, long lineNumber) {
        const AngleReading latitude = readAngleDegrees(latitudeText);
        if (!latitude.degrees) {
            unreadable({latitudeText, longitudeText}, lineText, lineNumber, "latitude",
                       latitudeText, latitude.error);
            return;
        }
        const AngleReading longitude = readAngleDegrees(longitudeText);
        if (!longitude.degrees) {
            unreadable({latitudeText, longitudeText}, lineText, lineNumber, "longitude",
                       longitudeText, longitude.error);
            return;
        }
        const std::string newNumber =
            engine_.SheetNumber(*latitude.degrees, *longitude.degrees, true);
        if (newNumber.empty()) {
            startError(lineNumber).append(kNoSheet);
            write(latitudeText, longitudeText, {}, {}, error_);
            return;
        }
        const std::string oldNumber =
            engine_.SheetNumber(*latitude.degrees, *longitude.degrees, false);
        write(latitudeText, longitudeText, newNumber, oldNumber, {});
    }

    // A line that is not two fields.
    void malformed(std::string_view lineText, long lineNumber) {
        startError(lineNumber)
            .append("expected latitude and longitude separated by a comma, a tab or blanks");
        write(lineText, {}, {}, {}, error_);
    }

  private:
    std::string& startError(long lineNumber) {
        error_.clear();
        if (lineNumber > 0) {
            error_.append("line ").append(std::to_string(lineNumber)).append(": ");
        }
        return error_;
    }

    // A coordinate that is no angle. A line read from the input goes whole into the latitude
    // column; the two arguments of a point on the command line keep their own columns.
    void unreadable(const PointFields& given, std::string_view lineText, long lineNumber,
                    std::string_view what, std::string_view text, std::string_view why) {
        startError(lineNumber).append(what).append(" '").append(text).append("': ");
        error_.append(why.empty() ? std::string_view("not an angle") : why);
        if (lineNumber > 0) {
            write(lineText, {}, {}, {}, error_);
        } else {
            write(given.latitude, given.longitude, {}, {}, error_);
        }
    }

    void write(std::string_view latitude, std::string_view longitude, std::string_view newNumber,
               std::string_view oldNumber, std::string_view error) {
        appendCsvField(records_, latitude);
        records_.push_back(',');
        appendCsvField(records_, longitude);
        records_.push_back(',');
        appendCsvField(records_, newNumber);
        records_.push_back(',');
        appendCsvField(records_, oldNumber);
        records_.push_back(',');
        appendCsvField(records_, error);
        records_.push_back('\n');
        if (records_.size() >= kFlushSize) {
            out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
            records_.clear();
        }
        anyError_ = anyError_ || !error.empty();
    }

    engine::SheetEngine engine_;
    std::ostream& out_;
    // Rows are collected and written in large blocks: one stream write per row would cost more
    // than numbering the point.
    static constexpr std::size_t kFlushSize = 1 << 18;
    std::string records_;
    std::string error_;
    bool anyError_ = false;
};

}  // namespace

int runNumberCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err) {
    const std::optional<Options> options = parseOptions(arguments, err);
    if (!options) {
        return 2;
    }
    if (options->help) {
        out << helpText();
        return 0;
    }
    PointNumberer numberer(*options->scale, out);
    if (options->latitude) {
        numberer.number(*options->latitude, *options->longitude, {}, 0);
    } else {
        InputLines lines(in);
        long lineNumber = 0;
        while (const std::optional<std::string_view> next = lines.next()) {
            ++lineNumber;
            std::string_view line = *next;
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            if (lineNumber == 1 && line.starts_with(kByteOrderMark)) {
                line.remove_prefix(kByteOrderMark.size());
            }
            if (isBlankLine(line)) {
                continue;
            }
            const std::optional<PointFields> fields = splitPointLine(line);
            if (!fields) {
                numberer.malformed(line, lineNumber);
                continue;
            }
            numberer.number(fields->latitude, fields->longitude, line, lineNumber);
        }
    }
    numberer.flush();
    return numberer.anyError() ? 1 : 0;
}

}  // namespace mapsheet::cli
