// The user's grid: keys move the current cell and scroll, the mouse selects (scrolling on a timer while it
// is held outside), sizes rows and columns at their lines in the fixed area and moves them by their
// fixed cells.
#include <algorithm>

#include "../Controls/ControlPeer.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/WinGdi.h"
#include "vcl/Windows.h"

namespace {

constexpr UINT ScrollTimer = 1;
constexpr UINT ScrollInterval = 60;

Integer Clamp(Integer Value, Integer Low, Integer High) { return std::max(Low, std::min(Value, High)); }

}  // namespace

void TCustomGrid::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            Message.Result = DLGC_WANTARROWS;
            if (options_.Contains(goRowSelect)) return;
            if (options_.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
            if (options_.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
            return;
        case WM_HSCROLL:
        case WM_VSCROLL:
            ScrollMessage(Message.Msg == WM_VSCROLL, static_cast<Word>(Message.WParam & 0xFFFF),
                          static_cast<SmallInt>((Message.WParam >> 16) & 0xFFFF));
            return;
        case WM_TIMER:
            if (TWMTimer(Message).TimerID() == ScrollTimer) AutoScroll();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::Dispatch(Message);
            InvalidateRect(Selection());
            // With the editor always shown, a focus that comes from elsewhere goes on into the editor; the
            // editor handing the focus back (as it hides) leaves it here.
            if (Message.Msg == WM_SETFOCUS && options_.Contains(goAlwaysShowEditor)) {
                const bool fromEditor = editor_ && editor_->HandleAllocated() &&
                                        Message.WParam == reinterpret_cast<WPARAM>(editor_->Handle());
                if (!editor_ || !editor_->Visible()) ShowEditor();
                else if (!fromEditor && CanEditShow()) ::SetFocus(editor_->Handle());
            }
            return;
        case CM_EXIT:
            HideEditor();
            TCustomControl::Dispatch(Message);
            return;
        case WM_COMMAND:
            // The editor's changes are the grid's: each one is written to the cell at once.
            if (editor_ && Message.LParam == reinterpret_cast<LPARAM>(editor_->Handle())) {
                if (HIWORD(Message.WParam) == EN_CHANGE) WriteEditText();
                return;
            }
            TCustomControl::Dispatch(Message);
            return;
        case CM_CTL3DCHANGED:
            // The frame and the fixed cells' edges change with it: the window is made anew.
            TCustomControl::Dispatch(Message);
            LayoutChanged();
            if (HandleAllocated()) RecreateWnd();
            return;
        case WM_CANCELMODE:
            TCustomControl::Dispatch(Message);
            if (FGridState != gsNormal && timerRunning_) KillTimer(Handle(), ScrollTimer);
            timerRunning_ = false;
            FGridState = gsNormal;
            selectingPress_ = false;
            return;
        default: TCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------
// Keys

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (options_.Contains(goEditing) && Shift.Empty()) {
        switch (Key) {
            case VK_F2: SetEditorMode(true); return;
            case VK_ESCAPE:
                // The cell gets back the text it had when the editor opened.
                if (editor_ && editor_->Visible()) {
                    editor_->SetText(editOriginal_);
                    WriteEditText();
                    if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
                    else editor_->SelectAll();
                }
                return;
            default: break;
        }
    }
    // A page ends at the last cell shown whole, which starts the next page.
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const Integer pageWidth = std::max(1, info.Horz.LastFullVisibleCell - LeftCol());
    const Integer pageHeight = std::max(1, info.Vert.LastFullVisibleCell - TopRow());
    const bool rowSelect = options_.Contains(goRowSelect);
    TGridCoord cur = current_, top = topLeft_;
    bool moveAnchor = !Shift.Contains(ssShift);
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
            case VK_UP: --top.Y; break;
            case VK_DOWN: ++top.Y; break;
            case VK_LEFT:
                if (!rowSelect) cur.X -= pageWidth, top.X -= pageWidth;
                break;
            case VK_RIGHT:
                if (!rowSelect) cur.X += pageWidth, top.X += pageWidth;
                break;
            case VK_PRIOR: cur.Y = TopRow(); break;
            case VK_NEXT: cur.Y = info.Vert.LastFullVisibleCell; break;
            case VK_HOME: cur = {fixedCols_, fixedRows_}; break;
            case VK_END: cur = {ColCount() - 1, RowCount() - 1}; break;
            default: return;
        }
    } else {
        switch (Key) {
            // Whole rows: moving up or down brings their start back into view.
            case VK_UP:
                --cur.Y;
                if (rowSelect) top.X = fixedCols_;
                break;
            case VK_DOWN:
                ++cur.Y;
                if (rowSelect) top.X = fixedCols_;
                break;
            case VK_LEFT:
                if (rowSelect) --top.X;
                else --cur.X;
                break;
            case VK_RIGHT:
                if (rowSelect) ++top.X;
                else ++cur.X;
                break;
            case VK_NEXT: cur.Y += pageHeight, top.Y += pageHeight; break;
            case VK_PRIOR: cur.Y -= pageHeight, top.Y -= pageHeight; break;
            case VK_HOME:
                if (rowSelect) cur.Y = fixedRows_;
                else cur.X = fixedCols_;
                break;
            case VK_END:
                if (rowSelect) cur.Y = RowCount() - 1;
                else cur.X = ColCount() - 1;
                break;
            case VK_TAB:
                if (Shift.Contains(ssAlt) || !options_.Contains(goTabs)) return;
                moveAnchor = true;
                if (Shift.Contains(ssShift)) {
                    if (--cur.X < fixedCols_) {
                        cur.X = ColCount() - 1;
                        if (--cur.Y < fixedRows_) cur.Y = RowCount() - 1;
                    }
                } else if (++cur.X >= ColCount()) {
                    cur.X = fixedCols_;
                    if (++cur.Y >= RowCount()) cur.Y = fixedRows_;
                }
                break;
            default: return;
        }
    }
    if (top.X != LeftCol() || top.Y != TopRow()) MoveTopLeft(top.X, top.Y);
    cur.X = Clamp(cur.X, fixedCols_, ColCount() - 1);
    cur.Y = Clamp(cur.Y, fixedRows_, RowCount() - 1);
    if (cur.X != Col() || cur.Y != Row()) FocusCell(cur.X, cur.Y, moveAnchor);
}

