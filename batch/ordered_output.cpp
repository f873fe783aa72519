#include "batch/ordered_output.h"

#include <utility>

namespace mapsheet::batch {

RunStatus writeBlocksInOrder(int jobs, InputBlocks& blocks, std::optional<Block> first,
                             const std::function<void(Block&)>& work, std::ostream& out,
                             std::ostream& err, const ProgressListener& progress) {
    bool anyError = false;
    const BlockSteps steps{
        .read =
            [&](Block& block) {
                if (first) {
                    std::swap(block, *first);
                    first.reset();
                    return true;
                }
                return blocks.next(block.input, block.firstLine);
            },
        .work = work,
        .write =
            [&](const Block& block) {
                anyError = anyError || block.anyError;
                return writeChecked(out, block.output, err);
            },
    };
    if (!runOrderedBlocks(jobs, steps, progress)) {
        return RunStatus::WriteFailed;
    }
    if (!blocks.readError().empty()) {
        if (!flushChecked(out, err)) {
            return RunStatus::WriteFailed;
        }
        reportReadFailure(blocks, err);
        return RunStatus::ReadFailed;
    }
    if (!flushChecked(out, err)) {
        return RunStatus::WriteFailed;
    }
    return anyError ? RunStatus::RowErrors : RunStatus::Success;
}

}  // namespace mapsheet::batch
