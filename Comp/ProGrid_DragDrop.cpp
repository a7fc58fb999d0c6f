// The grid as a drag source: the text it offers, the drag of cells or of a column, and what a move takes
// away afterwards; the arrow windows that mark drop positions.
#include <algorithm>
#include <iterator>

#include "ProGrid_DragDrop.h"
#include "ProUtil.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace ProUtil;
using namespace grddd;

namespace {

// Each arrow's window as large as its outline: up, down, right, left.
constexpr TPoint ArrowSizes[4] = {{11, 10}, {10, 9}, {9, 11}, {9, 11}};

constexpr TGridRect NoRect{-1, -1, -1, -1};

constexpr Integer CursorClearance = 20;  // pixels below the cursor's hot spot to a dragged column's image

// A dragged column's image hangs below the cursor, clear of its drag shape, so that the window under the
// cursor stays the drop target.
TPoint ColumnImageAt(TPoint Cursor, Integer Width) { return Point(Cursor.X - Width / 2, Cursor.Y + CursorClearance); }

bool RowIn(const TGridRect& R, Integer ARow) { return ARow >= R.Top && ARow <= R.Bottom; }

}  // namespace

AnsiString RAdeRedeviDidi::GetDragText() {
    const TGridRect sel = Selection();
    const bool entireRows = Options().Contains(goRowSelect) && DragDropSettings()->OleEntireRows();
    const Integer left = entireRows ? 0 : sel.Left;
    const Integer right = entireRows ? ColCount() - 1 : sel.Right;
    AnsiString text;
    AnsiString cell;
    bool firstRow = true;
    const auto addRow = [&](Integer ARow) {
        if (!firstRow) text += "\r\n";
        firstRow = false;
        for (Integer c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            const Integer real = RealColIndex(c);
            ReadCell(real, ARow, cell);
            if (cell.find("{\\") != AnsiString::npos) {
                CellToRichEdit(real, ARow, RichEdit());
                cell = RichEdit()->Text();
            }
            if (GetLineCount(cell, Multilinecells()) > 1) QuoteMultiLine(cell);
            text += cell;
        }
    };
    if (MouseActions()->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(RowFlagIndex(r))) addRow(r);
    } else {
        for (Integer r = sel.Top; r <= sel.Bottom; ++r) addRow(r);
    }
    return text;
}

bool RAdeRedeviDidi::IsSelectedCell(Integer ACol, Integer ARow) {
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (MouseActions()->DisjunctRowSelect()) return ARow < RowCount() && RowSelect(RowFlagIndex(ARow));
    if (MouseActions()->DisjunctColSelect()) return ACol < ColCount() && ColSelect(ACol);
    const TGridRect sel = Selection();
    return ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom;
}

bool RAdeRedeviDidi::StartOleDrag(Integer ACol, Integer ARow) {
    bool allow = true;
    AnsiString data;
    ReadCell(RealColIndex(ACol), ARow, data);
    if (OnOleDrag) OnOleDrag(this, ARow, ACol, data, allow);
    if (!allow) return false;
    if (OnOleDragStart) OnOleDragStart(this, ARow, ACol);

    const TDragDropSettings& settings = *DragDropSettings();
    // A grid that always copies lets no target take the cells away.
    const DWORD allowed = settings.OleCopyAlways() ? DROPEFFECT_COPY : DROPEFFECT_COPY | DROPEFFECT_MOVE;
    const ComPtr<TGridDropSource> source(new TGridDropSource(this));
    DWORD effect = DROPEFFECT_NONE;
    Integer result;
    if (ARow < FixedRows() && settings.OleColumnDragDrop()) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const Integer width = ColWidths(ACol);
        draggingColumn_ = true;
        const TScopeExit done([this] {
            draggingColumn_ = false;
            if (dragImage_) dragImage_->SetVisible(false);
        });
        ShowHeaderImage(Cells(ACol, ARow), ColumnImageAt(Point(cursor.X, cursor.Y), width), width, RowHeights(ARow));
        result = StartColumnDoDragDrop(source.Get(), ACol, allowed, effect);
    } else {
        dragSourceRect_ = Selection();
        dropWritten_ = NoRect;
        draggingOut_ = true;
        const TScopeExit done([this] {
            draggingOut_ = false;
            dragSourceRect_ = NoRect;
            dropWritten_ = NoRect;
        });
        result = StartTextDoDragDrop(source.Get(), GetDragText(), "", effect, allowed);
        if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE) RemoveDraggedCells();
    }
    if (result != DRAGDROP_S_CANCEL && OnOleDragStop) OnOleDragStop(this, static_cast<Integer>(effect));
    return true;
}

