// mapsheet-cli: batch companion of the mapsheet windows.

#include <iostream>
#include <string>
#include <string_view>

#ifdef MAPSHEET_CLI_HANDS_OVER
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#endif

#include "cli/commands.h"
#include "cli/exit_status.h"

namespace {

constexpr const char* kUsage =
    "Usage: mapsheet-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  number --scale SCALE [--jobs N] [--lat-col C --lon-col C] [--input FILE] [--format F]\n"
    "         [LAT LON]\n"
    "      Sheet numbers of points in the national basic-scale topographic map series,\n"
    "      new standard (K50E003005) and pre-1992 (J-50-5-A-1), as CSV or a GIS point layer;\n"
    "      a CSV table keeps its rows and gains the columns new, old and error.\n"
    "  angle [--from FORM] [--format text|json] VALUE...\n"
    "      One angle in the five written forms of the angle window.\n"
    "  sheet [--format F] [--output FILE] [NUMBER...]\n"
    "      The scale, both numbers and the bounds of written sheet numbers of either numbering.\n"
    "  cover --scale SCALE (--bbox S,W,N,E | --within FILE | --within-sheet NUMBER)\n"
    "      Every sheet of a scale meeting an area, as CSV or a GIS file.\n"
    "  square --scale SCALE [CRS options] [LAT LON]\n"
    "      Square sheets of the large scales in Gauss-Kruger plane coordinates.\n"
    "  neighbours [--rings K] [NUMBER...]\n"
    "      The sheets of the same scale around sheets, ring by ring.\n"
    "  parent --scale SCALE [NUMBER...]\n"
    "      The sheet of a coarser scale containing each sheet.\n"
    "  children --scale SCALE [NUMBER...]\n"
    "      The sheets of a finer scale inside each sheet.\n"
    "  uncompact --scale SCALE [NUMBER...]\n"
    "      Sheets of mixed scales (cover --compact) back at one scale.\n"
    "\n"
    "Run 'mapsheet-cli COMMAND --help' for the options of a command.\n"
    "\n"
    "Exit status: 0 success; 1 some input row has an error (the other rows are written);\n"
    "2 usage error; 3 the output could not be written; 4 the input could not be read.\n";

#ifdef MAPSHEET_CLI_HANDS_OVER
// Whether this program runs the command itself: `number` into CSV (or ids) on standard output from
// standard input (--input may name a GIS file or a spreadsheet) and
// `angle`, the batch work, and the sheets' relatives need neither GDAL nor PROJ.
bool runsHere(const std::string& command, const mapsheet::cli::Arguments& arguments) {
    if (command == "angle" || command == "neighbours" || command == "parent" ||
        command == "children") {
        return true;
    }
    if (command != "number") {
        return false;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const bool idsHere =
            argument == "--format=id" ||
            (argument == "--format" && i + 1 < arguments.size() && arguments[i + 1] == "id" && ++i);
        if (!idsHere && (argument.starts_with("--format") || argument.starts_with("--output") ||
                         argument.starts_with("--input"))) {
            return false;
        }
    }
    return true;
}

// Replaces this process with mapsheet-cli-full, found beside this program (a build) or in
// ../libexec/mapsheet (an installation); returns only when neither can be started.
int handOver(char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = self.parent_path();
    int cause = ENOENT;
    for (const std::filesystem::path& full :
         {folder / "mapsheet-cli-full", folder / "../libexec/mapsheet/mapsheet-cli-full"}) {
        execv(full.c_str(), argv);
        cause = errno;
    }
    std::cerr << "mapsheet-cli: cannot start mapsheet-cli-full, which has this command: "
              << std::strerror(cause) << '\n';
    return mapsheet::cli::kExitUsage;
}
#endif

// Which command runs, with the streams it is given.
int dispatch(const std::string& command, const mapsheet::cli::Arguments& arguments) {
    if (command == "number") {
        return mapsheet::cli::runNumberCommand(arguments, std::cin, std::cout, std::cerr);
    }
    if (command == "angle") {
        return mapsheet::cli::runAngleCommand(arguments, std::cout, std::cerr);
    }
    if (command == "neighbours") {
        return mapsheet::cli::runNeighboursCommand(arguments, std::cin, std::cout, std::cerr);
    }
    if (command == "parent") {
        return mapsheet::cli::runParentCommand(arguments, std::cin, std::cout, std::cerr);
    }
    if (command == "children") {
        return mapsheet::cli::runChildrenCommand(arguments, std::cin, std::cout, std::cerr);
    }
#ifndef MAPSHEET_CLI_HANDS_OVER
    if (command == "sheet") {
        return mapsheet::cli::runSheetCommand(arguments, std::cin, std::cout, std::cerr);
    }
    if (command == "cover") {
        return mapsheet::cli::runCoverCommand(arguments, std::cout, std::cerr);
    }
    if (command == "square") {
        return mapsheet::cli::runSquareCommand(arguments, std::cin, std::cout, std::cerr);
    }
    if (command == "uncompact") {
        return mapsheet::cli::runUncompactCommand(arguments, std::cin, std::cout, std::cerr);
    }
#endif
    std::cerr << "mapsheet-cli: unknown command '" << command << "'\n\n" << kUsage;
    return mapsheet::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    using mapsheet::cli::finishOutput;
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        std::cerr << kUsage;
        return mapsheet::cli::kExitUsage;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        if (!mapsheet::batch::writeChecked(std::cout, kUsage, std::cerr)) {
            return mapsheet::cli::kExitWriteFailed;
        }
        return finishOutput(std::cout, std::cerr, mapsheet::cli::kExitSuccess);
    }
    if (command == "--version") {
        std::cout << "mapsheet-cli " << MAPSHEET_VERSION << '\n';
        return finishOutput(std::cout, std::cerr, mapsheet::cli::kExitSuccess);
    }
    const mapsheet::cli::Arguments arguments(argv + 2, argv + argc);
#ifdef MAPSHEET_CLI_HANDS_OVER
    if (!runsHere(command, arguments)) {
        return handOver(argv);
    }
#endif
    const int status = dispatch(command, arguments);
    // A command that found its output failing has said so already; for the others, the last
    // flush is the check that everything they wrote arrived.
    if (status == mapsheet::cli::kExitWriteFailed) {
        return status;
    }
    return finishOutput(std::cout, std::cerr, status);
}
