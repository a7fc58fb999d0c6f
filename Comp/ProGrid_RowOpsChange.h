#pragma once
// The bracket of a change of whole rows, shared by the grid's row operations.

#include "ProGrid.h"

namespace ProGrid {

// A change of whole rows: inside the update bracket, with the cells of hidden columns moving with their
// rows. Both end on every way out.
class RAdeRedeviDidi::TWholeRowChange {
public:
    explicit TWholeRowChange(RAdeRedeviDidi& Grid) : grid_(Grid) {
        grid_.BeginUpdate();
        if (grid_.HiddenColCount() > 0) {
            lastWidth_ = grid_.ColWidths(grid_.ColCount() - 1);
            grid_.SetColCount(grid_.ColCount() + grid_.HiddenColCount());
            added_ = grid_.HiddenColCount();
        }
    }
    // The last column's width survives the count going up and down again. The outermost EndUpdate
    // recalculates held footers, which may raise.
    ~TWholeRowChange() noexcept(false) {
        if (added_ > 0) {
            grid_.SetColCount(grid_.ColCount() - added_);
            grid_.SetColWidths(grid_.ColCount() - 1, lastWidth_);
        }
        grid_.EndUpdate();
    }
    TWholeRowChange(const TWholeRowChange&) = delete;
    TWholeRowChange& operator=(const TWholeRowChange&) = delete;

private:
    RAdeRedeviDidi& grid_;
    Integer added_ = 0;
    Integer lastWidth_ = 0;
};

}  // namespace ProGrid
