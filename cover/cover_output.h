#pragma once

// Where the rows of a cover go (cover/cover_source.h), and the CSV writer of them.
//
// A CoverOutput takes the rows one at a time and is finished once; add and finish return false
// when the output failed, error() then says why ("cannot write 'a.csv': No space left on
// device"). GIS layers of covers are in gis/cover_layer_output.h.
//
// CoverCsvOutput writes the layout's CSV header and then each row's record to a stream, in
// blocks of 64 KiB, so that a cover of millions of sheets takes no more memory than one block.

#include <iosfwd>
#include <string>

#include "cover/cover_source.h"

namespace mapsheet::cover {

class CoverOutput {
  public:
    virtual ~CoverOutput() = default;
    virtual bool add(const CoverRow& row) = 0;
    virtual bool finish() = 0;
    const std::string& error() const { return error_; }

  protected:
    std::string error_;
};

class CoverCsvOutput : public CoverOutput {
  public:
    // target names the output in messages ("'a.csv'"); empty for "the output". The stream must
    // outlive the writer.
    CoverCsvOutput(std::ostream& out, const CoverLayout& layout, std::string target = {});

    bool add(const CoverRow& row) override;
    // Writes what is left and flushes.
    bool finish() override;

  protected:
    // Sets error() from errno and the target; returns false.
    bool failed();

  private:
    bool flush();

    std::ostream& out_;
    std::string target_;
    std::string records_;
};

}  // namespace mapsheet::cover
