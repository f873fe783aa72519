#include "postgres/sheet_arguments.h"

#include <optional>
#include <string>

#include "engine/scale_catalogue.h"
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
            setInvalidParameter(found, "invalid sheet number: " + parsed.error);
        }
    });
    if (failure.sqlState != 0) {
        raiseFailure(failure);
    }
    return sheet;
}

int scaleOfDenominator(std::int32_t denominator) {
    for (int scale = 0; scale < engine::kScaleCount; ++scale) {
        if (engine::kScaleCatalogue[scale].denominator == denominator) {
            return scale;
        }
    }
    const Failure failure = runGuarded([&](Failure& found) {
        setInvalidParameter(found, "invalid scale denominator " + std::to_string(denominator) +
                                       ": the denominators are 1000000, 500000, 250000, "
                                       "200000, 100000, 50000, 25000, 10000, 5000, 2000, 1000 "
                                       "and 500");
    });
    raiseFailure(failure);
}

int checkedRings(std::int32_t rings) {
    if (rings >= 1 && rings <= engine::kMaxRings) {
        return rings;
    }
    const Failure failure = runGuarded([&](Failure& found) {
        setInvalidParameter(found, "invalid rings " + std::to_string(rings) + ": from 1 to " +
                                       std::to_string(engine::kMaxRings));
    });
    raiseFailure(failure);
}

void raiseInvalid(const char* message) {
    Failure failure;
    setInvalidParameter(failure, message);
    raiseFailure(failure);
}

}  // namespace mapsheet::postgres