// Enter opens the editor with its text selected and closes it; with the editor always shown it switches
// between the whole text selected and the caret after it. A typed character or Backspace opens the
// editor and goes into it, replacing the text.
void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (!options_.Contains(goEditing)) return;
    const bool editorShows = editor_ && editor_->Visible();
    if (Key == '\r') {
        if (options_.Contains(goAlwaysShowEditor)) {
            if (editorShows) {
                const bool allSelected =
                    editor_->SelStart() == 0 && editor_->SelLength() == static_cast<Integer>(editor_->Text().size());
                if (allSelected) editor_->Deselect();
                else editor_->SelectAll();
            }
        } else if (editorMode_ && editorShows) {
            HideEditor();
        } else {
            SetEditorMode(true);
            if (editor_ && editor_->Visible()) editor_->SelectAll();
        }
        Key = 0;
    } else if ((static_cast<unsigned char>(Key) >= ' ' || Key == '\b') && !editorShows) {
        if (CanEditModify()) ShowEditorChar(Key);
        Key = 0;
    }
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!TCustomControl::DoMouseWheelDown(Shift, MousePos) && Row() < RowCount() - 1) SetRow(Row() + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!TCustomControl::DoMouseWheelUp(Shift, MousePos) && Row() > fixedRows_) SetRow(Row() - 1);
    return true;
}

// ---------------------------------------------------------------------------
// Mouse

bool TCustomGrid::InBody(const TGridCoord& Cell) const {
    return Cell.X >= fixedCols_ && Cell.Y >= fixedRows_ && Cell.X < ColCount() && Cell.Y < RowCount();
}

void TCustomGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                  Integer& SizingOfs, TGridDrawInfo& FixedInfo) {
    State = gsNormal;
    Index = -1;
    CalcDrawInfo(FixedInfo);
    // A line is hot from a few pixels before it to a few after, wider for wide lines. The fixed cells'
    // own lines are not: sizing starts at the first scrollable cell.
    auto hit = [](const TGridAxisDrawInfo& a, const TGridAxis& axis, Integer Pos, Integer& Line) {
        const Integer back = (a.EffectiveLineWidth + 7) / 2;
        Integer start = a.FixedBoundary;
        for (Integer i = a.FirstGridCell; i < axis.Count() && start < a.GridBoundary; ++i) {
            const Integer line = start + axis.Size(i);
            const Integer middle = line + a.EffectiveLineWidth / 2;
            if (line <= a.GridBoundary && Pos >= middle - back && Pos <= middle + back) {
                Line = line;
                return i;
            }
            start = line + a.EffectiveLineWidth;
        }
        return -1;
    };
    Integer line = 0;
    if (options_.Contains(goColSizing) && Y >= 0 && Y < FixedInfo.Vert.FixedBoundary) {
        Index = hit(FixedInfo.Horz, cols_, X, line);
        if (Index >= 0) {
            State = gsColSizing;
            SizingPos = line;
            SizingOfs = line - X;
            return;
        }
    }
    if (options_.Contains(goRowSizing) && X >= 0 && X < FixedInfo.Horz.FixedBoundary) {
        Index = hit(FixedInfo.Vert, rows_, Y, line);
        if (Index >= 0) {
            State = gsRowSizing;
            SizingPos = line;
            SizingOfs = line - Y;
        }
    }
}

