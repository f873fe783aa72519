// The sheets as a GIS layer, for `mapsheet-cli sheet --format`.

#include <memory>
#include <ostream>
#include <string>

#include "batch/sheet_records.h"
#include "cli/sheet_output.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "text/utf8_text.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#endif

namespace mapsheet::cli {

#ifdef MAPSHEET_HAVE_GDAL

namespace {

class FeatureOutput final : public SheetOutput {
  public:
    enum Field : std::size_t { Input, Scale, New, Old, South, West, North, East, Error, Id, Area };

    static gis::LayerSpec layer() {
        using gis::FieldType;
        return {gis::GeometryKind::Polygon,
                {{"input", FieldType::Text},
                 {"scale", FieldType::Text},
                 {"new", FieldType::Text},
                 {"old", FieldType::Text},
                 {"south", FieldType::Real},
                 {"west", FieldType::Real},
                 {"north", FieldType::Real},
                 {"east", FieldType::Real},
                 {"error", FieldType::Text},
                 {"id", FieldType::Text},
                 {"area_m2", FieldType::Real}}};
    }

    FeatureOutput(std::unique_ptr<gis::FeatureWriter> writer, std::ostream& err)
        : writer_(std::move(writer)), err_(err) {}

    bool add(std::string_view input, const engine::ParsedSheet& parsed) override {
        writer_->setText(Input, text::validUtf8(input));
        if (!parsed.sheet) {
            writer_->setText(Error, text::validUtf8(engine::describeInputError(parsed.error)));
            return check(writer_->writeWithoutGeometry());
        }
        const engine::Sheet& sheet = *parsed.sheet;
        const engine::DegreeBounds bounds = engine::degreeBounds(sheet);
        writer_->setText(Scale, batch::scaleRatio(sheet.scale));
        writer_->setText(New, engine::newNumber(sheet).view());
        const engine::InlineText oldText = engine::oldNumber(sheet);
        if (!oldText.empty()) {
            writer_->setText(Old, oldText.view());
        }
        writer_->setReal(South, bounds.south);
        writer_->setReal(West, bounds.west);
        writer_->setReal(North, bounds.north);
        writer_->setReal(East, bounds.east);
        writer_->setText(Id, std::to_string(engine::sheetToId(sheet)));
        writer_->setReal(Area, engine::sheetArea(sheet));
        return check(writer_->writeRectangle(bounds.south, bounds.west, bounds.north, bounds.east));
    }
    bool finish() override { return check(writer_->finish()); }

  private:
    bool check(bool written) {
        if (!written) {
            err_ << "mapsheet-cli sheet: " << writer_->error() << '\n';
        }
        return written;
    }

    std::unique_ptr<gis::FeatureWriter> writer_;
    std::ostream& err_;
};

}  // namespace

std::unique_ptr<SheetOutput> openSheetLayer(std::string_view format,
                                            const std::optional<std::string>& path,
                                            std::ostream& out, std::ostream& err) {
    std::string error;
    const gis::VectorFormat vector = *gis::vectorFormatNamed(format);
    auto writer = path ? gis::FeatureWriter::toFile(*path, vector, FeatureOutput::layer(), error)
                       : gis::FeatureWriter::toStream(out, vector, FeatureOutput::layer(), error);
    if (!writer) {
        err << "mapsheet-cli sheet: " << error << '\n';
        return nullptr;
    }
    return std::make_unique<FeatureOutput>(std::move(writer), err);
}

#else

std::unique_ptr<SheetOutput> openSheetLayer(std::string_view format,
                                            const std::optional<std::string>&, std::ostream&,
                                            std::ostream& err) {
    err << "mapsheet-cli sheet: --format " << format << " needs GDAL, which this build lacks\n";
    return nullptr;
}

#endif

}  // namespace mapsheet::cli
