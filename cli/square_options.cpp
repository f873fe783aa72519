// Built only with PROJ: the square sheets need the Gauss-Kruger projection.
#ifdef MAPSHEET_HAVE_PROJ

#include "cli/square_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <ostream>
#include <string_view>
#include <thread>

#include "engine/scale_names.h"
#include "engine/square_sheet.h"
#include "library/quoted_excerpt.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kPrefix = "mapsheet-cli square: ";

// The options that take a value.
constexpr std::string_view kValued[] = {"--scale",      "--crs",       "--central-meridian",
                                        "--zone-width", "--graticule", "--jobs"};

bool isOption(std::string_view argument) {
    if (argument.size() >= 2 && argument[0] == '-' &&
        (std::isdigit(static_cast<unsigned char>(argument[1])) || argument[1] == '.')) {
        return false;  // a negative number
    }
    return argument.starts_with("-") && argument.size() > 1;
}

std::optional<int> positiveInteger(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

struct RawOptions {
    std::optional<std::string> scale;
    std::optional<std::string> crs;
    std::optional<std::string> centralMeridian;
    std::optional<std::string> zoneWidth;
    std::optional<std::string> graticule;
    std::optional<std::string> jobs;
};

std::optional<std::string>* slotOf(RawOptions& raw, std::string_view name) {
    if (name == "--scale") {
        return &raw.scale;
    }
    if (name == "--crs") {
        return &raw.crs;
    }
    if (name == "--central-meridian") {
        return &raw.centralMeridian;
    }
    if (name == "--zone-width") {
        return &raw.zoneWidth;
    }
    if (name == "--graticule") {
        return &raw.graticule;
    }
    return &raw.jobs;
}

std::optional<int> scaleOption(const std::optional<std::string>& text, std::string_view name,
                               std::ostream& err) {
    const std::optional<int> scale = engine::parseScale(*text);
    if (!scale) {
        err << kPrefix << "unknown scale " << text::singleQuotedExcerpt(*text) << " for " << name
            << "; accepted scales:\n"
            << engine::acceptedScales();
    }
    return scale;
}

}  // namespace

bool chooseSquareSystem(const SystemArguments& given,
                        std::optional<projection::GaussKrugerSystem>& system,
                        std::string_view prefix, std::ostream& err) {
    projection::SystemChoice choice = projection::chooseSquareSystem(given);
    if (!choice.error.empty()) {
        err << prefix << choice.error << '\n';
        return false;
    }
    system = choice.system;
    return true;
}

std::optional<SquareOptions> parseSquareOptions(const Arguments& arguments, std::ostream& err) {
    SquareOptions options;
    options.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    RawOptions raw;
    bool xy = false;
    bool sheets = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        if (argument == "--xy") {
            xy = true;
            continue;
        }
        if (argument == "--sheet") {
            sheets = true;
            continue;
        }
        if (!isOption(argument)) {
            options.values.emplace_back(argument);
            continue;
        }
        const std::string_view name = argument.substr(0, argument.find('='));
        bool known = false;
        for (const std::string_view valued : kValued) {
            known = known || name == valued;
        }
        if (!known) {
            err << kPrefix << "unknown option " << text::singleQuotedExcerpt(argument)
                << "; run 'mapsheet-cli square --help'\n";
            return std::nullopt;
        }
        std::optional<std::string>& slot = *slotOf(raw, name);
        if (name.size() < argument.size()) {
            slot = std::string(argument.substr(name.size() + 1));
        } else if (i + 1 < arguments.size()) {
            slot = arguments[++i];
        } else {
            err << kPrefix << name << " needs a value\n";
            return std::nullopt;
        }
    }
    if (!raw.scale) {
        err << kPrefix << "--scale SCALE is required: 1:5000, 1:2000, 1:1000 or 1:500\n";
        return std::nullopt;
    }
    const std::optional<int> scale = scaleOption(raw.scale, "--scale", err);
    if (!scale) {
        return std::nullopt;
    }
    if (!engine::hasSquareSheets(*scale)) {
        err << kPrefix << "scale " << engine::scaleRatioText(*scale)
            << " has no square sheets; use 1:5000, 1:2000, 1:1000 or 1:500\n";
        return std::nullopt;
    }
    options.scale = *scale;
    if (xy && sheets) {
        err << kPrefix << "--xy reads points and --sheet reads sheet numbers; give one of them\n";
        return std::nullopt;
    }
    options.mode =
        sheets ? SquareMode::Sheets : (xy ? SquareMode::PlanePoints : SquareMode::GeographicPoints);
    if (raw.graticule) {
        if (!sheets) {
            err << kPrefix << "--graticule lists the graticule sheets of square sheets; it needs "
                << "--sheet\n";
            return std::nullopt;
        }
        options.graticuleScale = scaleOption(raw.graticule, "--graticule", err);
        if (!options.graticuleScale) {
            return std::nullopt;
        }
    }
    if (raw.jobs) {
        const std::optional<int> jobs = positiveInteger(*raw.jobs);
        if (!jobs) {
            err << kPrefix << "--jobs " << text::singleQuotedExcerpt(*raw.jobs)
                << " is not a positive whole number\n";
            return std::nullopt;
        }
        options.jobs = *jobs;
    }
    if (!chooseSquareSystem({raw.crs, raw.centralMeridian, raw.zoneWidth}, options.system, kPrefix,
                            err)) {
        return std::nullopt;
    }
    if (!options.system && options.mode != SquareMode::GeographicPoints) {
        err << kPrefix << (sheets ? "--sheet" : "--xy")
            << " needs --crs or --central-meridian: plane coordinates and square numbers "
            << "mean nothing outside one system\n";
        return std::nullopt;
    }
    if (options.mode != SquareMode::Sheets && !options.values.empty() &&
        options.values.size() != 2) {
        err << kPrefix << "expected " << (xy ? "X Y" : "LAT LON") << " (two values), got "
            << options.values.size() << "; run 'mapsheet-cli square --help'\n";
        return std::nullopt;
    }
    return options;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ
