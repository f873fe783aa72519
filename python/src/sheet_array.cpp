#include "python/src/sheet_array.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "engine/scale_catalogue.h"
#include "engine/sheet_area.h"
#include "engine/sheet_id.h"
#include "engine/sheet_number_parse.h"
#include "python/src/array_io.h"
#include "python/src/parallel_chunks.h"

namespace mapsheet::python {

namespace {

constexpr std::size_t kNumberWidth = 16;  // the longest number either numbering writes

}  // namespace

SheetArray SheetArray::fromNumbers(const py::array& numbers, int threads) {
    SheetArray result;
    result.shape_ = shapeOf(numbers);
    const auto count = static_cast<std::size_t>(numbers.size());
    result.sheets_.resize(count);
    result.valid_.assign(count, 0);
    std::vector<std::string> errors(count);
    const StridedLayout layout = layoutOf(numbers);
    auto parseRow = [&](std::size_t i, const std::string& text) {
        engine::ParsedSheet parsed = engine::parseSheetNumber(text);
        if (parsed.sheet) {
            result.sheets_[i] = *parsed.sheet;
            result.valid_[i] = 1;
        } else {
            errors[i] = engine::describeInputError(parsed.error);
        }
    };
    const char kind = numbers.dtype().kind();
    if (kind == 'U') {
        const auto width = static_cast<std::size_t>(numbers.itemsize()) / sizeof(char32_t);
        py::gil_scoped_release released;
        forEachChunk(count, threads, [&](std::size_t begin, std::size_t end) {
            StridedWalk item(layout, begin);
            for (std::size_t i = begin; i < end; ++i, item.advance()) {
                parseRow(i, textItemAsUtf8(item.pointer(), width));
            }
        });
    } else if (kind == 'O') {
        StridedWalk item(layout, 0);
        for (std::size_t i = 0; i < count; ++i, item.advance()) {
            PyObject* object = *reinterpret_cast<PyObject* const*>(item.pointer());
            if (!PyUnicode_Check(object)) {
                throw py::type_error("sheet numbers must be str, not " +
                                     std::string(Py_TYPE(object)->tp_name));
            }
            Py_ssize_t length = 0;
            const char* bytes = PyUnicode_AsUTF8AndSize(object, &length);
            if (bytes == nullptr) {
                throw py::error_already_set();
            }
            parseRow(i, std::string(bytes, static_cast<std::size_t>(length)));
        }
    } else {
        throw py::type_error("sheet numbers must be an array of str, not of dtype " +
                             std::string(py::str(numbers.dtype())));
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!result.valid_[i]) {
            result.firstInvalid_ = static_cast<std::int64_t>(i);
            result.firstError_ = errors[i];
            break;
        }
    }
    return result;
}

SheetArray SheetArray::fromIds(const py::array_t<std::int64_t>& ids) {
    SheetArray result;
    result.shape_ = shapeOf(ids);
    const auto count = static_cast<std::size_t>(ids.size());
    result.sheets_.resize(count);
    result.valid_.assign(count, 0);
    const StridedLayout layout = layoutOf(ids);
    StridedWalk item(layout, 0);
    for (std::size_t i = 0; i < count; ++i, item.advance()) {
        const std::int64_t id = *reinterpret_cast<const std::int64_t*>(item.pointer());
        if (const auto sheet = engine::idToSheet(id)) {
            result.sheets_[i] = *sheet;
            result.valid_[i] = 1;
        } else if (result.firstInvalid_ < 0) {
            result.firstInvalid_ = static_cast<std::int64_t>(i);
            result.firstError_ = "no sheet has the id " + std::to_string(id);
        }
    }
    return result;
}

