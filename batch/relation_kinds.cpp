#include "batch/relation_kinds.h"

#include <charconv>
#include <memory>
#include <string>

#include "batch/sheet_number_texts.h"
#include "engine/scale_names.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_hierarchy.h"
#include "text/csv.h"

namespace mapsheet::batch {

RelationRows parentRows(int scale) {
    return [scale](const engine::Sheet& sheet, std::string_view input,
                   RowSink& sink) -> std::optional<std::string> {
        const std::optional<engine::Sheet> parent = engine::parentOf(sheet, scale);
        if (!parent) {
            return engine::describeInputError(engine::parentScaleError(sheet, scale));
        }
        std::string& rows = sink.rows();
        text::appendCsvField(rows, input);
        appendNumbers(rows, *parent);
        rows += '\n';
        sink.rowDone();
        return std::nullopt;
    };
}

RelationRows childrenRows(int scale, std::uint64_t maxSheets) {
    return [scale, limit = maxSheets](const engine::Sheet& sheet, std::string_view input,
                                      RowSink& sink) -> std::optional<std::string> {
        if (const engine::InputError error = engine::childScaleError(sheet, scale);
            !error.empty()) {
            return engine::describeInputError(error);
        }
        engine::SheetCover children = engine::childrenOf(sheet, scale);
        if (const std::uint64_t count = children.count(); count > limit) {
            return "it has " + std::to_string(count) + " sheets of " +
                   engine::scaleRatioText(scale) + ", more than --max-sheets " +
                   std::to_string(limit);
        }
        std::string inputField;
        text::appendCsvField(inputField, input);
        std::string& rows = sink.rows();
        while (const auto child = children.next()) {
            rows += inputField;
            appendNumbers(rows, *child);
            rows += '\n';
            sink.rowDone();
        }
        return std::nullopt;
    };
}

RelationRows neighbourRows(int rings) {
    // Shared by the copies of the function the runner makes: one table for the whole run.
    auto numbers = std::make_shared<NumberTexts>();
    return [rings, numbers](const engine::Sheet& sheet, std::string_view input,
                            RowSink& sink) -> std::optional<std::string> {
        std::string inputField;
        text::appendCsvField(inputField, input);
        inputField += ',';
        std::string& rows = sink.rows();
        for (const engine::RingSheet& found : engine::neighbours(sheet, rings)) {
            rows += inputField;
            char ring[8];
            rows.append(ring, std::to_chars(ring, ring + sizeof ring, found.ring).ptr);
            numbers->append(rows, found.sheet);
            rows += '\n';
            sink.rowDone();
        }
        return std::nullopt;
    };
}

}  // namespace mapsheet::batch
