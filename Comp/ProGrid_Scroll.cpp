// Scrolling: flat scroll bars through the common controls' entry points, thumbs sized to the share in
// view, scroll hints and live scrolling while a thumb is dragged, the wheel and Ctrl+wheel zoom.
#include <algorithm>
#include <cmath>

#include "ProGrid.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

// Looked up at each call: without the module or the entry point the call does nothing (False).
template <typename Proc, typename... Args>
bool CallCommonControl(const char* Entry, Args... Arguments) {
    const HMODULE module = GetModuleHandle("comctl32.dll");
    const FARPROC address = module ? GetProcAddress(module, Entry) : nullptr;
    if (!address) return false;
    reinterpret_cast<Proc>(address)(Arguments...);
    return true;
}

int FlatScrollMode(TScrollType Type) {
    switch (Type) {
        case ssFlat: return FSB_FLAT_MODE;
        case ssEncarta: return FSB_ENCARTA_MODE;
        case ssNormal: break;
    }
    return FSB_REGULAR_MODE;
}

// The steps of the window bars' thumbs: 0..127 stand for the whole scrollable range.
constexpr Integer ThumbSteps = 127;

}  // namespace

// ---------------------------------------------------------------------------
// Properties

void RAdeRedeviDidi::SetScrollType(TScrollType Value) {
    if (Value != scrollType_) {
        scrollType_ = Value;
        if (Value == ssNormal) {
            DoneFlatScrollBars();
        } else {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        }
    }
    ApplyScrollType();
}

void RAdeRedeviDidi::SetScrollColor(TColor Value) {
    scrollColor_ = Value;
    ApplyScrollColor();
}

void RAdeRedeviDidi::SetScrollWidth(Integer Value) {
    scrollWidth_ = Value;
    ApplyScrollWidth();
}

// Switching off gives the window bars back their plain thumb over the whole range of steps: a range left
// proportional would no longer match the steps the grid scrolls by.
void RAdeRedeviDidi::SetScrollProportional(bool Value) {
    scrollProportional_ = Value;
    if (Value || !HandleAllocated()) return;
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE;
        if (!GetScrollInfo(Handle(), bar, &info) || info.nMax <= info.nMin) continue;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = ThumbSteps;
        info.nPage = 0;
        SetScrollInfo(Handle(), bar, &info, TRUE);
        SyncFlatScrollBar(bar);
    }
    UpdateScrollPos();
}

// ---------------------------------------------------------------------------
// Flat scroll bars

void RAdeRedeviDidi::InitFlatScrollBars() {
    if (!HandleAllocated()) return;
    flatScrollBars_ = CallCommonControl<INITIALIZEFLATSBPROC>("InitializeFlatSB", Handle());
}

void RAdeRedeviDidi::DoneFlatScrollBars() {
    flatScrollBars_ = false;
    if (HandleAllocated()) CallCommonControl<UNINITIALIZEFLATSBPROC>("UninitializeFlatSB", Handle());
}

void RAdeRedeviDidi::SetFlatScrollProp(UINT Index, Integer Value) {
    if (!flatScrollBars_ || !HandleAllocated()) return;
    CallCommonControl<FLATSBSETSCROLLPROPPROC>("FlatSB_SetScrollProp", Handle(), Index,
                                               static_cast<std::intptr_t>(Value), TRUE);
}

void RAdeRedeviDidi::ApplyScrollType() {
    SetFlatScrollProp(WSB_PROP_VSTYLE, FlatScrollMode(scrollType_));
    SetFlatScrollProp(WSB_PROP_HSTYLE, FlatScrollMode(scrollType_));
}

void RAdeRedeviDidi::ApplyScrollColor() {
    if (scrollColor_ == clNone) return;
    SetFlatScrollProp(WSB_PROP_VBKGCOLOR, scrollColor_);
    SetFlatScrollProp(WSB_PROP_HBKGCOLOR, scrollColor_);
}

void RAdeRedeviDidi::ApplyScrollWidth() {
    SetFlatScrollProp(WSB_PROP_CXVSCROLL, scrollWidth_);
    SetFlatScrollProp(WSB_PROP_CYHSCROLL, scrollWidth_);
}

bool RAdeRedeviDidi::FlatScrollBarUsed(int Bar) const {
    const TScrollStyle own = Bar == SB_VERT ? ssVertical : ssHorizontal;
    return flatScrollBars_ && HandleAllocated() && (ScrollBars() == ssBoth || ScrollBars() == own);
}

void RAdeRedeviDidi::ShowFlatScrollBar(int Bar, bool Show) {
    if (FlatScrollBarUsed(Bar)) CallCommonControl<FLATSBSHOWSCROLLBARPROC>("FlatSB_ShowScrollBar", Handle(), Bar, Show);
}

