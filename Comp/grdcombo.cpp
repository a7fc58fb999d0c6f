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

TFlatComboLook::TFlatComboLook(TCustomComboBox& Combo, TVariant Variant)
    : combo_(Combo), variant_(Variant), buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 4) {}

void TFlatComboLook::SetFlat(bool Value) {
    flat_ = Value;
    combo_.SetCtl3D(!Value);
    combo_.Invalidate();
}

void TFlatComboLook::SetEtched(bool Value) {
    if (etched_ == Value) return;
    etched_ = Value;
    combo_.Invalidate();
}

void TFlatComboLook::SetButtonWidth(Integer Value) {
    if (Value < 14 || Value > 32) return;
    buttonWidth_ = Value;
    combo_.Invalidate();
}

void TFlatComboLook::SetFocusBorder(bool Value) {
    if (focusBorder_ == Value) return;
    focusBorder_ = Value;
    combo_.Invalidate();
}

void TFlatComboLook::SetDropWidth(Integer Value) {
    dropWidth_ = Value;
    if (dropWidth_ > 0 && combo_.HandleAllocated())
        SendMessage(combo_.Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TFlatComboLook::SetIsWinXP(bool Value) {
    if (isWinXP_ == Value) return;
    isWinXP_ = Value;
    combo_.Invalidate();
}

void TFlatComboLook::SaveColours() {
    savedColor_ = combo_.Color();
    savedParentColor_ = combo_.ParentColor();
}

void TFlatComboLook::WindowCreated() {
    if (dropWidth_ > 0) SendMessage(combo_.Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(dropWidth_), 0);
}

bool TFlatComboLook::Hot() const {
    if (combo_.ComponentState().Contains(csDesigning) || !focusBorder_) return false;
    return mouseInside_ || Screen->ActiveControl() == &combo_;
}

bool TFlatComboLook::EdgeShown() const {
    if (combo_.ComponentState().Contains(csDesigning)) return combo_.Enabled();
    return mouseInside_ || Screen->ActiveControl() == &combo_;
}

void TFlatComboLook::DrawFrame() {
    if (!flat_ || !combo_.HandleAllocated()) return;
    const HWND window = combo_.Handle();
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    const TScopeExit release([&] { ReleaseDC(window, dc); });
    const bool hot = Hot();
    TWinControl* parent = combo_.Parent();
    HBRUSH outer = CreateSolidBrush(ColorToRGB(hot ? clBtnFace : parent ? parent->Color() : clBtnFace));
    HBRUSH inner = CreateSolidBrush(ColorToRGB(combo_.Color()));
    const TScopeExit brushes([&] {
        DeleteObject(outer);
        DeleteObject(inner);
    });
    RECT r = Rect(0, 0, combo_.Width(), combo_.ClientHeight());
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
    if (combo_.Style() == csSimple) return;
    const Integer cw = combo_.ClientWidth(), ch = combo_.ClientHeight();
    if (!isWinXP_) ExcludeClipRect(dc, cw - buttonWidth_ + 4, 4, cw - 4, ch - 4);
    const Integer edgeLeft = cw - buttonWidth_ - (variant_ == fvUnicode ? 2 : 4);
    RECT edge = Inset(Rect(edgeLeft, 0, combo_.Width(), combo_.ClientHeight()), 2);
    edge.Right += 1;
    edge.Bottom += 2;
    const UINT edgeStyle = etched_ ? EDGE_ETCHED : EDGE_RAISED;
    if (variant_ == fvStandard) {
        DrawEdge(dc, &edge, edgeStyle, BF_RECT);
    } else if (EdgeShown()) {
        DrawEdge(dc, &edge, edgeStyle, BF_RECT | (combo_.DroppedDown() ? BF_FLAT : 0));
    } else {
        HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
        FillRect(dc, &edge, face);
        DeleteObject(face);
    }
    ExcludeClipRect(dc, edge.Left, edge.Top, edge.Right, edge.Bottom);
}

void TFlatComboLook::DrawButton(HDC DC) {
    const Integer cw = combo_.ClientWidth(), ch = combo_.ClientHeight();
    RECT r = Rect(cw - buttonWidth_, 0, combo_.Width(), combo_.ClientHeight());
    if (variant_ == fvUnicode) r = Inset(r, 1);
    if (isWinXP_ && DedIDIZ::ThemeLibraryLoaded()) {
        const PEBXPVS::TThemeEntries& themes = DedIDIZ::ThemeEntries();
        if (themes.OpenThemeData && themes.DrawThemeBackground && themes.CloseThemeData) {
            HTHEME theme = themes.OpenThemeData(combo_.Handle(), u"combobox");
            if (theme) {
                const TScopeExit close([&] { themes.CloseThemeData(theme); });
                const bool held = GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
                if (variant_ == fvStandard) r = Inset(r, 1);
                themes.DrawThemeBackground(theme, DC, CP_DROPDOWNBUTTON, held ? CBXS_PRESSED : CBXS_NORMAL, &r,
                                           nullptr);
                return;
            }
        }
    }
    if (variant_ == fvStandard) r = Rect(r.Left - 2, r.Top + 2, r.Right - 2, r.Bottom);
    DrawFrameControl(DC, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
    ExcludeClipRect(DC, cw - buttonWidth_ - 4, 0, cw + 2, ch);
}

// The native widget has painted itself; of the fill, what shows is the strip its painting leaves alone
// (the button's), so only that is filled here, and the frame goes on top as after a non-client paint.
void TFlatComboLook::PaintFlat(TMessage& Message, const TWndMethod& Inherited) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    const bool own = !dc;
    if (own) dc = GetDC(combo_.Handle());
    if (!dc) return Inherited(Message);
    if (combo_.Style() != csSimple) {
        const Integer cw = combo_.ClientWidth(), ch = combo_.ClientHeight();
        const RECT strip = Rect(cw - buttonWidth_ - 4, 0, cw, ch);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(combo_.Color()));
        FillRect(dc, &strip, brush);
        DeleteObject(brush);
        DrawButton(dc);
    }
    Message.WParam = reinterpret_cast<WPARAM>(dc);
    Inherited(Message);
    if (own) ReleaseDC(combo_.Handle(), dc);
    DrawFrame();
}

void TFlatComboLook::MouseEntered(TMessage& Message, const TWndMethod& Inherited) {
    Inherited(Message);
    if (combo_.Enabled() && !mouseInside_) {
        mouseInside_ = true;
        DrawFrame();
    }
    // A disabled or hidden combo still hears the mouse; it cannot take the focus then.
    if (autoFocus_ && !combo_.Focused() && combo_.CanFocus()) combo_.SetFocus();
}

void TFlatComboLook::MouseLeft(TMessage& Message, const TWndMethod& Inherited) {
    Inherited(Message);
    if (!combo_.Enabled() || !mouseInside_) return;
    mouseInside_ = false;
    DrawFrame();
}

// Disabled, a flat combo shows its parent's colour; enabled again, its own.
void TFlatComboLook::EnabledChanged(TMessage& Message, const TWndMethod& Inherited) {
    if (flat_) {
        if (combo_.Enabled()) {
            combo_.SetColor(savedColor_);
            combo_.SetParentColor(savedParentColor_);
        } else {
            savedParentColor_ = combo_.ParentColor();
            savedColor_ = combo_.Color();
            combo_.SetParentColor(true);
        }
    }
    Inherited(Message);
}

void TFlatComboLook::CommandHandled(const TMessage& Message) {
    const Word code = HIWORD(Message.WParam);
    if ((code != CBN_DROPDOWN && code != CBN_CLOSEUP) || !combo_.HandleAllocated()) return;
    const TRect client = combo_.ClientRect();
    const RECT button = Rect(client.Right - buttonWidth_, client.Top, client.Right, client.Bottom);
    InvalidateRect(combo_.Handle(), &button, FALSE);
}

void TFlatComboLook::Dispatch(TMessage& Message, const TWndMethod& Inherited) {
    switch (Message.Msg) {
        case CM_ENTER:
        case CM_EXIT:
            Inherited(Message);
            if (!combo_.ComponentState().Contains(csDesigning)) DrawFrame();
            break;
        case CM_MOUSEENTER: MouseEntered(Message, Inherited); break;
        case CM_MOUSELEAVE: MouseLeft(Message, Inherited); break;
        case CM_ENABLEDCHANGED: EnabledChanged(Message, Inherited); break;
        case WM_NCPAINT:
            Inherited(Message);
            DrawFrame();
            break;
        case WM_PAINT:
            if (flat_) PaintFlat(Message, Inherited);
            else Inherited(Message);
            break;
        case CN_COMMAND:
            Inherited(Message);
            CommandHandled(Message);
            break;
        default: Inherited(Message); break;
    }
}

// ---------------------------------------------------------------------------

TGRDCustomCombo::TGRDCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), look_(*this, TFlatComboLook::fvStandard) {
    SetFlat(true);
    look_.SaveColours();
}

void TGRDCustomCombo::SetFlat(bool Value) {
    look_.SetFlat(Value);
    SetNativeButton(!Value);
}

void TGRDCustomCombo::CreateWnd() {
    TCustomComboBox::CreateWnd();
    look_.WindowCreated();
}

void TGRDCustomCombo::Dispatch(TMessage& Message) {
    look_.Dispatch(Message, [this](TMessage& M) { TCustomComboBox::Dispatch(M); });
}

// ---------------------------------------------------------------------------

namespace {

void PublishTGRDComboBox(TPublisher& p) {
    TPublishOf<TGRDCustomCombo> P(p);
    PublishFlatLook(P);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGRDCustomCombo, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGRDComboBox, VCL_CREATOR(TGRDComboBox), PublishTGRDComboBox)

}  // namespace grdcombo
