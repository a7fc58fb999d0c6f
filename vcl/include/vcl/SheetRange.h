#pragma once
// A box of sheet cells in the A1 form spreadsheet automation servers write and read ("$A$1:$D$20"): columns
// of one or two letters (A to ZZ), rows 1 to 1048576, the most a sheet has.

#include "System.h"

struct TSheetRange {
    Integer FirstCol = 1;
    Integer FirstRow = 1;
    Integer LastCol = 1;
    Integer LastRow = 1;
    Integer ColCount() const { return LastCol - FirstCol + 1; }
    Integer RowCount() const { return LastRow - FirstRow + 1; }
    friend bool operator==(const TSheetRange&, const TSheetRange&) = default;
};

constexpr Integer SheetMaxCols = 26 * 27;
constexpr Integer SheetMaxRows = 1048576;

// "$" signs are dropped; a cell is one or two upper-case letters (A = 1 .. Z = 26, AA = 27) and a row
// number from 1; a lone cell is the box's first and last. False, with Range kept, for any other text and
// for a box reversed or outside the sheet.
bool ParseSheetRange(const AnsiString& Address, TSheetRange& Range);
// 1 = "A", 26 = "Z", 27 = "AA".
AnsiString SheetColumnName(Integer Col);
// "A1:D20" ("$A$1:$D$20" with Absolute); a box of one cell as that cell alone.
AnsiString SheetRangeAddress(const TSheetRange& Range, bool Absolute);
