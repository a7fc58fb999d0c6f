// The string grid's cells: a row takes storage at its first write, objects only where a row holds one, and
// rows written far past the others wait in an ordered map so that one distant write costs one row and
// growing the table takes in only the far rows it reaches. Batch changes move rows, never copy them.
#include <algorithm>

#include "vcl/GridStore.h"

namespace {

const AnsiString EmptyText;

// Rows at most this far past the stored ones join the dense table; farther ones go to the map.
constexpr std::size_t DenseSlack = 1024;

std::size_t Index(Integer Value) { return static_cast<std::size_t>(Value); }

}  // namespace

const AnsiString& TGridCellStore::TRowBlock::Text(Integer ACol, Integer Index) const {
    const auto& texts = rows_[static_cast<std::size_t>(Index)].Texts;
    return static_cast<std::size_t>(ACol) < texts.size() ? texts[static_cast<std::size_t>(ACol)] : EmptyText;
}

TObject* TGridCellStore::TRowBlock::Object(Integer ACol, Integer Index) const {
    const auto& objects = rows_[static_cast<std::size_t>(Index)].Objects;
    if (!objects || static_cast<std::size_t>(ACol) >= objects->size()) return nullptr;
    return (*objects)[static_cast<std::size_t>(ACol)];
}

const TGridCellStore::TRowCells* TGridCellStore::FindRow(Integer ARow) const {
    if (Index(ARow) < rows_.size()) return &rows_[Index(ARow)];
    auto found = far_.find(ARow);
    return found == far_.end() ? nullptr : &found->second;
}

TGridCellStore::TRowCells* TGridCellStore::FindRow(Integer ARow) {
    return const_cast<TRowCells*>(static_cast<const TGridCellStore*>(this)->FindRow(ARow));
}

TGridCellStore::TRowCells& TGridCellStore::RowFor(Integer ARow) {
    const auto row = Index(ARow);
    if (row < rows_.size()) return rows_[row];
    if (row > rows_.size() + std::max(DenseSlack, rows_.size())) return far_[ARow];
    Cover(ARow);
    return rows_[row];
}

void TGridCellStore::Cover(Integer ARow) {
    const auto row = Index(ARow);
    if (row < rows_.size()) return;
    rows_.resize(row + 1);
    // Only the far rows the table now reaches move into it.
    const auto end = far_.upper_bound(ARow);
    for (auto it = far_.begin(); it != end; ++it) rows_[Index(it->first)] = std::move(it->second);
    far_.erase(far_.begin(), end);
}

void TGridCellStore::ShiftFar(Integer From, Integer Delta) {
    if (Delta == 0) return;
    std::vector<decltype(far_)::node_type> moving;
    for (auto it = far_.lower_bound(From); it != far_.end();) moving.push_back(far_.extract(it++));
    for (auto& node : moving) {
        node.key() += Delta;
        far_.insert(far_.end(), std::move(node));
    }
}

void TGridCellStore::Forget(TRowCells& Row) {
    if (Row.Objects) --objectRows_;
    Row = {};
}

template <typename Edit>
void TGridCellStore::ForEachRow(Edit&& edit) {
    for (TRowCells& row : rows_) edit(row);
    for (auto& [index, row] : far_) edit(row);
}

const AnsiString& TGridCellStore::Text(Integer ACol, Integer ARow) const {
    const TRowCells* row = FindRow(ARow);
    if (!row || Index(ACol) >= row->Texts.size()) return EmptyText;
    return row->Texts[Index(ACol)];
}

TObject* TGridCellStore::Object(Integer ACol, Integer ARow) const {
    const TRowCells* row = FindRow(ARow);
    if (!row || !row->Objects || Index(ACol) >= row->Objects->size()) return nullptr;
    return (*row->Objects)[Index(ACol)];
}

bool TGridCellStore::SetText(Integer ACol, Integer ARow, const AnsiString& Value, Integer Width) {
    const auto col = Index(ACol);
    TRowCells* row = FindRow(ARow);
    if (row && col < row->Texts.size()) {
        if (row->Texts[col] == Value) return false;
        row->Texts[col] = Value;
        return true;
    }
    if (Value.empty()) return false;  // clearing never needs storage
    // Making room moves the stored texts, and Value may be one of them (a cell copied to another).
    AnsiString copy = Value;
    TRowCells& grown = RowFor(ARow);
    const std::size_t size = std::max(col + 1, grown.Texts.empty() ? Index(std::max(Width, 0)) : 0);
    grown.Texts.reserve(size);
    grown.Texts.resize(size);
    grown.Texts[col] = std::move(copy);
    return true;
}

