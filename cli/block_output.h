#pragma once

// A batch command's run over its input: blocks of records read from standard input, worked
// through on several threads, their results written in input order, and the exit status that
// tells how it went.

#include <functional>
#include <optional>
#include <ostream>

#include "batch/input_blocks.h"
#include "batch/ordered_blocks.h"

namespace mapsheet::cli {

// Runs work on the blocks of the input on jobs threads, starting with first when given (the
// rest of a block a header was cut from), and writes each block's output to out in input order.
// Returns kExitWriteFailed when out failed, kExitReadFailed after reporting a read failure (the
// blocks read before it written), kExitRowErrors when any block had an error row, else
// kExitSuccess. Shows the rows written on a progress line (cli/progress_line.h).
int writeBlocksInOrder(int jobs, batch::InputBlocks& blocks, std::optional<batch::Block> first,
                       const std::function<void(batch::Block&)>& work, std::ostream& out,
                       std::ostream& err);

}  // namespace mapsheet::cli
