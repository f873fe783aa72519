#include "projection/gauss_kruger_system.h"

#include <charconv>
#include <cmath>

namespace mapsheet::projection {

namespace {

// The code ranges of the table in the header and the first zone or meridian of each.
constexpr int kSixDegreeZoneCodes = 4491;        // zones 13..23
constexpr int kSixDegreeMeridianCodes = 4502;    // 75E..135E every 6 degrees
constexpr int kThreeDegreeZoneCodes = 4513;      // zones 25..45
constexpr int kThreeDegreeMeridianCodes = 4534;  // 75E..135E every 3 degrees
constexpr int kFirstSixDegreeZone = 13;
constexpr int kFirstThreeDegreeZone = 25;
constexpr int kFirstCodedMeridian = 75;
constexpr int kLastCodedMeridian = 135;

// Names and messages show meridians to a ten-millionth of a degree (a centimetre); the PROJ
// definition carries every digit a double holds.
constexpr int kDegreeDecimals = 7;
constexpr int kDefinitionDecimals = 15;

}  // namespace

std::string decimalText(double value, int maxDecimals) {
    char buffer[400];  // a fixed-point double below 1e308 with its decimals
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, maxDecimals);
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

std::string meridianText(double centralMeridian) {
    return decimalText(std::fabs(centralMeridian), kDegreeDecimals) +
           (centralMeridian < 0 ? "W" : "E");
}

double falseEasting(const GaussKrugerSystem& system) {
    return 500000.0 + 1000000.0 * system.zonePrefix;
}

std::optional<GaussKrugerSystem> epsgGaussKrugerSystem(int code) {
    if (code < kFirstGaussKrugerEpsg || code > kLastGaussKrugerEpsg) {
        return std::nullopt;
    }
    if (code >= kThreeDegreeMeridianCodes) {
        return GaussKrugerSystem{kFirstCodedMeridian + 3.0 * (code - kThreeDegreeMeridianCodes), 3,
                                 0, code};
    }
    if (code >= kThreeDegreeZoneCodes) {
        const int zone = kFirstThreeDegreeZone + code - kThreeDegreeZoneCodes;
        return GaussKrugerSystem{3.0 * zone, 3, zone, code};
    }
    if (code >= kSixDegreeMeridianCodes) {
        return GaussKrugerSystem{kFirstCodedMeridian + 6.0 * (code - kSixDegreeMeridianCodes), 6, 0,
                                 code};
    }
    const int zone = kFirstSixDegreeZone + code - kSixDegreeZoneCodes;
    return GaussKrugerSystem{6.0 * zone - 3, 6, zone, code};
}

std::string centralMeridianError(double centralMeridian, int zoneWidth) {
    if (!(centralMeridian >= -180 && centralMeridian <= 180)) {
        return "central meridian " + decimalText(centralMeridian, kDegreeDecimals) +
               " is outside -180..180 degrees";
    }
    if (zoneWidth != 3 && zoneWidth != 6) {
        return "zone width " + std::to_string(zoneWidth) + " is neither 3 nor 6 degrees";
    }
    return {};
}

GaussKrugerSystem centralMeridianSystem(double centralMeridian, int zoneWidth) {
    GaussKrugerSystem system{centralMeridian, zoneWidth, 0, 0};
    const double steps = (centralMeridian - kFirstCodedMeridian) / zoneWidth;
    if (centralMeridian >= kFirstCodedMeridian && centralMeridian <= kLastCodedMeridian &&
        steps == std::floor(steps)) {
        const int first = zoneWidth == 3 ? kThreeDegreeMeridianCodes : kSixDegreeMeridianCodes;
        system.epsg = first + static_cast<int>(steps);
    }
    return system;
}

GaussKrugerSystem nearestThreeDegreeSystem(double longitude) {
    return centralMeridianSystem(3 * std::floor((longitude + 1.5) / 3), 3);
}

double degreesFromCentralMeridian(const GaussKrugerSystem& system, double longitude) {
    double difference = longitude - system.centralMeridian;
    if (difference > 180) {
        difference -= 360;
    } else if (difference < -180) {
        difference += 360;
    }
    return difference;
}

double usableHalfWidth(const GaussKrugerSystem& system) {
    return system.zoneWidth == 6 ? 3.0 : 2.0;
}

std::string usableWidthError(const GaussKrugerSystem& system, double longitude) {
    const double away = degreesFromCentralMeridian(system, longitude);
    const double limit = usableHalfWidth(system);
    if (std::fabs(away) <= limit) {
        return {};
    }
    return "longitude " + decimalText(longitude, kDegreeDecimals) + " lies " +
           decimalText(std::fabs(away), kDegreeDecimals) + " degrees " +
           (away < 0 ? "west" : "east") + " of the central meridian " +
           meridianText(system.centralMeridian) + " of " + systemName(system) + ", beyond the " +
           decimalText(limit, kDegreeDecimals) + " degrees a " + std::to_string(system.zoneWidth) +
           "-degree zone serves" + (system.zoneWidth == 3 ? " (1.5 and a 0.5 overlap)" : "");
}

std::string systemName(const GaussKrugerSystem& system) {
    if (system.epsg != 0) {
        return "EPSG:" + std::to_string(system.epsg);
    }
    std::string name =
        system.zoneWidth == 3 ? "CGCS2000 3-degree Gauss-Kruger " : "CGCS2000 Gauss-Kruger ";
    if (system.zonePrefix != 0) {
        return name + "zone " + std::to_string(system.zonePrefix);
    }
    return name + "CM " + meridianText(system.centralMeridian);
}

std::string projDefinition(const GaussKrugerSystem& system) {
    return "+proj=tmerc +lat_0=0 +lon_0=" +
           decimalText(system.centralMeridian, kDefinitionDecimals) +
           " +k=1 +x_0=" + decimalText(falseEasting(system), 3) +
           " +y_0=0 +a=6378137 +rf=298.257222101 +units=m";
}

}  // namespace mapsheet::projection
