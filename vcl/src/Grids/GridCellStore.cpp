// The string grid's cells: a row takes storage at its first write, objects only where a row holds one, and
// rows written far past the others wait in an ordered map so that one distant write costs one row and
// growing the table takes in only the far rows it reaches. A row is one allocation (its header and its
// texts) behind one pointer: batch changes move pointers, as a vector of row handles would.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include "IndexedMoves.h"
#include "vcl/GridStore.h"

namespace {

const AnsiString EmptyText;

// Rows at most this far past the stored ones join the dense table; farther ones go to the map.
constexpr std::size_t DenseSlack = 1024;

std::size_t Index(Integer Value) { return static_cast<std::size_t>(Value); }

}  // namespace

// One stored row: this header, then Capacity() texts of which the first Size() are alive.
class TGridRow {
public:
    TGridRow(const TGridRow&) = delete;
    TGridRow& operator=(const TGridRow&) = delete;

    // A row of Size empty texts.
    static TGridRow* Make(std::size_t Size) {
        TGridRow* row = Allocate(Size);
        std::uninitialized_value_construct_n(row->Texts(), Size);
        row->size_ = Size;
        return row;
    }
    static void Free(TGridRow* Row) noexcept {
        if (!Row) return;
        std::destroy_n(Row->Texts(), Row->size_);
        Row->~TGridRow();
        ::operator delete(Row);
    }
    // Makes Row hold Size texts: new ones empty, those past Size gone. May move the row: Row follows it.
    static void Resize(TGridRow*& Row, std::size_t Size) {
        if (Size > Row->capacity_) {
            TGridRow* grown = Allocate(std::max(Size, Row->capacity_ + Row->capacity_ / 2));
            std::uninitialized_move_n(Row->Texts(), Row->size_, grown->Texts());
            grown->size_ = Row->size_;
            grown->Objects = std::move(Row->Objects);
            Free(Row);
            Row = grown;
        }
        if (Size > Row->size_) std::uninitialized_value_construct_n(Row->Texts() + Row->size_, Size - Row->size_);
        else std::destroy_n(Row->Texts() + Size, Row->size_ - Size);
        Row->size_ = Size;
    }

    std::size_t Size() const { return size_; }
    AnsiString* Texts() { return reinterpret_cast<AnsiString*>(this + 1); }
    const AnsiString* Texts() const { return reinterpret_cast<const AnsiString*>(this + 1); }
    std::size_t Bytes() const { return sizeof(TGridRow) + capacity_ * sizeof(AnsiString); }

    std::unique_ptr<std::vector<TObject*>> Objects;  // only once the row holds an object

private:
    explicit TGridRow(std::size_t Capacity) : capacity_(Capacity) {}
    static TGridRow* Allocate(std::size_t Capacity) {
        void* memory = ::operator new(sizeof(TGridRow) + Capacity * sizeof(AnsiString));
        return new (memory) TGridRow(Capacity);
    }

    std::size_t size_ = 0;
    std::size_t capacity_;
};

static_assert(sizeof(TGridRow) % alignof(AnsiString) == 0, "the texts follow the header aligned");

// ---------------------------------------------------------------------------------------------------------

TGridCellStore::TRowBlock& TGridCellStore::TRowBlock::operator=(TRowBlock&& Other) noexcept {
    if (this == &Other) return *this;
    for (TGridRow* row : rows_) TGridRow::Free(row);
    rows_ = std::move(Other.rows_);
    objectRows_ = Other.objectRows_;
    Other.rows_.clear();
    Other.objectRows_ = 0;
    return *this;
}

TGridCellStore::TRowBlock::~TRowBlock() {
    for (TGridRow* row : rows_) TGridRow::Free(row);
}

const AnsiString& TGridCellStore::TRowBlock::Text(Integer ACol, Integer Index) const {
    const TGridRow* row = rows_[::Index(Index)];
    return row && ::Index(ACol) < row->Size() ? row->Texts()[ACol] : EmptyText;
}

