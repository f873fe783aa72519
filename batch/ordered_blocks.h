#pragma once

// Working through blocks of input on several threads, with the results written in input order.
//
// Each of jobs threads (the calling thread and jobs - 1 started ones) takes a free block,
// reads the next records into it and works on it while the others read, work or write; then it
// writes every finished block whose turn has come, its own or those the others finished before
// it. A block is thus mostly read, worked on and written by one thread, in whose cache its
// bytes stay, and no thread waits for another unless every block is in use. At most 2 x jobs + 2
// blocks exist at once and each is reused, so the memory held is bounded by the block size
// whatever the length of the input. With jobs 1 no thread is started.
//
// read and write run one at a time, never beside each other or themselves, but on any of the
// threads: read in input order, write in the same order. work runs on several blocks at once
// and must touch nothing but its block (and what is safe to share). An exception thrown by a
// step is thrown again by runOrderedBlocks once every thread has stopped; no block after the
// one it was thrown for is written.

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
