#pragma once

// Reading a latitude or longitude typed for batch work.
//
// Accepted: decimal degrees ("39.979", "-117.5") and marked degree-minute-second text read
// through the library's angle reading: "39°58′45″", "39°58′45.5″", the ASCII forms
// "39d58'45\"" and "39:58:45", each with an optional leading "-" that makes the whole angle
// negative. The value is converted exactly in the decimal type and only then rounded to the
// nearest double, so a sheet corner typed as text lands on the double nearest the corner.

#include <optional>
#include <string>
#include <string_view>

namespace mapsheet {

struct AngleReading {
    std::optional<double> degrees;  // decimal degrees, when the text is an angle
    std::string error;              // why the text is no angle, when it is not
};

AngleReading readAngleDegrees(std::string_view text);

}  // namespace mapsheet