void RAdeRedeviDidi::SyncFlatScrollBar(int Bar) {
    if (!FlatScrollBarUsed(Bar)) return;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(Handle(), Bar, &info);
    CallCommonControl<FLATSBSETSCROLLINFOPROC>("FlatSB_SetScrollInfo", Handle(), Bar, &info, TRUE);
}

void RAdeRedeviDidi::SyncVertScrollBar() { SyncFlatScrollBar(SB_VERT); }
void RAdeRedeviDidi::SyncHorzScrollBar() { SyncFlatScrollBar(SB_HORZ); }

void RAdeRedeviDidi::UpdateFlatScrollBars() {
    ApplyScrollType();
    ApplyScrollColor();
    ApplyScrollWidth();
    const bool rows = VisibleRowCount() + FixedRows() < RowCount();
    ShowFlatScrollBar(SB_VERT, rows);
    if (rows) SyncVertScrollBar();
    const bool cols = VisibleColCount() + FixedCols() < ColCount();
    ShowFlatScrollBar(SB_HORZ, cols);
    if (cols) SyncHorzScrollBar();
}

// ---------------------------------------------------------------------------
// Proportional thumbs

void RAdeRedeviDidi::UpdateProportionalHorz() { UpdateProportional(false); }
void RAdeRedeviDidi::UpdateProportionalVert() { UpdateProportional(true); }

// Sums come from the size tree, so a thumb costs the same for a thousand rows as for a million.
void RAdeRedeviDidi::UpdateProportional(bool Vertical) {
    if (!scrollProportional_ || ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning) ||
        !HandleAllocated())
        return;
    const int bar = Vertical ? SB_VERT : SB_HORZ;
    const Integer fixed = Vertical ? FixedRows() : FixedCols();
    const Integer count = Vertical ? RowCount() : ColCount();
    const Integer first = Vertical ? TopRow() : LeftCol();
    const double line = GridLineWidth();
    const auto span = [&](Integer From, Integer To) {
        const std::int64_t sizes = Vertical ? RowHeightsSum(From, To) : ColWidthsSum(From, To);
        return static_cast<double>(sizes) + line * (To - From);
    };
    const double fixedSpan = line + span(0, fixed);
    const double total = line + span(fixed, count);
    const double hidden = span(fixed, first);
    const double extent = Vertical ? Height() : Width();
    // Nothing to size a thumb by: no scrollable cells, or no room beside the fixed ones.
    if (count <= fixed || extent < fixedSpan) return;
    const double share = (extent - fixedSpan) / total;
    if (share >= 0.9999) return;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), bar, &info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = static_cast<int>(std::lrint((ThumbSteps + share) / (1 - share)));
    info.nPage = static_cast<UINT>(info.nMax - (ThumbSteps - 1));
    if (extent < total) info.nPos = static_cast<int>(std::lrint(128 * hidden / (total - extent)));
    SetScrollInfo(Handle(), bar, &info, TRUE);
    SyncFlatScrollBar(bar);
}

// ---------------------------------------------------------------------------
// Scroll messages

Integer RAdeRedeviDidi::ThumbCell(bool Vertical, Integer Pos) {
    const Integer fixed = Vertical ? FixedRows() : FixedCols();
    const Integer range = Vertical ? RowCount() - VisibleRowCount() - fixed : ColCount() - VisibleColCount() - fixed;
    return MulDiv(Pos, range, ThumbSteps) + fixed;
}

