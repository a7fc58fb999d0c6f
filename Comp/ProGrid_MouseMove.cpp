// The mouse moving over the grid: header selections, the fixed columns' sizing, row and column moves with
// their image and arrows, anchors, the cursor it picks, the sizing and cell hints, and the grid's timer
// (hover and blinking text).
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_HintWindow.h"
#include "ProUtil.h"
#include "vcl/Forms.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProObj;

namespace {

constexpr Integer FixedBorderSlack = 2;  // pixels either side of a fixed column's border
constexpr Integer ResizerSize = 4;       // the square ending at the selection's bottom-right corner
constexpr Integer HintGap = 6;           // below a cell, the hint's distance to it
constexpr Integer ArrowSize = 10;

}  // namespace

void RAdeRedeviDidi::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    const TGridRect before = Selection();
    if (buttonDown_ && MouseActions()->RangeSelectAndEdit()) SetOptions(Options().Exclude(goEditing));
    if (buttonDown_ && moveStart_ >= 0 &&
        ((cursorState_ == 2 && MouseActions()->RowSelect()) || (cursorState_ == 1 && MouseActions()->ColSelect())))
        ExtendHeaderSelection(X, Y);

    Integer fixedCol = -1;
    fixedSizingHot_ = MouseActions()->SizeFixedCol() && !fixedSizingActive_ && OnFixedColBorder(X, Y, fixedCol);
    if (fixedSizingHot_) fixedSizingCol_ = fixedCol;
    if (fixedSizingActive_) {
        DrawSizeLine(fixedSizingX_);
        fixedSizingX_ = X;
        DrawSizeLine(fixedSizingX_);
    }

    if (OleDragDue(X, Y)) {
        dragPending_ = false;
        if (!StartOleDrag(downCell_.X, downCell_.Y)) {
            if (FGridState == gsNormal) FGridState = gsSelecting;
        } else {
            EndPressTakenByDrag();
            return;
        }
    }

    if (!ComponentState().Contains(csDesigning)) {
        switch (FGridState) {
            case gsColSizing:
            case gsRowSizing: moveHappened_ = true; break;
            case gsColMoving:
            case gsRowMoving: {
                bool allow = true;
                if (FGridState == gsColMoving && OnColumnMove) OnColumnMove(this, moveStart_, allow);
                if (FGridState == gsRowMoving && OnRowMove) OnRowMove(this, moveStart_, allow);
                if (!allow) {
                    HideDragImage();
                    FGridState = gsNormal;
                } else if (EnhRowColMove()) {
                    MoveWithImage(X, Y);
                }
                break;
            }
            default: break;
        }
    }

    if (!buttonDown_) UpdateCursorState(X, Y);
    const TGridCoord cell = CellAt(X, Y);
    if (cell.X >= 0) TrackAnchor(cell.X, cell.Y, X, Y);
    // Another cell than the one whose hint shows: that hint goes, and the next cell's waits its pause.
    if (hintCell_.X >= 0 && !(cell == hintCell_)) {
        hintCell_ = {-1, -1};
        Application->CancelHint();
    }

    TBaseGrid::MouseMove(Shift, X, Y);
    if (buttonDown_ && Navigation()->KeepHorizScroll()) SetLeftColLocked(downLeftCol_);
    if ((ComponentState().Contains(csDesigning) || HintShowSizing()) &&
        (FGridState == gsColSizing || FGridState == gsRowSizing || fixedSizingActive_))
        ShowSizingHint(X, Y);
    if (EnhRowColMove()) Update();
    const TGridRect after = Selection();
    if (!(after == before)) {
        if (FGridState == gsSelecting && SelectionRectangle()) Invalidate();
        SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
    }
}

// From the header where the press was to the one under the mouse, over all data columns (rows).
void RAdeRedeviDidi::ExtendHeaderSelection(Integer X, Integer Y) {
    const TGridCoord cell = CellAt(X, Y);
    if (cell.X < 0) return;
    if (cursorState_ == 2 && cell.Y >= FixedRows())
        SetSelection({FixedCols(), std::min(moveStart_, cell.Y), ColCount() - 1, std::max(moveStart_, cell.Y)});
    else if (cursorState_ == 1 && cell.X >= FixedCols())
        SetSelection({std::min(moveStart_, cell.X), FixedRows(), std::max(moveStart_, cell.X), RowCount() - 1});
}

