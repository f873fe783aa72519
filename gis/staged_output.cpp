#include "gis/staged_output.h"

#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace mapsheet::gis {

namespace fs = std::filesystem;

std::optional<StagedOutput> StagedOutput::create(const std::string& target, std::string& error) {
    const fs::path path(target);
    if (target.empty() || !path.has_filename()) {
        error = "'" + target + "' names no file";
        return std::nullopt;
    }
    std::error_code code;
    if (fs::is_directory(path, code)) {
        error = "'" + target + "' is a folder";
        return std::nullopt;
    }
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    // No dot of the file name in the folder's: GDAL's zip-based writers (XLSX) reach the file
    // through /vsizip/, which would take "out.xlsx" in the folder's name for the archive.
    std::string stem = path.filename().string();
    std::replace(stem.begin(), stem.end(), '.', '_');
    std::string pattern = (parent / ("." + stem + "-partial-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        error = "cannot write beside '" + target + "': " + std::strerror(errno);
        return std::nullopt;
    }
    std::string folder(buffer.data());
    std::string staging = (fs::path(folder) / path.filename()).string();
    return StagedOutput(target, std::move(folder), std::move(staging));
}

StagedOutput::StagedOutput(std::string target, std::string folder, std::string stagingPath)
    : target_(std::move(target)),
      folder_(std::move(folder)),
      stagingPath_(std::move(stagingPath)) {}

StagedOutput::StagedOutput(StagedOutput&& other) noexcept
    : target_(std::move(other.target_)),
      folder_(std::exchange(other.folder_, std::string())),
      stagingPath_(std::move(other.stagingPath_)) {}

StagedOutput::~StagedOutput() {
    discard();
}

void StagedOutput::discard() noexcept {
    if (folder_.empty()) {
        return;
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    folder_.clear();
}

bool StagedOutput::commit(std::string& error) {
    const fs::path destination =
        fs::path(target_).has_parent_path() ? fs::path(target_).parent_path() : fs::path(".");
    std::error_code code;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, code)) {
        fs::rename(entry.path(), destination / entry.path().filename(), code);
        if (code) {
            error = "cannot move the finished file to '" +
                    (destination / entry.path().filename()).string() + "': " + code.message();
            discard();
            return false;
        }
    }
    if (code) {
        error = "cannot read the staging folder of '" + target_ + "': " + code.message();
        discard();
        return false;
    }
    discard();
    return true;
}

}  // namespace mapsheet::gis
