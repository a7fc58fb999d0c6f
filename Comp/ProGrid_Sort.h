#pragma once
// The sort's comparison of cells, for the entry points and CompareCells alike. Its texts are kept between
// comparisons, so that reading cells allocates nothing once they have grown.

#include <span>

#include "ProGrid.h"

namespace ProGrid {

class RAdeRedeviDidi::TCellComparer {
public:
    // The sort settings' column and direction are read here, once for the comparer's life.
    explicit TCellComparer(RAdeRedeviDidi& Grid)
        : grid_(Grid),
          column_(Grid.SortSettings()->Column()),
          descending_(Grid.SortSettings()->Direction() == sdDescending) {}
    TCellComparer(const TCellComparer&) = delete;
    TCellComparer& operator=(const TCellComparer&) = delete;

    // CompareCells.
    Integer Compare(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2);
    // From ACol on, each next column deciding while the rows are equal under SortSettings.Full.
    Integer CompareColumns(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2);
    // Sort's order: 1 when ARow1 is to stand after ARow2 by the settings' column, then the next columns
    // under SortSettings.Full, in the settings' direction.
    Integer After(Integer ARow1, Integer ARow2) {
        const Integer result = CompareColumns(column_, ARow1, descending_, ARow2);
        return descending_ ? -result : result;
    }
    // By the sort indexes (column in bits 0..30, descending in bit 31), in their order.
    Integer CompareIndexed(std::span<const Integer> Indexes, Integer ARow1, Integer ARow2);

private:
    // ssAutomatic resolved from the first cell alone.
    TSortStyle Detect(Integer ACol, Integer ARow1) const;
    Integer CompareNumbers(bool Grouped, bool Detected);
    Integer CompareDates(TSortStyle Style, bool Detected) const;
    Integer CompareImages(Integer ACol, Integer ARow1, Integer ARow2);
    Integer CompareChecks(Integer ACol, Integer ARow1, Integer ARow2);
    // A number as style 2 reads it: prefix and suffix out, '.' as the decimal point; 0 when it does not convert.
    double Number(AnsiString& Text, bool Grouped) const;

    RAdeRedeviDidi& grid_;
    const Integer column_;
    const bool descending_;
    AnsiString text1_, text2_, prefix_, suffix_;
};

}  // namespace ProGrid
