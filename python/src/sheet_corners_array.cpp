#include "python/src/sheet_corners_array.h"

#include <pybind11/numpy.h>

#include <array>
#include <cmath>
#include <string>

#include "projection/sheet_corners.h"

namespace mapsheet::python {

py::tuple cornersOf(const SheetArray& sheets, int zone, std::optional<double> centralMeridian) {
    projection::CornerZone choice;
    if (centralMeridian) {
        choice.kind = projection::CornerZone::Kind::CentralMeridian;
        choice.centralMeridian = *centralMeridian;
    } else if (zone != 0) {
        choice.kind = projection::CornerZone::Kind::Zone;
        choice.zone = zone;
    }
    const auto count = static_cast<py::ssize_t>(sheets.size());
    py::array_t<std::int32_t> zones(count);
    py::array_t<bool> valid(count);
    std::array<py::array_t<double>, 9> values;
    for (auto& column : values) {
        column = py::array_t<double>(count);
    }
    std::int64_t firstBad = -1;
    std::string firstError;
    for (py::ssize_t i = 0; i < count; ++i) {
        std::optional<projection::SheetCorners> corners;
        std::string error = sheets.firstError();
        if (sheets.valid(static_cast<std::size_t>(i))) {
            const engine::Sheet& sheet = sheets.sheets()[static_cast<std::size_t>(i)];
            error = projection::cornerZoneError(sheet, choice);
            corners = error.empty() ? projection::sheetCorners(sheet, choice) : std::nullopt;
            if (!corners && error.empty()) {
                error = "PROJ cannot project a corner of the sheet";
            }
        }
        valid.mutable_data()[i] = corners.has_value();
        zones.mutable_data()[i] = corners ? corners->zone : 0;
        const std::array<double, 9> row =
            corners ? std::array<double, 9>{corners->centralMeridian,
                                            corners->sw.x,
                                            corners->sw.y,
                                            corners->se.x,
                                            corners->se.y,
                                            corners->ne.x,
                                            corners->ne.y,
                                            corners->nw.x,
                                            corners->nw.y}
                    : std::array<double, 9>{NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN, NAN};
        for (std::size_t k = 0; k < row.size(); ++k) {
            values[k].mutable_data()[i] = row[k];
        }
        if (!corners && firstBad < 0) {
            firstBad = i;
            firstError = error;
        }
    }
    py::list columns;
    for (auto& column : values) {
        columns.append(column);
    }
    return py::make_tuple(zones, columns, valid, firstBad, firstError);
}

}  // namespace mapsheet::python
