#include "engine/compact_list.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>

#include "engine/compact_cover.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"

namespace mapsheet::engine {

namespace {

// Whether a coarser sheet of the chain above it is in the set.
bool hasAncestorIn(const Sheet& sheet, const std::set<std::int64_t>& ids) {
    for (int scale = compactParentScale(sheet.scale); scale >= 0;
         scale = compactParentScale(scale)) {
        if (const std::optional<Sheet> parent = parentOf(sheet, scale);
            parent && ids.count(sheetToId(*parent)) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<Sheet> compactSheets(const std::vector<Sheet>& sheets) {
    std::set<std::int64_t> ids;
    for (const Sheet& sheet : sheets) {
        ids.insert(sheetToId(sheet));
    }
    // From the finest scale up, so that a parent made at one scale can complete its own parent.
    for (int scale = kScaleCount - 1; scale > 0; --scale) {
        const int coarser = compactParentScale(scale);
        if (coarser < 0) {
            continue;
        }
        std::map<std::int64_t, std::uint64_t> childrenInList;  // parent id -> children present
        for (const std::int64_t id : ids) {
            const Sheet sheet = *idToSheet(id);
            if (sheet.scale == scale) {
                ++childrenInList[sheetToId(*parentOf(sheet, coarser))];
            }
        }
        for (const auto& [parentId, present] : childrenInList) {
            const Sheet parent = *idToSheet(parentId);
            SheetCover children = childrenOf(parent, scale);
            if (present != children.count()) {
                continue;
            }
            while (const std::optional<Sheet> child = children.next()) {
                ids.erase(sheetToId(*child));
            }
            ids.insert(parentId);
        }
    }
    std::vector<Sheet> result;
    for (const std::int64_t id : ids) {
        const Sheet sheet = *idToSheet(id);
        if (!hasAncestorIn(sheet, ids)) {
            result.push_back(sheet);
        }
    }
    return result;
}

}  // namespace mapsheet::engine
