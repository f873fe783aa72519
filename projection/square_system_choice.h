#pragma once

// The Gauss-Kruger system that the square-sheet options choose, for every front end that takes
// them (mapsheet-cli's --crs, --central-meridian and --zone-width, the Python module's and the
// QGIS plugin's options of the same names).
//
// crs is EPSG:CODE as projection/epsg_system.h checks it; centralMeridian is decimal degrees or
// D°M′S″ as text/coordinate_text.h reads them, with zoneWidth 3 or 6 (3 when not given). crs
// names the whole system and goes alone; zoneWidth needs centralMeridian. Given none of them,
// the choice is no system (the caller takes the 3-degree zone nearest the middle of its area,
// projection/graticule_squares.h systemForBox).
//
// Errors name the options as mapsheet-cli spells them ("--zone-width needs
// --central-meridian"), without a program prefix.

#include <optional>
#include <string>

#include "projection/gauss_kruger_system.h"

namespace mapsheet::projection {

// The values of the options as given.
struct SystemArguments {
    std::optional<std::string> crs;
    std::optional<std::string> centralMeridian;
    std::optional<std::string> zoneWidth;
};

struct SystemChoice {
    std::optional<GaussKrugerSystem> system;  // nullopt: none given, or an error
    std::string error;                        // empty when the options are good
};

SystemChoice chooseSquareSystem(const SystemArguments& given);

}  // namespace mapsheet::projection
