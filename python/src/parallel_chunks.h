#pragma once

// Splitting a loop over [0, count) into contiguous chunks run on their own threads.
//
// The caller has released the GIL and passes work that touches no Python object: each chunk
// writes only its own slice of the output, so the chunks need no locking. Below
// kSerialCount items, or with one thread, the loop runs on the calling thread; starting a thread
// costs more than numbering that many points.

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace mapsheet::python {

inline constexpr std::size_t kSerialCount = 16384;

// The most threads one loop starts, as mapsheet-cli number --jobs allows.
inline constexpr int kMaxThreads = 256;

// Runs work(begin, end) over chunks covering [0, count) exactly once, on at most threads threads
// (at least one, at most kMaxThreads). An exception from a chunk is rethrown on the calling thread
// after all finish.
template <class Work>
void forEachChunk(std::size_t count, int threads, Work&& work) {
    const std::size_t chunks = count < kSerialCount
                                   ? 1
                                   : std::clamp<std::size_t>(std::min(threads, kMaxThreads), 1,
                                                             count / (kSerialCount / 4));
    if (chunks <= 1) {
        work(std::size_t{0}, count);
        return;
    }
    std::vector<std::thread> pool;
    std::vector<std::exception_ptr> failures(chunks);
    pool.reserve(chunks);
    for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
        const std::size_t begin = count * chunk / chunks;
        const std::size_t end = count * (chunk + 1) / chunks;
        pool.emplace_back([&work, &failures, chunk, begin, end] {
            try {
                work(begin, end);
            } catch (...) {
                failures[chunk] = std::current_exception();
            }
        });
    }
    for (std::thread& thread : pool) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

}  // namespace mapsheet::python