TObject* TGridCellStore::TRowBlock::Object(Integer ACol, Integer Index) const {
    const TGridRow* row = rows_[::Index(Index)];
    if (!row || !row->Objects || ::Index(ACol) >= row->Objects->size()) return nullptr;
    return (*row->Objects)[::Index(ACol)];
}

TGridCellStore::TRowBlock TGridCellStore::TRowBlock::Split(std::span<const Integer> Indices) {
    TRowBlock part;
    part.rows_.reserve(Indices.size());
    ExtractAt(rows_, Indices, part.rows_);
    if (objectRows_ > 0) {
        CountObjectRows();
        part.CountObjectRows();
    }
    return part;
}

std::vector<TGridRowCells> TGridCellStore::TRowBlock::Release() {
    std::vector<TGridRowCells> rows(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) rows[i].row_ = rows_[i];
    rows_.clear();
    objectRows_ = 0;
    return rows;
}

void TGridCellStore::TRowBlock::Append(TGridRowCells&& Row) {
    rows_.push_back(Row.row_);
    if (std::exchange(Row.row_, nullptr) && rows_.back()->Objects) ++objectRows_;
}

void TGridCellStore::TRowBlock::CountObjectRows() {
    objectRows_ = static_cast<Integer>(
        std::count_if(rows_.begin(), rows_.end(), [](const TGridRow* row) { return row && row->Objects; }));
}

// ---------------------------------------------------------------------------------------------------------

TGridRowCells& TGridRowCells::operator=(TGridRowCells&& Other) noexcept {
    if (this != &Other) {
        TGridRow::Free(row_);
        row_ = std::exchange(Other.row_, nullptr);
    }
    return *this;
}

TGridRowCells::~TGridRowCells() { TGridRow::Free(row_); }

Integer TGridRowCells::Count() const {
    if (!row_) return 0;
    return static_cast<Integer>(std::max(row_->Size(), row_->Objects ? row_->Objects->size() : 0));
}

const AnsiString& TGridRowCells::Text(Integer ACol) const {
    return row_ && Index(ACol) < row_->Size() ? row_->Texts()[ACol] : EmptyText;
}

TObject* TGridRowCells::Object(Integer ACol) const {
    if (!row_ || !row_->Objects || Index(ACol) >= row_->Objects->size()) return nullptr;
    return (*row_->Objects)[Index(ACol)];
}

AnsiString TGridRowCells::TakeText(Integer ACol) {
    if (!row_ || Index(ACol) >= row_->Size()) return {};
    return std::move(row_->Texts()[ACol]);
}

void TGridRowCells::SetText(Integer ACol, AnsiString Value) {
    if (!row_ || Index(ACol) >= row_->Size()) {
        if (Value.empty()) return;  // clearing never needs storage
        if (!row_) row_ = TGridRow::Make(Index(ACol) + 1);
        else TGridRow::Resize(row_, Index(ACol) + 1);
    }
    row_->Texts()[ACol] = std::move(Value);
}

void TGridRowCells::SetObject(Integer ACol, TObject* Value) {
    if (!Value && !Object(ACol)) return;
    if (!row_) row_ = TGridRow::Make(0);
    if (!row_->Objects) row_->Objects = std::make_unique<std::vector<TObject*>>();
    if (Index(ACol) >= row_->Objects->size()) row_->Objects->resize(Index(ACol) + 1, nullptr);
    (*row_->Objects)[Index(ACol)] = Value;
}

// ---------------------------------------------------------------------------------------------------------

TGridCellStore::~TGridCellStore() {
    for (TGridRow* row : rows_) TGridRow::Free(row);
    for (auto& [index, row] : far_) TGridRow::Free(row);
}

TGridRow* TGridCellStore::FindRow(Integer ARow) const {
    if (Index(ARow) < rows_.size()) return rows_[Index(ARow)];
    auto found = far_.find(ARow);
    return found == far_.end() ? nullptr : found->second;
}

TGridRow*& TGridCellStore::SlotFor(Integer ARow) {
    const auto row = Index(ARow);
    if (row < rows_.size()) return rows_[row];
    if (row > rows_.size() + std::max(DenseSlack, rows_.size())) return far_[ARow];
    Cover(ARow);
    return rows_[row];
}

