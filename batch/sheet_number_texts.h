#pragma once

// The numbers of a sheet as the rows of the relation commands write them: ",new,old".

#include <cstdint>
#include <string>
#include <vector>

#include "engine/sheet.h"

namespace mapsheet::batch {

// Appends ",new,old" of the sheet (the old number empty at 1:2000 and finer).
void appendNumbers(std::string& row, const engine::Sheet& sheet);

// appendNumbers for sheets that come again and again, as the rings of neighbours of nearby
// sheets do: the text of each sheet is kept in a table of the 65,536 last written (one place
// per sheet, by the low bits of its row and column), so that a sheet met in many rings is
// written out once.
// The same text as appendNumbers; about 4 MB.
class NumberTexts {
  public:
    NumberTexts();
    void append(std::string& row, const engine::Sheet& sheet);

  private:
    struct Entry {
        std::uint64_t key;  // the sheet's bytes; no sheet has them all set
        std::uint8_t size;
        char text[55];
    };
    std::vector<Entry> entries_;
};

}  // namespace mapsheet::batch
