#pragma once
// The sort's comparison of cells, for the entry points and CompareCells alike. Its texts are kept between
// comparisons, so that reading cells allocates nothing once they have grown.

#include <span>

#include "ProGrid.h"

namespace ProGrid {

class RAdeRedeviDidi::TCellComparer {
public:
    explicit TCellComparer(RAdeRedeviDidi& Grid) : grid_(Grid) {}
    TCellComparer(const TCellComparer&) = delete;
    TCellComparer& operator=(const TCellComparer&) = delete;

    // CompareCells.
    Integer Compare(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2);
    // From ACol on, each next column deciding while the rows are equal under SortSettings.Full.
    Integer CompareColumns(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2);
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
    AnsiString text1_, text2_, prefix_, suffix_;
};

}  // namespace ProGrid
