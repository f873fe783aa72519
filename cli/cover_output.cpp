#include "cli/cover_output.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>

#include "batch/sheet_records.h"
#include "engine/sheet_id.h"
#include "text/csv.h"
#include "text/degree_text.h"
#include "text/file_extension.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#include "gis/staged_output.h"
#endif

namespace mapsheet::cli {

namespace {

constexpr std::string_view kCsvHeader = "new,old,south,west,north,east";

std::string csvHeader(CoverColumns columns) {
    std::string header(kCsvHeader);
    if (columns.scale) {
        header.append(",scale");
    }
    if (columns.id) {
        header.append(",id");
    }
    header.push_back('\n');
    return header;
}
constexpr std::size_t kFlushSize = 1 << 16;

class CsvOutput final : public CoverOutput {
  public:
    CsvOutput(std::ostream& out, CoverColumns columns) : columns_(columns), out_(out) {
        records_.reserve(kFlushSize + 256);
        records_.append(csvHeader(columns));
    }
#ifdef MAPSHEET_HAVE_GDAL
    CsvOutput(gis::StagedOutput staged, std::string target, CoverColumns columns)
        : columns_(columns),
          file_(std::make_unique<std::ofstream>(staged.stagingPath(), std::ios::binary)),
          out_(*file_),
          staged_(std::move(staged)),
          target_(std::move(target)) {
        records_.reserve(kFlushSize + 256);
        records_.append(csvHeader(columns));
    }
#endif

    bool add(const engine::Sheet& sheet) override {
        records_.append(engine::newNumber(sheet).view());
        records_.push_back(',');
        records_.append(engine::oldNumber(sheet).view());
        const engine::UnitBounds bounds = engine::unitBounds(sheet);
        for (const std::int32_t edge : {bounds.south, bounds.west, bounds.north, bounds.east}) {
            records_.push_back(',');
            appendHalfUnitDegrees(records_, std::int64_t{2} * edge);
        }
        if (columns_.scale) {
            records_.push_back(',');
            records_.append(scaleRatio(sheet.scale));
        }
        if (columns_.id) {
            records_.push_back(',');
            records_.append(std::to_string(engine::sheetToId(sheet)));
        }
        records_.push_back('\n');
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

    CoverColumns columns_;
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
    enum Field : std::size_t { New, Old, Scale, Id };

    static gis::LayerSpec layer(CoverColumns columns) {
        gis::LayerSpec spec{gis::GeometryKind::Polygon, {{"new"}, {"old"}, {"scale"}}};
        if (columns.id) {
            spec.fields.push_back({"id"});
        }
        return spec;
    }

    FeatureOutput(std::unique_ptr<gis::FeatureWriter> writer, CoverColumns columns)
        : writer_(std::move(writer)), columns_(columns) {}

    bool add(const engine::Sheet& sheet) override {
        writer_->setText(New, engine::newNumber(sheet).view());
        const engine::InlineText oldText = engine::oldNumber(sheet);
        if (!oldText.empty()) {
            writer_->setText(Old, oldText.view());
        }
        writer_->setText(Scale, scaleRatio(sheet.scale));
        if (columns_.id) {
            writer_->setText(Id, std::to_string(engine::sheetToId(sheet)));
        }
        const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
        return check(writer_->writeRectangle(bounds.south, bounds.west, bounds.north, bounds.east));
    }
    bool finish() override { return check(writer_->finish()); }

  private:
    bool check(bool written) {
        if (!written) {
            error_ = writer_->error();
        }
        return written;
    }

    std::unique_ptr<gis::FeatureWriter> writer_;
    CoverColumns columns_;
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
    if (hasExtension(path, ".csv")) {
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
                                             CoverColumns columns) {
#ifdef MAPSHEET_HAVE_GDAL
    if (format == "csv" && path) {
        std::optional<gis::StagedOutput> staged = gis::StagedOutput::create(*path, error);
        if (!staged) {
            error = "cannot write '" + *path + "': " + error;
            return nullptr;
        }
        auto csv = std::make_unique<CsvOutput>(std::move(*staged), "'" + *path + "'", columns);
        return csv;
    }
    if (const auto vector = gis::vectorFormatNamed(format)) {
        auto writer =
            path ? gis::FeatureWriter::toFile(*path, *vector, FeatureOutput::layer(columns), error)
                 : gis::FeatureWriter::toStream(out, *vector, FeatureOutput::layer(columns), error);
        if (!writer) {
            return nullptr;
        }
        return std::make_unique<FeatureOutput>(std::move(writer), columns);
    }
#else
    if (path) {
        error = "--output needs GDAL, which this build lacks; the CSV goes to standard output";
        return nullptr;
    }
#endif
    if (format == "csv") {
        return std::make_unique<CsvOutput>(out, columns);
    }
    error = "unknown format '" + std::string(format) + "'";
    return nullptr;
}

}  // namespace mapsheet::cli
