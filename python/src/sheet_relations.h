#pragma once

// Covers, neighbours, parents and children as sheet arrays (engine/sheet_cover.h,
// engine/compact_cover.h, engine/sheet_hierarchy.h decide every sheet).
//
// A result that would hold more than maxSheets sheets is refused with mapsheet.Error before it
// is built (a compact cover, which has no count, when it reaches the limit), so a typo in a
// box never fills the memory.

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "python/src/sheet_array.h"

namespace mapsheet::python {

namespace py = pybind11;

// The box must pass engine::boxError (else mapsheet.Error with its reason); mode "meets",
// "centre" or "within".
SheetArray coverBox(double south, double west, double north, double east, int scale,
                    const std::string& mode, bool compact, std::uint64_t maxSheets);

// (sheets, rings): the first row of `one` and its neighbours up to rings (1..1000).
py::tuple neighboursOf(const SheetArray& one, int rings);

// The sheet of the coarser scale holding each row; invalid where it does not nest.
SheetArray parentsOf(const SheetArray& sheets, int coarserScale);

// The sheets of the finer scale inside the first row of `one`.
SheetArray childrenOfFirst(const SheetArray& one, int finerScale, std::uint64_t maxSheets);

}  // namespace mapsheet::python
