// Random counts, merges, splits, frees, writes, scrolls and paints on a small base grid: after every step
// the merge encoding is whole (every range lies in the grid, its base knows its spans and every other cell
// its offset), every cell reads its base's text, and a paint draws each range once and none of its other
// cells. The grid goes with every run, so a properties object left behind shows as a leak.
//
// Input: operations of an opcode byte and four argument bytes.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

#include "BaseGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

using namespace BaseGrid;

using fuzzstage::Stage;

namespace {

class TCountingGrid : public TBaseGrid {
public:
    using TBaseGrid::TBaseGrid;
    std::map<std::pair<Integer, Integer>, int> Drawn;

protected:
    void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                      TGridDrawState AState) override {
        ++Drawn[{ACol, ARow}];
        TBaseGrid::DrawCellText(ACanvas, ACol, ARow, ARect, AState);
    }
};

void CheckEncoding(TBaseGrid& Grid) {
    for (Integer r = 0; r < Grid.RowCount(); ++r)
        for (Integer c = 0; c < Grid.ColCount(); ++c) {
            if (!Grid.HasCellProperties(c, r)) continue;
            const TCellProperties* props = Grid.GetCellProperties(c, r);
            if (!props->InRange()) {
                Check(props->IsBaseCell() || (props->CellSpanX() == -1 && props->CellSpanY() == -1));
                continue;
            }
            const TPoint base = Grid.BaseCell(c, r);
            Check(base.X >= 0 && base.Y >= 0 && base.X <= c && base.Y <= r);
            Check(Grid.HasCellProperties(base.X, base.Y));
            const TCellProperties* baseProps = Grid.GetCellProperties(base.X, base.Y);
            Check(baseProps->IsBaseCell());
            Check(c - base.X <= baseProps->CellSpanX() && r - base.Y <= baseProps->CellSpanY());
            Check(base.X + baseProps->CellSpanX() < Grid.ColCount());
            Check(base.Y + baseProps->CellSpanY() < Grid.RowCount());
            if (props->IsBaseCell()) {
                // Every cell of the range points back here.
                for (Integer y = r; y <= r + props->CellSpanY(); ++y)
                    for (Integer x = c; x <= c + props->CellSpanX(); ++x) {
                        Check(Grid.HasCellProperties(x, y));
                        Check(Grid.BaseCell(x, y) == base);
                    }
            }
            AnsiString text;
            Grid.ReadCell(c, r, text);
            Check(text == Grid.Cells(base.X, base.Y));
        }
}

void CheckPaint(TCountingGrid& Grid) {
    Grid.Drawn.clear();
    Grid.Invalidate();
    std::unique_ptr<TBitmap>(Testing::GrabWindow(&Stage()));
    for (const auto& [cell, times] : Grid.Drawn) {
        Check(times == 1);
        Check(Grid.IsBaseCell(cell.first, cell.second));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;
    TForm& form = Stage();
    TOwned<TCountingGrid> grid(new TCountingGrid(nullptr));
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 300, 200);
    grid->SetScrollBars(ssNone);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(8);
    grid->SetRowCount(8);
    for (std::size_t at = 0; at + 5 <= size; at += 5) {
        const std::uint8_t op = data[at];
        const Integer a = data[at + 1], b = data[at + 2], c = data[at + 3], d = data[at + 4];
        const Integer col = a % (grid->ColCount() + 1), row = b % (grid->RowCount() + 1);
        const bool inside = col < grid->ColCount() && row < grid->RowCount();
        switch (op % 10) {
            case 0: grid->SetColCount(1 + a % 14); break;
            case 1: grid->SetRowCount(1 + a % 14); break;
            case 2: grid->MergeCells(col, row, c % 6, d % 6); break;
            case 3:
                if (inside) grid->SplitCells(col, row);
                break;
            case 4:
                if (inside) grid->WriteCell(col, row, std::string(1 + c % 4, static_cast<char>('a' + d % 26)));
                break;
            case 5:
                grid->SetTopRow(a % grid->RowCount());
                grid->SetLeftCol(b % grid->ColCount());
                break;
            case 6: CheckPaint(*grid); break;
            case 7: grid->FreeCellProperties(col, row, col + c % 4, row + d % 4); break;
            case 8:
                if (inside) grid->SetCellProperties(col, row, c & 1 ? nullptr : new TCellProperties(nullptr, col, row));
                break;
            case 9:
                if (inside) grid->GetCellProperties(col, row)->SetBrushColor(clRed);
                break;
        }
        CheckEncoding(*grid);
    }
    CheckPaint(*grid);
    return 0;
}
