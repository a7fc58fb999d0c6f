// The mouse released and clicked twice, the right button, the header click that sorts, the disjunct cell
// list, and what follows a row or column moved.
#include <algorithm>

#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/Forms.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProObj;

namespace {

TPoint MessagePoint(const TMessage& Message) {
    return Point(static_cast<SmallInt>(LOWORD(Message.LParam)), static_cast<SmallInt>(HIWORD(Message.LParam)));
}

constexpr Integer EdgeSlack = 3;         // pixels beside a header's edge that size rather than sort
constexpr Integer FilterGlyphRoom = 16;  // the filter glyph at a header's right

// Where a line at Index goes when the line From moves to To.
Integer MovedIndex(Integer Index, Integer From, Integer To) {
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (To < From && Index >= To && Index < From) return Index + 1;
    return Index;
}

}  // namespace

// What every end of a press lets go: the button, the cursor state, a held form button, the move start
// and the arrows.
void RAdeRedeviDidi::EndPress() {
    buttonDown_ = false;
    cursorState_ = 0;
    if (pressedFormButton_.X >= 0) {
        const TGridCoord pressed = std::exchange(pressedFormButton_, TGridCoord{-1, -1});
        RepaintCell(pressed.X, pressed.Y);
    }
    moveStart_ = -1;
    if (!ComponentState().Contains(csDesigning))
        for (Integer direction = 0; direction < 4; ++direction)
            if (TArrowWindow* arrow = ArrowWindow(direction)) arrow->SetVisible(false);
}

void RAdeRedeviDidi::ReleaseFixedCell() {
    if (pressedFixedCell_.X < 0) return;
    const TGridCoord pressed = std::exchange(pressedFixedCell_, TGridCoord{-1, -1});
    RepaintCell(pressed.X, pressed.Y);
}

// The OLE drag ran until the button went up and took that release: the press ends without one.
void RAdeRedeviDidi::EndPressTakenByDrag() {
    EndPress();
    ReleaseFixedCell();
    TMessage up{};
    up.Msg = WM_LBUTTONUP;
    TrackHeaderMouse(up);
}

