#include "python/src/square_cover.h"

#include <pybind11/stl.h>

#include <utility>

#include "cover/cover_source.h"
#include "engine/sheet_cover.h"
#include "engine/square_sheet.h"
#include "projection/area_squares.h"
#include "projection/square_system_choice.h"
#include "python/src/module_error.h"
#include "python/src/square_numbers.h"

namespace mapsheet::python {

namespace {

engine::GeographicPolygon polygonOf(const RingArrays& rings) {
    engine::GeographicPolygon polygon;
    for (const auto& ring : rings) {
        if (ring.ndim() != 2 || ring.shape(1) != 2) {
            throw ModuleError("a ring must be an N x 2 array of longitude, latitude");
        }
        std::vector<engine::GeographicPoint>& points = polygon.emplace_back();
        const auto view = ring.unchecked<2>();
        for (py::ssize_t i = 0; i < view.shape(0); ++i) {
            points.push_back({view(i, 1), view(i, 0)});
        }
    }
    if (polygon.empty()) {
        throw ModuleError("a polygon needs an exterior ring");
    }
    return polygon;
}

projection::SquareArea areaOf(double south, double west, double north, double east,
                              const std::vector<RingArrays>& polygons) {
    if (polygons.empty()) {
        const engine::LatLonBox box{south, west, north, east};
        if (std::string error = engine::boxError(box); !error.empty()) {
            throw ModuleError(error);
        }
        return {box, {}};
    }
    std::vector<engine::GeographicPolygon> read;
    for (const RingArrays& rings : polygons) {
        read.push_back(polygonOf(rings));
    }
    return projection::areaOfPolygons(std::move(read));
}

}  // namespace

py::tuple squareCoverOf(double south, double west, double north, double east,
                        const std::vector<RingArrays>& polygons, int scale,
                        const std::optional<std::string>& crs,
                        const std::optional<std::string>& centralMeridian,
                        const std::optional<std::string>& zoneWidth, std::uint64_t maxSheets) {
    requireSquareScale(scale);
    const projection::SquareArea area = areaOf(south, west, north, east, polygons);
    const projection::SystemChoice choice =
        projection::chooseSquareSystem({crs, centralMeridian, zoneWidth});
    if (!choice.error.empty()) {
        throw ModuleError(choice.error);
    }
    projection::GaussKrugerProjector projector(projection::systemForBox(choice.system, area.box));
    std::string error;
    std::optional<projection::SquareCover> cover =
        projection::squaresOfArea(area, scale, projector, error);
    if (!cover) {
        throw ModuleError(error);
    }
    std::vector<std::string> numbers;
    while (const std::optional<engine::SquareSheet> sheet = cover->next()) {
        if (numbers.size() == maxSheets) {
            throw ModuleError(cover::sheetLimitRefusal({maxSheets, true}, maxSheets, "max_sheets"));
        }
        numbers.push_back(engine::squareNumber(*sheet));
    }
    const projection::GaussKrugerSystem& system = projector.system();
    return py::make_tuple(std::move(numbers), projection::systemName(system), system.epsg,
                          projection::projDefinition(system));
}

}  // namespace mapsheet::python
