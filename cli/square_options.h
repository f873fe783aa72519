#pragma once

// The arguments of mapsheet-cli square.
//
//   square --scale SCALE [CRS] [--jobs N] [LAT LON]             geographic points
//   square --scale SCALE CRS --xy [--jobs N] [X Y]              plane points
//   square --scale SCALE CRS --sheet [--graticule SCALE] [NUMBER...]   square sheets
//
// CRS is --crs EPSG:CODE (checked against the PROJ database) or --central-meridian DEG
// [--zone-width 3|6] (DEG as decimal degrees or D°M′S″, width 3 when not given); without
// either, geographic points go to their nearest 3-degree zone, and plane points and sheet
// numbers are refused because they mean nothing outside a chosen system. Options take their
// value as the next argument or after "=". A value that starts with "-" followed by a digit is
// an argument (a southern latitude), not an option.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "projection/gauss_kruger_system.h"
#include "projection/square_system_choice.h"

namespace mapsheet::cli {

enum class SquareMode { GeographicPoints, PlanePoints, Sheets };

struct SquareOptions {
    bool help = false;
    int scale = 11;
    std::optional<projection::GaussKrugerSystem> system;  // nullopt: nearest 3-degree zone
    SquareMode mode = SquareMode::GeographicPoints;
    std::optional<int> graticuleScale;  // --graticule, with --sheet only
    int jobs = 1;  // the processors available unless --jobs says
    std::vector<std::string> values;  // LAT LON, X Y, or sheet numbers; empty: standard input
};

// The options, or nullopt after writing the usage error to err ("mapsheet-cli square: ...").
std::optional<SquareOptions> parseSquareOptions(const Arguments& arguments, std::ostream& err);

using projection::SystemArguments;  // the values of --crs, --central-meridian, --zone-width

// The system they choose (projection/square_system_choice.h; nullopt in system when none is
// given: the caller picks the nearest 3-degree zone). False after writing the usage error to
// err, after prefix ("mapsheet-cli square: ").
bool chooseSquareSystem(const SystemArguments& given,
                        std::optional<projection::GaussKrugerSystem>& system,
                        std::string_view prefix, std::ostream& err);

}  // namespace mapsheet::cli
