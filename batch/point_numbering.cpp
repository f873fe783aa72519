#include "batch/point_numbering.h"

#include "library/quoted_excerpt.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kNoSheet =
    "no sheet: the latitude must lie in -88 < LAT < 88 and the longitude in -180 <= LON < 180";

}  // namespace

void appendPointError(std::string& message, const PointNumbering& numbering,
                      std::string_view latitude, std::string_view longitude) {
    switch (numbering.fault) {
        case PointFault::None:
            return;
        case PointFault::NoSheet:
            message.append(kNoSheet);
            return;
        case PointFault::Latitude:
            message.append("latitude ");
            text::appendQuotedExcerpt(message, latitude);
            break;
        case PointFault::Longitude:
            message.append("longitude ");
            text::appendQuotedExcerpt(message, longitude);
            break;
    }
    message.append(": ").append(coordinateFaultText(numbering.coordinate));
}

}  // namespace mapsheet::cli
