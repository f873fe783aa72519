// mapsheet._core: the compiled half of the Python package. Every rule comes from the engine,
// the library or the CLI's own functions; this file only converts between them and NumPy. The
// documented, user-facing functions are the Python ones in mapsheet/__init__.py.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>
#include <vector>

#include "batch/ordered_blocks.h"
#include "engine/input_error.h"
#include "engine/scale_catalogue.h"
#include "engine/scale_names.h"
#include "engine/square_sheet.h"
#include "library/quoted_excerpt.h"
#include "python/src/module_error.h"
#include "python/src/parallel_chunks.h"
#include "python/src/point_numbers.h"
#include "python/src/sheet_array.h"
#include "text/angle_forms.h"
#ifdef MAPSHEET_HAVE_PROJ
#include "python/src/sheet_corners_array.h"
#include "python/src/square_cover.h"
#endif
#include "python/src/sheet_relations.h"
#include "python/src/square_numbers.h"

namespace py = pybind11;

namespace mapsheet::python {

namespace {

int scaleIndex(const std::string& text) {
    const std::optional<int> scale = engine::parseScale(text);
    if (!scale) {
        throw ModuleError("unknown scale " + mapsheet::text::singleQuotedExcerpt(text) +
                          "; accepted scales:\n" + engine::acceptedScales());
    }
    return *scale;
}

std::string noSheetReason() {
    return engine::describeInputError(
        engine::inputError(engine::InputErrorCode::PointOutsideSeries));
}

py::tuple numberPointsBinding(const py::array_t<double>& latitudes,
                              const py::array_t<double>& longitudes, int scale, PointOutput output,
                              int threads) {
    PointResult result = numberPoints(latitudes, longitudes, scale, output, threads);
    return py::make_tuple(result.values, result.firstMissing);
}

// The angle in the five forms, as `mapsheet-cli angle --format json` prints it (the JSON object
// as text; the Python layer reads it).
std::string angleJson(const std::vector<std::string>& values, const std::string& form) {
    const text::AngleReading reading =
        text::readAngle(values, form.empty() ? std::nullopt : std::optional<std::string>(form));
    if (!reading.boxes) {
        throw ModuleError(reading.error);
    }
    return text::angleJson(*reading.boxes);
}

py::list scaleRows() {
    py::list rows;
    for (int index = 0; index < engine::kScaleCount; ++index) {
        const engine::ScaleRow& row = engine::kScaleCatalogue[index];
        py::dict entry;
        entry["denominator"] = row.denominator;
        entry["ratio"] = engine::scaleRatioText(index);
        std::string_view caption = row.caption;
        caption.remove_prefix(caption.find_first_not_of(' '));
        entry["caption"] = py::str(std::string(caption));
        entry["letter"] = std::string(row.letter);
        entry["divisions"] = row.divisions;
        entry["height_degrees"] = row.heightDegrees;
        entry["width_degrees"] = row.widthDegrees;
        entry["has_old_number"] = row.oldForm != engine::OldForm::None;
        entry["in_new_standard"] = row.letter != "R";
        entry["square_metres"] = engine::squareSizeMetres(index);
        rows.append(entry);
    }
    return rows;
}

}  // namespace

}  // namespace mapsheet::python

PYBIND11_MODULE(_core, module) {
    using namespace mapsheet::python;
    module.doc() = "The compiled core of mapsheet; use the functions of the mapsheet package.";
    py::register_exception<ModuleError>(module, "Error", PyExc_ValueError);

    module.def("scale_index", &scaleIndex, py::arg("text"));
    module.def("no_sheet_reason", &noSheetReason);
    module.def("available_threads", &mapsheet::batch::availableProcessors);
    module.attr("MAX_THREADS") = kMaxThreads;
    py::enum_<PointOutput>(module, "PointOutput")
        .value("NEW_NUMBER", PointOutput::NewNumber)
        .value("OLD_NUMBER", PointOutput::OldNumber)
        .value("SHEET_ID", PointOutput::SheetId);
    module.def("number_points", &numberPointsBinding, py::arg("latitudes"), py::arg("longitudes"),
               py::arg("scale"), py::arg("output"), py::arg("threads"));
    module.def("cover_box", &coverBox, py::arg("south"), py::arg("west"), py::arg("north"),
               py::arg("east"), py::arg("scale"), py::arg("mode"), py::arg("compact"),
               py::arg("max_sheets"));
    module.def("neighbours", &neighboursOf, py::arg("one"), py::arg("rings"));
    module.def("parents", &parentsOf, py::arg("sheets"), py::arg("scale"));
    module.def("children", &childrenOfFirst, py::arg("one"), py::arg("scale"),
               py::arg("max_sheets"));
    module.def("angle_json", &angleJson, py::arg("values"), py::arg("form"));
    module.def("scale_rows", &scaleRows);
    module.def("square_numbers", &squareNumbers, py::arg("x"), py::arg("y"), py::arg("scale"));
    module.def("square_bounds", &squareBoundsOf, py::arg("numbers"), py::arg("scale"));

#ifdef MAPSHEET_HAVE_PROJ
    module.def("corners", &cornersOf, py::arg("sheets"), py::arg("zone"),
               py::arg("central_meridian"));
    module.def("square_cover", &squareCoverOf, py::arg("south"), py::arg("west"), py::arg("north"),
               py::arg("east"), py::arg("polygons"), py::arg("scale"), py::arg("crs"),
               py::arg("central_meridian"), py::arg("zone_width"), py::arg("max_sheets"));
#endif

    py::class_<SheetArray>(module, "SheetArray")
        .def_static("from_numbers", &SheetArray::fromNumbers, py::arg("numbers"),
                    py::arg("threads"))
        .def_static("from_ids", &SheetArray::fromIds, py::arg("ids"))
        .def_property_readonly("size", &SheetArray::size)
        .def_property_readonly("first_invalid", &SheetArray::firstInvalid)
        .def_property_readonly("first_error", &SheetArray::firstError)
        .def("validity", &SheetArray::validity)
        .def("bounds", &SheetArray::bounds)
        .def("centres", &SheetArray::centres)
        .def("numbers", &SheetArray::numbers, py::arg("old"))
        .def("denominators", &SheetArray::denominators)
        .def("ids", &SheetArray::ids)
        .def("areas", &SheetArray::areas);
}
