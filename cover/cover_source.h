#pragma once

// The one interface of every cover: the sheets an area holds at a scale, one at a time, each
// written as a CSV record and as a GIS feature, and counted before anything is written.
//
// A source describes its rows once (CoverLayout: the CSV header, the text fields of the GIS
// layer, whether its frames are plane coordinates) and then, after each next() that returned
// true, the current sheet as a CoverRow. Two implementations: graticule sheets
// (cover/graticule_source.h) and the square sheets of a Gauss-Kruger system
// (projection/square_cover_source.h). The outputs (cover/cover_output.h) know nothing else of
// them.
//
// The --max-sheets rule: a cover of more sheets than the limit is refused before anything is
// written, with one message for every source (maxSheetsRefusal).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/geographic_point.h"

namespace mapsheet::cover {

struct CoverLayout {
    std::string csvHeader;            // the header line, newline included
    std::vector<std::string> fields;  // the text fields of a GIS layer, in order
    bool projected = false;           // frames in metres of a plane, not longitude/latitude
    int geoJsonDecimals = 12;         // what a GeoJSON layer of the frames needs
};

// The rectangle of a sheet: latitude/longitude degrees, or northings (south, north) and
// eastings (west, east) in metres for a projected layout.
struct SheetFrame {
    double south = 0;
    double west = 0;
    double north = 0;
    double east = 0;
};

class CoverRow {
  public:
    virtual ~CoverRow() = default;
    // Appends the CSV record, newline included.
    virtual void appendCsvRecord(std::string& records) const = 0;
    // The values of the layout's fields; an empty value is null.
    virtual void fieldValues(std::vector<std::string>& values) const = 0;
    virtual SheetFrame frame() const = 0;
    // A projected layout's sheet outlined in longitude/latitude for the formats that take no
    // other CRS; empty with error set when it cannot be. A geographic layout's is its frame.
    virtual engine::GeographicRing geographicOutline(std::string& error) const;
};

struct CoverCount {
    std::uint64_t sheets = 0;
    bool atLeast = false;  // counting stopped early: the cover has more than this many
};

class CoverSource : public CoverRow {
  public:
    virtual const CoverLayout& layout() const = 0;
    // Moves to the next sheet, rows from the north-west; false after the last.
    virtual bool next() = 0;
    // nullopt when the cover has at most limit sheets, else how many it has: exactly where the
    // source knows without producing them, else the count stopped above the limit (atLeast).
    // Does not move the source.
    virtual std::optional<CoverCount> countAbove(std::uint64_t limit) const = 0;
    // Whether countAbove counts without producing the sheets (a box or a sheet of graticule
    // sheets, not compact), so that a progress line can show the share written.
    virtual bool countsAhead() const { return false; }
};

// Empty when the source has at most limit sheets, else the refusal: "the cover would have
// 857,088 sheets, more than --max-sheets 1,000 allows" ("more than 1,000 sheets" when the
// count stopped early).
std::string maxSheetsRefusal(const CoverSource& source, std::uint64_t limit);

// The refusal of a cover of count sheets beyond limit, the limit named as the front end names
// it ("--max-sheets", or "max_sheets" in Python).
std::string sheetLimitRefusal(const CoverCount& count, std::uint64_t limit,
                              std::string_view limitName);

}  // namespace mapsheet::cover
