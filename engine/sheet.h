#pragma once

// One sheet of the national basic-scale topographic map series as a value, and the pure
// functions on it: the sheet of a point, its exact bounds, its two written numbers, its
// neighbours, the sheets above and below it in scale.
//
// Units. Every sheet edge at the twelve scales is a whole multiple of 1/8 arc-second
// (kUnitsPerDegree units to the degree): the 1:500 sheet is 50 units high and 75 wide below
// 60 degrees. Bounds are therefore exact as integers of these units, as D°M′S″ text with at most
// three decimals of seconds, and as decimal degrees rounded to 12 places.
//
// Line rule. A point's coordinates are first placed on the unit lattice: a coordinate within
// kLineToleranceDegrees (1e-10 degree) of a whole unit is taken as on it. Every decision that
// follows (hemisphere, row, zone, codes, series limits, at every scale and in both numberings)
// is then taken on that one placed value, so no two computations can disagree about a point
// near a line. A point on a parallel belongs to the sheet farther from the equator (the equator
// itself to the northern row A); a point on a meridian to the sheet east of it. A point that
// lands on the 180 degree meridian has no sheet, exactly like 180 itself.
//
// Series. A point has a sheet when -88 < latitude < 88 and -180 <= longitude < 180 after
// placement; NaN and infinities never do. The zone width follows the 1:1,000,000 row: 6 degrees
// for rows A..O, 12 for P..S, 24 for T..V (latitude 60 and -60 both lie in row P, width 12);
// zones count sheets of that width eastwards from 180 W (60, 30 or 15 of them). Each scale
// divides the 1:1,000,000 sheet into divisions x divisions sheets whatever the zone width.
//
// Codes. Row codes count from 1 at the northern edge of the 1:1,000,000 sheet, column codes
// from 1 at its western edge, in both hemispheres.
//
// Everything here is pure: values in, values out, no process-wide state, no allocation, safe to
// call from several threads at once.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/scale_catalogue.h"

namespace mapsheet::engine {

inline constexpr std::int32_t kUnitsPerDegree = 28800;  // 1/8 arc-second

// The sheet of one scale, independent of how it is written.
struct Sheet {
    std::int8_t scale = 0;        // catalogue index: 0 = 1:1,000,000 .. 11 = 1:500
    bool southern = false;        // "S" before the row letter
    std::int8_t row = 1;          // 1:1,000,000 row from the equator, 1 = A .. 22 = V
    std::int8_t zone = 1;         // 1 .. 60, 30 or 15 by the row's zone width
    std::int16_t rowCode = 1;     // 1 .. divisions, 1 = northernmost
    std::int16_t columnCode = 1;  // 1 .. divisions, 1 = westernmost

    friend bool operator==(const Sheet&, const Sheet&) = default;
};

// Edges in units of 1/8 arc-second, north and east positive; south < north, west < east.
struct UnitBounds {
    std::int32_t south = 0;
    std::int32_t west = 0;
    std::int32_t north = 0;
    std::int32_t east = 0;
};

// Edges in decimal degrees, each the nearest double of the exact edge rounded to 12 places.
struct DegreeBounds {
    double south = 0;
    double west = 0;
    double north = 0;
    double east = 0;
};

// Row letter index 1..22 of 'A'..'V'.
inline constexpr int kBaseRowCount = 22;

// 6, 12 or 24: the zone width of the 1:1,000,000 row (1..22) from the equator.
constexpr int zoneWidthOfRow(int row) {
    return row <= 15 ? 6 : (row <= 19 ? 12 : 24);
}
// The first row (1..22) whose zones are width degrees wide: 1 for 6, 16 (P) for 12, 20 (T) for
// 24; 22 for a width no row has.
constexpr int firstRowOfZoneWidth(int width) {
    int row = 1;
    while (row < kBaseRowCount && zoneWidthOfRow(row) != width) {
        ++row;
    }
    return row;
}
// 60, 30 or 15 zones in the row.
constexpr int zoneCountOfRow(int row) {
    return 360 / zoneWidthOfRow(row);
}

// Whether the fields name a sheet of the series: scale 0..11, row 1..22, zone within the row's
// zones, codes within the scale's divisions (1 and 1 at 1:1,000,000).
bool isValid(const Sheet& sheet) noexcept;

// The sheet of the scale that holds the point; nullopt when the point has no sheet or the
// scale index is outside 0..11.
std::optional<Sheet> sheetOf(double latitude, double longitude, int scale) noexcept;

// The same sheet written into sheet, for numbering many points: true when the point has one (sheet
// is then set), false when it has none (sheet is then left as it was). A returned optional is
// built in memory and read back at once, which stalls the processor.
bool findSheet(double latitude, double longitude, int scale, Sheet& sheet) noexcept;

// A coordinate placed on the unit lattice as the line rule says: a value within the tolerance
// of a whole unit becomes that unit exactly. Latitude and longitude both in degrees; the result
// is in units (not rounded otherwise). NaN stays NaN.
double placedUnits(double degrees) noexcept;

// A value of the half-unit lattice (1/16 arc-second: every sheet edge and every sheet centre
// lies on it) in decimal degrees rounded to 12 places, as a whole number of 1e-12 degree. The
// one rounding behind degreeBounds and every edge or centre written in decimal degrees. Exact
// and never a tie: the lattice's denominator 57600 has the factor 9, so no value lies half-way.
// |halfUnits| at most 2^28 (the series needs below 2^24).
constexpr std::int64_t picodegreesOfHalfUnits(std::int64_t halfUnits) noexcept {
    // degrees * 10^12 = halfUnits * 10^12 / 57600 = halfUnits * 10^10 / 576.
    constexpr std::int64_t kScale = 10'000'000'000;
    constexpr std::int64_t kDivisor = 576;
    const std::int64_t magnitude = halfUnits < 0 ? -halfUnits : halfUnits;
    const std::int64_t rounded = (2 * magnitude * kScale + kDivisor) / (2 * kDivisor);
    return halfUnits < 0 ? -rounded : rounded;
}

// picodegreesOfHalfUnits as the nearest double of its decimal value.
double degreesOfHalfUnits(std::int64_t halfUnits) noexcept;

UnitBounds unitBounds(const Sheet& sheet) noexcept;
DegreeBounds degreeBounds(const Sheet& sheet) noexcept;

// The room of a short text: a written sheet number or an edge as D°M′S″. What does not fit it
// is cut off.
inline constexpr std::size_t kShortTextRoom = 40;

// Writing a short text in place, into kShortTextRoom bytes from data: an InlineText's own or a
// caller's output buffer, so that a batch writes each sheet number straight where it goes.
class TextAt {
  public:
    explicit TextAt(char* data, std::size_t size = 0) : data_(data), size_(size) {}
    std::size_t size() const { return size_; }
    void push(char c) noexcept {
        if (size_ < kShortTextRoom) {
            data_[size_++] = c;
        }
    }
    void push(std::string_view piece) noexcept {
        const std::size_t length = std::min(piece.size(), kShortTextRoom - size_);
        for (std::size_t i = 0; i < length; ++i) {
            data_[size_ + i] = piece[i];
        }
        size_ += length;
    }
    // The decimal digits of value, with zeros before them up to minDigits (at most 16 characters).
    void pushNumber(int value, int minDigits = 1) noexcept;

