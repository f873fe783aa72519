#include "batch/ordered_blocks.h"

#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace mapsheet::batch {

namespace {

// Writes the block and tells the rows written so far to progress (which may have no listener).
bool writeCounted(const BlockSteps& steps, const Block& block, ProgressCounter& progress) {
    if (!steps.write(block)) {
        return false;
    }
    progress.add(block.rows);
    return true;
}

bool runOnCallingThread(const BlockSteps& steps, ProgressCounter& progress) {
    Block block;
    while (steps.read(block)) {
        steps.work(block);
        if (!writeCounted(steps, block, progress)) {
            return false;
        }
    }
    return true;
}

// The blocks of a run, each in one of the slots of a ring: block k lives in slot k % size
// from its reading until its writing.
class BlockRing {
  public:
    BlockRing(int jobs, const BlockSteps& steps, ProgressCounter& progress)
        : steps_(steps),
          progress_(progress),
          slots_(2 * static_cast<std::size_t>(jobs) + 2),
          done_(slots_.size()) {
        workers_.reserve(static_cast<std::size_t>(jobs - 1));
        for (int i = 1; i < jobs; ++i) {
            workers_.emplace_back([this] { workLoop(); });
        }
    }

    ~BlockRing() { stop(); }

    BlockRing(const BlockRing&) = delete;
    BlockRing& operator=(const BlockRing&) = delete;

    // Ends the workers once their current blocks are done; the queued blocks are dropped.
    void stop() {
        {
            const std::lock_guard lock(mutex_);
            closing_ = true;
            queued_.clear();
        }
        workReady_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
        workers_.clear();
    }

    bool run() {
        std::uint64_t nextRead = 0;
        std::uint64_t nextWrite = 0;
        bool inputEnded = false;
        while (true) {
            // Finished blocks go out first, so that the slots they hold come free.
            while (nextWrite < nextRead && isDone(nextWrite)) {
                if (!writeCounted(steps_, slots_[slotOf(nextWrite)], progress_)) {
                    return false;
                }
                ++nextWrite;
            }
            if (!inputEnded && nextRead - nextWrite < slots_.size()) {
                const std::size_t slot = slotOf(nextRead);
                if (steps_.read(slots_[slot])) {
                    queue(slot);
                    ++nextRead;
                } else {
                    inputEnded = true;
                }
                continue;
            }
            if (nextWrite == nextRead) {
                return true;
            }
            std::unique_lock lock(mutex_);
            // The newest block: the workers keep taking the oldest, which are written first.
            if (!queued_.empty() && !failure_) {
                const std::size_t slot = queued_.back();
                queued_.pop_back();
                lock.unlock();
                workOn(slot);
                continue;
            }
            blockDone_.wait(lock, [&] { return done_[slotOf(nextWrite)] || failure_; });
            if (failure_) {
                lock.unlock();
                return true;
            }
        }
    }

    // What a worker threw; read after stop().
    std::exception_ptr failure() const { return failure_; }

  private:
    std::size_t slotOf(std::uint64_t block) const { return block % slots_.size(); }

    bool isDone(std::uint64_t block) {
        const std::lock_guard lock(mutex_);
        if (failure_) {
            return false;
        }
        const std::size_t slot = slotOf(block);
        const bool done = done_[slot];
        done_[slot] = false;
        return done;
    }

    void queue(std::size_t slot) {
        {
            const std::lock_guard lock(mutex_);
            queued_.push_back(slot);
        }
        workReady_.notify_one();
    }

    void workLoop() {
        while (true) {
            std::size_t slot = 0;
            {
                std::unique_lock lock(mutex_);
                workReady_.wait(lock, [&] { return closing_ || !queued_.empty(); });
                if (queued_.empty()) {
                    return;
                }
                slot = queued_.front();
                queued_.pop_front();
            }
            workOn(slot);
            blockDone_.notify_one();
        }
    }

    // Runs work on the block in the slot and marks it done, keeping the first failure.
    void workOn(std::size_t slot) {
        std::exception_ptr failure;
        try {
            steps_.work(slots_[slot]);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex_);
        done_[slot] = true;
        if (failure && !failure_) {
            failure_ = failure;
        }
    }

    const BlockSteps& steps_;
    ProgressCounter& progress_;
    std::vector<Block> slots_;
    std::vector<bool> done_;  // guarded by mutex_
    std::deque<std::size_t> queued_;
    std::exception_ptr failure_;
    bool closing_ = false;
    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable blockDone_;
    std::vector<std::thread> workers_;
};

}  // namespace

bool runOrderedBlocks(int jobs, const BlockSteps& steps, const ProgressListener& progress) {
    ProgressCounter rowsWritten(progress);
    if (jobs <= 1) {
        return runOnCallingThread(steps, rowsWritten);
    }
    BlockRing ring(jobs, steps, rowsWritten);
    const bool written = ring.run();
    ring.stop();
    if (ring.failure()) {
        std::rethrow_exception(ring.failure());
    }
    return written;
}

int availableProcessors() {
    cpu_set_t processors;
    CPU_ZERO(&processors);
    if (sched_getaffinity(0, sizeof processors, &processors) != 0) {
        return 1;
    }
    return std::max(1, CPU_COUNT(&processors));
}

}  // namespace mapsheet::batch
