#pragma once

// A batch run over its input: blocks of records read (batch/input_blocks.h), worked through on
// several threads (batch/ordered_blocks.h), their results written in input order, and how the
// run ended.

#include <functional>
#include <iosfwd>
#include <optional>

#include "batch/checked_output.h"
#include "batch/input_blocks.h"
#include "batch/ordered_blocks.h"
#include "batch/progress.h"

namespace mapsheet::batch {

// Runs work on the blocks of the input on jobs threads, starting with first when given (the
// rest of a block a header was cut from), and writes each block's output to out in input order,
// telling progress the rows written. Returns WriteFailed when out failed (said on err),
// ReadFailed after reporting a read failure (the blocks read before it written), RowErrors when
// any block had an error row, else Success.
RunStatus writeBlocksInOrder(int jobs, InputBlocks& blocks, std::optional<Block> first,
                             const std::function<void(Block&)>& work, std::ostream& out,
                             std::ostream& err, const ProgressListener& progress = {});

}  // namespace mapsheet::batch
