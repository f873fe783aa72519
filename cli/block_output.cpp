#include "cli/block_output.h"

#include <utility>

#include "cli/exit_status.h"
#include "cli/progress_line.h"

namespace mapsheet::cli {

int writeBlocksInOrder(int jobs, batch::InputBlocks& blocks, std::optional<batch::Block> first,
                       const std::function<void(batch::Block&)>& work, std::ostream& out,
                       std::ostream& err) {
    bool anyError = false;
    ProgressLine progressLine(err, &out, "rows");
    const batch::BlockSteps steps{
        .read =
            [&](batch::Block& block) {
                if (first) {
                    std::swap(block, *first);
                    first.reset();
                    return true;
                }
                return blocks.next(block.input, block.firstLine);
            },
        .work = work,
        .write =
            [&](const batch::Block& block) {
                anyError = anyError || block.anyError;
                return batch::writeChecked(out, block.output, err);
            },
    };
    if (!batch::runOrderedBlocks(jobs, steps, progressLine.listener())) {
        return kExitWriteFailed;
    }
    if (!blocks.readError().empty()) {
        if (!batch::flushChecked(out, err)) {
            return kExitWriteFailed;
        }
        batch::reportReadFailure(blocks, err);
        return kExitReadFailed;
    }
    return finishOutput(out, err, anyError ? kExitRowErrors : kExitSuccess);
}

}  // namespace mapsheet::cli
