// The flat combo: its frame on the whole window, its drop button, and the colours it keeps while disabled.
#include "grdcombo.h"

#include "DedIDIZ.h"
#include "vcl/Forms.h"
#include "vcl/ScopeGuard.h"
#include "vcl/UxTheme.h"
#include "vcl/Windows.h"

namespace grdcombo {

namespace {

RECT Inset(RECT R, Integer By) { return Rect(R.Left + By, R.Top + By, R.Right - By, R.Bottom - By); }

}  // namespace

TGRDCustomCombo::TGRDCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 4) {
    SetFlat(true);
    savedColor_ = Color();
    savedParentColor_ = ParentColor();
}

void TGRDCustomCombo::SetFlat(bool Value) {
    flat_ = Value;
    SetCtl3D(!Value);
    SetNativeButton(!Value);
    Invalidate();
}

void TGRDCustomCombo::SetEtched(bool Value) {
    if (etched_ == Value) return;
    etched_ = Value;
    Invalidate();
}

void TGRDCustomCombo::SetButtonWidth(Integer Value) {
    if (Value < 14 || Value > 32) return;
    buttonWidth_ = Value;
    Invalidate();
}

void TGRDCustomCombo::SetFocusBorder(bool Value) {
    if (focusBorder_ == Value) return;
    focusBorder_ = Value;
    Invalidate();
}

