// Sizing columns and rows to their content: the widest text and graphic of a column, the highest of a
// row, a row of so many lines, and the width a sizing leaves to OnUpdateColumnSize.
#include <algorithm>

#include "ProGrid.h"
#include "ProUtil.h"

namespace ProGrid {

using namespace BaseGrid;

void RAdeRedeviDidi::UpdateColumnSize(Integer ACol, Integer& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void RAdeRedeviDidi::UpdateAutoColumnSize(Integer ACol, Integer& AWidth) {
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void RAdeRedeviDidi::AutoSizeCol(Integer ACol, bool OnlyGrow) {
    if (ACol < 0 || ACol >= ColCount()) return;
    const Integer real = RealColIndex(ACol);
    const Integer frame = (GridLineWidth() + 1) * 2;
    Integer widest = 0;
    for (Integer row = 0; row < RowCount(); ++row) {
        // A range over several columns does not size any one of them.
        const TPoint base = BaseCell(real, row);
        if (GetCellSpan(base.X, base.Y).X > 0) continue;
        TPoint graphic{};
        GetCellGraphicSize(real, row, graphic);
        Integer width = graphic.X;
        if (GetCellType(real, row) == ctDataCheckBox) {
            width -= frame + EditMarginX();
        } else {
            TPoint text{};
            GetCellTextSize(real, row, text, false);
            width += text.X;
        }
        widest = std::max(widest, width);
    }
    Integer width = frame + widest + EditMarginX();
    if (OnlyGrow && width <= ColWidths(ACol)) return;
    UpdateAutoColumnSize(ACol, width);
    width = ProUtil::LimitValue(width, MinColWidth(), MaxColWidth());
    if (width != ColWidths(ACol)) SetColWidths(ACol, width);
}

void RAdeRedeviDidi::AutoSizeRow(Integer ARow, bool OnlyGrow) {
    if (ARow < 0 || ARow >= RowCount()) return;
    Integer highest = 0;
    for (Integer col = 0; col < ColCount(); ++col) {
        const Integer real = RealColIndex(col);
        // A merged cell's rows are sized by none of its cells.
        bool isBase = false;
        BaseCell(real, ARow, isBase);
        if (!isBase || GetCellSpan(real, ARow).Y > 0) continue;
        TPoint graphic{};
        GetCellGraphicSize(real, ARow, graphic);
        TPoint text{};
        GetCellTextSize(real, ARow, text, WordWrap());
        Integer height = graphic.Y + text.Y;
        switch (GetCellType(real, ARow)) {
            case ctCheckBox:
            case ctDataCheckBox:
            case ctRadio: height = DefaultRowHeight(); break;
            default: break;
        }
        highest = std::max(highest, height);
    }
    const Integer height =
        ProUtil::LimitValue(GridLineWidth() * 2 + highest + EditMarginY(), MinRowHeight(), MaxRowHeight());
    if (height == RowHeights(ARow) || (OnlyGrow && height < RowHeights(ARow))) return;
    const auto allShown = [this] { return TopRow() == FixedRows() && FixedRows() + VisibleRowCount() >= RowCount(); };
    const bool shownBefore = allShown();
    SetRowHeights(ARow, height);
    // The edit grew its row out of view: it opens again over the cell, the caret after the text.
    if (shownBefore && !allShown() && TypeEditorShown() && SizeWhileTyping()->Height()) {
        ShowInplaceEditor();
        if (TInplaceEdit* editor = InplaceEditor(); editor && editor->Visible()) {
            editor->SetSelStart(static_cast<Integer>(editor->Text().size()));
            editor->SetSelLength(0);
        }
    }
}

void RAdeRedeviDidi::SizeRowToLines(Integer ARow, Integer Lines, Integer Extra) {
    if (ARow < 0 || ARow >= RowCount()) return;
    const Integer line = Canvas()->TextHeight("gh");
    SetRowHeights(ARow, ProUtil::LimitValue((line + line / 8) * Lines + Extra, MinRowHeight(), MaxRowHeight()));
}

Integer RAdeRedeviDidi::GetMaxLinesInRow(Integer ARow) {
    if (!Multilinecells() || ARow < 0 || ARow >= RowCount()) return 1;
    Integer most = 1;
    for (Integer col = 0; col < ColCount(); ++col) most = std::max(most, ProUtil::GetLineCount(Cells(col, ARow), true));
    return most;
}

void RAdeRedeviDidi::AutoSizeColumns(bool DoFixedCols, Integer Padding) {
    ChangeSizes([&] {
        for (Integer col = DoFixedCols ? 0 : FixedCols(); col < ColCount(); ++col) {
            AutoSizeCol(col);
            if (Padding != 0)
                SetColWidths(col, ProUtil::LimitValue(ColWidths(col) + Padding, MinColWidth(), MaxColWidth()));
        }
    });
}

}  // namespace ProGrid