// The sizing line inverts what is under it, so drawing it twice takes it away.
void TCustomGrid::DrawSizingLine(const TGridDrawInfo& Info) {
    HDC dc = Canvas()->Handle();
    if (FGridState == gsColSizing) {
        const Integer width = std::max(1, Info.Horz.EffectiveLineWidth);
        const TRect line = MirroredInClient(Rect(sizingPos_, 0, sizingPos_ + width, Info.Vert.GridBoundary));
        PatBlt(dc, line.Left, line.Top, width, line.Height(), DSTINVERT);
    } else if (FGridState == gsRowSizing) {
        const Integer height = std::max(1, Info.Vert.EffectiveLineWidth);
        const TRect line = MirroredInClient(Rect(0, sizingPos_, Info.Horz.GridBoundary, sizingPos_ + height));
        PatBlt(dc, line.Left, line.Top, line.Width(), height, DSTINVERT);
    }
}

// Where a moved row (column) would go: a two-pixel inverted bar at the edge it would take.
void TCustomGrid::DrawMoveMark() {
    if (movePos_ < 0) return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const TRect cell = movingRows_ ? LayoutCellRect(0, movePos_) : LayoutCellRect(movePos_, 0);
    if (cell.IsEmpty()) return;
    TRect mark;
    if (movingRows_) {
        const Integer y = movePos_ > moveIndex_ ? cell.Bottom : cell.Top - 1;
        mark = Rect(0, y - 1, info.Horz.GridBoundary, y + 1);
    } else {
        const Integer x = movePos_ > moveIndex_ ? cell.Right : cell.Left - 1;
        mark = Rect(x - 1, 0, x + 1, info.Vert.GridBoundary);
    }
    mark = MirroredInClient(mark);
    PatBlt(Canvas()->Handle(), mark.Left, mark.Top, mark.Width(), mark.Height(), DSTINVERT);
    moveDrawn_ = !moveDrawn_;
}

