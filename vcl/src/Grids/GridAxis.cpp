// The sizes of a grid's columns or rows with running totals (a Fenwick tree of the differences from the
// default size), so that positions and hit tests stay O(log n) at a million rows.
#include <algorithm>
#include <bit>

#include "vcl/Grids.h"

void TGridAxis::SetCount(Integer Value) {
    if (Value == count_) return;
    ++version_;
    count_ = Value;
    if (sizes_.empty()) return;
    sizes_.resize(static_cast<std::size_t>(count_), default_);
    Build();
}

void TGridAxis::Reset(Integer DefaultSize) {
    ++version_;
    default_ = DefaultSize;
    sizes_.clear();
    sizes_.shrink_to_fit();
    tree_.clear();
    tree_.shrink_to_fit();
}

Integer TGridAxis::Size(Integer Index) const {
    return sizes_.empty() ? default_ : sizes_[static_cast<std::size_t>(Index)];
}

void TGridAxis::SetSize(Integer Index, Integer Value) {
    const Integer old = Size(Index);
    if (old == Value) return;
    ++version_;
    if (sizes_.empty()) {
        sizes_.assign(static_cast<std::size_t>(count_), default_);
        tree_.assign(static_cast<std::size_t>(count_) + 1, 0);
    }
    sizes_[static_cast<std::size_t>(Index)] = Value;
    for (std::size_t i = static_cast<std::size_t>(Index) + 1; i < tree_.size(); i += i & (~i + 1))
        tree_[i] += Value - old;
}

void TGridAxis::Build() {
    tree_.assign(static_cast<std::size_t>(count_) + 1, 0);
    for (std::size_t i = 1; i < tree_.size(); ++i) {
        tree_[i] += sizes_[i - 1] - default_;
        const std::size_t parent = i + (i & (~i + 1));
        if (parent < tree_.size()) tree_[parent] += tree_[i];
    }
}

std::int64_t TGridAxis::Prefix(Integer Last) const {
    std::int64_t sum = 0;
    if (tree_.empty()) return sum;
    for (std::size_t i = static_cast<std::size_t>(Last); i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
}

std::int64_t TGridAxis::Span(Integer First, Integer Last, Integer LineWidth) const {
    if (Last <= First) return 0;
    return static_cast<std::int64_t>(Last - First) * (default_ + LineWidth) + Prefix(Last) - Prefix(First);
}

Integer TGridAxis::CellAt(Integer First, std::int64_t Offset, Integer LineWidth) const {
    if (Offset < 0) return First;
    const std::int64_t target = Offset + Span(0, First, LineWidth);
    const std::int64_t unit = default_ + LineWidth;
    if (tree_.empty()) {
        if (unit <= 0) return count_;
        return static_cast<Integer>(std::min<std::int64_t>(target / unit, count_));
    }
    // The most cells from the start whose total stays within the target: the next one holds it.
    std::size_t pos = 0;
    std::int64_t total = 0;
    for (std::size_t step = std::bit_floor(static_cast<std::size_t>(count_)); step > 0; step >>= 1) {
        const std::size_t next = pos + step;
        if (next >= tree_.size()) continue;
        const std::int64_t candidate = total + static_cast<std::int64_t>(step) * unit + tree_[next];
        if (candidate <= target) {
            pos = next;
            total = candidate;
        }
    }
    return static_cast<Integer>(pos);
}

void TGridAxis::Move(Integer From, Integer To) {
    if (sizes_.empty() || From == To) return;
    ++version_;
    auto first = sizes_.begin();
    if (From < To) std::rotate(first + From, first + From + 1, first + To + 1);
    else std::rotate(first + To, first + From, first + From + 1);
    Build();
}

std::size_t TGridAxis::HeapBytes() const {
    return sizes_.capacity() * sizeof(Integer) + tree_.capacity() * sizeof(std::int64_t);
}