void TGridCellStore::SetObject(Integer ACol, Integer ARow, TObject* Value) {
    const auto col = Index(ACol);
    if (!Value && !Object(ACol, ARow)) return;
    TRowCells& row = RowFor(ARow);
    if (!row.Objects) {
        row.Objects = std::make_unique<std::vector<TObject*>>();
        ++objectRows_;
    }
    if (col >= row.Objects->size()) row.Objects->resize(col + 1, nullptr);
    (*row.Objects)[col] = Value;
}

void TGridCellStore::TruncateRows(Integer RowCount) {
    if (rows_.size() > Index(RowCount)) {
        for (auto it = rows_.begin() + RowCount; it != rows_.end(); ++it) Forget(*it);
        rows_.resize(Index(RowCount));
    }
    for (auto it = far_.lower_bound(RowCount); it != far_.end();) {
        Forget(it->second);
        it = far_.erase(it);
    }
}

void TGridCellStore::TruncateCols(Integer ColCount) {
    const auto cols = Index(ColCount);
    ForEachRow([cols](TRowCells& row) {
        if (row.Texts.size() > cols) row.Texts.resize(cols);
        if (row.Objects && row.Objects->size() > cols) row.Objects->resize(cols);
    });
}

void TGridCellStore::InsertRows(Integer ARow, Integer ACount) {
    if (ACount <= 0) return;
    const auto at = Index(ARow), count = Index(ACount);
    if (at < rows_.size()) {
        const std::size_t old = rows_.size();
        rows_.resize(old + count);
        std::move_backward(rows_.begin() + ARow, rows_.begin() + static_cast<std::ptrdiff_t>(old), rows_.end());
        for (std::size_t i = at; i < at + count; ++i) rows_[i] = {};  // moved from: made plainly empty
    }
    ShiftFar(ARow, ACount);
}

void TGridCellStore::DeleteRows(Integer ARow, Integer ACount) {
    if (ACount <= 0) return;
    if (Index(ARow) < rows_.size()) {
        const auto first = rows_.begin() + ARow;
        const auto last = rows_.begin() + static_cast<std::ptrdiff_t>(std::min(rows_.size(), Index(ARow + ACount)));
        for (auto it = first; it != last; ++it) Forget(*it);
        rows_.erase(first, last);
    }
    const auto last = far_.lower_bound(ARow + ACount);
    for (auto it = far_.lower_bound(ARow); it != last;) {
        Forget(it->second);
        it = far_.erase(it);
    }
    ShiftFar(ARow + ACount, -ACount);
}

void TGridCellStore::MoveRow(Integer From, Integer To) {
    if (From == To) return;
    Cover(std::max(From, To));  // the span From..To lies in the table from here on
    auto first = rows_.begin();
    if (From < To) std::rotate(first + From, first + From + 1, first + To + 1);
    else std::rotate(first + To, first + From, first + From + 1);
}

void TGridCellStore::ExchangeRows(Integer A, Integer B) {
    if (A == B || (!FindRow(A) && !FindRow(B))) return;
    // The farther row first: making room for the nearer one never moves it.
    TRowCells& far = RowFor(std::max(A, B));
    TRowCells& near = RowFor(std::min(A, B));
    std::swap(far, near);
}

void TGridCellStore::PermuteRows(std::span<const Integer> Order) {
    if (Order.empty()) return;
    Cover(static_cast<Integer>(Order.size()) - 1);
    std::vector<TRowCells> permuted(Order.size());
    for (std::size_t i = 0; i < Order.size(); ++i) permuted[i] = std::move(rows_[Index(Order[i])]);
    std::move(permuted.begin(), permuted.end(), rows_.begin());
}

TGridCellStore::TRowBlock TGridCellStore::TakeRows(std::span<const Integer> Rows) {
    TRowBlock block;
    if (Rows.empty()) return block;
    block.rows_.reserve(Rows.size());
    // The table closes up in one pass from the first row taken.
    std::size_t next = 0, kept = Index(Rows.front());
    for (std::size_t i = kept; i < rows_.size(); ++i) {
        if (next < Rows.size() && Index(Rows[next]) == i) {
            block.rows_.push_back(std::move(rows_[i]));
            ++next;
        } else if (kept != i) {
            rows_[kept++] = std::move(rows_[i]);
        } else {
            ++kept;
        }
    }
    rows_.resize(kept);
    // Rows past the table: far ones leave the map, the others were empty.
    for (; next < Rows.size(); ++next) {
        auto found = far_.find(Rows[next]);
        block.rows_.emplace_back();
        if (found == far_.end()) continue;
        block.rows_.back() = std::move(found->second);
        far_.erase(found);
    }
    if (!far_.empty()) {
        decltype(far_) shifted;
        for (auto& [row, cells] : far_) {
            const auto before = std::lower_bound(Rows.begin(), Rows.end(), row) - Rows.begin();
            shifted.emplace_hint(shifted.end(), row - static_cast<Integer>(before), std::move(cells));
        }
        far_ = std::move(shifted);
    }
    for (const TRowCells& row : block.rows_)
        if (row.Objects) --objectRows_;
    return block;
}

