#include "gis/sheet_layer.h"

#include <memory>
#include <ostream>
#include <string>

#include "batch/sheet_records.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "text/utf8_text.h"

namespace mapsheet::gis {

namespace {

class FeatureOutput final : public batch::SheetOutput {
  public:
    enum Field : std::size_t { Input, Scale, New, Old, South, West, North, East, Error, Id, Area };

    static LayerSpec layer() {
        return {GeometryKind::Polygon,
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

    explicit FeatureOutput(std::unique_ptr<FeatureWriter> writer) : writer_(std::move(writer)) {}

    bool add(std::string_view input, const engine::ParsedSheet& parsed) override {
        writer_->setText(Input, text::validUtf8(input));
        if (!parsed.sheet) {
            writer_->setText(Error, text::validUtf8(engine::describeInputError(parsed.error)));
            return keepWriterError(writer_->writeWithoutGeometry(), *writer_, error_);
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
        return keepWriterError(
            writer_->writeRectangle(bounds.south, bounds.west, bounds.north, bounds.east), *writer_,
            error_);
    }
    bool finish() override { return keepWriterError(writer_->finish(), *writer_, error_); }

  private:
    std::unique_ptr<FeatureWriter> writer_;
};

}  // namespace

std::unique_ptr<batch::SheetOutput> openSheetLayer(VectorFormat format,
                                                   const std::optional<std::string>& path,
                                                   std::ostream& out, std::string& error) {
    auto writer = path ? FeatureWriter::toFile(*path, format, FeatureOutput::layer(), error)
                       : FeatureWriter::toStream(out, format, FeatureOutput::layer(), error);
    if (!writer) {
        return nullptr;
    }
    return std::make_unique<FeatureOutput>(std::move(writer));
}

}  // namespace mapsheet::gis
