// The string grid's cells: a row takes storage at its first write, objects only where a row holds one, and
// rows written far past the others wait in a map so that one distant write costs one row.
#include <algorithm>

#include "vcl/Grids.h"

namespace {

const AnsiString EmptyText;

// Rows at most this far past the stored ones join the dense table; farther ones go to the map.
constexpr std::size_t DenseSlack = 1024;

}  // namespace

const TGridCellStore::TRowCells* TGridCellStore::FindRow(Integer ARow) const {
    const auto row = static_cast<std::size_t>(ARow);
    if (row < rows_.size()) return &rows_[row];
    auto found = far_.find(ARow);
    return found == far_.end() ? nullptr : &found->second;
}

TGridCellStore::TRowCells* TGridCellStore::FindRow(Integer ARow) {
    return const_cast<TRowCells*>(static_cast<const TGridCellStore*>(this)->FindRow(ARow));
}

TGridCellStore::TRowCells& TGridCellStore::RowFor(Integer ARow) {
    const auto row = static_cast<std::size_t>(ARow);
    if (row < rows_.size()) return rows_[row];
    if (row > rows_.size() + std::max(DenseSlack, rows_.size())) return far_[ARow];
    Cover(ARow);
    return rows_[row];
}

void TGridCellStore::Cover(Integer ARow) {
    const auto row = static_cast<std::size_t>(ARow);
    if (row < rows_.size()) return;
    rows_.resize(row + 1);
    // Rows kept in the map that the table now covers move into it.
    for (auto it = far_.begin(); it != far_.end();) {
        if (static_cast<std::size_t>(it->first) <= row) {
            rows_[static_cast<std::size_t>(it->first)] = std::move(it->second);
            it = far_.erase(it);
        } else {
            ++it;
        }
    }
}

const AnsiString& TGridCellStore::Text(Integer ACol, Integer ARow) const {
    const TRowCells* row = FindRow(ARow);
    if (!row || static_cast<std::size_t>(ACol) >= row->Texts.size()) return EmptyText;
    return row->Texts[static_cast<std::size_t>(ACol)];
}

TObject* TGridCellStore::Object(Integer ACol, Integer ARow) const {
    const TRowCells* row = FindRow(ARow);
    if (!row || !row->Objects || static_cast<std::size_t>(ACol) >= row->Objects->size()) return nullptr;
    return (*row->Objects)[static_cast<std::size_t>(ACol)];
}

bool TGridCellStore::SetText(Integer ACol, Integer ARow, const AnsiString& Value, Integer Width) {
    const auto col = static_cast<std::size_t>(ACol);
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
    const std::size_t size = std::max(col + 1, grown.Texts.empty() ? static_cast<std::size_t>(std::max(Width, 0)) : 0);
    grown.Texts.reserve(size);
    grown.Texts.resize(size);
    grown.Texts[col] = std::move(copy);
    return true;
}

void TGridCellStore::SetObject(Integer ACol, Integer ARow, TObject* Value) {
    const auto col = static_cast<std::size_t>(ACol);
    if (!Value && !Object(ACol, ARow)) return;
    TRowCells& row = RowFor(ARow);
    if (!row.Objects) row.Objects = std::make_unique<std::vector<TObject*>>();
    if (col >= row.Objects->size()) row.Objects->resize(col + 1, nullptr);
    (*row.Objects)[col] = Value;
}

void TGridCellStore::Truncate(Integer ColCount, Integer RowCount) {
    const auto cols = static_cast<std::size_t>(ColCount);
    if (rows_.size() > static_cast<std::size_t>(RowCount)) rows_.resize(static_cast<std::size_t>(RowCount));
    for (auto it = far_.begin(); it != far_.end();) it = it->first >= RowCount ? far_.erase(it) : std::next(it);
    auto cut = [cols](TRowCells& row) {
        if (row.Texts.size() > cols) row.Texts.resize(cols);
        if (row.Objects && row.Objects->size() > cols) row.Objects->resize(cols);
    };
    for (TRowCells& row : rows_) cut(row);
    for (auto& [index, row] : far_) cut(row);
}

void TGridCellStore::MoveCol(Integer From, Integer To) {
    const auto from = static_cast<std::size_t>(From), to = static_cast<std::size_t>(To);
    const std::size_t need = std::max(from, to) + 1;
    auto shift = [from, to, need](auto& cells) {
        if (cells.size() <= std::min(from, to)) return;  // nothing stored in the moving span
        if (cells.size() < need) cells.resize(need);
        auto first = cells.begin();
        if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
        else std::rotate(first + to, first + from, first + from + 1);
    };
    auto move = [&shift](TRowCells& row) {
        shift(row.Texts);
        if (row.Objects) shift(*row.Objects);
    };
    for (TRowCells& row : rows_) move(row);
    for (auto& [index, row] : far_) move(row);
}

void TGridCellStore::MoveRow(Integer From, Integer To) {
    if (From == To) return;
    const Integer last = std::max(From, To);
    Cover(last);  // the span From..To lies in the table from here on
    auto first = rows_.begin();
    if (From < To) std::rotate(first + From, first + From + 1, first + To + 1);
    else std::rotate(first + To, first + From, first + From + 1);
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
        bytes += sizeof(std::pair<const Integer, TRowCells>) + 2 * sizeof(void*) + rowBytes(row);
    return bytes;
}
