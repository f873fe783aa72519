#include "gis/polygon_file.h"

#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <memory>

#include "gis/gdal_errors.h"

namespace mapsheet::gis {

namespace {

Ring ringOf(const OGRLinearRing& ring) {
    Ring points;
    points.reserve(static_cast<std::size_t>(ring.getNumPoints()));
    for (int i = 0; i < ring.getNumPoints(); ++i) {
        points.push_back({ring.getX(i), ring.getY(i)});
    }
    return points;
}

// Adds every polygon inside the geometry; false with error set when one is out of range.
bool addPolygons(const OGRGeometry& geometry, PolygonArea& area, std::string& error) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (OGR_GT_IsCurve(type) || type == wkbPoint || type == wkbMultiPoint) {
        return true;
    }
    if (OGR_GT_IsNonLinear(type)) {
        const std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
        return !linear || addPolygons(*linear, area, error);
    }
    if (type == wkbPolygon || type == wkbTriangle) {
        const auto& polygon = *geometry.toPolygon();
        Polygon rings;
        for (const OGRLinearRing* ring : polygon) {
            rings.push_back(ringOf(*ring));
        }
        return area.add(rings, error);
    }
    if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection()) {
            if (!addPolygons(*part, area, error)) {
                return false;
            }
        }
        return true;
    }
    if (type == wkbPolyhedralSurface || type == wkbTIN) {
        for (const OGRPolygon* part : *geometry.toPolyhedralSurface()) {
            if (!addPolygons(*part, area, error)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::optional<PolygonArea> readPolygonFile(const std::string& path, std::string& error) {
    registerGdalDrivers();
    GdalErrors errors;
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

    PolygonArea area;
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
            std::string rangeError;
            if (!addPolygons(*geometry, area, rangeError)) {
                error = "cannot read " + named + ": feature " + std::to_string(feature->GetFID()) +
                        ": " + rangeError;
                return std::nullopt;
            }
        }
    }
    if (area.polygonCount() == 0) {
        error = "cannot read " + named + ": it holds no polygon";
        return std::nullopt;
    }
    return area;
}

}  // namespace mapsheet::gis
