#pragma once

// The rows of each relation command (batch/relation_rows.h), as CSV:
//   parent      input,new,old        the sheet of a coarser scale that contains the sheet
//   children    input,new,old        every sheet of a finer scale inside it, rows from the north
//   neighbours  input,ring,new,old   the sheets of its scale around it, ring by ring
// new and old are the numbers of the sheet found (old empty at 1:2000 and finer). A sheet that
// has none gives the reason instead, before any row: a scale finer (parent) or coarser
// (children) than the sheet's, a scale that does not nest, more children than the limit.

#include <cstdint>

#include "batch/relation_rows.h"

namespace mapsheet::batch {

// scale 0..11.
RelationRows parentRows(int scale);
RelationRows childrenRows(int scale, std::uint64_t maxSheets);
// rings 1..engine::kMaxRings.
RelationRows neighbourRows(int rings);

}  // namespace mapsheet::batch