void TGridCellStore::PutRows(std::span<const Integer> Rows, TRowBlock&& Block) {
    if (Rows.empty()) return;
    // Every row up to the last place lies in the table, so the far rows all move by the same count.
    if (Index(Rows.back()) >= rows_.size()) Cover(Rows.back());
    for (const TRowCells& row : Block.rows_)
        if (row.Objects) ++objectRows_;
    const std::size_t old = rows_.size();
    rows_.resize(old + Rows.size());
    std::size_t from = old, put = Rows.size();
    for (std::size_t to = rows_.size(); to-- > 0 && put > 0;) {
        if (Index(Rows[put - 1]) == to) rows_[to] = std::move(Block.rows_[--put]);
        else rows_[to] = std::move(rows_[--from]);
    }
    Block.rows_.clear();
    ShiftFar(static_cast<Integer>(old), static_cast<Integer>(Rows.size()));
}

void TGridCellStore::InsertCols(Integer ACol, Integer ACount) {
    if (ACount <= 0) return;
    const auto at = Index(ACol), count = Index(ACount);
    ForEachRow([at, count](TRowCells& row) {
        if (row.Texts.size() > at) row.Texts.insert(row.Texts.begin() + static_cast<std::ptrdiff_t>(at), count, {});
        if (row.Objects && row.Objects->size() > at)
            row.Objects->insert(row.Objects->begin() + static_cast<std::ptrdiff_t>(at), count, nullptr);
    });
}

void TGridCellStore::DeleteCols(Integer ACol, Integer ACount) {
    if (ACount <= 0) return;
    const auto at = Index(ACol), end = Index(ACol + ACount);
    auto cut = [at, end](auto& cells) {
        if (cells.size() <= at) return;
        cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(at),
                    cells.begin() + static_cast<std::ptrdiff_t>(std::min(end, cells.size())));
    };
    ForEachRow([&cut](TRowCells& row) {
        cut(row.Texts);
        if (row.Objects) cut(*row.Objects);
    });
}

void TGridCellStore::MoveCol(Integer From, Integer To) {
    const auto from = Index(From), to = Index(To);
    const std::size_t need = std::max(from, to) + 1;
    auto shift = [from, to, need](auto& cells) {
        if (cells.size() <= std::min(from, to)) return;  // nothing stored in the moving span
        if (cells.size() < need) cells.resize(need);
        const auto first = cells.begin();
        const auto f = static_cast<std::ptrdiff_t>(from), t = static_cast<std::ptrdiff_t>(to);
        if (from < to) std::rotate(first + f, first + f + 1, first + t + 1);
        else std::rotate(first + t, first + f, first + f + 1);
    };
    ForEachRow([&shift](TRowCells& row) {
        shift(row.Texts);
        if (row.Objects) shift(*row.Objects);
    });
}

void TGridCellStore::ForEachObject(const std::function<void(Integer, Integer, TObject*)>& Visit) const {
    Integer left = objectRows_;
    auto visit = [&Visit, &left](Integer ARow, const TRowCells& row) {
        if (!row.Objects) return;
        --left;
        for (std::size_t col = 0; col < row.Objects->size(); ++col)
            if (TObject* object = (*row.Objects)[col]) Visit(static_cast<Integer>(col), ARow, object);
    };
    for (std::size_t row = 0; row < rows_.size() && left > 0; ++row) visit(static_cast<Integer>(row), rows_[row]);
    for (auto it = far_.begin(); it != far_.end() && left > 0; ++it) visit(it->first, it->second);
}

std::size_t TGridCellStore::HeapBytes() const {
    auto rowBytes = [](const TRowCells& row) {
        std::size_t bytes = row.Texts.capacity() * sizeof(AnsiString);
        for (const AnsiString& text : row.Texts)
            if (text.capacity() > AnsiString().capacity()) bytes += text.capacity() + 1;
        if (row.Objects) bytes += sizeof(*row.Objects) + row.Objects->capacity() * sizeof(TObject*);
        return bytes;
    };
    std::size_t bytes = rows_.capacity() * sizeof(TRowCells);
    for (const TRowCells& row : rows_) bytes += rowBytes(row);
    for (const auto& [index, row] : far_)
        bytes += sizeof(std::pair<const Integer, TRowCells>) + 4 * sizeof(void*) + rowBytes(row);
    return bytes;
}
