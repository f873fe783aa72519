#include "gis/point_number_layer.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/input_blocks.h"
#include "batch/point_numbering.h"
#include "batch/point_rows.h"
#include "gis/staged_output.h"
#include "text/csv_records.h"

namespace mapsheet::gis {

namespace {

using batch::RunStatus;

constexpr std::size_t kBlockSize = 64 * 1024;

RunStatus outputFailure(std::ostream& err, std::string_view reason) {
    batch::reportOutputFailure(err, reason);
    return RunStatus::WriteFailed;
}

// Field names as GIS formats want them: none empty, none twice, none taken by the appended
// new, old and error.
std::vector<FieldSpec> pointFields(const std::vector<std::string>& inputColumns) {
    std::vector<FieldSpec> fields;
    const auto taken = [&](const std::string& name) {
        if (name == "new" || name == "old" || name == "error") {
            return true;
        }
        for (const FieldSpec& field : fields) {
            if (field.name == name) {
                return true;
            }
        }
        return false;
    };
    for (std::size_t i = 0; i < inputColumns.size(); ++i) {
        std::string name =
            inputColumns[i].empty() ? "field" + std::to_string(i + 1) : inputColumns[i];
        const std::string stem = name;
        for (int suffix = 2; taken(name); ++suffix) {
            name = stem + "_" + std::to_string(suffix);
        }
        fields.push_back({name, FieldType::Text});
    }
    for (const char* name : {"new", "old", "error"}) {
        fields.push_back({name, FieldType::Text});
    }
    return fields;
}

std::size_t fieldCount(std::string_view record) {
    text::CsvFields fields(record);
    text::CsvField field;
    std::string storage;
    std::size_t count = 0;
    while (fields.next(field, storage)) {
        ++count;
    }
    return count;
}

// Writes one feature: the input columns, the two numbers or the error, the point when it has
// a sheet.
class PointFeatures {
  public:
    PointFeatures(FeatureWriter& writer, std::size_t inputColumns)
        : writer_(writer), columns_(inputColumns) {}

    bool write(const std::vector<std::string_view>& values, const batch::PointNumbering& numbering,
               std::string_view error) {
        for (std::size_t i = 0; i < values.size() && i < columns_; ++i) {
            writer_.setText(i, values[i]);
        }
        if (!numbering.sheet) {
            writer_.setText(columns_ + 2, error);
            return writer_.writeWithoutGeometry();
        }
        writer_.setText(columns_, engine::newNumber(*numbering.sheet).view());
        const engine::InlineText old = engine::oldNumber(*numbering.sheet);
        if (!old.empty()) {
            writer_.setText(columns_ + 1, old.view());
        }
        return writer_.writePoint(numbering.latitude, numbering.longitude);
    }

  private:
    FeatureWriter& writer_;
    std::size_t columns_;
};

class FeatureRun {
  public:
    FeatureRun(const PointLayerRequest& request, std::istream& in, std::ostream& out,
               std::ostream& err, const batch::ProgressListener& progress)
        : options_(request),
          out_(out),
          err_(err),
          progress_(progress),
          blocks_(in, request.table ? batch::RecordFormat::Csv : batch::RecordFormat::Lines,
                  kBlockSize) {}

    PointLayerRun run() {
        if (options_.latitude) {
            const batch::PointNumbering numbering =
                batch::numberPoint(*options_.latitude, *options_.longitude, options_.scale);
            std::string error;
            batch::appendPointError(error, numbering, *options_.latitude, *options_.longitude);
            if (!open({"latitude", "longitude"})) {
                return {RunStatus::WriteFailed};
            }
            const bool written =
                features_->write({*options_.latitude, *options_.longitude}, numbering, error);
            return {finish(written, numbering.sheet ? RunStatus::Success : RunStatus::RowErrors)};
        }
        return runStream();
    }