void RAdeRedeviDidi::LeftButtonUp(TMessage& Message) {
    const auto [x, y] = MessagePoint(Message);
    const TGridCoord cell = CellAt(x, y);
    EndPress();

    if (fixedSizingActive_) {
        fixedSizingActive_ = false;
        DrawSizeLine(fixedSizingX_);
        const Integer width = x - static_cast<Integer>(ColWidthsSum(0, fixedSizingCol_));
        if (width > 0) SetColWidths(fixedSizingCol_, width);
        if (OnEndColumnSize) OnEndColumnSize(this, fixedSizingCol_);
        TBaseGrid::WndProc(Message);
        return;
    }
    ReleaseFixedCell();
    if (pressedButton_.X >= 0) {
        const TGridCoord pressed = std::exchange(pressedButton_, TGridCoord{-1, -1});
        SetCellButtonDown(pressed.X, pressed.Y, false);
        if (OnButtonClick) OnButtonClick(this, pressed.X, pressed.Y);
        ReleaseCapture();
        TBaseGrid::WndProc(Message);
        return;
    }
    if (sizingHintShown_ && hintWindow_) {
        sizingHintShown_ = false;
        hintWindow_->ReleaseHandle();
    }
    if (cell.X >= 0 && HasCellButton(cell.X, cell.Y)) {
        TRect button;
        GetCellButtonRect(cell.X, cell.Y, button);
        if (button.Contains(Point(x, y))) return;
    }
    // A column sized on the headers is no release for the user's OnMouseUp.
    const bool sizedOnHeader =
        FGridState == gsColSizing && cell.X >= 0 && cell.Y < FixedRows() && Options().Contains(goColSizing);
    ReleaseEnds(cell);

    // A move with the image ends here (the class library moves): the image, the arrows and the screen's drag
    // cursor go, as they do after a move that ended otherwise (refused, or its settings changed).
    const bool lineMove = FGridState == gsColMoving || FGridState == gsRowMoving;
    if ((lineMove && EnhRowColMove() && Screen->Cursor() == crDrag) || (dragImage_ && dragImage_->Visible()))
        HideDragImage();
    // A row does not go below a floating footer that is not a grid row, with the image or without.
    const bool footer = FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() != fsFixedLastRow;
    if (FGridState == gsRowMoving && footer && cell.Y == RowCount() - 1) FGridState = gsNormal;
    {
        const TValueGuard<TMouseEvent> quiet(OnMouseUp, sizedOnHeader ? TMouseEvent() : OnMouseUp);
        TBaseGrid::WndProc(Message);
    }
    colSizedByMouse_ = rowSizedByMouse_ = false;
    if (fillPending_) {
        fillPending_ = false;
        const TGridRect now = Selection();
        if (OnSelectionResize) OnSelectionResize(this, fillOrigin_, now);
        PasteSelectionFromClipboard();
    }
    // A press that moved or sized a line neither clicks its controls nor sorts.
    if (std::exchange(moveHappened_, false) || cell.X < 0) return;
    const bool dataCell = cell.X >= FixedCols() && cell.Y >= FixedRows();
    if (dataCell || SortSettings()->FixedCols()) {
        bool state = false;
        Integer index = -1;
        if (HasCheckBox(cell.X, cell.Y) && GetCheckBoxState(cell.X, cell.Y, state) && OnCheckBoxMouseUp)
            OnCheckBoxMouseUp(this, cell.X, cell.Y, state);
        if (HasRadio(cell.X, cell.Y) && GetRadioIndex(cell.X, cell.Y, index) && OnRadioMouseUp)
            OnRadioMouseUp(this, cell.X, cell.Y, index);
    }
    if (std::exchange(skipSort_, false)) return;
    HeaderClickSort(cell.X, x, y, KeyboardStateToShiftState());
}

// The end of the press's own gestures: a drag selection is over, a press that waited to see whether it
// became a drag clicks now, and the selection is carried into the disjunct row and column flags.
void RAdeRedeviDidi::ReleaseEnds(TGridCoord Cell) {
    const bool selecting = FGridState == gsSelecting;
    if (selecting) FGridState = gsNormal;
    const bool clicked = std::exchange(dragPending_, false) && ClickPendingCell();
    if (!(selecting || clicked) || Cell.X < 0) return;
    // A Ctrl click that stayed on its row (column) keeps what its toggle made of it.
    const TGridRect sel = Selection();
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    const bool oneRow = ctrl && sel.Top == sel.Bottom && sel.Top == downCell_.Y;
    const bool oneCol = ctrl && sel.Left == sel.Right && sel.Left == downCell_.X;
    if (MouseActions()->DisjunctRowSelect() && !oneRow) SelectToRowSelect(false);
    if (MouseActions()->DisjunctColSelect() && !oneCol) SelectToColSelect(false);
}

// The data cell pressed for a drag that never started becomes the selection (its row with goRowSelect);
// Ctrl toggles its disjunct row, without Ctrl they are cleared first.
bool RAdeRedeviDidi::ClickPendingCell() {
    const TGridCoord cell = downCell_;
    if (cell.X < FixedCols() || cell.Y < FixedRows() || cell.X >= ColCount() || cell.Y >= RowCount()) return false;
    if (MouseActions()->DisjunctRowSelect()) {
        const Integer flag = RowFlagIndex(cell.Y);
        if (KeyboardStateToShiftState().Contains(ssCtrl)) SetRowSelect(flag, !RowSelect(flag));
        else ClearRowSelect();
    }
    FocusCell(cell.X, cell.Y, true);
    return true;
}

