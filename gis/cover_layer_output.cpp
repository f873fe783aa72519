#include "gis/cover_layer_output.h"

#include <fstream>
#include <utility>
#include <vector>

#include "gis/staged_output.h"

namespace mapsheet::gis {

namespace {

// The file is a member of a base that is built before the writer that writes into it.
struct CsvFile {
    explicit CsvFile(const std::string& path) : file(path, std::ios::binary) {}
    std::ofstream file;
};

class StagedCsvOutput final : private CsvFile, public cover::CoverCsvOutput {
  public:
    StagedCsvOutput(StagedOutput staged, const std::string& target,
                    const cover::CoverLayout& layout)
        : CsvFile(staged.stagingPath()),
          cover::CoverCsvOutput(file, layout, target),
          staged_(std::move(staged)) {}

    bool finish() override {
        if (!cover::CoverCsvOutput::finish()) {
            return false;
        }
        file.close();
        if (file.fail()) {
            return failed();
        }
        return staged_.commit(error_);
    }

  private:
    StagedOutput staged_;
};

class FeatureOutput final : public cover::CoverOutput {
  public:
    FeatureOutput(std::unique_ptr<FeatureWriter> writer, std::string target, bool outlines)
        : writer_(std::move(writer)), target_(std::move(target)), outlines_(outlines) {}

    bool add(const cover::CoverRow& row) override {
        row.fieldValues(values_);
        for (std::size_t field = 0; field < values_.size(); ++field) {
            if (!values_[field].empty()) {
                writer_->setText(field, values_[field]);
            }
        }
        if (!outlines_) {
            const cover::SheetFrame f = row.frame();
            return keepWriterError(writer_->writeRectangle(f.south, f.west, f.north, f.east),
                                   *writer_, error_);
        }
        std::string error;
        const engine::GeographicRing outline = row.geographicOutline(error);
        if (outline.empty()) {
            error_ = "cannot write " + target_ + ": " + error;
            return false;
        }
        return keepWriterError(writer_->writePolygon(outline), *writer_, error_);
    }
    bool finish() override {
        return error_.empty() && keepWriterError(writer_->finish(), *writer_, error_);
    }

  private:
    std::unique_ptr<FeatureWriter> writer_;
    std::string target_;  // for messages: the file, or "standard output"
    bool outlines_;
    std::vector<std::string> values_;
};

LayerSpec layerOf(const cover::CoverLayout& layout, const LayerCrs& crs,
                  bool longitudeLatitudeOnly) {
    LayerSpec spec{GeometryKind::Polygon, {}};
    for (const std::string& field : layout.fields) {
        spec.fields.push_back({field});
    }
    if (!longitudeLatitudeOnly) {
        spec.crs = crs;
    }
    spec.geoJsonDecimals = layout.geoJsonDecimals;
    return spec;
}

}  // namespace

std::unique_ptr<cover::CoverOutput> openCoverCsvFile(const std::string& path,
                                                     const cover::CoverLayout& layout,
                                                     std::string& error) {
    std::optional<StagedOutput> staged = StagedOutput::create(path, error);
    if (!staged) {
        error = "cannot write '" + path + "': " + error;
        return nullptr;
    }
    return std::make_unique<StagedCsvOutput>(std::move(*staged), "'" + path + "'", layout);
}

std::unique_ptr<cover::CoverOutput> openCoverLayer(VectorFormat format,
                                                   const std::optional<std::string>& path,
                                                   std::ostream& out,
                                                   const cover::CoverLayout& layout,
                                                   const LayerCrs& crs, std::string& error) {
    const bool longitudeLatitudeOnly = isLongitudeLatitudeOnly(format);
    const LayerSpec spec = layerOf(layout, crs, longitudeLatitudeOnly);
    auto writer = path ? FeatureWriter::toFile(*path, format, spec, error)
                       : FeatureWriter::toStream(out, format, spec, error);
    if (!writer) {
        return nullptr;
    }
    return std::make_unique<FeatureOutput>(std::move(writer),
                                           path ? "'" + *path + "'" : "standard output",
                                           layout.projected && longitudeLatitudeOnly);
}

}  // namespace mapsheet::gis