// Fixed column i's border lies at the widths of columns 0..i plus i grid lines.
bool RAdeRedeviDidi::OnFixedColBorder(Integer X, Integer Y, Integer& ACol) const {
    if (FixedCols() == 0 || CellAt(X, Y).X < 0) return false;
    Integer border = 0;
    for (Integer i = 0; i < FixedCols(); ++i) {
        border += ColWidths(i) + (i > 0 ? 1 : 0);
        if (std::abs(X - border) <= FixedBorderSlack) {
            ACol = i;
            return true;
        }
    }
    return false;
}

void RAdeRedeviDidi::UpdateCursorState(Integer X, Integer Y) {
    const Byte old = cursorState_;
    cursorState_ = 0;
    const TGridCoord cell = CellAt(X, Y);
    const TGridRect sel = Selection();
    const TRect corner = CellRect(sel.Right, sel.Bottom);
    if (SelectionResizer() && SelectionRectangle() && !corner.IsEmpty() && X <= corner.Right &&
        X > corner.Right - ResizerSize && Y <= corner.Bottom && Y > corner.Bottom - ResizerSize) {
        cursorState_ = 5;
    } else if (cell.X >= 0) {
        const bool headerRow = cell.Y < FixedRows(), headerCol = cell.X < FixedCols();
        if (headerRow && headerCol) {
            if (MouseActions()->AllSelect()) cursorState_ = 3;
        } else if (headerRow) {
            if (MouseActions()->ColSelect() && !IsOnSizingBorder(X, Y)) cursorState_ = 1;
        } else if (headerCol) {
            const bool nodeButton = cell.X == 0 && IsNode(cell.Y) && NodeButtonHit(cell.Y, X);
            if (MouseActions()->RowSelect() && !IsOnSizingBorder(X, Y) && !nodeButton) cursorState_ = 2;
        }
    }
    // The cursor follows at once, as the next WM_SETCURSOR would pick it.
    if (old != cursorState_ && GetCursor() && cursorState_ == 0 && !panning_) ::SetCursor(nullptr);
}

// Links: the hand over a URL or an anchor, with OnAnchorEnter and OnAnchorExit as the anchor changes.
void RAdeRedeviDidi::TrackAnchor(Integer ACol, Integer ARow, Integer X, Integer Y) {
    AnsiString anchor, id, type, value;
    TRect controlRect;
    const bool hit = CellAnchorAt(ACol, ARow, X, Y, anchor, controlRect, id, type, value) && anchor != "ctrl";
    const TValueGuard setting(settingCursor_, true);
    if (!hit) {
        if (!currentAnchor_.empty() && OnAnchorExit) OnAnchorExit(this, ARow, ACol, currentAnchor_);
        currentAnchor_.clear();
        if (Cursor() != savedCursor_) TBaseGrid::SetCursor(savedCursor_);
        return;
    }
    TBaseGrid::SetCursor(crHandPoint);
    if (anchor != currentAnchor_) {
        if (OnAnchorEnter) OnAnchorEnter(this, ARow, ACol, anchor);
        currentAnchor_ = anchor;
    }
}

// "cw=" with the width the sized column gets, "rh=" with the row's height, beside the mouse.
void RAdeRedeviDidi::ShowSizingHint(Integer X, Integer Y) {
    if (!hintWindow_) return;
    AnsiString text;
    if (fixedSizingActive_) {
        text = "cw=<b>" + IntToStr(X) + "</b>";
    } else if (FGridState == gsColSizing && sizedCol_ >= 0) {
        const TRect cell = CellRect(sizedCol_, 0);
        text = "cw=<b>" + IntToStr(X - cell.Left - borderOffset_.X) + "</b>";
    } else if (FGridState == gsRowSizing && sizedRow_ >= 0) {
        const TRect cell = CellRect(0, sizedRow_);
        text = "rh=<b>" + IntToStr(Y - cell.Top - borderOffset_.Y) + "</b>";
    }
    if (text.empty()) return;
    hintWindow_->SetColor(HintColor());
    const TRect size = hintWindow_->CalcHintRect(100, text, nullptr);
    const TPoint at = ClientToScreen(Point(X + HintGap, Y + HintGap));
    hintWindow_->ActivateHint(Bounds(at.X, at.Y, size.Width(), size.Height()), text);
    sizingHintShown_ = true;
}

