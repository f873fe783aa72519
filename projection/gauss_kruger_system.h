#pragma once

// The CGCS2000 Gauss-Kruger plane coordinate systems, described without PROJ: which central
// meridian, which zone width, whether the zone number is written in front of y, and which EPSG
// code names the system.
//
// Every system here is a Transverse Mercator projection of the CGCS2000 ellipsoid (a = 6378137 m,
// 1/f = 298.257222101) with scale factor 1 on the central meridian, latitude of origin 0, false
// northing 0 and false easting 500 km; a system that carries its zone number adds the zone
// number times 1000 km to the false easting, so that y = 39 517 202.69 m is zone 39, 17 202.69 m
// east of the false origin line. x is the northing and y the easting, both in metres.
//
// The EPSG systems:
//   EPSG:4491-4501  6-degree zones 13..23 with the zone number (central meridian 6 x zone - 3)
//   EPSG:4502-4512  6-degree zones by central meridian 75E..135E, without the zone number
//   EPSG:4513-4533  3-degree zones 25..45 with the zone number (central meridian 3 x zone)
//   EPSG:4534-4554  3-degree zones by central meridian 75E..135E, without the zone number
//
// Usable width. A 6-degree zone serves up to 3 degrees of longitude either side of its central
// meridian (its own width); a 3-degree zone serves 1.5 degrees and a 0.5-degree overlap into each
// neighbour, 2 degrees either side, as sheets along a zone boundary are drawn in the zone they
// mostly lie in. A point farther out is refused rather than numbered in a distorted plane.

#include <optional>
#include <string>

namespace mapsheet::projection {

struct GaussKrugerSystem {
    double centralMeridian = 117;  // degrees, east positive
    int zoneWidth = 3;             // 3 or 6 degrees
    int zonePrefix = 0;            // the zone number written in front of y; 0 for none
    int epsg = 0;                  // the EPSG code that names the system; 0 for none

    friend bool operator==(const GaussKrugerSystem&, const GaussKrugerSystem&) = default;
};

inline constexpr int kFirstGaussKrugerEpsg = 4491;
inline constexpr int kLastGaussKrugerEpsg = 4554;

// 500 000 m, plus the zone number times 1 000 000 m when the system carries it.
double falseEasting(const GaussKrugerSystem& system);

// The system of an EPSG code in 4491..4554 by the arithmetic of the table above; nullopt for
// any other code. (projection/epsg_system.h checks a code against the PROJ database.)
std::optional<GaussKrugerSystem> epsgGaussKrugerSystem(int code);

// Why a central meridian and zone width cannot make a system: the meridian must be finite and
// within -180..180 degrees, the width 3 or 6. Empty when they can.
std::string centralMeridianError(double centralMeridian, int zoneWidth);

// The system on a central meridian, without the zone number in front of y; it takes the EPSG
// code of the "CM" system with the same meridian and width when there is one (117E, 3 degrees:
// EPSG:4548). The arguments must pass centralMeridianError.
GaussKrugerSystem centralMeridianSystem(double centralMeridian, int zoneWidth);

// The 3-degree system whose central meridian (a multiple of 3 degrees) is nearest the
// longitude; a longitude halfway between two belongs to the eastern one (118.5E: 120E). Without
// the zone number in front of y, like centralMeridianSystem. longitude in -180..180.
GaussKrugerSystem nearestThreeDegreeSystem(double longitude);

// How far the longitude lies east (positive) or west of the system's central meridian, in
// degrees within -180..180.
double degreesFromCentralMeridian(const GaussKrugerSystem& system, double longitude);

// 3 for 6-degree zones, 2 for 3-degree zones (see "Usable width" above).
double usableHalfWidth(const GaussKrugerSystem& system);

// Empty when the longitude lies within the system's usable width, else why not: "longitude
// 120.5 lies 3.5 degrees east of the central meridian 117E of EPSG:4509, beyond the 3 degrees
// a 6-degree zone serves" (3-degree zones add "(1.5 and a 0.5 overlap)").
std::string usableWidthError(const GaussKrugerSystem& system, double longitude);

// "EPSG:4548", or for a system without a code "CGCS2000 3-degree Gauss-Kruger CM 12E"
// ("CM 116.5E", "CM 75W"), in the words of the EPSG names.
std::string systemName(const GaussKrugerSystem& system);

// The value rounded to at most the given decimals, trailing zeros dropped ("117", "116.5",
// "-0.25"), for degrees and metres quoted in names and messages.
std::string decimalText(double value, int maxDecimals);

// A central meridian as the EPSG names write it: "117E", "116.5E", "75W".
std::string meridianText(double centralMeridian);

// The PROJ definition of the projection alone (radians of longitude and latitude in, easting
// and northing out): "+proj=tmerc +lat_0=0 +lon_0=117 +k=1 +x_0=500000 +y_0=0 +a=6378137
// +rf=298.257222101 +units=m".
std::string projDefinition(const GaussKrugerSystem& system);

}  // namespace mapsheet::projection
