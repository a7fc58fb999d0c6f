// The sizes of a grid's columns or rows with running totals (a Fenwick tree of the differences from the
// default size), so that positions and hit tests stay O(log n) at a million rows.
#include <algorithm>
#include <bit>

#include "IndexedMoves.h"
#include "vcl/GridStore.h"

namespace {

std::size_t LowBit(std::size_t i) { return i & (~i + 1); }

}  // namespace

// Shrinking keeps the tree: its nodes up to the new count cover only cells below it. Growing adds the
// spine of the old count to the new parents, then the new nodes to theirs: O(added + log n).
void TGridAxis::SetCount(Integer Value) {
    if (Value == count_) return;
    ++version_;
    const auto oldCount = static_cast<std::size_t>(count_);
    count_ = Value;
    if (sizes_.empty()) return;
    const auto n = static_cast<std::size_t>(count_);
    if (n == 0) return Reset(default_);
    sizes_.resize(n, default_);
    tree_.resize(n + 1, 0);
    if (n <= oldCount) return;
    for (std::size_t i = oldCount; i > 0; i -= LowBit(i))
        if (const std::size_t parent = i + LowBit(i); parent <= n) tree_[parent] += tree_[i];
    for (std::size_t i = oldCount + 1; i <= n; ++i)
        if (const std::size_t parent = i + LowBit(i); parent <= n) tree_[parent] += tree_[i];
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

void TGridAxis::Materialize() {
    if (!sizes_.empty() || count_ == 0) return;
    sizes_.assign(static_cast<std::size_t>(count_), default_);
    tree_.assign(static_cast<std::size_t>(count_) + 1, 0);
}

void TGridAxis::SetSize(Integer Index, Integer Value) {
    const Integer old = Size(Index);
    if (old == Value) return;
    ++version_;
    Materialize();
    sizes_[static_cast<std::size_t>(Index)] = Value;
    for (std::size_t i = static_cast<std::size_t>(Index) + 1; i < tree_.size(); i += LowBit(i)) tree_[i] += Value - old;
}

void TGridAxis::Build() {
    if (sizes_.empty()) return tree_.clear();
    tree_.assign(static_cast<std::size_t>(count_) + 1, 0);
    for (std::size_t i = 1; i < tree_.size(); ++i) {
        tree_[i] += sizes_[i - 1] - default_;
        const std::size_t parent = i + LowBit(i);
        if (parent < tree_.size()) tree_[parent] += tree_[i];
    }
}

std::int64_t TGridAxis::Prefix(Integer Last) const {
    std::int64_t sum = 0;
    if (tree_.empty()) return sum;
    for (std::size_t i = static_cast<std::size_t>(Last); i > 0; i -= LowBit(i)) sum += tree_[i];
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

void TGridAxis::Insert(Integer Index, Integer ACount) {
    if (ACount <= 0) return;
    if (sizes_.empty() || Index == count_) return SetCount(count_ + ACount);
    ++version_;
    count_ += ACount;
    sizes_.insert(sizes_.begin() + Index, static_cast<std::size_t>(ACount), default_);
    Build();
}

void TGridAxis::Delete(Integer Index, Integer ACount) {
    if (ACount <= 0) return;
    if (sizes_.empty() || Index + ACount == count_) return SetCount(count_ - ACount);
    ++version_;
    count_ -= ACount;
    sizes_.erase(sizes_.begin() + Index, sizes_.begin() + Index + ACount);
    Build();
}

void TGridAxis::Move(Integer From, Integer To) {
    if (sizes_.empty() || From == To) return;
    ++version_;
    auto first = sizes_.begin();
    if (From < To) std::rotate(first + From, first + From + 1, first + To + 1);
    else std::rotate(first + To, first + From, first + From + 1);
    Build();
}

void TGridAxis::Exchange(Integer A, Integer B) {
    const Integer a = Size(A), b = Size(B);
    SetSize(A, b);
    SetSize(B, a);
}

void TGridAxis::Permute(std::span<const Integer> Order) {
    if (sizes_.empty()) return;
    ++version_;
    std::vector<Integer> permuted(sizes_.size());
    for (std::size_t i = 0; i < Order.size(); ++i) permuted[i] = sizes_[static_cast<std::size_t>(Order[i])];
    sizes_ = std::move(permuted);
    Build();
}

std::vector<Integer> TGridAxis::Take(std::span<const Integer> Indices) {
    std::vector<Integer> taken;
    taken.reserve(Indices.size());
    if (Indices.empty()) return taken;
    if (sizes_.empty()) {
        taken.assign(Indices.size(), default_);
        SetCount(count_ - static_cast<Integer>(Indices.size()));
        return taken;
    }
    ++version_;
    ExtractAt(sizes_, Indices, taken, static_cast<std::size_t>(Indices.front()));
    count_ = static_cast<Integer>(sizes_.size());
    Build();
    return taken;
}

void TGridAxis::Put(std::span<const Integer> Indices, std::span<const Integer> Sizes) {
    if (Indices.empty()) return;
    const bool allDefault = std::all_of(Sizes.begin(), Sizes.end(), [this](Integer s) { return s == default_; });
    if (sizes_.empty() && allDefault) return SetCount(count_ + static_cast<Integer>(Indices.size()));
    Materialize();
    ++version_;
    InsertAt(sizes_, Indices, Sizes);
    count_ = static_cast<Integer>(sizes_.size());
    Build();
}

std::size_t TGridAxis::HeapBytes() const {
    return sizes_.capacity() * sizeof(Integer) + tree_.capacity() * sizeof(std::int64_t);
}