void TCustomGrid::UpdateSplitCursor(Integer X, Integer Y) {
    if (!Peer()) return;
    TGridDrawInfo info;
    TGridState state = gsNormal;
    Integer index = 0, pos = 0, ofs = 0;
    CalcSizingState(LayoutX(X), Y, state, index, pos, ofs, info);
    Peer()->SetCursor(state == gsColSizing ? crHSplit : state == gsRowSizing ? crVSplit : Cursor());
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    const Integer layoutX = LayoutX(X);
    lastMouse_ = {layoutX, Y};
    if (CanFocus() && !Focused()) {
        SetFocus();
        if (!IsActiveControl()) return TCustomControl::MouseDown(Button, Shift, X, Y);
    }
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        selectingPress_ = false;
        TGridDrawInfo info;
        CalcSizingState(layoutX, Y, FGridState, sizingIndex_, sizingPos_, sizingOfs_, info);
        if (FGridState != gsNormal) {
            DrawSizingLine(info);
        } else {
            const TGridCoord cell = LayoutCoord(layoutX, Y);
            if (InBody(cell)) {
                const bool onCurrent = cell == current_;
                if (Shift.Contains(ssShift)) MoveAnchor(cell);
                else MoveCurrent(cell.X, cell.Y, true, true);
                if (onCurrent && options_.Contains(goEditing)) ShowEditor();
                FGridState = gsSelecting;
                selectingPress_ = true;
                if (editor_ && editor_->Visible()) {
                    editor_->clickTime_ = GetTickCount();
                    editor_->clicked_ = true;
                }
            } else if (options_.Contains(goRowMoving) && cell.X >= 0 && cell.X < fixedCols_ && cell.Y >= fixedRows_) {
                FGridState = gsRowMoving;
                moveIndex_ = movePos_ = cell.Y;
                movingRows_ = true;
            } else if (options_.Contains(goColMoving) && cell.Y >= 0 && cell.Y < fixedRows_ && cell.X >= fixedCols_) {
                FGridState = gsColMoving;
                moveIndex_ = movePos_ = cell.X;
                movingRows_ = false;
            }
            if (FGridState == gsRowMoving || FGridState == gsColMoving) {
                Update();
                DrawMoveMark();
            }
            if (FGridState != gsNormal) timerRunning_ = SetTimer(Handle(), ScrollTimer, ScrollInterval, nullptr) != 0;
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

// The anchor follows the mouse while the current cell stays where the press was; without range selection
// (or while editing) the current cell follows instead.
void TCustomGrid::MoveAnchor(const TGridCoord& Cell) {
    if (options_.Contains(goRangeSelect) && !options_.Contains(goEditing)) {
        const TGridRect old = Selection();
        anchor_ = Cell;
        if (options_.Contains(goRowSelect)) anchor_.X = ColCount() - 1;
        ClampInView(Cell);
        SelectionMoved(old);
    } else {
        MoveCurrent(Cell.X, Cell.Y, true, true);
    }
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    const Integer layoutX = LayoutX(X);
    lastMouse_ = {layoutX, Y};
    TGridDrawInfo info;
    CalcDrawInfo(info);
    switch (FGridState) {
        case gsSelecting: {
            // A press a descendant turned into a selection clicks at its release too.
            selectingPress_ = true;
            // While editing, a drag selects nothing and the current cell stays.
            const TGridCoord cell = LayoutCoord(layoutX, Y);
            if (InBody(cell) && !(cell == anchor_) && !options_.Contains(goEditing)) MoveAnchor(cell);
            break;
        }
        case gsColSizing:
        case gsRowSizing:
            DrawSizingLine(info);
            sizingPos_ = (FGridState == gsColSizing ? layoutX : Y) + sizingOfs_;
            DrawSizingLine(info);
            break;
        case gsRowMoving:
        case gsColMoving: {
            const TGridCoord cell = LayoutCoord(layoutX, Y);
            const Integer pos = FGridState == gsRowMoving ? cell.Y : cell.X;
            const Integer fixed = FGridState == gsRowMoving ? fixedRows_ : fixedCols_;
            if (pos >= fixed && pos != movePos_) {
                if (moveDrawn_) DrawMoveMark();
                movePos_ = pos;
                DrawMoveMark();
            }
            break;
        }
        default: UpdateSplitCursor(X, Y);
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::EndSizing() {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    DrawSizingLine(info);
    if (FGridState == gsColSizing) {
        const TRect cell = LayoutCellRect(sizingIndex_, 0);
        const Integer size = sizingPos_ - cell.Left;
        if (!cell.IsEmpty() && size > 1) SetColWidths(sizingIndex_, size);
    } else {
        const TRect cell = LayoutCellRect(0, sizingIndex_);
        const Integer size = sizingPos_ - cell.Top;
        if (!cell.IsEmpty() && size > 1) SetRowHeights(sizingIndex_, size);
    }
}

void TCustomGrid::EndMoving() {
    if (moveDrawn_) DrawMoveMark();
    const TGridState state = FGridState;
    FGridState = gsNormal;
    if (movePos_ < 0 || movePos_ == moveIndex_) return;
    if (state == gsRowMoving) MoveRow(moveIndex_, movePos_);
    else MoveColumn(moveIndex_, movePos_);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (timerRunning_) KillTimer(Handle(), ScrollTimer);
    timerRunning_ = false;
    // The click belongs to the press that began selecting, whatever a descendant made of the state since.
    const bool click = selectingPress_ || FGridState == gsSelecting;
    switch (FGridState) {
        case gsSelecting: MouseMove(Shift, X, Y); break;
        case gsColSizing:
        case gsRowSizing: EndSizing(); break;
        case gsRowMoving:
        case gsColMoving: EndMoving(); break;
        default: break;
    }
    // A move a descendant ended on the way leaves its mark up until here.
    if (moveDrawn_) DrawMoveMark();
    FGridState = gsNormal;
    selectingPress_ = false;
    if (click) Click();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// While the button is held outside the body, the grid scrolls one cell per tick towards the mouse.
void TCustomGrid::AutoScroll() {
    if (FGridState == gsNormal || FGridState == gsColSizing || FGridState == gsRowSizing) return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const bool rows = FGridState != gsColMoving;
    const bool cols = FGridState != gsRowMoving;
    TGridCoord top = topLeft_;
    TGridCoord edge = LayoutCoord(Clamp(lastMouse_.X, info.Horz.FixedBoundary, info.Horz.GridBoundary - 1),
                                  Clamp(lastMouse_.Y, info.Vert.FixedBoundary, info.Vert.GridBoundary - 1));
    if (cols && lastMouse_.X < info.Horz.FixedBoundary) --top.X, edge.X = top.X;
    if (cols && lastMouse_.X >= info.Horz.FullVisBoundary) ++top.X, edge.X = info.Horz.LastFullVisibleCell + 1;
    if (rows && lastMouse_.Y < info.Vert.FixedBoundary) --top.Y, edge.Y = top.Y;
    if (rows && lastMouse_.Y >= info.Vert.FullVisBoundary) ++top.Y, edge.Y = info.Vert.LastFullVisibleCell + 1;
    if (top == topLeft_) return;
    const bool marked = moveDrawn_;
    if (marked) DrawMoveMark();
    MoveTopLeft(top.X, top.Y);
    if (marked) {
        Update();
        DrawMoveMark();
    }
    edge.X = Clamp(edge.X, fixedCols_, ColCount() - 1);
    edge.Y = Clamp(edge.Y, fixedRows_, RowCount() - 1);
    if (FGridState == gsSelecting && !options_.Contains(goEditing)) MoveAnchor(edge);
}