// Rows go as runs, bottom first, so the rows above keep their places; cells are emptied of their texts.
void RAdeRedeviDidi::RemoveDraggedCells() {
    const TGridRect source = dragSourceRect_;
    const TGridRect written = dropWritten_;
    const auto keptRow = [&](Integer r) { return RowIn(written, r); };
    if (Options().Contains(goRowSelect) && DragDropSettings()->OleEntireRows()) {
        Integer r = source.Bottom;
        while (r >= source.Top) {
            if (keptRow(r)) {
                --r;
                continue;
            }
            const Integer last = r;
            while (r >= source.Top && !keptRow(r)) --r;
            RemoveRows(r + 1, last - r);
        }
        return;
    }
    if (MouseActions()->DisjunctRowSelect()) {
        // Rows the drop wrote over keep their texts even when they were dragged themselves.
        for (Integer r = std::max(written.Top, FixedRows()); r <= written.Bottom && r < RowCount(); ++r)
            if (RowSelect(RowFlagIndex(r))) SetRowSelect(RowFlagIndex(r), false);
        RemoveSelectedRows();
        return;
    }
    BeginUpdate();
    const TScopeExit update([this] { EndUpdate(); });
    for (Integer r = source.Top; r <= source.Bottom && r < RowCount(); ++r)
        for (Integer c = source.Left; c <= source.Right && c < ColCount(); ++c)
            if (!(keptRow(r) && c >= written.Left && c <= written.Right)) WriteCell(RealColIndex(c), r, AnsiString());
    CellsChanged(TRect{source.Left, source.Top, source.Right, source.Bottom});
}

void RAdeRedeviDidi::PlaceColumnDragImage(TPoint Cursor) {
    if (!draggingColumn_ || !dragImage_) return;
    const TPoint at = ColumnImageAt(Cursor, dragImage_->Width());
    dragImage_->SetBounds(at.X, at.Y, dragImage_->Width(), dragImage_->Height());
}

void RAdeRedeviDidi::ShowArrow(Integer Direction, Integer ScreenX, Integer ScreenY) {
    ProObj::TArrowWindow* arrow = ArrowWindow(Direction);
    if (!arrow) return;
    const TPoint size = ArrowSizes[Direction];
    arrow->SetBounds(ScreenX, ScreenY, size.X, size.Y);
    arrow->SetVisible(true);
}

void RAdeRedeviDidi::HideArrows() {
    for (Integer direction = 0; direction < static_cast<Integer>(std::size(arrows_)); ++direction)
        if (ProObj::TArrowWindow* arrow = ArrowWindow(direction)) arrow->SetVisible(false);
}

// ---------------------------------------------------------------------------
// TGridDropSource

void TGridDropSource::CurrentEffect(DWORD Effect) {
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE) lastEffect_ = Effect;
}

// The fourth arrow's left edge at the cursor's X, its bottom edge at the cursor's Y; a dragged column's
// header image follows too.
void TGridDropSource::QueryDrag() {
    RAdeRedeviDidi* grid = grid_.Get();
    if (!grid) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (ProObj::TArrowWindow* arrow = grid->ArrowWindow(3))
        arrow->SetBounds(cursor.X, cursor.Y - ArrowSizes[3].Y, ArrowSizes[3].X, ArrowSizes[3].Y);
    grid->PlaceColumnDragImage(Point(cursor.X, cursor.Y));
}

}  // namespace ProGrid
