#pragma once

// The CRS of the GIS layers of square sheets: the system's EPSG code, or for a central meridian
// without one CGCS2000 with the system's Transverse Mercator.

#include "gis/feature_writer.h"
#include "projection/gauss_kruger_system.h"

namespace mapsheet::cli {

inline gis::LayerCrs projectedCrs(const projection::GaussKrugerSystem& system) {
    if (system.epsg != 0) {
        return {system.epsg, std::nullopt};
    }
    return {0,
            gis::TransverseMercatorCrs{"CGCS2000 / " + projection::systemName(system).substr(9),
                                       system.centralMeridian, projection::falseEasting(system)}};
}

}  // namespace mapsheet::cli
