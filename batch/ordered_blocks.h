#pragma once

// Working through blocks of input on several threads, with the results written in input order.
//
// The calling thread reads and writes: it asks read to fill a free block, queues it for work,
// and passes finished blocks to write in the order they were read. jobs - 1 worker threads take
// the oldest queued blocks; the calling thread works on the newest one whenever it would
// otherwise wait, which spares a thread and nearly all the waking of one thread by another. At most
// 2 x jobs + 2 blocks exist at once and each is reused, so the memory held is bounded by the block
// size whatever the length of the input. With jobs 1 no thread is started: read, work and write
// take turns on the calling thread.
//
// work runs on several blocks at once and must touch nothing but its block (and what is safe
// to share). read and write run on the calling thread only. An exception thrown by work is
// thrown again by runOrderedBlocks once every thread has stopped; no block after it is written.

#include <cstddef>
#include <functional>
#include <string>

#include "batch/progress.h"

namespace mapsheet::batch {

struct Block {
    std::string input;   // whole records
    long firstLine = 1;  // the line number (from 1) of the first input line
    std::string output;  // what work wrote for the records
    bool anyError = false;
    std::size_t rows = 0;  // how many rows work made of the records
};

struct BlockSteps {
    // Fills block.input and block.firstLine; false when the input has nothing more.
    std::function<bool(Block&)> read;
    // Fills block.output, block.anyError and block.rows from block.input (which it may change).
    std::function<void(Block&)> work;
    // Writes block.output; false to stop: the blocks still at work are then dropped.
    std::function<bool(const Block&)> write;
};

// Runs the steps over the whole input on jobs threads (at least 1), telling progress (which may
// be empty) the rows written so far after each block; false when write stopped.
bool runOrderedBlocks(int jobs, const BlockSteps& steps, const ProgressListener& progress = {});

// The processors this process may run on (at least 1): the default number of jobs.
int availableProcessors();

}  // namespace mapsheet::batch