void TGRDCustomCombo::SetDropWidth(Integer Value) {
    dropWidth_ = Value;
    if (dropWidth_ > 0 && HandleAllocated()) SendMessage(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TGRDCustomCombo::SetIsWinXP(bool Value) {
    if (isWinXP_ == Value) return;
    isWinXP_ = Value;
    Invalidate();
}

void TGRDCustomCombo::CreateWnd() {
    TCustomComboBox::CreateWnd();
    if (dropWidth_ > 0) SendMessage(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(dropWidth_), 0);
}

bool TGRDCustomCombo::Hot() const {
    if (ComponentState().Contains(csDesigning) || !focusBorder_) return false;
    return mouseInside_ || Screen->ActiveControl() == this;
}

void TGRDCustomCombo::DrawFrame() {
    if (!flat_ || !HandleAllocated()) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    const TScopeExit release([&] { ReleaseDC(Handle(), dc); });
    const bool hot = Hot();
    HBRUSH outer = CreateSolidBrush(ColorToRGB(hot ? clBtnFace : Parent() ? Parent()->Color() : clBtnFace));
    HBRUSH inner = CreateSolidBrush(ColorToRGB(Color()));
    const TScopeExit brushes([&] {
        DeleteObject(outer);
        DeleteObject(inner);
    });
    RECT r = Rect(0, 0, Width(), Height());
    if (hot) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameRect(dc, &r, outer);
    } else {
        FrameRect(dc, &r, outer);
        r = Inset(r, 1);
        FrameRect(dc, &r, outer);
    }
    r = Inset(r, 1);
    FrameRect(dc, &r, inner);
    if (Style() == csSimple) return;
    const Integer cw = ClientWidth(), ch = ClientHeight();
    if (!isWinXP_) ExcludeClipRect(dc, cw - buttonWidth_ + 4, 4, cw - 4, ch - 4);
    RECT edge = Inset(Rect(cw - buttonWidth_ - 4, 0, Width(), Height()), 2);
    edge.Right += 1;
    edge.Bottom += 2;
    DrawEdge(dc, &edge, etched_ ? EDGE_ETCHED : EDGE_RAISED, BF_RECT);
    ExcludeClipRect(dc, edge.Left, edge.Top, edge.Right, edge.Bottom);
}

void TGRDCustomCombo::DrawButton(HDC DC) {
    const Integer cw = ClientWidth(), ch = ClientHeight();
    RECT r = Rect(cw - buttonWidth_, 0, Width(), Height());
    if (isWinXP_) {
        const bool held = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
        if (DedIDIZ::DrawThemedPart(Handle(), u"combobox", CP_DROPDOWNBUTTON, held ? CBXS_PRESSED : CBXS_NORMAL, DC,
                                    Inset(r, 1)))
            return;
    }
    r = Rect(r.Left - 2, r.Top + 2, r.Right - 2, r.Bottom);
    DrawFrameControl(DC, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
    ExcludeClipRect(DC, cw - buttonWidth_ - 4, 0, cw + 2, ch);
}

// The native widget has painted itself; of the fill, what shows is the strip its painting leaves alone
// (the button's), so only that is filled here, and the frame goes on top as after a non-client paint.
void TGRDCustomCombo::PaintFlat(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    const bool own = !dc;
    if (own) dc = GetDC(Handle());
    if (!dc) return TCustomComboBox::Dispatch(Message);
    if (Style() != csSimple) {
        const Integer cw = ClientWidth(), ch = ClientHeight();
        const RECT strip = Rect(cw - buttonWidth_ - 4, 0, cw, ch);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(dc, &strip, brush);
        DeleteObject(brush);
        DrawButton(dc);
    }
    Message.WParam = reinterpret_cast<WPARAM>(dc);
    TCustomComboBox::Dispatch(Message);
    if (own) ReleaseDC(Handle(), dc);
    DrawFrame();
}

void TGRDCustomCombo::MouseEntered(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (Enabled() && !mouseInside_) {
        mouseInside_ = true;
        DrawFrame();
    }
    // A disabled or hidden combo still hears the mouse; it cannot take the focus then.
    if (autoFocus_ && !Focused() && CanFocus()) SetFocus();
}

void TGRDCustomCombo::MouseLeft(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (!Enabled() || !mouseInside_) return;
    mouseInside_ = false;
    DrawFrame();
}

// Disabled, a flat combo shows its parent's colour; enabled again, its own.
void TGRDCustomCombo::EnabledChanged(TMessage& Message) {
    if (flat_) {
        if (Enabled()) {
            SetColor(savedColor_);
            SetParentColor(savedParentColor_);
        } else {
            savedParentColor_ = ParentColor();
            savedColor_ = Color();
            SetParentColor(true);
        }
    }
    TCustomComboBox::Dispatch(Message);
}

void TGRDCustomCombo::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_ENTER:
        case CM_EXIT:
            TCustomComboBox::Dispatch(Message);
            if (!ComponentState().Contains(csDesigning)) DrawFrame();
            break;
        case CM_MOUSEENTER: MouseEntered(Message); break;
        case CM_MOUSELEAVE: MouseLeft(Message); break;
        case CM_ENABLEDCHANGED: EnabledChanged(Message); break;
        case WM_NCPAINT:
            TCustomComboBox::Dispatch(Message);
            DrawFrame();
            break;
        case WM_PAINT:
            if (flat_) PaintFlat(Message);
            else TCustomComboBox::Dispatch(Message);
            break;
        case CN_COMMAND: {
            TCustomComboBox::Dispatch(Message);
            const Word code = HIWORD(Message.WParam);
            if ((code == CBN_DROPDOWN || code == CBN_CLOSEUP) && HandleAllocated()) {
                const TRect client = ClientRect();
                const RECT button = Rect(client.Right - buttonWidth_, client.Top, client.Right, client.Bottom);
                InvalidateRect(Handle(), &button, FALSE);
            }
            break;
        }
        default: TCustomComboBox::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------

namespace {

void PublishTGRDComboBox(TPublisher& p) {
    TPublishOf<TGRDCustomCombo> P(p);
    P.Bool("AutoFocus", &TGRDCustomCombo::AutoFocus, &TGRDCustomCombo::SetAutoFocus);
    P.Int("ButtonWidth", &TGRDCustomCombo::ButtonWidth, &TGRDCustomCombo::SetButtonWidth);
    P.Bool("Flat", &TGRDCustomCombo::Flat, &TGRDCustomCombo::SetFlat);
    P.Bool("Etched", &TGRDCustomCombo::Etched, &TGRDCustomCombo::SetEtched);
    P.Bool("FocusBorder", &TGRDCustomCombo::FocusBorder, &TGRDCustomCombo::SetFocusBorder);
    P.Int("DropWidth", &TGRDCustomCombo::DropWidth, &TGRDCustomCombo::SetDropWidth);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGRDCustomCombo, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGRDComboBox, VCL_CREATOR(TGRDComboBox), PublishTGRDComboBox)

}  // namespace grdcombo
