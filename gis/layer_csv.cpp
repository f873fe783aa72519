#include "gis/layer_csv.h"

#include <cpl_conv.h>
#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <streambuf>
#include <string_view>

#include "gis/gdal_errors.h"
#include "text/csv.h"
#include "text/file_extension.h"

namespace mapsheet::gis {

namespace {

bool isWorkbook(std::string_view path) {
    return text::hasExtension(path, ".xlsx") || text::hasExtension(path, ".ods");
}

// While alive, this thread's GDAL reads a workbook's first row as its header and every cell as
// text (GDAL 3.6 takes these as configuration options only; the layer is built on first use,
// so they must hold until its definition has been read).
class WorkbookAsText {
  public:
    WorkbookAsText() {
        for (std::size_t i = 0; i < kOptions.size(); ++i) {
            const char* old = CPLGetThreadLocalConfigOption(kOptions[i].name, nullptr);
            previous_[i] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
            CPLSetThreadLocalConfigOption(kOptions[i].name, kOptions[i].value);
        }
    }
    ~WorkbookAsText() {
        for (std::size_t i = 0; i < kOptions.size(); ++i) {
            CPLSetThreadLocalConfigOption(kOptions[i].name,
                                          previous_[i] ? previous_[i]->c_str() : nullptr);
        }
    }
    WorkbookAsText(const WorkbookAsText&) = delete;
    WorkbookAsText& operator=(const WorkbookAsText&) = delete;

  private:
    struct Option {
        const char* name;
        const char* value;
    };
    static constexpr std::array<Option, 4> kOptions{{{"OGR_XLSX_HEADERS", "FORCE"},
                                                     {"OGR_XLSX_FIELD_TYPES", "STRING"},
                                                     {"OGR_ODS_HEADERS", "FORCE"},
                                                     {"OGR_ODS_FIELD_TYPES", "STRING"}}};
    std::array<std::optional<std::string>, 4> previous_;
};

void appendCoordinate(std::string& record, double value) {
    char digits[32];
    const int length = std::snprintf(digits, sizeof digits, "%.17g", value);
    record.append(digits, static_cast<std::size_t>(length));
}

// The point of a feature's geometry, if it is one (a multi-point of exactly one point too).
const OGRPoint* pointOf(const OGRGeometry* geometry) {
    if (geometry == nullptr || geometry->IsEmpty()) {
        return nullptr;
    }
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (type == wkbPoint) {
        return geometry->toPoint();
    }
    if (type == wkbMultiPoint && geometry->toMultiPoint()->getNumGeometries() == 1) {
        return geometry->toMultiPoint()->getGeometryRef(0);
    }
    return nullptr;
}

}  // namespace

struct LayerCsv::State : std::streambuf {
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
    bool fromGeometry = false;
    std::size_t columns = 0;
    std::unique_ptr<OGRCoordinateTransformation> transformation;
    std::string record;
    std::istream stream{this};

    void appendHeader() {
        OGRFeatureDefn* definition = layer->GetLayerDefn();
        for (int field = 0; field < definition->GetFieldCount(); ++field) {
            if (field > 0) {
                record.push_back(',');
            }
            text::appendCsvField(record, definition->GetFieldDefn(field)->GetNameRef());
        }
        if (fromGeometry) {
            record.append(definition->GetFieldCount() > 0 ? ",latitude,longitude"
                                                          : "latitude,longitude");
        }
        record.push_back('\n');
    }

    void appendFeature(OGRFeature& feature) {
        for (int field = 0; field < feature.GetFieldCount(); ++field) {
            if (field > 0) {
                record.push_back(',');
            }
            if (feature.IsFieldSetAndNotNull(field)) {
                text::appendCsvField(record, feature.GetFieldAsString(field));
            }
        }
        if (fromGeometry) {
            if (feature.GetFieldCount() > 0) {
                record.push_back(',');
            }
            OGRGeometry* geometry = feature.GetGeometryRef();
            const bool transformed =
                geometry != nullptr &&
                (!transformation || geometry->transform(transformation.get()) == OGRERR_NONE);
            const OGRPoint* point = transformed ? pointOf(geometry) : nullptr;
            if (point != nullptr) {
                appendCoordinate(record, point->getY());
                record.push_back(',');
                appendCoordinate(record, point->getX());
            } else {
                record.push_back(',');
            }
        }
        record.push_back('\n');
    }