  private:
    char* data_;
    std::size_t size_;
};

// A short text held inline.
class InlineText {
  public:
    std::string_view view() const { return {data_.data(), size_}; }
    bool empty() const { return size_ == 0; }
    void push(char c) noexcept {
        write([c](TextAt& text) { text.push(c); });
    }
    void push(std::string_view piece) noexcept {
        write([piece](TextAt& text) { text.push(piece); });
    }
    void pushNumber(int value, int minDigits = 1) noexcept {
        write([=](TextAt& text) { text.pushNumber(value, minDigits); });
    }
    // Runs write(TextAt&) to write after the text held.
    template <class Write>
    void write(const Write& write) noexcept {
        TextAt text(data_.data(), size_);
        write(text);
        size_ = text.size();
    }

  private:
    std::array<char, kShortTextRoom> data_{};
    std::size_t size_ = 0;
};

// The two numbers below written in place, after what text holds.
void writeNewNumber(TextAt& text, const Sheet& sheet) noexcept;
void writeOldNumber(TextAt& text, const Sheet& sheet) noexcept;

// The new-standard number: K50 at 1:1,000,000, K50E003005, SH50D001012, four-digit codes at
// 1:1000 and 1:500 (K50J11521152). At 1:200,000, which the new standard does not have, the code
// of the same 6 x 6 division (K50R003004).
InlineText newNumber(const Sheet& sheet) noexcept;

// The pre-1992 number: K-50, K-50-D, K-50-[11], K-50-(1), K-50-104, K-50-104-A, K-50-104-A-1,
// K-50-104-(1); at 1:5000 the historical form K-50-104-(1)-a (the 1:10,000 sheet divided 2 x 2,
// a b / c d from the north-west); empty at 1:2000 and finer.
InlineText oldNumber(const Sheet& sheet) noexcept;

// An edge in units as D°M′S″ text without sign, seconds with at most three decimals and no
// trailing zeros ("39°58′45″", "117°1′52.5″", "0°0′9.375″"); a negative value gets "-".
InlineText unitsAsDms(std::int32_t units) noexcept;

// The eight neighbours, named by compass direction.
enum class Direction : std::uint8_t {
    North,
    NorthEast,
    East,
    SouthEast,
    South,
    SouthWest,
    West,
    NorthWest
};

// The sheet holding the point one sheet height (and/or width) away from the sheet's centre in
// that direction; nullopt beyond the series (no wrapping across 180 degrees).
std::optional<Sheet> neighbour(const Sheet& sheet, Direction direction) noexcept;

// The sheet of the coarser (or the same) scale that contains the sheet; nullopt when
// coarserScale is finer than the sheet's scale or outside 0..11.
std::optional<Sheet> containing(const Sheet& sheet, int coarserScale) noexcept;

// How many sheets of the finer (or the same) scale lie along each side of a sheet of the
// coarse one: the ratio of their divisions; 0 when the finer grid does not nest in the coarse
// one (1:250,000 in 1:200,000, or a coarser finerScale) or either index is outside 0..11.
int divisionRatio(int coarseScale, int finerScale) noexcept;

// The sheet of the finer scale at row and column (0-based from the north-west) inside the
// sheet; the caller keeps the indices below divisionRatio.
Sheet childAt(const Sheet& sheet, int finerScale, int rowFromNorth, int columnFromWest) noexcept;

}  // namespace mapsheet::engine