void RAdeRedeviDidi::ShowScrollHint(bool Vertical, Integer Pos) {
    const Integer cell = ThumbCell(Vertical, Pos);
    AnsiString text = AnsiString(Vertical ? "Row : " : "Col : ") + IntToStr(cell);
    if (OnScrollHint) OnScrollHint(this, cell, text);
    hintWindow_->SetColor(HintColor());
    const TRect size = hintWindow_->CalcHintRect(100, text, nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    hintWindow_->ActivateHint(Bounds(cursor.X + 10 + size.Left, cursor.Y + size.Top, size.Width(), size.Height()),
                              text);
    scrollHintShown_ = true;
}

void RAdeRedeviDidi::HideScrollHint() {
    if (!std::exchange(scrollHintShown_, false)) return;
    hintWindow_->ReleaseHandle();
}

void RAdeRedeviDidi::ScrollMessage(TMessage& Message, bool Vertical) {
    const auto code = static_cast<Word>(Message.WParam & 0xFFFF);
    Integer pos = static_cast<SmallInt>((Message.WParam >> 16) & 0xFFFF);
    const TScrollHintType along = Vertical ? shVertical : shHorizontal;
    if (ScrollHints() == along || ScrollHints() == shBoth) {
        if (code == SB_ENDSCROLL) HideScrollHint();
        else if (code == SB_THUMBTRACK) ShowScrollHint(Vertical, pos);
    }
    if (!Vertical && code == SB_THUMBPOSITION && flatScrollBars_) {
        // From the flat bar's range back to the thumb's steps; with every column in view there is
        // nothing to rescale.
        const double visible = 128.0 * VisibleColCount() / ColCount();
        if (visible < 128) {
            pos = static_cast<Integer>(std::lrint((128.0 * pos - pos) / (128 - visible)));
            Message.WParam = MakeWParam(code, static_cast<Word>(pos));
        }
    }
    if (code == SB_THUMBTRACK && ScrollSynch()) {
        if (Vertical) SetTopRow(ThumbCell(true, pos));
        else SetLeftCol(ThumbCell(false, pos));
    }
    TBaseGrid::WndProc(Message);
    SyncHorzScrollBar();
    SyncVertScrollBar();
    // A check box's editor does not scroll along with its cell.
    if (HasCheckBox(Col(), Row())) HideEditor();
    if (!Vertical && footerPanel_ && floatingFooter_->Visible()) footerPanel_->Repaint();
}

bool RAdeRedeviDidi::ScrollWindowMessage(TMessage& Message) {
    if (PanMessage(Message)) return true;
    switch (Message.Msg) {
        case WM_SIZE:
        case CM_UIACTIVATE:
        case WM_LBUTTONUP:
            UpdateProportionalVert();
            UpdateProportionalHorz();
            break;
        default: break;
    }
    switch (Message.Msg) {
        case WM_SIZE: return SizeMessage(Message);
        case WM_HSCROLL: ScrollMessage(Message, false); return true;
        case WM_VSCROLL: ScrollMessage(Message, true); return true;
        default: break;
    }
    return wheelMessage_ != 0 && Message.Msg == wheelMessage_ && WheelMessageArrived(Message);
}

// ---------------------------------------------------------------------------
// Wheel and zoom

void RAdeRedeviDidi::IntelliZoomStep(Integer Delta) {
    if (zoomLevel_ + Delta < -10 || zoomLevel_ + Delta > 10) return;
    zoomLevel_ += Delta;
    ChangeSizes([&] {
        for (Integer c = 0; c < ColCount(); ++c)
            if (ColWidths(c) + Delta > 0) SetColWidths(c, ColWidths(c) + Delta);
        for (Integer r = 0; r < RowCount(); ++r)
            if (RowHeights(r) + Delta > 0) SetRowHeights(r, RowHeights(r) + Delta);
    });
}

// The grid moves its rows by the wheel's lines itself, so the message stops here: the class library's
// handling would move the row once more.
bool RAdeRedeviDidi::WheelMessageArrived(TMessage& Message) {
    const bool towardsEnd = static_cast<SmallInt>((Message.WParam >> 16) & 0xFFFF) < 0;
    if ((Message.WParam & MK_CONTROL) && IntelliZoom()) {
        IntelliZoomStep(towardsEnd ? wheelScrollLines_ : -wheelScrollLines_);
        return true;
    }
    if (!EnableWheel()) return false;
    if (FixedRowAlways() && RowCount() == 1) return true;
    const Integer lastRow = RowCount() - FixedFooters() - 1;
    if (lastRow < FixedRows() || ColCount() <= FixedCols()) return true;
    const Integer row =
        std::clamp(towardsEnd ? Row() + wheelScrollLines_ : Row() - wheelScrollLines_, FixedRows(), lastRow);
    const Integer col = std::clamp(Col(), FixedCols(), ColCount() - 1);
    const Integer left = LeftCol();
    FocusCell(col, row, true);
    if (navigation_->KeepHorizScroll() && Options().Contains(goRowSelect)) SetLeftColLocked(left);
    return true;
}

bool RAdeRedeviDidi::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!Options().Contains(goRowSelect) || !navigation_->KeepHorizScroll())
        return TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    const Integer left = LeftCol();
    const bool handled = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    SetLeftColLocked(left);
    return handled;
}

bool RAdeRedeviDidi::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!Options().Contains(goRowSelect) || !navigation_->KeepHorizScroll()) {
        if (Row() >= RowCount() || Col() >= ColCount()) return true;
        return TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    }
    const Integer left = LeftCol();
    const bool handled = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    SetLeftColLocked(left);
    return handled;
}

}  // namespace ProGrid
