// Built only with GDAL and PROJ: polygons of a vector file for the square-sheet cover.
#if defined(MAPSHEET_HAVE_GDAL) && defined(MAPSHEET_HAVE_PROJ)

#include "cli/square_within.h"

#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <memory>

#include "gis/gdal_errors.h"

namespace mapsheet::cli {

namespace {

bool inRange(const std::vector<projection::GeographicPoint>& ring) {
    for (const projection::GeographicPoint& point : ring) {
        if (!(std::fabs(point.latitude) <= 90 && std::fabs(point.longitude) <= 180)) {
            return false;
        }
    }
    return true;
}

// Appends every polygon inside the geometry; false when a vertex is out of range.
bool addPolygons(const OGRGeometry& geometry, std::vector<GeographicPolygon>& polygons) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (OGR_GT_IsCurve(type) || type == wkbPoint || type == wkbMultiPoint) {
        return true;
    }
    if (OGR_GT_IsNonLinear(type)) {
        const std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
        return !linear || addPolygons(*linear, polygons);
    }
    if (type == wkbPolygon || type == wkbTriangle) {
        GeographicPolygon polygon;
        for (const OGRLinearRing* ring : *geometry.toPolygon()) {
            std::vector<projection::GeographicPoint> points;
            for (int i = 0; i < ring->getNumPoints(); ++i) {
                points.push_back({ring->getY(i), ring->getX(i)});
            }
            if (!inRange(points)) {
                return false;
            }
            polygon.push_back(std::move(points));
        }
        if (!polygon.empty()) {
            polygons.push_back(std::move(polygon));
        }
        return true;
    }
    if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection()) {
            if (!addPolygons(*part, polygons)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::optional<std::vector<GeographicPolygon>> readGeographicPolygons(const std::string& path,
                                                                     std::string& error) {
    gis::registerGdalDrivers();
    gis::GdalErrors errors;
    const std::string named = "'" + path + "'";
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR));
    if (!dataset) {
        error = "cannot read " + named + ": " +
                errors.lastFailure("GDAL knows no vector format that opens it");
        return std::nullopt;
    }
    OGRSpatialReference cgcs2000;
    cgcs2000.importFromEPSG(4490);
    cgcs2000.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::vector<GeographicPolygon> polygons;
    for (OGRLayer* layer : dataset->GetLayers()) {
        std::unique_ptr<OGRCoordinateTransformation> transformation;
        const OGRSpatialReference* crs = layer->GetSpatialRef();
        if (crs != nullptr && !crs->IsSame(&cgcs2000)) {
            transformation.reset(OGRCreateCoordinateTransformation(crs, &cgcs2000));
            if (!transformation) {
                error = "cannot read " + named + ": layer '" + layer->GetName() +
                        "': no transformation from its CRS to CGCS2000 (" +
                        errors.lastFailure("PROJ has none") + ")";
                return std::nullopt;
            }
        }
        for (const auto& feature : *layer) {
            OGRGeometry* geometry = feature->GetGeometryRef();
            if (geometry == nullptr) {
                continue;
            }
            if (transformation && geometry->transform(transformation.get()) != OGRERR_NONE) {
                error = "cannot read " + named + ": feature " + std::to_string(feature->GetFID()) +
                        " cannot be transformed to CGCS2000 longitude/latitude";
                return std::nullopt;
            }
            if (!addPolygons(*geometry, polygons)) {
                error = "cannot read " + named + ": feature " + std::to_string(feature->GetFID()) +
                        " has a vertex outside -90..90 / -180..180";
                return std::nullopt;
            }
        }
    }
    if (polygons.empty()) {
        error = "cannot read " + named + ": it holds no polygon";
        return std::nullopt;
    }
    return polygons;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL && MAPSHEET_HAVE_PROJ
