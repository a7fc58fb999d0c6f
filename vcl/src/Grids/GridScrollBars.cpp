// The grid's window scroll bars: whatever there is to scroll, the bar's 0..127 stand for the whole
// scrollable range.
#include <algorithm>

#include "Windows/ScrollBars.h"
#include "vcl/Grids.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

constexpr Integer BarSteps = 127;

Integer ToBar(Integer Offset, Integer Span) { return Span > 0 ? MulDiv(Offset, BarSteps, Span) : 0; }

Integer FromBar(Integer Pos, Integer Span) { return MulDiv(Pos, Span, BarSteps); }

// A bar that shows and goes on showing keeps the range and page it has (a descendant may size its thumb);
// one that comes gets the plain steps, one that goes none.
void SetBarSteps(HWND Window, int Bar, bool Scrolls) {
    if (Scrolls && ScrollBarVisible(Window, Bar)) return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = Scrolls ? BarSteps : 0;
    SetScrollInfo(Window, Bar, &info, TRUE);
}

}  // namespace

TControlPeer* TCustomGrid::CreatePeer() { return CreateScrollingSurfacePeer(this); }

void TCustomGrid::InitializePeer() {
    TCustomControl::InitializePeer();
    LayoutChanged();  // the frame now comes from the window's styles
    ConnectWindowScrollBars(this);
    UpdateScrollRange();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    UpdateScrollRange();
}

void TCustomGrid::UpdateScrollRange() {
    if (!HandleAllocated() || updatingScrollRange_) return;
    const TValueGuard updating(updatingScrollRange_, true);
    // A bar that shows or hides changes the client area, and so what there is to scroll: settle it.
    for (int pass = 0; pass < 3; ++pass) {
        const TGridCoord most = CalcMaxTopLeft();
        const bool horz = (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && most.X > fixedCols_;
        const bool vert = (scrollBars_ == ssVertical || scrollBars_ == ssBoth) && most.Y > fixedRows_;
        SetBarSteps(Handle(), SB_HORZ, horz);
        SetBarSteps(Handle(), SB_VERT, vert);
        const bool horzShown = ScrollBarVisible(Handle(), SB_HORZ), vertShown = ScrollBarVisible(Handle(), SB_VERT);
        if (horzShown == horzBar_ && vertShown == vertBar_) break;
        horzBar_ = horzShown;
        vertBar_ = vertShown;
        LayoutChanged();
        Invalidate();
        // The client area changed size: the window hears of it at once, as when its bars come or go.
        Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
    }
    MoveTopLeft(topLeft_.X, topLeft_.Y);
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos() {
    if (!HandleAllocated()) return;
    const TGridCoord most = CalcMaxTopLeft();
    if (horzBar_) SetScrollPos(Handle(), SB_HORZ, ToBar(LeftCol() - fixedCols_, most.X - fixedCols_), TRUE);
    if (vertBar_) SetScrollPos(Handle(), SB_VERT, ToBar(TopRow() - fixedRows_, most.Y - fixedRows_), TRUE);
}

// Pages as the keys turn them: the last row (column) shown whole starts the next page, and a page up ends
// at the old top. Every action on a bar focuses the grid first.
void TCustomGrid::ScrollMessage(bool Vertical, Word Code, Integer Pos) {
    if (Code != SB_ENDSCROLL && !Focused() && !(editor_ && editor_->Focused()) && CanFocus()) SetFocus();
    const Integer fixed = Vertical ? fixedRows_ : fixedCols_;
    const Integer top = Vertical ? TopRow() : LeftCol();
    const TGridCoord most = CalcMaxTopLeft();
    const Integer last = Vertical ? most.Y : most.X;
    const Integer page = std::max(1, (Vertical ? VisibleRowCount() : VisibleColCount()) - 1);
    Integer next = top;
    switch (Code) {
        case SB_LINEUP: next = top - 1; break;
        case SB_LINEDOWN: next = top + 1; break;
        case SB_PAGEUP: next = std::min(top - 1, FirstShowingLast(Vertical, top)); break;
        case SB_PAGEDOWN: next = top + page; break;
        case SB_THUMBTRACK:
            if (!options_.Contains(goThumbTracking)) return;
            next = fixed + FromBar(Pos, last - fixed);
            break;
        case SB_THUMBPOSITION: next = fixed + FromBar(Pos, last - fixed); break;
        case SB_TOP: next = fixed; break;
        case SB_BOTTOM: next = last; break;
        default: return;
    }
    if (Vertical) MoveTopLeft(LeftCol(), next);
    else MoveTopLeft(next, TopRow());
}
