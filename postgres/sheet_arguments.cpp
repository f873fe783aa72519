#include "postgres/sheet_arguments.h"

#include <optional>
#include <string>

#include "engine/scale_names.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "engine/sheet_number_parse.h"

namespace mapsheet::postgres {

engine::Sheet sheetOfId(std::int64_t id) {
    if (const std::optional<engine::Sheet> sheet = engine::idToSheet(id)) {
        return *sheet;
    }
    const Failure failure = runGuarded([&](Failure& found) {
        setInvalidParameter(found, "invalid sheet id " + std::to_string(id));
    });
    raiseFailure(failure);
}

engine::Sheet sheetOfNumber(const ::text* number) {
    const Utf8Argument spelled = utf8Argument(number);
    engine::Sheet sheet;
    const Failure failure = runGuarded([&](Failure& found) {
        const engine::ParsedSheet parsed = engine::parseSheetNumber(spelled.view());
        if (parsed.sheet) {
            sheet = *parsed.sheet;
        } else {
            setInputError(found, "sheet number", parsed.error);
        }
    });
    if (failure.sqlState != 0) {
        raiseFailure(failure);
    }
    return sheet;
}

int scaleOfDenominator(std::int32_t denominator) {
    if (const std::optional<int> scale = engine::scaleOfDenominator(denominator)) {
        return *scale;
    }
    const Failure failure = runGuarded([&](Failure& found) {
        setInputError(found, "scale denominator",
                      engine::inputError(engine::InputErrorCode::UnknownScaleDenominator,
                                         std::to_string(denominator)));
    });
    raiseFailure(failure);
}

int checkedRings(std::int32_t rings) {
    if (rings >= 1 && rings <= engine::kMaxRings) {
        return rings;
    }
    const Failure failure = runGuarded([&](Failure& found) {
        engine::InputError error =
            engine::inputError(engine::InputErrorCode::RingsOutOfRange, std::to_string(rings));
        error.first = 1;
        error.last = engine::kMaxRings;
        setInputError(found, "rings", error);
    });
    raiseFailure(failure);
}

namespace {

// Raises the error when it has a code; the error is worded inside runGuarded, so no C++ object
// is alive when the server's error jumps out.
void raiseWhenWrong(const char* argument, engine::InputError (*check)(const engine::Sheet&, int),
                    const engine::Sheet& sheet, int scale) {
    const Failure failure = runGuarded([&](Failure& found) {
        if (const engine::InputError error = check(sheet, scale); !error.empty()) {
            setInputError(found, argument, error);
        }
    });
    if (failure.sqlState != 0) {
        raiseFailure(failure);
    }
}

}  // namespace

void checkParentScale(const engine::Sheet& sheet, int coarserScale) {
    raiseWhenWrong("scale for the parent", engine::parentScaleError, sheet, coarserScale);
}

void checkChildScale(const engine::Sheet& sheet, int finerScale) {
    raiseWhenWrong("scale for the children", engine::childScaleError, sheet, finerScale);
}

}  // namespace mapsheet::postgres
