#include "gis/polygon_file.h"

#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <functional>
#include <memory>
#include <utility>

#include "gis/gdal_errors.h"

namespace mapsheet::gis {

namespace {

using PolygonSink = std::function<void(engine::GeographicPolygon&&)>;

engine::GeographicRing ringOf(const OGRLinearRing& ring) {
    engine::GeographicRing points;
    points.reserve(static_cast<std::size_t>(ring.getNumPoints()));
    for (int i = 0; i < ring.getNumPoints(); ++i) {
        points.push_back({.latitude = ring.getY(i), .longitude = ring.getX(i)});
    }
    return points;
}

// Hands every polygon inside the geometry to take; false with error set when one is out of
// range.
bool takePolygons(const OGRGeometry& geometry, const PolygonSink& take, std::string& error) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (OGR_GT_IsCurve(type) || type == wkbPoint || type == wkbMultiPoint) {
        return true;
    }
    if (OGR_GT_IsNonLinear(type)) {
        const std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
        return !linear || takePolygons(*linear, take, error);
    }
    if (type == wkbPolygon || type == wkbTriangle) {
        engine::GeographicPolygon rings;
        for (const OGRLinearRing* ring : *geometry.toPolygon()) {
            rings.push_back(ringOf(*ring));
        }
        error = polygonRangeError(rings);
        if (!error.empty()) {
            return false;
        }
        if (!rings.empty()) {
            take(std::move(rings));
        }
        return true;
    }
    if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection()) {
            if (!takePolygons(*part, take, error)) {
                return false;
            }
        }
        return true;
    }
    if (type == wkbPolyhedralSurface || type == wkbTIN) {
        for (const OGRPolygon* part : *geometry.toPolyhedralSurface()) {
            if (!takePolygons(*part, take, error)) {
                return false;
            }
        }
    }
    return true;
}

// Hands every polygon of the file, in CGCS2000 longitude/latitude, to take; false with error set
// when the file cannot be read.
bool readEachPolygon(const std::string& path, const PolygonSink& take, std::string& error) {
    registerGdalDrivers();
    GdalErrors errors;
    const std::string named = "'" + path + "'";
    GDALDatasetUniquePtr dataset(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR));
    if (!dataset) {
        error = "cannot read " + named + ": " +
                errors.lastFailure("GDAL knows no vector format that opens it");
        return false;
    }
    OGRSpatialReference cgcs2000;
    cgcs2000.importFromEPSG(4490);
    cgcs2000.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);

    for (OGRLayer* layer : dataset->GetLayers()) {
        std::unique_ptr<OGRCoordinateTransformation> transformation;
        const OGRSpatialReference* crs = layer->GetSpatialRef();
        if (crs != nullptr && !crs->IsSame(&cgcs2000)) {
            transformation.reset(OGRCreateCoordinateTransformation(crs, &cgcs2000));
            if (!transformation) {
                error = "cannot read " + named + ": layer '" + layer->GetName() +
                        "': no transformation from its CRS to CGCS2000 (" +
                        errors.lastFailure("PROJ has none") + ")";
                return false;
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
                return false;
            }
            std::string rangeError;
            if (!takePolygons(*geometry, take, rangeError)) {
                error = "cannot read " + named + ": feature " + std::to_string(feature->GetFID()) +
                        ": " + rangeError;
                return false;
            }
        }
    }
    return true;
}

std::string noPolygonError(const std::string& path) {
    return "cannot read '" + path + "': it holds no polygon";
}

}  // namespace

std::optional<PolygonArea> readPolygonFile(const std::string& path, std::string& error) {
    PolygonArea area;
    // The vertices are in range already, so adding cannot fail.
    const auto add = [&area](engine::GeographicPolygon&& polygon) {
        std::string unused;
        area.add(polygon, unused);
    };
    if (!readEachPolygon(path, add, error)) {
        return std::nullopt;
    }
    if (area.polygonCount() == 0) {
        error = noPolygonError(path);
        return std::nullopt;
    }
    return area;
}

std::optional<std::vector<engine::GeographicPolygon>> readPolygons(const std::string& path,
                                                                   std::string& error) {
    std::vector<engine::GeographicPolygon> polygons;
    if (!readEachPolygon(
            path,
            [&polygons](engine::GeographicPolygon&& polygon) {
                polygons.push_back(std::move(polygon));
            },
            error)) {
        return std::nullopt;
    }
    if (polygons.empty()) {
        error = noPolygonError(path);
        return std::nullopt;
    }
    return polygons;
}

}  // namespace mapsheet::gis