void RAdeRedeviDidi::HeaderClickSort(Integer ACol, Integer X, Integer Y, TShiftState Shift) {
    const Integer row = CellAt(X, Y).Y;
    const TRect rect = CellRect(ACol, row);
    if (row == 0 && Options().Contains(goColSizing) && (X - rect.Left <= EdgeSlack || rect.Right - X <= EdgeSlack))
        return;
    if (ShowFilterGlyph() && X >= rect.Right - FilterGlyphRoom) return;
    TSortSettings& sort = *SortSettings();
    if (row != sort.Row() || FixedRows() == 0 || !sort.Show() || RowCount() <= 2) {
        RepaintCell(ACol, row);
        return;
    }
    bool doSort = true;
    if (OnCanSort) OnCanSort(this, ACol, doSort);
    if (!doSort) return;
    CloseEditor();
    if (!sort.IndexShow()) {
        if (sort.Column() == ACol) {
            // With UndoSort the click after the flip away from the first direction brings the rows back.
            if (sort.UndoSort() && sort.Direction() != sort.InitSortDirection()) {
                RestoreOriginalOrder();
                sort.SetColumn(-1);
                if (OnClickSort) OnClickSort(this, ACol);
                return;
            }
            sort.SetDirection(sort.Direction() == sdAscending ? sdDescending : sdAscending);
        } else {
            sort.SetDirection(sort.InitSortDirection());
            sort.SetColumn(ACol);
        }
        const bool keepLeft = Navigation()->KeepHorizScroll() && Options().Contains(goRowSelect);
        const Integer left = LeftCol();
        if (keepLeft) BeginUpdate();
        if (HasNodes()) SortWithinNodes();
        else Sort();
        if (keepLeft) {
            SetLeftColLocked(left);
            EndUpdate();
        }
    } else {
        TSortIndexList& indexes = *SortIndexes();
        const bool ascending = sort.InitSortDirection() == sdAscending;
        if (Shift.Contains(ssShift)) {
            if (indexes.FindIndex(ACol) >= 0) indexes.ToggleIndex(ACol);
            else indexes.AddIndex(ACol, ascending);
        } else if (indexes.Count() == 1 && indexes.FindIndex(ACol) == 0) {
            indexes.ToggleIndex(ACol);
        } else {
            indexes.Clear();
            indexes.AddIndex(ACol, ascending);
        }
        SortIndexed();
    }
    if (OnClickSort) OnClickSort(this, ACol);
}

// The dynamic release: sizing that ends outside the client, the disjunct cell list, then the class library.
void RAdeRedeviDidi::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if ((FGridState == gsColSizing && X > ClientWidth()) || (FGridState == gsRowSizing && Y > ClientHeight())) {
        FGridState = gsNormal;
        return;
    }
    const TGridCoord cell = CellAt(X, Y);
    if (MouseActions()->DisjunctCellSelect() && Button == mbLeft && cell.X >= FixedCols() && cell.Y >= FixedRows()) {
        if (Shift.Contains(ssCtrl)) {
            ToggleDisjunctCell(cell);
        } else {
            for (const TGridCoord& listed : disjunctCells_) RepaintCell(listed.X, listed.Y);
            disjunctCells_.assign(1, cell);
        }
        const TGridRect sel = Selection();
        if (sel.Left != sel.Right || sel.Top != sel.Bottom)
            for (Integer r = sel.Top; r <= sel.Bottom; ++r)
                for (Integer c = sel.Left; c <= sel.Right; ++c)
                    if (std::find(disjunctCells_.begin(), disjunctCells_.end(), TGridCoord{c, r}) ==
                        disjunctCells_.end())
                        disjunctCells_.push_back({c, r});
    }
    if (FGridState == gsColMoving && Button == mbRight) return;
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    const TGridRect sel = Selection();
    SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void RAdeRedeviDidi::ToggleDisjunctCell(const TGridCoord& Cell) {
    const auto at = std::find(disjunctCells_.begin(), disjunctCells_.end(), Cell);
    if (at != disjunctCells_.end()) disjunctCells_.erase(at);
    else disjunctCells_.push_back(Cell);
    RepaintCell(Cell.X, Cell.Y);
}

// ---------------------------------------------------------------------------
// Double click and the right button

