// Cursors: each cursor resource of the program gets a handle of its own, loaded once, and one of them
// may be shown over every window at a time, as SetCursor does.
#include "Windows/Cursors.h"

#include <string>
#include <vector>

#include "vcl/Resources.h"
#include "vcl/Windows.h"

namespace {

constexpr std::uintptr_t CursorBase = 0x33000000;
constexpr std::uintptr_t StockBase = 0x34000000;
constexpr std::uintptr_t Step = 0x10;
// The system's own cursors run from crDefault (0) down to this one.
constexpr int LowestStock = -22;

struct TCursors {
    std::vector<const TResourceEntry*> Loaded;
    HCURSOR Shown = nullptr;
};

TCursors& Cursors() {
    static TCursors cursors;
    return cursors;
}

const TResourceEntry* EntryOf(HCURSOR Cursor) {
    const auto value = reinterpret_cast<std::uintptr_t>(Cursor);
    if (value <= CursorBase || (value - CursorBase) % Step != 0) return nullptr;
    const std::size_t index = (value - CursorBase) / Step - 1;
    return index < Cursors().Loaded.size() ? Cursors().Loaded[index] : nullptr;
}

}  // namespace

HCURSOR StockCursor(int Cursor) {
    if (Cursor > 0 || Cursor < LowestStock) Cursor = 0;
    return reinterpret_cast<HCURSOR>(StockBase + Step * static_cast<std::uintptr_t>(1 - Cursor));
}

bool StockCursorOf(HCURSOR Handle, int& Cursor) {
    const auto value = reinterpret_cast<std::uintptr_t>(Handle);
    if (value <= StockBase || (value - StockBase) % Step != 0) return false;
    const auto index = static_cast<int>((value - StockBase) / Step);
    if (index > 1 - LowestStock) return false;
    Cursor = 1 - index;
    return true;
}

HCURSOR LoadCursor(HINSTANCE hInstance, const char* lpCursorName) {
    if (hInstance != HInstance || !lpCursorName) return nullptr;
    const std::string name = IS_INTRESOURCE(lpCursorName)
                                 ? std::to_string(reinterpret_cast<std::uintptr_t>(lpCursorName))
                                 : std::string(lpCursorName);
    const TResourceEntry* entry = FindResourceEntry(name, "CUR");
    if (!entry) return nullptr;
    std::vector<const TResourceEntry*>& loaded = Cursors().Loaded;
    std::size_t index = 0;
    while (index < loaded.size() && loaded[index] != entry) ++index;
    if (index == loaded.size()) loaded.push_back(entry);
    return reinterpret_cast<HCURSOR>(CursorBase + Step * (index + 1));
}

HCURSOR SetCursor(HCURSOR hCursor) {
    const TResourceEntry* entry = EntryOf(hCursor);
    int stock = 0;
    const bool isStock = StockCursorOf(hCursor, stock);
    HCURSOR& shown = Cursors().Shown;
    if (hCursor && !entry && !isStock) return shown;  // not a cursor: nothing changes
    const HCURSOR previous = shown;
    if (hCursor != previous) {
        if (isStock) ShowStockCursor(stock);
        else ShowCursorImage(entry ? entry->Data : nullptr, entry ? entry->Size : 0);
    }
    shown = hCursor;
    return previous;
}

HCURSOR GetCursor() { return Cursors().Shown; }