void TGridCellStore::Cover(Integer ARow) {
    const auto row = Index(ARow);
    if (row < rows_.size()) return;
    rows_.resize(row + 1, nullptr);
    // Only the far rows the table now reaches move into it.
    const auto end = far_.upper_bound(ARow);
    for (auto it = far_.begin(); it != end; ++it) rows_[Index(it->first)] = it->second;
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

void TGridCellStore::Forget(TGridRow*& Row) {
    if (Row && Row->Objects) --objectRows_;
    TGridRow::Free(Row);
    Row = nullptr;
}

template <typename Edit>
void TGridCellStore::ForEachRow(Edit&& edit) {
    for (TGridRow*& row : rows_)
        if (row) edit(row);
    for (auto& [index, row] : far_)
        if (row) edit(row);
}

const AnsiString& TGridCellStore::Text(Integer ACol, Integer ARow) const {
    const TGridRow* row = FindRow(ARow);
    if (!row || Index(ACol) >= row->Size()) return EmptyText;
    return row->Texts()[ACol];
}

TObject* TGridCellStore::Object(Integer ACol, Integer ARow) const {
    const TGridRow* row = FindRow(ARow);
    if (!row || !row->Objects || Index(ACol) >= row->Objects->size()) return nullptr;
    return (*row->Objects)[Index(ACol)];
}

const AnsiString& TGridCellStore::Cell(Integer ACol, Integer ARow, TObject*& Object) const {
    Object = nullptr;
    const TGridRow* row = FindRow(ARow);
    if (!row) return EmptyText;
    if (row->Objects && Index(ACol) < row->Objects->size()) Object = (*row->Objects)[Index(ACol)];
    return Index(ACol) < row->Size() ? row->Texts()[ACol] : EmptyText;
}

void TGridCellStore::Prefetch(Integer ARow, Integer FirstCol, Integer LastCol) const {
    if (Index(ARow) >= rows_.size()) return;
    const TGridRow* row = rows_[Index(ARow)];
    if (!row) return;
    __builtin_prefetch(row);
    if (FirstCol < 0 || LastCol < FirstCol) return;
    // The texts' lines, up to four; prefetching never faults, past the row's texts too.
    constexpr std::uintptr_t line = 64;
    const auto texts = reinterpret_cast<std::uintptr_t>(row->Texts());
    const std::uintptr_t first = (texts + Index(FirstCol) * sizeof(AnsiString)) & ~(line - 1);
    const std::uintptr_t last = texts + (Index(LastCol) + 1) * sizeof(AnsiString) - 1;
    for (std::uintptr_t at = first; at <= last && at < first + 4 * line; at += line)
        __builtin_prefetch(reinterpret_cast<const void*>(at));
}

void TGridCellStore::PrefetchPlace(Integer ARow) const {
    if (Index(ARow) < rows_.size()) __builtin_prefetch(&rows_[Index(ARow)]);
}

bool TGridCellStore::SetText(Integer ACol, Integer ARow, const AnsiString& Value, Integer Width) {
    const auto col = Index(ACol);
    TGridRow* row = FindRow(ARow);
    if (row && col < row->Size()) {
        AnsiString& text = row->Texts()[col];
        if (text == Value) return false;
        text = Value;
        return true;
    }
    if (Value.empty()) return false;  // clearing never needs storage
    // Making room moves the stored texts, and Value may be one of them (a cell copied to another).
    AnsiString copy = Value;
    TGridRow*& slot = SlotFor(ARow);
    const std::size_t size = std::max(col + 1, !slot || slot->Size() == 0 ? Index(std::max(Width, 0)) : 0);
    if (!slot) slot = TGridRow::Make(size);
    else TGridRow::Resize(slot, size);
    slot->Texts()[col] = std::move(copy);
    return true;
}

void TGridCellStore::SetObject(Integer ACol, Integer ARow, TObject* Value) {
    const auto col = Index(ACol);
    if (!Value && !Object(ACol, ARow)) return;
    TGridRow*& row = SlotFor(ARow);
    if (!row) row = TGridRow::Make(0);
    if (!row->Objects) {
        row->Objects = std::make_unique<std::vector<TObject*>>();
        ++objectRows_;
    }
    if (col >= row->Objects->size()) row->Objects->resize(col + 1, nullptr);
    (*row->Objects)[col] = Value;
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
    ForEachRow([cols](TGridRow*& row) {
        if (row->Size() > cols) TGridRow::Resize(row, cols);
        if (row->Objects && row->Objects->size() > cols) row->Objects->resize(cols);
    });
}

void TGridCellStore::InsertRows(Integer ARow, Integer ACount) {
    if (ACount <= 0) return;
    if (Index(ARow) < rows_.size()) rows_.insert(rows_.begin() + ARow, Index(ACount), nullptr);
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
    TGridRow*& far = SlotFor(std::max(A, B));
    TGridRow*& near = SlotFor(std::min(A, B));
    std::swap(far, near);
    // A far row exchanged with a missing one leaves an empty slot in the map.
    if (!far || !near) {
        const auto empty = far_.find(far ? std::min(A, B) : std::max(A, B));
        if (empty != far_.end() && !empty->second) far_.erase(empty);
    }
}

void TGridCellStore::PermuteRows(std::span<const Integer> Order) {
    if (Order.empty()) return;
    Cover(static_cast<Integer>(Order.size()) - 1);
    std::vector<TGridRow*> permuted(Order.size());
    for (std::size_t i = 0; i < Order.size(); ++i) permuted[i] = rows_[Index(Order[i])];
    std::copy(permuted.begin(), permuted.end(), rows_.begin());
}

TGridCellStore::TRowBlock TGridCellStore::TakeRows(std::span<const Integer> Rows) {
    TRowBlock block;
    if (Rows.empty()) return block;
    // The table closes up in one pass from the first row taken.
    block.rows_.reserve(Rows.size());
    ExtractAt(rows_, Rows, block.rows_, std::min(Index(Rows.front()), rows_.size()));
    std::size_t next = block.rows_.size();
    block.rows_.resize(Rows.size());
    // Rows past the table: far ones leave the map, the others were empty.
    for (; next < Rows.size(); ++next) {
        auto found = far_.find(Rows[next]);
        if (found == far_.end()) continue;
        block.rows_[next] = found->second;
        far_.erase(found);
    }
    if (!far_.empty()) {
        decltype(far_) shifted;
        for (auto& [row, cells] : far_) {
            const auto before = std::lower_bound(Rows.begin(), Rows.end(), row) - Rows.begin();
            shifted.emplace_hint(shifted.end(), row - static_cast<Integer>(before), cells);
        }
        far_ = std::move(shifted);
    }
    if (objectRows_ > 0) {
        block.CountObjectRows();
        objectRows_ -= block.objectRows_;
    }
    return block;
}

void TGridCellStore::PutRows(std::span<const Integer> Rows, TRowBlock&& Block) {
    if (Rows.empty()) return;
    // Every row up to the last place lies in the table, so the far rows all move by the same count.
    if (Index(Rows.back()) >= rows_.size() + Rows.size()) Cover(Rows.back() - static_cast<Integer>(Rows.size()));
    objectRows_ += Block.objectRows_;
    const std::size_t old = rows_.size();
    InsertAt(rows_, Rows, std::span<TGridRow* const>(Block.rows_));
    Block.rows_.clear();
    Block.objectRows_ = 0;
    ShiftFar(static_cast<Integer>(old), static_cast<Integer>(Rows.size()));
}

void TGridCellStore::InsertCols(Integer ACol, Integer ACount) {
    if (ACount <= 0) return;
    const auto at = Index(ACol), count = Index(ACount);
    ForEachRow([at, count](TGridRow*& row) {
        const std::size_t size = row->Size();
        if (size > at) {
            TGridRow::Resize(row, size + count);
            AnsiString* texts = row->Texts();
            std::move_backward(texts + at, texts + size, texts + size + count);
            std::fill(texts + at, texts + at + count, AnsiString());
        }
        if (row->Objects && row->Objects->size() > at)
            row->Objects->insert(row->Objects->begin() + static_cast<std::ptrdiff_t>(at), count, nullptr);
    });
}

void TGridCellStore::DeleteCols(Integer ACol, Integer ACount) {
    if (ACount <= 0) return;
    const auto at = Index(ACol), end = Index(ACol + ACount);
    ForEachRow([at, end](TGridRow*& row) {
        const std::size_t size = row->Size();
        if (size > at) {
            AnsiString* texts = row->Texts();
            std::move(texts + std::min(end, size), texts + size, texts + at);
            TGridRow::Resize(row, size - (std::min(end, size) - at));
        }
        auto& objects = row->Objects;
        if (objects && objects->size() > at)
            objects->erase(objects->begin() + static_cast<std::ptrdiff_t>(at),
                           objects->begin() + static_cast<std::ptrdiff_t>(std::min(end, objects->size())));
    });
}

void TGridCellStore::MoveCol(Integer From, Integer To) {
    const auto from = Index(From), to = Index(To);
    const std::size_t need = std::max(from, to) + 1;
    auto rotate = [from, to](auto first) {
        const auto f = static_cast<std::ptrdiff_t>(from), t = static_cast<std::ptrdiff_t>(to);
        if (from < to) std::rotate(first + f, first + f + 1, first + t + 1);
        else std::rotate(first + t, first + f, first + f + 1);
    };
    ForEachRow([&](TGridRow*& row) {
        if (row->Size() > std::min(from, to)) {  // something stored in the moving span
            if (row->Size() < need) TGridRow::Resize(row, need);
            rotate(row->Texts());
        }
        auto& objects = row->Objects;
        if (objects && objects->size() > std::min(from, to)) {
            if (objects->size() < need) objects->resize(need);
            rotate(objects->begin());
        }
    });
}

void TGridCellStore::ForEachObject(const std::function<void(Integer, Integer, TObject*)>& Visit) const {
    Integer left = objectRows_;
    auto visit = [&Visit, &left](Integer ARow, const TGridRow* row) {
        if (!row || !row->Objects) return;
        --left;
        for (std::size_t col = 0; col < row->Objects->size(); ++col)
            if (TObject* object = (*row->Objects)[col]) Visit(static_cast<Integer>(col), ARow, object);
    };
    for (std::size_t row = 0; row < rows_.size() && left > 0; ++row) visit(static_cast<Integer>(row), rows_[row]);
    for (auto it = far_.begin(); it != far_.end() && left > 0; ++it) visit(it->first, it->second);
}

std::size_t TGridCellStore::HeapBytes() const {
    auto rowBytes = [](const TGridRow* row) -> std::size_t {
        if (!row) return 0;
        std::size_t bytes = row->Bytes();
        for (std::size_t col = 0; col < row->Size(); ++col)
            if (const AnsiString& text = row->Texts()[col]; text.capacity() > AnsiString().capacity())
                bytes += text.capacity() + 1;
        if (row->Objects) bytes += sizeof(*row->Objects) + row->Objects->capacity() * sizeof(TObject*);
        return bytes;
    };
    std::size_t bytes = rows_.capacity() * sizeof(TGridRow*);
    for (const TGridRow* row : rows_) bytes += rowBytes(row);
    for (const auto& [index, row] : far_)
        bytes += sizeof(std::pair<const Integer, TGridRow*>) + 4 * sizeof(void*) + rowBytes(row);
    return bytes;
}

TGridTakenRows TGridTakenRows::Split(std::span<const Integer> Indices) {
    TGridTakenRows part;
    part.Rows.reserve(Indices.size());
    part.Heights.reserve(Indices.size());
    ExtractAt(Rows, Indices, part.Rows);
    ExtractAt(Heights, Indices, part.Heights);
    part.Cells = Cells.Split(Indices);
    return part;
}
