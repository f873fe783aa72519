#pragma once

// Checking a CRS named by the user against the PROJ database: is it one of the CGCS2000
// Gauss-Kruger systems, and if not, why not.
//
// Accepted spellings: "EPSG:4527", "epsg:4527" and the bare code "4527". The code must name a
// CRS in the PROJ database that is projected, based on CGCS2000 (EPSG:4490), projected by
// Transverse Mercator, and one of the Gauss-Kruger systems EPSG:4491-4554; its parameters in the
// database must agree with the system that projection/gauss_kruger_system.h derives from the
// code (central meridian, false easting, scale factor 1, latitude of origin 0, false northing 0).
// Errors name the code and, when the database knows it, the CRS: "EPSG:32650 (WGS 84 / UTM zone
// 50N) is not based on CGCS2000 (EPSG:4490)".
//
// Each call opens and closes its own PROJ context, so calls from several threads are safe.

#include <optional>
#include <string>
#include <string_view>

#include "projection/gauss_kruger_system.h"

namespace mapsheet::projection {

struct CheckedSystem {
    std::optional<GaussKrugerSystem> system;
    std::string error;  // empty exactly when system holds a value
};

CheckedSystem gaussKrugerSystemOfCrs(std::string_view crs);

}  // namespace mapsheet::projection
