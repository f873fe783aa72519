#pragma once

// The commands of mapsheet-cli. Each takes its arguments (without the command word) and the
// three streams, and returns the process exit status.

#include <iosfwd>
#include <string>
#include <vector>

namespace mapsheet::cli {

using Arguments = std::vector<std::string>;

// mapsheet-cli number --scale SCALE [LAT LON]
int runNumberCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err);

// mapsheet-cli angle [--from FORM] [--format text|json] VALUE...
int runAngleCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

// mapsheet-cli sheet [--format csv|json|geojson] [NUMBER...]
int runSheetCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                    std::ostream& err);

// mapsheet-cli cover --scale SCALE (--bbox S,W,N,E | --within FILE | --within-sheet NUMBER) ...
int runCoverCommand(const Arguments& arguments, std::ostream& out, std::ostream& err);

// mapsheet-cli square --scale SCALE [CRS options] [LAT LON | --xy | --sheet NUMBER...]
int runSquareCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err);

// mapsheet-cli neighbours [--rings K] [NUMBER...]
int runNeighboursCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                         std::ostream& err);

// mapsheet-cli parent --scale SCALE [NUMBER...]
int runParentCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err);

// mapsheet-cli children --scale SCALE [--max-sheets N] [NUMBER...]
int runChildrenCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                       std::ostream& err);

// mapsheet-cli uncompact --scale SCALE [--id] [--format F] [--output FILE] [NUMBER...]
int runUncompactCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                        std::ostream& err);

}  // namespace mapsheet::cli
