#pragma once

// Walking the elements of an N-dimensional NumPy array of any strides in C order, from any flat
// index: the arrays the module reads may be views (slices, transposes, broadcasts with stride 0).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mapsheet::python {

// The shape and byte strides of one array; element (i0, i1, ...) lies at
// data + sum(ik * strides[k]).
struct StridedLayout {
    const char* data = nullptr;
    std::vector<std::ptrdiff_t> shape;
    std::vector<std::ptrdiff_t> strides;
};

class StridedWalk {
  public:
    // Starts at the element of flat C-order index start (below the element count); an array
    // without elements gives a walk that must not be read.
    StridedWalk(const StridedLayout& layout, std::size_t start) : layout_(layout) {
        index_.assign(layout.shape.size(), 0);
        pointer_ = layout.data;
        if (std::find(layout.shape.begin(), layout.shape.end(), 0) != layout.shape.end()) {
            return;
        }
        for (std::size_t k = layout.shape.size(); k-- > 0;) {
            const auto extent = static_cast<std::size_t>(layout.shape[k]);
            index_[k] = static_cast<std::ptrdiff_t>(start % extent);
            start /= extent;
            pointer_ += index_[k] * layout.strides[k];
        }
    }

    const char* pointer() const { return pointer_; }

    void advance() {
        for (std::size_t k = index_.size(); k-- > 0;) {
            pointer_ += layout_.strides[k];
            if (++index_[k] < layout_.shape[k]) {
                return;
            }
            pointer_ -= index_[k] * layout_.strides[k];
            index_[k] = 0;
        }
    }

  private:
    const StridedLayout& layout_;
    std::vector<std::ptrdiff_t> index_;
    const char* pointer_;
};

}  // namespace mapsheet::python