    // Hands the record to the stream as its next characters.
    void showRecord() { setg(record.data(), record.data(), record.data() + record.size()); }

    int_type underflow() override {
        record.clear();
        const OGRFeatureUniquePtr feature(layer->GetNextFeature());
        if (!feature) {
            return traits_type::eof();
        }
        appendFeature(*feature);
        showRecord();
        return traits_type::to_int_type(record.front());
    }
};

std::unique_ptr<LayerCsv> LayerCsv::open(const std::string& path, PointColumns points,
                                         std::string& error, const std::string& wanted) {
    registerGdalDrivers();
    GdalErrors errors;
    const std::string named = "'" + path + "'";
    auto state = std::make_unique<State>();
    std::optional<WorkbookAsText> workbookAsText;
    if (isWorkbook(path)) {
        workbookAsText.emplace();
    }
    state->dataset.reset(
        GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR));
    if (!state->dataset) {
        error = "cannot read " + named + ": " +
                errors.lastFailure("GDAL knows no vector format that opens it");
        return nullptr;
    }
    if (state->dataset->GetLayerCount() == 0) {
        error = "cannot read " + named + ": it holds no layer";
        return nullptr;
    }
    state->layer = wanted.empty() ? state->dataset->GetLayer(0)
                                  : state->dataset->GetLayerByName(wanted.c_str());
    if (state->layer == nullptr) {
        std::string names;
        for (OGRLayer* layer : state->dataset->GetLayers()) {
            names.append(names.empty() ? "" : ", ").append(layer->GetName());
        }
        error =
            "cannot read " + named + ": it holds no layer '" + wanted + "'; its layers: " + names;
        return nullptr;
    }
    state->fromGeometry = points == PointColumns::FromGeometry;
    const std::string layerName = "layer '" + std::string(state->layer->GetName()) + "'";
    if (state->fromGeometry) {
        const OGRwkbGeometryType type = wkbFlatten(state->layer->GetGeomType());
        if (type != wkbPoint && type != wkbMultiPoint) {
            error = "cannot read " + named + ": " + layerName + " holds " +
                    (type == wkbNone ? std::string("no geometry")
                                     : std::string(OGRGeometryTypeToName(type)) + " geometries") +
                    ", not points; name the coordinate columns with --lat-col and --lon-col";
            return nullptr;
        }
        OGRSpatialReference cgcs2000;
        cgcs2000.importFromEPSG(4490);
        cgcs2000.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        const OGRSpatialReference* crs = state->layer->GetSpatialRef();
        if (crs != nullptr && !crs->IsSame(&cgcs2000)) {
            state->transformation.reset(OGRCreateCoordinateTransformation(crs, &cgcs2000));
            if (!state->transformation) {
                error = "cannot read " + named + ": " + layerName +
                        ": no transformation from its CRS to CGCS2000 (" +
                        errors.lastFailure("PROJ has none") + ")";
                return nullptr;
            }
        }
    }
    state->columns = static_cast<std::size_t>(state->layer->GetLayerDefn()->GetFieldCount()) +
                     (state->fromGeometry ? 2 : 0);
    state->layer->ResetReading();
    state->appendHeader();
    state->showRecord();
    return std::unique_ptr<LayerCsv>(new LayerCsv(std::move(state)));
}

LayerCsv::LayerCsv(std::unique_ptr<State> state) : state_(std::move(state)) {}

LayerCsv::~LayerCsv() = default;

std::size_t LayerCsv::columnCount() const {
    return state_->columns;
}

std::istream& LayerCsv::stream() {
    return state_->stream;
}

}  // namespace mapsheet::gis
