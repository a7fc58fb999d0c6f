// The grid as a drop target: dropped text pasted (rows inserted first with OleInsertRows), a dragged
// column handed to OnOleDropCol, rich text into one cell, one ".CSV" or ".XLS" file loaded; scrolling and
// the arrows while a drag hovers.
#include <algorithm>

#include "ProGrid_DragDrop.h"

namespace ProGrid {

using namespace grddd;

namespace {

// The lines a pasted text fills: a last line without a line end counts too.
Integer FilledLines(const AnsiString& Text, TPoint Size) {
    const bool endsWithBreak = !Text.empty() && (Text.back() == '\r' || Text.ends_with("\r\n"));
    return Size.Y + (Text.empty() || endsWithBreak ? 0 : 1);
}

}  // namespace

IDropTarget* RAdeRedeviDidi::CreateDropTarget() { return new TGridDropTarget(this); }

Integer RAdeRedeviDidi::EditableCells(Integer ACol, Integer ARow, Integer Cols, Integer Rows) {
    Integer editable = 0;
    for (Integer r = ARow; r < ARow + Rows && r < RowCount(); ++r)
        for (Integer c = ACol; c < ACol + Cols && c < ColCount(); ++c)
            if (MayPasteInto(c, r)) ++editable;
    return editable;
}

void RAdeRedeviDidi::OleDropText(TPoint Pt, const AnsiString& Text, DWORD& Effect) {
    const TPoint cell = MouseToCellEx(Pt.X, Pt.Y);
    Integer ACol = cell.X, ARow = cell.Y;
    bool allow = true;
    const TPoint size = TextSize(Text);
    const TDragDropSettings& settings = *DragDropSettings();
    const bool rowSelect = Options().Contains(goRowSelect);
    if (rowSelect) ACol = settings.OleEntireRows() ? 0 : FixedCols();
    if (OnOleDrop) OnOleDrop(this, ARow, ACol, Text, allow);
    if (!allow || ACol < 0 || ARow < 0) {
        Effect = DROPEFFECT_NONE;
        HideArrows();
        return;
    }
    // Rows inserted make room for every line, the last one too, so none is written over.
    const Integer lines = FilledLines(Text, size);
    // The source's rows below the inserted ones move down, also when the drop lies inside the source.
    if (settings.OleInsertRows() && dragSourceRect_.Top >= 0 && ARow <= dragSourceRect_.Bottom) {
        if (ARow <= dragSourceRect_.Top) dragSourceRect_.Top += lines;
        dragSourceRect_.Bottom += lines;
    }
    if (ARow == 0 && FixedRowAlways() && RowCount() == 1) ARow = 1;
    if (settings.OleInsertRows()) {
        const Integer top = TopRow();
        InsertRows(ARow, lines);
        SetTopRow(top > FixedRows() ? top + 1 : top);
    } else if (ARow >= RowCount()) {
        // The header-only grid grows its first data row, or the paste would have nowhere to go.
        SetRowCount(ARow + 1);
    }
    // Cells that refuse their fields keep the source's: none taken answers none, some a copy.
    const Integer editable = EditableCells(ACol, ARow, std::max(size.X, 1), lines);
    const Integer inside =
        (std::min(ACol + std::max(size.X, 1), ColCount()) - ACol) * (std::min(ARow + lines, RowCount()) - ARow);
    if ((inside > 0 && editable == 0) || PasteText(ACol, ARow, AnsiToWide(Text)) == 0) {
        Effect = DROPEFFECT_NONE;
        HideArrows();
        return;
    }
    if (editable < inside) Effect = std::min<DWORD>(Effect, DROPEFFECT_COPY);
    if (draggingOut_) dropWritten_ = {ACol, ARow, ACol + std::max(size.X, 1) - 1, ARow + std::max(lines, 1) - 1};
    const Integer left = std::max(ACol, FixedCols());
    const Integer right = rowSelect ? left + size.X - FixedCols() : left + size.X - 1;
    const TGridRect sel{left, ARow, std::clamp(right, left, ColCount() - 1),
                        std::clamp(ARow + lines - 1, ARow, RowCount() - 1)};
    SetSelection(sel);
    HideArrows();
    if (OnOleDropped) OnOleDropped(this, sel);
}

void RAdeRedeviDidi::OleDropCol(TPoint Pt, Integer DropCol, DWORD&) {
    const TPoint cell = MouseToCellEx(Pt.X, Pt.Y);
    HideArrows();
    if (OnOleDropCol) OnOleDropCol(this, cell.Y, cell.X, DropCol);
}

// Refused, as a paste is, by a cell that cannot be edited.
void RAdeRedeviDidi::OleDropRTF(TPoint Pt, const AnsiString& RTF, DWORD& Effect) {
    const TPoint cell = MouseToCellEx(Pt.X, Pt.Y);
    bool allow = true;
    if (OnOleDrop) OnOleDrop(this, cell.Y, cell.X, RTF, allow);
    HideArrows();
    if (!allow || cell.X < 0 || cell.Y < 0 || !MayPasteInto(RealColIndex(cell.X), cell.Y)) {
        Effect = DROPEFFECT_NONE;
        return;
    }
    SetCellEx(RealColIndex(cell.X), cell.Y, RTF);
}

// A loaded file is copied, never moved: the file manager must keep it. Anything not loaded answers none.
void RAdeRedeviDidi::OleDropFiles(TPoint Pt, TStrings* Files, DWORD& Effect) {
    HideArrows();
    Effect = DROPEFFECT_NONE;
    if (Files->Count() != 1) return;
    const TPoint cell = MouseToCellEx(Pt.X, Pt.Y);
    const AnsiString name = Files->Strings(0);
    bool allow = true;
    if (OnOleDropFile) OnOleDropFile(this, cell.Y, cell.X, name, allow);
    if (!allow) return;
    const AnsiString upper = UpperCase(name);
    const auto load = [&](const char* Extension, auto&& Load) {
        if (upper.find(Extension) == AnsiString::npos) return;
        if (OnOleDrop) OnOleDrop(this, -1, -1, name, allow);
        if (!allow) return;
        Load();
        Effect = DROPEFFECT_COPY;
    };
    load(".CSV", [&] { LoadFromCSV(name); });
    load(".XLS", [&] { LoadFromXLS(name); });
}

// Scrolls a row toward the edge the drag rests on, and marks where the drop would go.
void RAdeRedeviDidi::OleDragOver(TPoint Pt, bool& Allow, bool ColumnDrag) {
    const TPoint cell = MouseToCellEx(Pt.X, Pt.Y);
    const Integer ACol = cell.X, ARow = cell.Y;
    bool accept = Allow && ACol >= 0 && ARow >= 0;
    if (!ColumnDrag) {
        if (ARow == 0 && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        else if (ARow >= 0 && ARow == TopRow() + VisibleRowCount()) SetTopRow(TopRow() + 1);
    }
    if (ColumnDrag) accept = accept && ARow < FixedRows() && ACol >= FixedCols();
    else if (ARow < FixedRows() && !(RowCount() == 1 && FixedRowAlways())) accept = false;
    if (OnOleDragOver) OnOleDragOver(this, ARow, ACol, accept);
    Allow = accept;
    if (!accept) {
        HideArrows();
        return;
    }
    TRect r{};
    if (ColumnDrag) {
        CalcCellRect(ACol, ARow, r);
        const TPoint topLeft = ClientToScreen(Point(r.Left, r.Top));
        const TPoint bottomLeft = ClientToScreen(Point(r.Left, r.Bottom));
        ShowArrow(1, topLeft.X, topLeft.Y - 8);
        ShowArrow(0, bottomLeft.X, bottomLeft.Y);
        return;
    }
    const Integer row = ARow == 0 && FixedRowAlways() ? 1 : ARow;
    CalcCellRect(DragDropSettings()->OleEntireRows() ? FixedCols() : ACol, row, r);
    const TPoint topLeft = ClientToScreen(Point(r.Left, r.Top));
    ShowArrow(2, topLeft.X - 10, topLeft.Y);
}

// ---------------------------------------------------------------------------
// TGridDropTarget

HRESULT TGridDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    if (RAdeRedeviDidi* grid = grid_.Get()) {
        const TDragDropSettings& settings = *grid->DragDropSettings();
        SetAcceptText(settings.OleAcceptText());
        SetAcceptFiles(settings.OleAcceptFiles());
        SetAcceptCols(settings.OleColumnDragDrop());
    }
    return TGRDDropTarget::DragEnter(pDataObj, grfKeyState, pt, pdwEffect);
}

void TGridDropTarget::DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect) {
    if (RAdeRedeviDidi* grid = grid_.Get()) grid->OleDropText(Pt, Text, Effect);
    else Effect = DROPEFFECT_NONE;
}

void TGridDropTarget::DropCol(TPoint Pt, Integer Col, DWORD& Effect) {
    if (RAdeRedeviDidi* grid = grid_.Get()) grid->OleDropCol(Pt, Col, Effect);
    else Effect = DROPEFFECT_NONE;
}

void TGridDropTarget::DropRTF(TPoint Pt, const AnsiString& RTF, DWORD& Effect) {
    if (RAdeRedeviDidi* grid = grid_.Get()) grid->OleDropRTF(Pt, RTF, Effect);
    else Effect = DROPEFFECT_NONE;
}

void TGridDropTarget::DropFiles(TPoint Pt, TStrings* Files, DWORD& Effect) {
    if (RAdeRedeviDidi* grid = grid_.Get()) grid->OleDropFiles(Pt, Files, Effect);
    else Effect = DROPEFFECT_NONE;
}

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, Byte DropFormats) {
    if (RAdeRedeviDidi* grid = grid_.Get()) grid->OleDragOver(Pt, Allow, (DropFormats & dfCol) != 0);
    else Allow = false;
}

void TGridDropTarget::DragMouseLeave() {
    if (RAdeRedeviDidi* grid = grid_.Get()) grid->HideArrows();
}

}  // namespace ProGrid
