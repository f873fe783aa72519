#include "cli/cover_output.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <utility>
#include <vector>

#include "text/file_extension.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#include "gis/staged_output.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

class CsvOutput final : public CoverOutput {
  public:
    CsvOutput(std::ostream& out, const cover::CoverLayout& layout) : out_(out) {
        records_.reserve(kFlushSize + 256);
        records_.append(layout.csvHeader);
    }
#ifdef MAPSHEET_HAVE_GDAL
    CsvOutput(gis::StagedOutput staged, std::string target, const cover::CoverLayout& layout)
        : file_(std::make_unique<std::ofstream>(staged.stagingPath(), std::ios::binary)),
          out_(*file_),
          staged_(std::move(staged)),
          target_(std::move(target)) {
        records_.reserve(kFlushSize + 256);
        records_.append(layout.csvHeader);
    }
#endif

    bool add(const cover::CoverRow& row) override {
        row.appendCsvRecord(records_);
        return records_.size() < kFlushSize || flush();
    }

    bool finish() override {
        if (!flush()) {
            return false;
        }
#ifdef MAPSHEET_HAVE_GDAL
        if (file_) {
            file_->close();
            if (file_->fail()) {
                return failed();
            }
            return staged_->commit(error_);
        }
#endif
        return true;
    }

  private:
    bool flush() {
        errno = 0;
        out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
        records_.clear();
        out_.flush();
        return out_.good() || failed();
    }
    bool failed() {
        error_ = "cannot write " + (target_.empty() ? std::string("the output") : target_);
        if (errno != 0) {
            error_.append(": ").append(std::strerror(errno));
        }
        return false;
    }

    std::unique_ptr<std::ofstream> file_;
    std::ostream& out_;
#ifdef MAPSHEET_HAVE_GDAL
    std::optional<gis::StagedOutput> staged_;
#endif
    std::string target_;
    std::string records_;
};

#ifdef MAPSHEET_HAVE_GDAL
class FeatureOutput final : public CoverOutput {
  public:
    static gis::LayerSpec layer(const cover::CoverLayout& layout, const gis::LayerCrs& crs,
                                bool longitudeLatitudeOnly) {
        gis::LayerSpec spec{gis::GeometryKind::Polygon, {}};
        for (const std::string& field : layout.fields) {
            spec.fields.push_back({field});
        }
        if (!longitudeLatitudeOnly) {
            spec.crs = crs;
        }
        spec.geoJsonDecimals = layout.geoJsonDecimals;
        return spec;
    }

    FeatureOutput(std::unique_ptr<gis::FeatureWriter> writer, std::string target, bool outlines)
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
            return check(writer_->writeRectangle(f.south, f.west, f.north, f.east));
        }
        std::string error;
        const engine::GeographicRing outline = row.geographicOutline(error);
        if (outline.empty()) {
            error_ = "cannot write " + target_ + ": " + error;
            return false;
        }
        return check(writer_->writePolygon(outline));
    }
    bool finish() override { return error_.empty() && check(writer_->finish()); }

  private:
    bool check(bool written) {
        if (!written) {
            error_ = writer_->error();
        }
        return written;
    }

    std::unique_ptr<gis::FeatureWriter> writer_;
    std::string target_;  // for messages: the file, or "standard output"
    bool outlines_;
    std::vector<std::string> values_;
};
#endif

}  // namespace

bool isCoverFormat(std::string_view name) {
#ifdef MAPSHEET_HAVE_GDAL
    if (gis::vectorFormatNamed(name)) {
        return true;
    }
#endif
    return name == "csv";
}

std::optional<std::string> coverFormatOfPath(std::string_view path) {
    if (text::hasExtension(path, ".csv")) {
        return "csv";
    }
#ifdef MAPSHEET_HAVE_GDAL
    if (const auto format = gis::vectorFormatOfPath(path)) {
        return std::string(gis::vectorFormatName(*format));
    }
#endif
    return std::nullopt;
}

std::unique_ptr<CoverOutput> openCoverOutput(std::string_view format,
                                             const std::optional<std::string>& path,
                                             std::ostream& out, std::string& error,
                                             const cover::CoverLayout& layout,
                                             [[maybe_unused]] const CoverLayerCrs& crs) {
#ifdef MAPSHEET_HAVE_GDAL
    if (format == "csv" && path) {
        std::optional<gis::StagedOutput> staged = gis::StagedOutput::create(*path, error);
        if (!staged) {
            error = "cannot write '" + *path + "': " + error;
            return nullptr;
        }
        return std::make_unique<CsvOutput>(std::move(*staged), "'" + *path + "'", layout);
    }
    if (const auto vector = gis::vectorFormatNamed(format)) {
        const bool longitudeLatitudeOnly = gis::isLongitudeLatitudeOnly(*vector);
        const gis::LayerSpec spec = FeatureOutput::layer(layout, crs, longitudeLatitudeOnly);
        auto writer = path ? gis::FeatureWriter::toFile(*path, *vector, spec, error)
                           : gis::FeatureWriter::toStream(out, *vector, spec, error);
        if (!writer) {
            return nullptr;
        }
        return std::make_unique<FeatureOutput>(std::move(writer),
                                               path ? "'" + *path + "'" : "standard output",
                                               layout.projected && longitudeLatitudeOnly);
    }
#else
    if (path) {
        error = "--output needs GDAL, which this build lacks; the CSV goes to standard output";
        return nullptr;
    }
#endif
    if (format == "csv") {
        return std::make_unique<CsvOutput>(out, layout);
    }
    error = "unknown format '" + std::string(format) + "'";
    return nullptr;
}

}  // namespace mapsheet::cli
