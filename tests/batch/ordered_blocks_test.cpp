#include "batch/ordered_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace mapsheet::batch {
namespace {

// Blocks numbered 0..count-1; work sleeps longer on some blocks so that they finish out of
// order on several threads.
struct Counting {
    explicit Counting(int blocks) : count(blocks) {}

    int count;
    int nextRead = 0;
    int written = 0;
    int mostInFlight = 0;
    std::string output;

    BlockSteps steps(bool failOnSeven = false, int stopAfter = -1) {
        return BlockSteps{
            .read =
                [this](Block& block) {
                    if (nextRead == count) {
                        return false;
                    }
                    block.input = std::to_string(nextRead++);
                    mostInFlight = std::max(mostInFlight, nextRead - written);
                    return true;
                },
            .work =
                [failOnSeven](Block& block) {
                    const int number = std::stoi(block.input);
                    if (failOnSeven && number == 7) {
                        throw std::runtime_error("seven");
                    }
                    std::this_thread::sleep_for(std::chrono::microseconds(number % 3 * 300));
                    block.output = block.input + ";";
                },
            .write =
                [this, stopAfter](const Block& block) {
                    output += block.output;
                    ++written;
                    return written != stopAfter;
                },
        };
    }
};

std::string expectedOutput(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(i) + ";";
    }
    return text;
}

TEST(OrderedBlocks, ResultsComeOutInInputOrderWithBoundedBlocks) {
    for (int jobs : {1, 2, 3, 8}) {
        SCOPED_TRACE(jobs);
        Counting run(200);
        EXPECT_TRUE(runOrderedBlocks(jobs, run.steps()));
        EXPECT_EQ(run.output, expectedOutput(200));
        EXPECT_LE(run.mostInFlight, 2 * jobs + 2);
    }
}

TEST(OrderedBlocks, ReadAndWriteNeverRunBesideEachOther) {
    for (int jobs : {2, 8}) {
        SCOPED_TRACE(jobs);
        std::atomic<int> inReadOrWrite = 0;
        std::atomic<bool> overlapped = false;
        int read = 0;
        // Each step lingers a little so that an overlap, were it allowed, would be seen.
        const auto alone = [&] {
            overlapped = overlapped || inReadOrWrite.fetch_add(1) != 0;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            inReadOrWrite.fetch_sub(1);
        };
        const BlockSteps steps{
            .read =
                [&](Block& block) {
                    alone();
                    block.input = std::to_string(read);
                    return read++ < 300;
                },
            .work = [](Block& block) { block.output = block.input + ";"; },
            .write =
                [&](const Block&) {
                    alone();
                    return true;
                },
        };
        EXPECT_TRUE(runOrderedBlocks(jobs, steps));
        EXPECT_FALSE(overlapped);
    }
}

TEST(OrderedBlocks, AFailedWriteStopsTheRun) {
    for (int jobs : {1, 4}) {
        SCOPED_TRACE(jobs);
        Counting run(200);
        EXPECT_FALSE(runOrderedBlocks(jobs, run.steps(false, 5)));
        EXPECT_EQ(run.output, expectedOutput(5));
    }
}

TEST(OrderedBlocks, AnExceptionInWorkReachesTheCallerAfterTheThreadsStop) {
    for (int jobs : {1, 3}) {
        SCOPED_TRACE(jobs);
        Counting run(200);
        EXPECT_THROW(runOrderedBlocks(jobs, run.steps(true)), std::runtime_error);
        EXPECT_LE(run.written, 7);
        EXPECT_EQ(run.output, expectedOutput(run.written));
    }
}

TEST(OrderedBlocks, ProgressCountsTheRowsOfTheBlocksWrittenInOrder) {
    for (int jobs : {1, 4}) {
        SCOPED_TRACE(jobs);
        int read = 0;
        std::uint64_t rowsWritten = 0;
        std::vector<std::uint64_t> told;
        // Block k holds k rows, so the counts told are the triangular numbers.
        const BlockSteps steps{
            .read =
                [&](Block& block) {
                    block.input = std::to_string(read);
                    return read++ < 50;
                },
            .work = [](Block& block) { block.rows = std::stoul(block.input); },
            .write =
                [&](const Block& block) {
                    rowsWritten += block.rows;
                    return true;
                },
        };
        EXPECT_TRUE(runOrderedBlocks(jobs, steps, [&](const ProgressCount& count) {
            EXPECT_EQ(count.done, rowsWritten) << "told only once the block is written";
            EXPECT_EQ(count.total, 0u);
            told.push_back(count.done);
        }));
        ASSERT_EQ(told.size(), 50u);
        for (std::uint64_t k = 0; k < told.size(); ++k) {
            EXPECT_EQ(told[k], k * (k + 1) / 2);
        }
    }
}

}  // namespace
}  // namespace mapsheet::batch
