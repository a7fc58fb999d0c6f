// Arbitrary cell texts sorted under every sort style and setting. CompareCells is antisymmetric under each
// explicit built-in style (raising both ways or neither); Sort leaves the rows ordered under an explicit
// style and permuted under ssAutomatic (whose style comes from the first cell alone); the counts, the
// widths and the update lock come back on every exit; RestoreOriginalOrder gives the rows back as they
// were. Only an explicit ssDate raises, EConvertError, and then no row has moved.
//
// Input: a style byte, a settings byte (direction, blanks ignored and where, Full, SingleColumn,
// NormalCellsOnly, MoveRowOnSort, the locale), a byte of columns (1..4) and sort column, then the rows:
// lines of tab-separated cells.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"

using namespace ProGrid;

namespace {

RAdeRedeviDidi& Grid() {
    static RAdeRedeviDidi* grid = new RAdeRedeviDidi(nullptr);  // lives with the process
    return *grid;
}

std::vector<std::string> Split(const std::string& S, char Separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = S.find(Separator, from)) != std::string::npos; from = at + 1)
        parts.push_back(S.substr(from, at - from));
    parts.push_back(S.substr(from));
    return parts;
}

using TTable = std::vector<std::vector<std::string>>;

TTable Rows(RAdeRedeviDidi& Grid, Integer Cols) {
    TTable rows;
    for (Integer r = 0; r < Grid.RowCount(); ++r) {
        std::vector<std::string> row;
        for (Integer c = 0; c < Cols; ++c) row.push_back(Grid.Cells(c, r));
        rows.push_back(row);
    }
    return rows;
}

// The comparison both ways: the results, or that both raised EConvertError.
void CheckAntisymmetric(RAdeRedeviDidi& Grid, Integer ACol, Integer A, Integer B, bool Descending) {
    Integer ab = 2, ba = 2;
    try {
        ab = Grid.CompareCells(ACol, A, Descending, B);
    } catch (const EConvertError&) {
    }
    try {
        ba = Grid.CompareCells(ACol, B, Descending, A);
    } catch (const EConvertError&) {
    }
    Check(ab == 2 ? ba == 2 : (ab >= -1 && ab <= 1 && ba == -ab));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size < 3) return 0;
    const auto style = static_cast<TSortStyle>(Data[0] % 17);
    const std::uint8_t flags = Data[1];
    const Integer cols = 1 + Data[2] % 4;
    const Integer column = (Data[2] >> 2) % cols;
    std::vector<std::string> lines = Split(std::string(reinterpret_cast<const char*>(Data + 3), Size - 3), '\n');
    if (lines.size() > 48) lines.resize(48);

    DecimalSeparator = (flags & 0x80) ? ',' : '.';
    ThousandSeparator = (flags & 0x80) ? '.' : ',';
    DateSeparator = (flags & 0x80) ? '.' : '/';
    ShortDateFormat = (flags & 0x80) ? "dd.mm.yyyy" : "m/d/yyyy";

    RAdeRedeviDidi& grid = Grid();
    grid.OnGetFormat = [style](TObject*, Integer, TSortStyle& AStyle, AnsiString&, AnsiString& ASuffix) {
        AStyle = style;
        ASuffix = "%";
    };
    TSortSettings& sort = *grid.SortSettings();
    sort.SetDirection((flags & 1) ? sdDescending : sdAscending);
    sort.SetIgnoreBlanks((flags & 2) != 0);
    sort.SetBlankPos((flags & 4) ? blLast : blFirst);
    sort.SetFull((flags & 8) != 0);
    sort.SetSingleColumn((flags & 0x10) != 0);
    sort.SetNormalCellsOnly((flags & 0x20) != 0);
    grid.Navigation()->SetMoveRowOnSort((flags & 0x40) != 0);
    sort.SetColumn(column);

    grid.SetColCount(cols);
    grid.SetRowCount(static_cast<Integer>(lines.size()) + 1);
    grid.SetFixedRows(1);
    grid.SetFixedCols(cols > 1 ? 1 : 0);
    grid.SetFixedFooters(0);
    for (Integer r = 0; r < grid.RowCount(); ++r)
        for (Integer c = 0; c < cols; ++c) grid.SetCells(c, r, "");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> cells = Split(lines[i], '\t');
        for (Integer c = 0; c < cols && c < static_cast<Integer>(cells.size()); ++c)
            grid.SetCells(c, static_cast<Integer>(i) + 1, cells[static_cast<std::size_t>(c)]);
    }
    grid.SetColWidths(cols - 1, 50 + cols);
    grid.RowOrderList()->Clear();

    const bool builtIn = style != ssAutomatic && style != ssCustom && style != ssRaw;
    const Integer last = grid.RowCount() - 1;
    if (builtIn)
        for (Integer a = 1; a <= last; ++a)
            for (Integer b = a; b <= std::min(last, a + 3); ++b) CheckAntisymmetric(grid, column, a, b, flags & 1);

    const TTable before = Rows(grid, cols);
    bool raised = false;
    try {
        grid.Sort();
    } catch (const EConvertError&) {
        Check(style == ssDate);
        raised = true;
    }
    Check(grid.RowCount() == last + 1 && grid.ColCount() == cols && grid.ColWidths(cols - 1) == 50 + cols);
    Check(grid.UpdateCount() == 0 && grid.Row() >= 0 && grid.Row() <= last);
    TTable after = Rows(grid, cols);
    if (raised) {
        Check(after == before);
        return 0;
    }
    if (!sort.SingleColumn() && !sort.NormalCellsOnly()) {
        TTable a = before, b = after;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        Check(a == b);  // the rows permuted, none lost or doubled
    }
    // Column 0 keeps its texts under NormalCellsOnly: sorted by it, nothing shows the order.
    const bool keptColumn = sort.NormalCellsOnly() && column == 0 && grid.FixedCols() > 0;
    if (builtIn && !sort.Full() && !keptColumn) {
        const Integer dir = (flags & 1) ? -1 : 1;
        for (Integer r = 1; r < last; ++r) Check(dir * grid.CompareCells(column, r, flags & 1, r + 1) <= 0);
    }
    grid.RestoreOriginalOrder();
    Check(Rows(grid, cols) == before);
    return 0;
}