// ---------------------------------------------------------------------------
// Row and column moves: the moved header's image follows the mouse, arrows mark where it goes, and the
// grid scrolls a line per move beyond its edges.

void RAdeRedeviDidi::MoveWithImage(Integer X, Integer Y) {
    if (!dragImage_ || moveStart_ < 0) return;
    const bool columns = FGridState == gsColMoving;
    Screen->SetCursor(crDrag);
    const Integer width = columns ? ColWidths(moveStart_) : ColWidths(0);
    const Integer height = columns ? RowHeights(0) : RowHeights(moveStart_);
    ShowHeaderImage(columns ? Cells(moveStart_, 0) : Cells(0, moveStart_),
                    ClientToScreen(Point(X - width / 2, Y - height / 2)), width, height);

    const TGridCoord cell = CellAt(X, Y);
    Integer target = columns ? cell.X : cell.Y;
    const bool footer = FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() != fsFixedLastRow;
    if (!columns && footer && target == RowCount() - 1) target = -1;
    if (target >= (columns ? FixedCols() : FixedRows())) {
        const TRect rect = columns ? CellRect(target, 0) : CellRect(0, target);
        const bool after = target > moveStart_;
        if (columns) {
            const Integer edge = after ? rect.Right : rect.Left;
            ShowArrowAt(1, ClientToScreen(Point(edge, rect.Top)));
            ShowArrowAt(0, ClientToScreen(Point(edge, rect.Bottom)));
        } else {
            const Integer edge = after ? rect.Bottom : rect.Top;
            ShowArrowAt(2, ClientToScreen(Point(rect.Left, edge)));
            ShowArrowAt(3, ClientToScreen(Point(rect.Right, edge)));
        }
    }
    // Beyond the fixed part or the client edge the grid scrolls one line.
    if (columns) {
        if (X < FixedColsWidth() && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
        else if (X > ClientWidth() && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
    } else {
        if (Y < FixedRowsHeight() && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
        else if (Y > ClientHeight() && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    }
}

// The moved header's image with the look's colours (zub: silver to white, XP: white to the button face),
// the header's text in the fixed font and its size, top-left at a screen point; shown on top of all.
void RAdeRedeviDidi::ShowHeaderImage(const AnsiString& Caption, TPoint Screen, Integer Width, Integer Height) {
    if (!dragImage_) return;
    switch (Look()) {
        case glZub:
            dragImage_->SetGradFrom(static_cast<TColor>(0xC0C0C0));
            dragImage_->SetGradTo(clWhite);
            break;
        case glXP:
            dragImage_->SetGradFrom(clWhite);
            dragImage_->SetGradTo(clBtnFace);
            break;
        default:
            dragImage_->SetGradFrom(clNone);
            dragImage_->SetGradTo(clNone);
            break;
    }
    dragImage_->Font()->Assign(FixedFont());
    dragImage_->SetCaption(Caption);
    dragImage_->SetBounds(Screen.X, Screen.Y, Width, Height);
    dragImage_->SetVisible(true);
}

// The arrow's point at Screen: up and down arrows centred on it horizontally, the others vertically.
void RAdeRedeviDidi::ShowArrowAt(Integer Direction, TPoint Screen) {
    TArrowWindow* arrow = ArrowWindow(Direction);
    if (!arrow) return;
    switch (Direction) {
        case 0: arrow->SetBounds(Screen.X - ArrowSize / 2, Screen.Y, ArrowSize, ArrowSize); break;
        case 1: arrow->SetBounds(Screen.X - ArrowSize / 2, Screen.Y - ArrowSize, ArrowSize, ArrowSize); break;
        case 2: arrow->SetBounds(Screen.X - ArrowSize, Screen.Y - ArrowSize / 2, ArrowSize, ArrowSize); break;
        default: arrow->SetBounds(Screen.X, Screen.Y - ArrowSize / 2, ArrowSize, ArrowSize); break;
    }
    arrow->SetVisible(true);
}

// The image, the arrows and the screen's drag cursor go together.
void RAdeRedeviDidi::HideDragImage() {
    if (dragImage_) dragImage_->SetVisible(false);
    if (Screen->Cursor() == crDrag) Screen->SetCursor(crDefault);
    for (Integer direction = 0; direction < 4; ++direction)
        if (TArrowWindow* arrow = ArrowWindow(direction)) arrow->SetVisible(false);
}

// ---------------------------------------------------------------------------
// Cursor, hints, leaving and the timer

void RAdeRedeviDidi::SetCursorMessage(TMessage& Message) {
    if (FGridState != gsRowSizing && FGridState != gsColSizing) {
        const TValueGuard setting(settingCursor_, true);
        if (fixedSizingHot_ || fixedSizingActive_) {
            ::SetCursor(Screen->Cursors(crHSplit));
            Message.Result = 1;
            return;
        }
        Word id = 0;
        switch (cursorState_) {
            case 1: id = 8011; break;
            case 2: id = 8010; break;
            case 3:
            case 5: id = 8012; break;
            default: break;
        }
        if (id != 0) {
            ::SetCursor(LoadCursor(HInstance, MAKEINTRESOURCE(id)));
            Message.Result = 1;
            return;
        }
    }
    TBaseGrid::WndProc(Message);
}

// Cell hints in the grid's mark-up hint window.
void RAdeRedeviDidi::HintShowMessage(TMessage& Message) {
    Message.Result = 0;
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (!info) return;
    info->HintColor = HintColor();
    info->HintWindowClass = THTMLHintWindow::ClassInfo();
    const TGridCoord cell = CellAt(info->CursorPos.X, info->CursorPos.Y);
    hintCell_ = cell;
    if (cell.X < 0) return;
    const TRect rect = CellRect(cell.X, cell.Y);
    info->CursorRect = rect;
    AnsiString hint = info->HintStr;
    TPoint at = Point(rect.Left, rect.Bottom + HintGap);
    AnsiString anchor, id, type, value;
    TRect controlRect;
    if (AnchorHint() &&
        CellAnchorAt(cell.X, cell.Y, info->CursorPos.X, info->CursorPos.Y, anchor, controlRect, id, type, value) &&
        anchor != "ctrl") {
        if (OnAnchorHint) OnAnchorHint(this, cell.Y, cell.X, anchor);
        hint = anchor;
    }
    AnsiString comment;
    if (GetCellComment(cell.X, cell.Y, comment)) {
        hint = comment;
        at = Point(rect.Right, rect.Top);
    } else if (HintShowCells() && cell.X >= FixedCols() && cell.Y >= FixedRows()) {
        AnsiString shown = Cells(cell.X, cell.Y);
        if (!HTMLHint()) GetCellFormat(cell.X, cell.Y, shown);
        Canvas()->Font()->Assign(Font());
        if (!HintShowLargeText() || Canvas()->TextWidth(shown) > rect.Width()) {
            hint = shown;
            at = Point(rect.Left, rect.Top);
        }
    }
    GetCellHint(cell.Y, cell.X, hint);
    info->HintStr = hint;
    info->HintPos = ClientToScreen(at);
}

void RAdeRedeviDidi::TimerMessage() {
    if (Hovering() && !ComponentState().Contains(csDesigning)) {
        POINT screen{};
        GetCursorPos(&screen);
        const TPoint at = ScreenToClient(screen);
        const TGridCoord cell =
            ClientRect().Contains(at) && FindDragTarget(screen, true) == this ? CellAt(at.X, at.Y) : TGridCoord{-1, -1};
        // Only a grid that can take the focus follows the mouse.
        if (cell.X >= FixedCols() && cell.Y >= FixedRows() && CanFocus()) {
            if (!Focused()) SetFocus();
            if (!(cell == TGridCoord{Col(), Row()})) FocusCell(cell.X, cell.Y, true);
        }
    }
    if (!EnableBlink()) return;
    blinkPhase_ = !blinkPhase_;
    const Integer lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
    const Integer lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
    const auto blinks = [this](Integer ACol, Integer ARow) {
        if (UpperCase(Cells(ACol, ARow)).find("<BLI") != AnsiString::npos) RepaintCell(ACol, ARow);
    };
    for (Integer r = 0; r <= lastRow; r = r + 1 == FixedRows() ? TopRow() : r + 1)
        for (Integer c = 0; c <= lastCol; c = c + 1 == FixedCols() ? LeftCol() : c + 1) blinks(c, r);
}

}  // namespace ProGrid
