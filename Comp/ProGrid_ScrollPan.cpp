// Middle-button panning: the press marks an origin and captures the mouse, each tick of the pan timer
// moves the current cell one step towards where the mouse is, with a cursor for the direction, and the
// next press or key ends it.
#include <algorithm>

#include "ProGrid.h"

namespace ProGrid {

namespace {

// The pan timer is the grid's own: other window timers (hover, blinking) tick while panning too.
constexpr UINT PanTimer = 999;
constexpr UINT PanInterval = 10;
// The mouse within this many pixels of the origin does not pan that way.
constexpr Integer PanDeadZone = 5;
constexpr Integer PanMarkSize = 32;
constexpr Word PanCursor = 8000;

// The cursor for a step: 8000 at rest, then by direction.
Word PanCursorFor(Integer Dx, Integer Dy) {
    static constexpr Word cursors[3][3] = {
        {8006, 8004, 8005},  // up: left, straight, right
        {8002, PanCursor, 8003},
        {8008, 8001, 8007},  // down
    };
    return cursors[Dy + 1][Dx + 1];
}

Integer Towards(Integer At, Integer Origin) {
    if (At < Origin - PanDeadZone) return -1;
    return At > Origin + PanDeadZone ? 1 : 0;
}

}  // namespace

bool RAdeRedeviDidi::PanMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_MBUTTONDOWN:
            if (!panning_) {
                if (wheelMessage_ != 0 && IntelliPan() != ipNone && RowCount() > FixedRows()) StartPanning(Message);
                return false;
            }
            EndPanning();
            return false;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_KEYDOWN:
            if (panning_) EndPanning();
            return false;
        case WM_TIMER:
            if (!panning_ || TWMTimer(Message).TimerID() != PanTimer) return false;
            PanStep();
            return true;
        default: return false;
    }
}

void RAdeRedeviDidi::StartPanning(const TMessage& Message) {
    panCursor_ = LoadCursor(HInstance, MAKEINTRESOURCE(PanCursor));
    panSavedCursor_ = ::SetCursor(panCursor_);
    panning_ = true;
    SetTimer(Handle(), PanTimer, PanInterval, nullptr);
    panOrigin_ =
        Point(static_cast<SmallInt>(Message.LParam & 0xFFFF), static_cast<SmallInt>((Message.LParam >> 16) & 0xFFFF));
    ::SetCapture(Handle());
    Repaint();
    DrawPanOrigin();
}

void RAdeRedeviDidi::EndPanning() {
    ReleaseCapture();
    KillTimer(Handle(), PanTimer);
    ::SetCursor(panSavedCursor_);
    Repaint();
    panning_ = false;
    InvalidatePanOrigin();
}

void RAdeRedeviDidi::PanStep() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint at = ScreenToClient(cursor);
    Integer dx = Towards(at.X, panOrigin_.X), dy = Towards(at.Y, panOrigin_.Y);
    if (IntelliPan() == ipHorizontal) dy = 0;
    if (IntelliPan() == ipVertical) dx = 0;
    // Into the scrollable cells first: never onto a fixed column, footer or fixed right column.
    const Integer firstCol = FixedCols(), lastCol = ColCount() - FixedRightCols() - 1;
    const Integer firstRow = FixedRows(), lastRow = RowCount() - FixedFooters() - 1;
    if (lastCol < firstCol || lastRow < firstRow) return;
    Integer col = std::clamp(Col(), firstCol, lastCol), row = std::clamp(Row(), firstRow, lastRow);
    if (dx < 0 && col > firstCol) --col;
    if (dx > 0 && col < lastCol) ++col;
    if (dy < 0 && row > firstRow) --row;
    if (dy > 0 && row < lastRow) ++row;
    // The view moves under the mark: take it away before the cells scroll, and draw it again after.
    const bool leavesView = col < LeftCol() || col >= LeftCol() + VisibleColCount() || row < TopRow() ||
                            row >= TopRow() + VisibleRowCount();
    if (leavesView) InvalidatePanOrigin();
    if (col != Col() || row != Row()) FocusCell(col, row, true);
    ::SetCursor(LoadCursor(HInstance, MAKEINTRESOURCE(PanCursorFor(dx, dy))));
    DrawPanOrigin();
}

// The mark of the directions panned, its background (the top-left pixel's colour) shown white.
void RAdeRedeviDidi::DrawPanOrigin() {
    if (!HandleAllocated()) return;
    const char* name = IntelliPan() == ipVertical ? "INTLI3" : IntelliPan() == ipHorizontal ? "INTLI2" : "INTLI1";
    TBitmap mark;
    mark.LoadFromResourceName(HInstance, name);
    mark.SetTransparentMode(tmFixed);
    mark.SetTransparentColor(mark.Canvas()->Pixels(0, 0));
    mark.SetTransparent(true);
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Bounds(panOrigin_.X, panOrigin_.Y, mark.Width(), mark.Height()));
    canvas->Draw(panOrigin_.X, panOrigin_.Y, &mark);
}

void RAdeRedeviDidi::InvalidatePanOrigin() {
    if (!HandleAllocated()) return;
    const RECT square = Bounds(panOrigin_.X, panOrigin_.Y, PanMarkSize, PanMarkSize);
    ::InvalidateRect(Handle(), &square, FALSE);
}

}  // namespace ProGrid
