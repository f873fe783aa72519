#pragma once

// A file written under a temporary name and moved into place only when it is complete.
//
// The staging folder is created beside the target (same folder, so the moves are renames on
// one file system) with a unique hidden name. The writer creates its file, under the target's
// own file name, inside it; commit() renames every file found in the staging folder into the
// target's folder (a Shapefile's .shx, .dbf, .prj and .cpg travel with the .shp), replacing
// files of the same names, and removes the folder. Without a commit, destruction removes the
// staging folder and everything in it, and the target's folder is left as it was.

#include <optional>
#include <string>

namespace mapsheet::gis {

class StagedOutput {
  public:
    // nullopt with error set when the target names no file or its folder cannot take one.
    static std::optional<StagedOutput> create(const std::string& target, std::string& error);

    StagedOutput(StagedOutput&& other) noexcept;
    StagedOutput& operator=(StagedOutput&&) = delete;
    StagedOutput(const StagedOutput&) = delete;
    ~StagedOutput();

    // Where the writer creates its file.
    const std::string& stagingPath() const { return stagingPath_; }

    // Moves the staged files into place; false with error set when a move failed.
    bool commit(std::string& error);

  private:
    StagedOutput(std::string target, std::string folder, std::string stagingPath);
    void discard() noexcept;

    std::string target_;
    std::string folder_;  // empty once committed or discarded
    std::string stagingPath_;
};

}  // namespace mapsheet::gis
