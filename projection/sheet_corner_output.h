#pragma once

// The records of `mapsheet-cli sheet --corners`: the sheet records of batch/sheet_output.h with
// the corner fields of projection/sheet_corner_fields.h, in the zone chosen. A sheet that zone
// does not reach becomes an error row saying why (projection/sheet_corners.h cornerZoneError),
// and refusedAnySheet() is then true.

#include <iosfwd>

#include "batch/sheet_output.h"
#include "projection/sheet_corners.h"

namespace mapsheet::projection {

class SheetCornerOutput final : public batch::SheetTextOutput {
  public:
    SheetCornerOutput(bool json, const CornerZone& zone, std::ostream& out, std::ostream& err);

    bool refusedAnySheet() const override { return refusedAnySheet_; }

  private:
    void appendRecord(std::string& records, std::string_view input,
                      const engine::ParsedSheet& parsed) override;

    CornerZone zone_;
    bool refusedAnySheet_ = false;
};

}  // namespace mapsheet::projection
