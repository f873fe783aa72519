#pragma once

// An array of sheets read from written numbers (either numbering, the typed forms
// engine/sheet_number_parse.h accepts) or from sheet ids (engine/sheet_id.h), or produced by a
// cover, and what the module derives from it: ids, bounds, centres, areas, both numbers, scales.
//
// Reading: a NumPy str array (any shape and strides) is parsed with the GIL released and split
// over threads; an object array is read item by item under the GIL, each item a str (a NUL
// inside it reaches the parser and is rejected there) — any other item type is a TypeError.
// A row that is no sheet stays in the array as invalid and keeps the parser's message; the
// first such row and its message are kept for errors="raise".

#include <pybind11/numpy.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/sheet.h"

namespace mapsheet::python {

namespace py = pybind11;

class SheetArray {
  public:
    static SheetArray fromNumbers(const py::array& numbers, int threads);
    // An integer that is no sheet's id is an invalid row ("no sheet has the id 12").
    static SheetArray fromIds(const py::array_t<std::int64_t>& ids);
    // A one-dimensional array of valid sheets.
    static SheetArray fromSheets(std::vector<engine::Sheet> sheets);
    // A one-dimensional array, invalid where the sheet is nullopt (the message says why).
    static SheetArray fromOptionalSheets(const std::vector<std::optional<engine::Sheet>>& sheets,
                                         const std::string& missingMessage);

    py::ssize_t size() const { return static_cast<py::ssize_t>(sheets_.size()); }
    std::int64_t firstInvalid() const { return firstInvalid_; }
    const std::string& firstError() const { return firstError_; }
    const std::vector<engine::Sheet>& sheets() const { return sheets_; }
    bool valid(std::size_t i) const { return valid_[i] != 0; }

    // Boolean array: whether each row is a sheet.
    py::array validity() const;
    // south, west, north, east in degrees (engine::degreeBounds); NaN on invalid rows.
    py::tuple bounds() const;
    // Latitude and longitude of each sheet's centre, from its exact unit bounds; NaN on
    // invalid rows.
    py::tuple centres() const;
    // The numbers in one numbering as a str array; empty on invalid rows and, in the old
    // numbering, at the scales without one.
    py::array numbers(bool oldNumbering) const;
    // The scale denominators (50000); 0 on invalid rows.
    py::array denominators() const;
    // The sheet ids; 0 on invalid rows.
    py::array ids() const;
    // Square metres on the CGCS2000 ellipsoid (engine/sheet_area.h); NaN on invalid rows.
    py::array areas() const;

  private:
    std::vector<engine::Sheet> sheets_;
    std::vector<std::uint8_t> valid_;
    std::vector<py::ssize_t> shape_;
    std::int64_t firstInvalid_ = -1;
    std::string firstError_;

    py::array_t<double> newDoubles() const { return py::array_t<double>(shape_); }
};

}  // namespace mapsheet::python