  private:
    bool open(const std::vector<std::string>& inputColumns) {
        const LayerSpec layer{GeometryKind::Point, pointFields(inputColumns)};
        std::string error;
        writer_ = options_.output
                      ? FeatureWriter::toFile(*options_.output, options_.format, layer, error)
                      : FeatureWriter::toStream(out_, options_.format, layer, error);
        if (!writer_) {
            outputFailure(err_, error);
            return false;
        }
        features_.emplace(*writer_, inputColumns.size());
        return true;
    }

    RunStatus finish(bool written, RunStatus status) {
        if (!written || !writer_->finish()) {
            return outputFailure(err_, writer_->error());
        }
        return options_.output || batch::flushChecked(out_, err_) ? status : RunStatus::WriteFailed;
    }

    PointLayerRun runStream() {
        batch::RowLayout layout;
        std::optional<batch::Block> first(batch::Block{});
        if (!blocks_.next(first->input, first->firstLine)) {
            first.reset();
        }
        std::vector<std::string> columns = {"latitude", "longitude"};
        if (options_.table) {
            batch::TableStart start;
            PointLayerRun refused;
            if (!batch::startTable(*options_.table, first ? &*first : nullptr, layout, start,
                                   refused.tableProblem)) {
                return refused;
            }
            columns = start.columnNames;
            if (!options_.table->header) {
                columns.assign(first ? fieldCount(first->input.substr(
                                           0, text::firstRecordLength(first->input)))
                                     : 0,
                               std::string());
            }
        }
        if (!open(columns)) {
            return {RunStatus::WriteFailed};
        }
        bool anyError = false;
        bool written = true;
        batch::ProgressCounter progress(progress_);
        std::vector<std::string_view> values;
        std::vector<std::string> storage(columns.size());
        batch::Block block;
        while (written && (first || blocks_.next(block.input, block.firstLine))) {
            if (first) {
                block = std::move(*first);
                first.reset();
            }
            batch::PointRows rows(block.input, block.firstLine, block.firstLine == 1, layout,
                                  options_.scale);
            batch::PointRow row;
            while (written && rows.next(row)) {
                values.clear();
                if (layout.format == batch::RecordFormat::Lines) {
                    const bool split = row.split;
                    values = {split ? row.latitude : row.record, split ? row.longitude : ""};
                } else {
                    text::CsvFields fields(row.record);
                    text::CsvField field;
                    while (values.size() < storage.size() &&
                           fields.next(field, storage[values.size()])) {
                        values.push_back(field.text);
                    }
                }
                written = features_->write(values, row.numbering, row.error);
                anyError = anyError || !row.numbering.sheet;
                progress.add();
            }
        }
        if (!blocks_.readError().empty()) {
            batch::reportReadFailure(blocks_, err_);
            return {RunStatus::ReadFailed};
        }
        return {finish(written, anyError ? RunStatus::RowErrors : RunStatus::Success)};
    }

    const PointLayerRequest& options_;
    std::ostream& out_;
    std::ostream& err_;
    const batch::ProgressListener& progress_;
    batch::InputBlocks blocks_;
    std::unique_ptr<FeatureWriter> writer_;
    std::optional<PointFeatures> features_;
};

}  // namespace

PointLayerRun writePointNumberLayer(const PointLayerRequest& request, std::istream& in,
                                    std::ostream& out, std::ostream& err,
                                    const batch::ProgressListener& progress) {
    return FeatureRun(request, in, out, err, progress).run();
}

batch::CsvNumberingRun writeStagedCsv(const std::string& path, std::ostream& err,
                                      const CsvWriting& write) {
    std::string error;
    std::optional<StagedOutput> staged = StagedOutput::create(path, error);
    if (!staged) {
        return {outputFailure(err, error)};
    }
    std::ofstream file(staged->stagingPath(), std::ios::binary);
    if (!file) {
        return {outputFailure(err, path)};
    }
    batch::CsvNumberingRun run = write(file);
    if (!run.tableProblem.empty() ||
        (run.status != RunStatus::Success && run.status != RunStatus::RowErrors)) {
        return run;
    }
    file.close();
    if (file.fail()) {
        return {outputFailure(err, path)};
    }
    if (!staged->commit(error)) {
        return {outputFailure(err, error)};
    }
    return run;
}

}  // namespace mapsheet::gis