void RAdeRedeviDidi::DoubleClick(TMessage& Message) {
    const auto [x, y] = MessagePoint(Message);
    TGridCoord cell = CellAt(x, y);
    if (cell.X < 0 && y >= 0 && x >= static_cast<Integer>(ColWidthsSum(0, ColCount()))) {
        if (FixedRowAlways()) return;
        cell = {ColCount() - 1, 0};
    }
    if (cell.X >= 0 && cell.Y < FixedRows() && Options().Contains(goColSizing)) {
        const TRect rect = CellRect(cell.X, cell.Y);
        Integer sized = -1;
        if (x - rect.Left <= EdgeSlack && cell.X - 1 >= FixedCols()) sized = cell.X - 1;
        else if (rect.Right - x <= EdgeSlack || x >= rect.Right) sized = cell.X;
        if (sized >= 0) {
            bool allow = true;
            if (OnColumnSize) OnColumnSize(this, sized, allow);
            if (allow) {
                AutoSizeCol(sized);
                if (OnEndColumnSize) OnEndColumnSize(this, sized);
            }
            return;
        }
    }
    TBaseGrid::WndProc(Message);
    if (cell.X < 0) return;
    if (OnDblClickCell) OnDblClickCell(this, cell.Y, cell.X);
    if (MouseActions()->RangeSelectAndEdit() && IsCellEditable(RealColIndex(cell.X), cell.Y)) {
        SetOptions(Options().Include(goEditing));
        Perform(WM_LBUTTONDOWN, MK_LBUTTON, Message.LParam);
    }
    if (cell.Y < FixedRows() && MouseActions()->FixedRowsEdit() == fceDblClick) OpenFixedCellEditor(cell.X, cell.Y);
    else if (cell.X < FixedCols() && MouseActions()->FixedColsEdit() == fceDblClick)
        OpenFixedCellEditor(cell.X, cell.Y);
}

bool RAdeRedeviDidi::RightButton(TMessage& Message) {
    if (Message.Msg == WM_RBUTTONUP) {
        const bool moving = FGridState == gsColMoving || FGridState == gsRowMoving;
        if (!(moving && EnhRowColMove() && Screen->Cursor() == crDrag)) return false;
        Message.Result = 0;
        return true;
    }
    TBaseGrid::WndProc(Message);
    const auto [x, y] = MessagePoint(Message);
    const TGridCoord cell = CellAt(x, y);
    if (cell.X < 0) return true;
    const bool dataCell = cell.X >= FixedCols() && cell.Y >= FixedRows();
    if (MouseActions()->SelectOnRigthClick() && dataCell) FocusCell(cell.X, cell.Y, true);
    if (OnRightClickCell) OnRightClickCell(this, cell.Y, cell.X);
    if (URLShow() && URLEdit() && dataCell && ProUtil::IsURL(Cells(cell.X, cell.Y))) {
        FocusCell(cell.X, cell.Y, true);
        SetEditorMode(true);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Moved lines

// The class library moved the column's cells and width; what the grid keeps per column follows.
void RAdeRedeviDidi::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    const TGridLineChange change{.Columns = true, .Kind = lcMove, .Index = FromIndex, .Other = ToIndex};
    HiddenRowsColumnsChanged(change);
    ColumnFlagsChanged(change);
    SortSettings()->SetColumn(MovedIndex(SortSettings()->Column(), FromIndex, ToIndex));
    TSortIndexList& indexes = *SortIndexes();
    for (Integer i = 0; i < indexes.Count(); ++i) {
        const Integer entry = indexes.Items(i);
        const Integer column = entry & 0x7FFFFFFF;
        indexes.SetItems(i, (entry & ~0x7FFFFFFF) | MovedIndex(column, FromIndex, ToIndex));
    }
    moveHappened_ = true;
}

void RAdeRedeviDidi::RowMoved(Integer FromIndex, Integer ToIndex) {
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    moveHappened_ = true;
}

}  // namespace ProGrid