SheetArray SheetArray::fromOptionalSheets(const std::vector<std::optional<engine::Sheet>>& sheets,
                                          const std::string& missingMessage) {
    SheetArray result;
    result.shape_ = {static_cast<py::ssize_t>(sheets.size())};
    result.sheets_.resize(sheets.size());
    result.valid_.assign(sheets.size(), 0);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i]) {
            result.sheets_[i] = *sheets[i];
            result.valid_[i] = 1;
        } else if (result.firstInvalid_ < 0) {
            result.firstInvalid_ = static_cast<std::int64_t>(i);
            result.firstError_ = missingMessage;
        }
    }
    return result;
}

SheetArray SheetArray::fromSheets(std::vector<engine::Sheet> sheets) {
    SheetArray result;
    result.shape_ = {static_cast<py::ssize_t>(sheets.size())};
    result.valid_.assign(sheets.size(), 1);
    result.sheets_ = std::move(sheets);
    return result;
}

py::array SheetArray::validity() const {
    py::array_t<bool> out(shape_);
    bool* data = out.mutable_data();
    for (std::size_t i = 0; i < valid_.size(); ++i) {
        data[i] = valid_[i] != 0;
    }
    return out;
}

py::tuple SheetArray::bounds() const {
    std::array<py::array_t<double>, 4> edges{newDoubles(), newDoubles(), newDoubles(),
                                             newDoubles()};
    std::array<double*, 4> out{edges[0].mutable_data(), edges[1].mutable_data(),
                               edges[2].mutable_data(), edges[3].mutable_data()};
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        const engine::DegreeBounds b =
            valid_[i] ? engine::degreeBounds(sheets_[i]) : engine::DegreeBounds{NAN, NAN, NAN, NAN};
        out[0][i] = b.south;
        out[1][i] = b.west;
        out[2][i] = b.north;
        out[3][i] = b.east;
    }
    return py::make_tuple(edges[0], edges[1], edges[2], edges[3]);
}

py::tuple SheetArray::centres() const {
    py::array_t<double> latitudes = newDoubles();
    py::array_t<double> longitudes = newDoubles();
    double* lat = latitudes.mutable_data();
    double* lon = longitudes.mutable_data();
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        if (!valid_[i]) {
            lat[i] = lon[i] = NAN;
            continue;
        }
        // Sums of two edges in units are exact integers, halved exactly in a double.
        const engine::UnitBounds b = engine::unitBounds(sheets_[i]);
        lat[i] = (static_cast<double>(b.south) + b.north) / 2 / engine::kUnitsPerDegree;
        lon[i] = (static_cast<double>(b.west) + b.east) / 2 / engine::kUnitsPerDegree;
    }
    return py::make_tuple(latitudes, longitudes);
}

py::array SheetArray::numbers(bool oldNumbering) const {
    py::array out = newTextArray(shape_, kNumberWidth);
    auto* data = static_cast<char32_t*>(out.mutable_data());
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        engine::InlineText text;
        if (valid_[i]) {
            text = oldNumbering ? engine::oldNumber(sheets_[i]) : engine::newNumber(sheets_[i]);
        }
        if (text.view().size() > kNumberWidth) {
            throw std::logic_error("sheet number longer than its column");
        }
        writeAsciiItem(data + i * kNumberWidth, kNumberWidth, text.view());
    }
    return out;
}

py::array SheetArray::denominators() const {
    py::array_t<std::int32_t> out(shape_);
    std::int32_t* data = out.mutable_data();
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        data[i] = valid_[i] ? engine::kScaleCatalogue[sheets_[i].scale].denominator : 0;
    }
    return out;
}

py::array SheetArray::ids() const {
    py::array_t<std::int64_t> out(shape_);
    std::int64_t* data = out.mutable_data();
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        data[i] = valid_[i] ? engine::sheetToId(sheets_[i]) : 0;
    }
    return out;
}

py::array SheetArray::areas() const {
    py::array_t<double> out = newDoubles();
    double* data = out.mutable_data();
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        data[i] = valid_[i] ? engine::sheetArea(sheets_[i]) : NAN;
    }
    return out;
}

}  // namespace mapsheet::python
