#include "cli/number_features.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/input_blocks.h"
#include "batch/point_rows.h"
#include "batch/table_start.h"
#include "cli/exit_status.h"
#include "cli/number_csv.h"
#include "cli/progress_line.h"
#include "text/csv_records.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#include "gis/staged_output.h"
#endif

namespace mapsheet::cli {

namespace {

int usage(std::ostream& err, std::string_view message) {
    err << "mapsheet-cli number: " << message << "; run 'mapsheet-cli number --help'\n";
    return kExitUsage;
}

}  // namespace

#ifndef MAPSHEET_HAVE_GDAL

int writeNumberFile(const NumberOptions&, std::istream&, std::ostream&, std::ostream& err) {
    return usage(err, "this build has no GDAL: --format and --output are not available");
}

#else

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

int outputFailure(std::ostream& err, std::string_view reason) {
    err << "mapsheet-cli: cannot write output: " << reason << '\n';
    return kExitWriteFailed;
}

int csvToFile(const NumberOptions& options, std::istream& in, std::ostream& err) {
    std::string error;
    std::optional<gis::StagedOutput> staged = gis::StagedOutput::create(*options.output, error);
    if (!staged) {
        return outputFailure(err, error);
    }
    std::ofstream file(staged->stagingPath(), std::ios::binary);
    if (!file) {
        return outputFailure(err, *options.output);
    }
    const int status = numberToCsv(options, in, file, err);
    if (status != kExitSuccess && status != kExitRowErrors) {
        return status;
    }
    file.close();
    if (file.fail()) {
        return outputFailure(err, *options.output);
    }
    if (!staged->commit(error)) {
        return outputFailure(err, error);
    }
    return status;
}

// Field names as GIS formats want them: none empty, none twice, none taken by the appended
// new, old and error.
std::vector<gis::FieldSpec> pointFields(const std::vector<std::string>& inputColumns) {
    std::vector<gis::FieldSpec> fields;
    const auto taken = [&](const std::string& name) {
        if (name == "new" || name == "old" || name == "error") {
            return true;
        }
        for (const gis::FieldSpec& field : fields) {
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
        fields.push_back({name, gis::FieldType::Text});
    }
    for (const char* name : {"new", "old", "error"}) {
        fields.push_back({name, gis::FieldType::Text});
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
    PointFeatures(gis::FeatureWriter& writer, std::size_t inputColumns)
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
    gis::FeatureWriter& writer_;
    std::size_t columns_;
};

class FeatureRun {
  public:
    FeatureRun(const NumberOptions& options, gis::VectorFormat format, std::istream& in,
               std::ostream& out, std::ostream& err)
        : options_(options),
          format_(format),
          out_(out),
          err_(err),
          blocks_(in,
                  options.latitudeColumn ? batch::RecordFormat::Csv : batch::RecordFormat::Lines,
                  kBlockSize) {}

    int run() {
        if (options_.latitude) {
            const batch::PointNumbering numbering =
                batch::numberPoint(*options_.latitude, *options_.longitude, options_.scale);
            std::string error;
            batch::appendPointError(error, numbering, *options_.latitude, *options_.longitude);
            if (!open({"latitude", "longitude"})) {
                return kExitWriteFailed;
            }
            const bool written =
                features_->write({*options_.latitude, *options_.longitude}, numbering, error);
            return finish(written, numbering.sheet ? kExitSuccess : kExitRowErrors);
        }
        return runStream();
    }

  private:
    bool open(const std::vector<std::string>& inputColumns) {
        const gis::LayerSpec layer{gis::GeometryKind::Point, pointFields(inputColumns)};
        std::string error;
        writer_ = options_.output
                      ? gis::FeatureWriter::toFile(*options_.output, format_, layer, error)
                      : gis::FeatureWriter::toStream(out_, format_, layer, error);
        if (!writer_) {
            outputFailure(err_, error);
            return false;
        }
        features_.emplace(*writer_, inputColumns.size());
        return true;
    }

    int finish(bool written, int status) {
        if (!written || !writer_->finish()) {
            return outputFailure(err_, writer_->error());
        }
        return options_.output ? status : finishOutput(out_, err_, status);
    }

    int runStream() {
        batch::RowLayout layout;
        std::optional<batch::Block> first(batch::Block{});
        if (!blocks_.next(first->input, first->firstLine)) {
            first.reset();
        }
        std::vector<std::string> columns = {"latitude", "longitude"};
        if (options_.latitudeColumn) {
            batch::TableStart start;
            std::string problem;
            if (!batch::startTable(
                    {options_.latitudeColumn, options_.longitudeColumn, options_.header},
                    first ? &*first : nullptr, layout, start, problem)) {
                return usage(err_, problem);
            }
            columns = start.columnNames;
            if (!options_.header) {
                columns.assign(first ? fieldCount(first->input.substr(
                                           0, text::firstRecordLength(first->input)))
                                     : 0,
                               std::string());
            }
        }
        if (!open(columns)) {
            return kExitWriteFailed;
        }
        bool anyError = false;
        bool written = true;
        ProgressLine progressLine(err_, options_.output ? nullptr : &out_, "rows");
        batch::ProgressCounter progress(progressLine.listener());
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
            return kExitReadFailed;
        }
        return finish(written, anyError ? kExitRowErrors : kExitSuccess);
    }

    const NumberOptions& options_;
    gis::VectorFormat format_;
    std::ostream& out_;
    std::ostream& err_;
    batch::InputBlocks blocks_;
    std::unique_ptr<gis::FeatureWriter> writer_;
    std::optional<PointFeatures> features_;
};

}  // namespace

int writeNumberFile(const NumberOptions& options, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    if (options.format == "csv" || options.format == "id") {
        return csvToFile(options, in, err);
    }
    const std::optional<gis::VectorFormat> format = gis::vectorFormatNamed(options.format);
    if (!format) {
        return usage(err, "unknown format '" + options.format +
                              "': expected csv, id, geojson, gpkg, shp, kml, fgb, dxf or xlsx");
    }
    if (!options.output && !gis::isStreamable(*format)) {
        return usage(err, "--format " + options.format + " writes a file: give --output FILE");
    }
    return FeatureRun(options, *format, in, out, err).run();
}

#endif

}  // namespace mapsheet::cli
