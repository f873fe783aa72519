#include "batch/ordered_blocks.h"

#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <numeric>
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

// The blocks of a run and whose turn it is to read and to write. A thread takes a free block,
// reads into it and works on it; then, holding the lock, it writes every finished block whose
// turn has come, its own or the ones finished before it by the others, so that no thread waits
// for another to finish. Free blocks are taken last freed first, which mostly gives a thread
// back the block it just wrote, still in its cache.
class BlockPool {
  public:
    BlockPool(int jobs, const BlockSteps& steps, ProgressCounter& progress)
        : steps_(steps),
          progress_(progress),
          blocks_(2 * static_cast<std::size_t>(jobs) + 2),
          free_(blocks_.size()),
          finished_(blocks_.size(), kNone) {
        std::iota(free_.begin(), free_.end(), std::size_t{0});
    }

    // Takes blocks until the input ends or the run stops.
    void run() {
        while (true) {
            std::size_t slot = 0;
            std::uint64_t number = 0;
            if (!readNext(slot, number)) {
                return;
            }
            std::exception_ptr failure;
            try {
                steps_.work(blocks_[slot]);
            } catch (...) {
                failure = std::current_exception();
            }
            if (!finish(slot, number, failure)) {
                return;
            }
        }
    }

    // Whether every block was written; and what a step threw, to be read once all have run.
    bool written() const { return !writeStopped_; }
    std::exception_ptr failure() const { return failure_; }

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    bool readNext(std::size_t& slot, std::uint64_t& number) {
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [&] { return stopped_ || inputEnded_ || !free_.empty(); });
        if (stopped_ || inputEnded_) {
            return false;
        }
        slot = free_.back();
        bool read = false;
        keepFailure([&] { read = steps_.read(blocks_[slot]); });
        if (!read) {
            inputEnded_ = true;
            freed_.notify_all();
            return false;
        }
        free_.pop_back();
        number = nextRead_++;
        return true;
    }

    // Marks the block finished and writes what is in turn; false when the run stopped.
    bool finish(std::size_t slot, std::uint64_t number, std::exception_ptr failure) {
        const std::lock_guard lock(mutex_);
        if (failure) {
            stop(failure);
        }
        if (stopped_) {
            return false;
        }
        finished_[number % blocks_.size()] = slot;
        while (finished_[nextWrite_ % blocks_.size()] != kNone) {
            std::size_t& next = finished_[nextWrite_ % blocks_.size()];
            bool written = false;
            keepFailure([&] { written = writeCounted(steps_, blocks_[next], progress_); });
            if (!written) {
                writeStopped_ = !stopped_;  // a write that threw has stopped the run already
                stop(nullptr);
                return false;
            }
            free_.push_back(next);
            next = kNone;
            ++nextWrite_;
        }
        freed_.notify_all();
        return true;
    }

    // Runs a step under the lock; what it throws stops the run.
    template <typename Step>
    void keepFailure(const Step& step) {
        try {
            step();
        } catch (...) {
            stop(std::current_exception());
        }
    }

    // With the lock held: no block more is read or written; the first failure is kept.
    void stop(std::exception_ptr failure) {
        if (failure && !failure_) {
            failure_ = failure;
        }
        stopped_ = true;
        freed_.notify_all();
    }

    const BlockSteps& steps_;
    ProgressCounter& progress_;
    std::vector<Block> blocks_;
    std::mutex mutex_;
    std::condition_variable freed_;
    // Guarded by mutex_:
    std::vector<std::size_t> free_;      // the slots of blocks not in use, last freed last
    std::vector<std::size_t> finished_;  // by block number modulo the slots: its slot, or kNone
    std::uint64_t nextRead_ = 0;
    std::uint64_t nextWrite_ = 0;
    bool inputEnded_ = false;
    bool stopped_ = false;
    bool writeStopped_ = false;
    std::exception_ptr failure_;
};

}  // namespace

bool runOrderedBlocks(int jobs, const BlockSteps& steps, const ProgressListener& progress) {
    ProgressCounter rowsWritten(progress);
    if (jobs <= 1) {
        return runOnCallingThread(steps, rowsWritten);
    }
    BlockPool pool(jobs, steps, rowsWritten);
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(jobs - 1));
    for (int i = 1; i < jobs; ++i) {
        threads.emplace_back([&pool] { pool.run(); });
    }
    pool.run();
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (pool.failure()) {
        std::rethrow_exception(pool.failure());
    }
    return pool.written();
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
