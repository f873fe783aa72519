#pragma once

// The area of `mapsheet-cli cover` from its command line: exactly one of
//
//   --bbox SOUTH,WEST,NORTH,EAST   a box (text/box_text.h)
//   --within FILE                  the polygons of a vector file (gis/polygon_file.h)
//   --within-sheet NUMBER          a sheet in either numbering
//
// as a cover::CoverArea, with the polygons' rings as read for the square cover, which follows
// them in its plane. Errors are usage errors "mapsheet-cli cover: ..."; a file that cannot be
// read is exit status 4.

#include <iosfwd>
#include <memory>
#include <optional>

#include "cli/command_line.h"
#include "cover/cover_area.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/polygon_area.h"
#endif

namespace mapsheet::cli {

inline constexpr Option kBboxOption{"--bbox", true};
inline constexpr Option kWithinOption{"--within", true};
inline constexpr Option kWithinSheetOption{"--within-sheet", true};

struct AreaInput {
    explicit AreaInput(cover::CoverArea given);
    cover::CoverArea area;
#ifdef MAPSHEET_HAVE_GDAL
    std::shared_ptr<const gis::PolygonArea> polygons;  // for Kind::Polygons
#endif
};

// Whether the line names exactly one area; false after writing "give exactly one of --bbox,
// --within and --within-sheet".
bool givesOneArea(const CommandLine& line, const CommandUsage& usage, std::ostream& err);

// The area the line names (givesOneArea must hold); nullopt after writing the error, with
// status set to the exit status.
std::optional<AreaInput> readCoverArea(const CommandLine& line, const CommandUsage& usage,
                                       std::ostream& err, int& status);

}  // namespace mapsheet::cli
