// Windows' own scroll bars: range, page, position and visibility by handle.
#include "ScrollBars.h"

#include <algorithm>
#include <map>

namespace {

std::map<HWND, TWindowScrollBars>& Table() {
    static std::map<HWND, TWindowScrollBars> table;
    return table;
}

bool ValidBar(int Bar) { return Bar == SB_HORZ || Bar == SB_VERT; }

int ClampPos(const TWindowScrollBar& Bar, int Pos) {
    const int last = Bar.Max - std::max(static_cast<int>(Bar.Page) - 1, 0);
    return std::max(Bar.Min, std::min(Pos, std::max(last, Bar.Min)));
}

void Notify(TWindowScrollBars& Bars) {
    if (Bars.Changed) Bars.Changed();
}

}  // namespace

TWindowScrollBars* WindowScrollBars(HWND Window, bool Create) {
    if (!FindControl(Window)) return nullptr;
    auto& table = Table();
    auto found = table.find(Window);
    if (found != table.end()) return &found->second;
    return Create ? &table[Window] : nullptr;
}

void ForgetWindowScrollBars(HWND Window) { Table().erase(Window); }

bool ScrollBarVisible(HWND Window, int Bar) {
    const TWindowScrollBars* bars = ValidBar(Bar) ? WindowScrollBars(Window, false) : nullptr;
    return bars && bars->Bars[Bar].Visible;
}

int SetScrollInfo(HWND hWnd, int nBar, const SCROLLINFO* lpsi, BOOL) {
    TWindowScrollBars* bars = ValidBar(nBar) && lpsi ? WindowScrollBars(hWnd, true) : nullptr;
    if (!bars) return 0;
    TWindowScrollBar& bar = bars->Bars[nBar];
    if (lpsi->fMask & SIF_RANGE) {
        bar.Min = lpsi->nMin;
        bar.Max = std::max(lpsi->nMin, lpsi->nMax);
    }
    if (lpsi->fMask & SIF_PAGE) bar.Page = std::min(lpsi->nPage, static_cast<UINT>(bar.Max - bar.Min + 1));
    if (lpsi->fMask & SIF_POS) bar.Pos = lpsi->nPos;
    bar.Pos = ClampPos(bar, bar.Pos);
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) {
        const bool scrolls = bar.Max > bar.Min && (bar.Page == 0 || bar.Page <= static_cast<UINT>(bar.Max - bar.Min));
        bar.Visible = scrolls || (lpsi->fMask & SIF_DISABLENOSCROLL);
    }
    Notify(*bars);
    return bar.Pos;
}

BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi) {
    const TWindowScrollBars* bars = ValidBar(nBar) && lpsi ? WindowScrollBars(hWnd, false) : nullptr;
    if (!bars) return FALSE;
    const TWindowScrollBar& bar = bars->Bars[nBar];
    if (lpsi->fMask & SIF_RANGE) lpsi->nMin = bar.Min, lpsi->nMax = bar.Max;
    if (lpsi->fMask & SIF_PAGE) lpsi->nPage = bar.Page;
    if (lpsi->fMask & SIF_POS) lpsi->nPos = bar.Pos;
    if (lpsi->fMask & SIF_TRACKPOS) lpsi->nTrackPos = bar.Tracking ? bar.TrackPos : bar.Pos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    const int old = GetScrollPos(hWnd, nBar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = nPos;
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return old;
}

int GetScrollPos(HWND hWnd, int nBar) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(hWnd, nBar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = nMinPos;
    info.nMax = nMaxPos;
    return ValidBar(nBar) && FindControl(hWnd) ? (SetScrollInfo(hWnd, nBar, &info, bRedraw), TRUE) : FALSE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    TWindowScrollBars* bars = WindowScrollBars(hWnd, true);
    if (!bars || (wBar != SB_BOTH && !ValidBar(wBar))) return FALSE;
    for (int bar : {SB_HORZ, SB_VERT})
        if (wBar == SB_BOTH || wBar == bar) bars->Bars[bar].Visible = bShow != FALSE;
    Notify(*bars);
    return TRUE;
}
