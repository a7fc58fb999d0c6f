// The edit with a button: the speed button's painting, its container, and the edit's layout and keys.
#include "ProEdBtn.h"

#include <algorithm>

#include "PEBXPVS.h"
#include "vcl/Forms.h"
#include "vcl/Windows.h"

namespace ProEdBtn {

using namespace ProEdit;

// ---------------------------------------------------------------------------
// TProSpeedButton

TProSpeedButton::TProSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
    themed_ = Win32MajorVersion() >= 6 || (Win32MajorVersion() == 5 && Win32MinorVersion() > 0);
}

void TProSpeedButton::SetEtched(bool Value) {
    if (etched_ == Value) return;
    etched_ = Value;
    Invalidate();
}

void TProSpeedButton::SetFocused(bool Value) {
    if (focused_ == Value) return;
    focused_ = Value;
    Invalidate();
}

void TProSpeedButton::Dispatch(TMessage& Message) {
    TSpeedButton::Dispatch(Message);
    if (Message.Msg != CM_MOUSEENTER && Message.Msg != CM_MOUSELEAVE) return;
    const bool inside = Message.Msg == CM_MOUSEENTER;
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    Invalidate();
}

void TProSpeedButton::DrawCentredGlyph(TRect Area, Integer Shift) {
    TBitmap* glyph = Glyph();
    if (glyph->Empty()) return;
    const Integer width = glyph->Width() / std::max(NumGlyphs(), 1);
    const Integer height = glyph->Height();
    Integer x = Area.Left, y = Area.Top;
    if (width < Area.Width()) x += (Area.Width() - width) / 2;
    if (height < Area.Height()) y += (Area.Height() - height) / 2;
    TCanvas* source = glyph->Canvas();
    const TColor transparent = source->Pixels(0, 0);
    TCanvas* canvas = Canvas();
    for (Integer gy = 0; gy < height; ++gy)
        for (Integer gx = 0; gx < width; ++gx) {
            const TColor c = source->Pixels(gx, gy);
            canvas->SetPixels(x + gx + Shift, y + gy + Shift, c == transparent ? clBtnFace : c);
        }
}

void TProSpeedButton::DrawCentredCaption(TRect Area, Integer Shift) {
    const AnsiString caption = Caption();
    if (caption.empty()) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    TRect r = Rect(Area.Left + Shift, Area.Top + Shift, Area.Right + Shift, Area.Bottom + Shift);
    DrawText(canvas->Handle(), caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas->Brush()->SetStyle(bsSolid);
}

// The push button of the "button" theme class, pressed while down, hot under the mouse.
bool TProSpeedButton::PaintThemed() {
    if (!themed_ || !PEBXPVS::ThemeLibraryLoaded()) return false;
    const PEBXPVS::TThemeEntries& theme = PEBXPVS::ThemeEntries();
    if (!theme.IsThemeActive || !theme.IsThemeActive() || !theme.OpenThemeData || !theme.DrawThemeBackground ||
        !theme.CloseThemeData)
        return false;
    TCanvas* canvas = Canvas();
    canvas->FillRect(ClientRect());
    const bool down = State() == bsDown || State() == bsExclusive;
    HTHEME data = theme.OpenThemeData(Parent() ? Parent()->Handle() : nullptr, u"button");
    const RECT r = Rect(0, 0, Width() + 1, Height() + 1);
    const int state = down ? PBS_PRESSED : mouseInside_ ? PBS_HOT : PBS_NORMAL;
    theme.DrawThemeBackground(data, canvas->Handle(), BP_PUSHBUTTON, state, &r, nullptr);
    theme.CloseThemeData(data);
    const Integer shift = down ? 1 : 0;
    const TRect client = ClientRect();
    DrawCentredGlyph(Rect(client.Left + 2, client.Top + 2, client.Right - 2, client.Bottom - 2), shift);
    DrawCentredCaption(Rect(client.Left + 3, client.Top + 1, client.Right - 3, client.Bottom - 1), shift);
    return true;
}

void TProSpeedButton::Paint() {
    if (PaintThemed()) return;
    if (!Flat()) return TSpeedButton::Paint();
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    canvas->FillRect(client);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(client);
    const bool down = State() == bsDown || State() == bsExclusive;
    TRect r = Rect(client.Left, client.Top, client.Right + 1, client.Bottom + 1);
    DrawEdge(canvas->Handle(), &r, etched_ ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0));
    const Integer shift = down ? 1 : 0;
    DrawCentredGlyph(Rect(client.Left + 3, client.Top + 3, client.Right - 3, client.Bottom - 3), shift);
    DrawCentredCaption(Rect(client.Left + 3, client.Top + 1, client.Right - 3, client.Bottom - 1), shift);
}

// ---------------------------------------------------------------------------
// TEditButton

TControlStyle ButtonBoxStyle(TControlStyle Style) {
    Style.Exclude(csAcceptsControls);
    Style.Exclude(csSetCaption);
    Style.Include(csFramed);
    Style.Include(csOpaque);
    return Style;
}

TEditButton::TEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(ButtonBoxStyle(ControlStyle()));
    SetTabStop(false);
    button_ = new TProSpeedButton(this);
    button_->SetParent(this);
    button_->SetVisible(true);
    button_->SetEnabled(true);
    button_->SetCaption("");
    button_->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
        ButtonReleased(Sender, Button);
    };
    SetBounds(Left(), Top(), 16, 25);
}

void TEditButton::SetButtonWidth(Integer Value) {
    buttonWidth_ = Value;
    SetBounds(Left(), Top(), Value, Height());
}

void TEditButton::SetBounds(Integer ALeft, Integer ATop, Integer, Integer AHeight) {
    TWinControl::SetBounds(ALeft, ATop, buttonWidth_, AHeight);
    PlaceButton();
}

void TEditButton::PlaceButton() {
    if (button_) button_->SetBounds(0, 0, buttonWidth_, Height());
}

void TEditButton::Loaded() {
    TWinControl::Loaded();
    SetBounds(Left(), Top(), buttonWidth_, Height());
}

void TEditButton::Dispatch(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (Message.Msg == WM_SIZE) SetBounds(Left(), Top(), buttonWidth_, Height());
}

void TEditButton::ButtonReleased(TObject* Sender, TMouseButton Button) {
    if (Button != mbLeft) return;
    if (Sender == button_ && OnClick) OnClick(this);
    TWinControl* focus = FocusControl();
    if (focus) {
        if (focus->TabStop() && focus->CanFocus() && !focus->Focused()) focus->SetFocus();
    } else if (TabStop() && CanFocus() && !Focused()) {
        SetFocus();
    }
}

// ---------------------------------------------------------------------------
// TProEditBtn

namespace {

// The character height a device context reports for the font.
Integer CharHeight(HGDIOBJ Font) {
    TBitmap probe;
    HDC dc = probe.Canvas()->Handle();
    HGDIOBJ previous = SelectObject(dc, Font);
    TEXTMETRIC metrics{};
    GetTextMetrics(dc, &metrics);
    SelectObject(dc, previous);
    return metrics.tmHeight;
}

}  // namespace

Integer MinButtonEditHeight(TFont* Font) {
    const Integer fontHeight = CharHeight(Font->Handle());
    return fontHeight + std::min(CharHeight(GetStockObject(SYSTEM_FONT)), fontHeight) / 4;
}

TProEditBtn::TProEditBtn(TComponent* AOwner) : TProEdit(AOwner) {
    SetRightMargin(18);
    TControlStyle style = ControlStyle();
    style.Exclude(csSetCaption);
    SetControlStyle(style);
    button_ = AddEditButton<TEditButton>(this, 15, 17, [this] { ClickButton(); });
}

Integer TProEditBtn::ButtonWidth() const { return button_ ? button_->ButtonWidth() : 16; }

void TProEditBtn::SetButtonWidth(Integer Value) {
    if (!button_) return;
    button_->SetButtonWidth(Value);
    if (HandleAllocated()) Layout();
}

void TProEditBtn::SetButtonHint(const AnsiString& Value) {
    buttonHint_ = Value;
    if (!button_) return;
    button_->SetHint(Value);
    button_->SetShowHint(!Value.empty());
}

void TProEditBtn::SetFlat(bool Value) {
    flat_ = Value;
    if (button_) button_->Button()->SetFlat(Value);
    TProEdit::SetFlat(Value);
    Relayout();
}

bool TProEditBtn::Etched() const { return button_ && button_->Button()->Etched(); }

void TProEditBtn::SetEtched(bool Value) {
    if (button_) button_->Button()->SetEtched(Value);
    Invalidate();
}

TBitmap* TProEditBtn::Glyph() const { return button_ ? button_->Glyph() : nullptr; }
void TProEditBtn::SetGlyph(TBitmap* Value) {
    if (button_) button_->SetGlyph(Value);
}
AnsiString TProEditBtn::ButtonCaption() const { return button_ ? button_->ButtonCaption() : AnsiString(); }
void TProEditBtn::SetButtonCaption(const AnsiString& Value) {
    if (button_) button_->SetButtonCaption(Value);
}

void TProEditBtn::ClickButton() {
    if (OnClickBtn) OnClickBtn(this);
}

void TProEditBtn::Relayout() {
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TProEditBtn::CreateParams(TCreateParams& Params) {
    TProEdit::CreateParams(Params);
    // Passwords too: the formatting rectangle keeps the text off the button.
    Params.Style |= ES_MULTILINE;
}

void TProEditBtn::CreateWnd() {
    TProEdit::CreateWnd();
    Relayout();
}

void TProEditBtn::Loaded() {
    TProEdit::Loaded();
    ApplyFormatRect();
}

void TProEditBtn::Layout() {
    const Integer minHeight = MinButtonEditHeight(Font());
    if (Height() < minHeight) {
        SetHeight(minHeight);
        return;
    }
    if (button_) {
        const Integer width = button_->ButtonWidth();
        if (!Ctl3D()) {
            button_->SetBounds(Width() - width, 1, width, Height() - 3);
        } else if (flat_) {
            button_->SetBounds(Width() - width - 3, 2, width, Height() - 4);
        } else {
            const Integer inset = BorderStyle() == bsSingle ? 4 : 2;
            button_->SetBounds(Width() - width - inset, 0, width, Height() - inset - 1);
        }
    }
    ApplyFormatRect();
    Invalidate();
}

void TProEditBtn::ApplyFormatRect() {
    if (!HandleAllocated()) return;
    const bool border = BorderStyle() == bsSingle;
    const TRect client = ClientRect();
    const Integer buttonRoom = button_ ? button_->Width() : 0;
    const TRect r = Rect(border ? 1 : 2, border ? 1 : 4, client.Right - buttonRoom - 4, client.Bottom + 1);
    Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TProEditBtn::UpdateButtonLook() {
    if (!flat_ || !button_) return;
    const bool designing = ComponentState().Contains(csDesigning);
    button_->Button()->SetFocused(designing ? Enabled() : mouseInside_ || Screen->ActiveControl() == this);
}

void TProEditBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PASTE:
        case WM_CUT:
            if (editorEnabled_ && !ReadOnly()) TProEdit::Dispatch(Message);
            break;
        case WM_SIZE:
            TProEdit::Dispatch(Message);
            Layout();
            break;
        case WM_KEYDOWN: {
            TProEdit::Dispatch(Message);
            const bool control = GetKeyState(VK_CONTROL) < 0;
            const bool alt = GetKeyState(VK_LMENU) < 0 || GetKeyState(VK_RMENU) < 0 || GetKeyState(VK_MENU) < 0;
            if (Message.WParam == VK_F4 && !control && !alt && OnClickBtn) OnClickBtn(this);
            break;
        }
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TProEdit::Dispatch(Message);
            if (Enabled()) {
                mouseInside_ = Message.Msg == CM_MOUSEENTER;
                UpdateButtonLook();
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_PAINT:
        case WM_NCPAINT:
            TProEdit::Dispatch(Message);
            UpdateButtonLook();
            break;
        case CM_FONTCHANGED:
            TProEdit::Dispatch(Message);
            ApplyFormatRect();
            break;
        default: TProEdit::Dispatch(Message); break;
    }
}

}  // namespace ProEdBtn

namespace ProEdBtn {

namespace {

void PublishTProSpeedButton(TPublisher& p) {
    TPublishOf<TProSpeedButton> P(p);
    P.Bool("Etched", &TProSpeedButton::Etched, &TProSpeedButton::SetEtched);
    P.Bool("Focused", &TProSpeedButton::Focused, &TProSpeedButton::SetFocused);
}

void PublishTEditButton(TPublisher& p) {
    TPublishOf<TEditButton> P(p);
    P.Object("Glyph", &TEditButton::Glyph);
    P.Str("ButtonCaption", &TEditButton::ButtonCaption, &TEditButton::SetButtonCaption);
    P.Int("NumGlyphs", &TEditButton::NumGlyphs, &TEditButton::SetNumGlyphs);
    P.Component<TWinControl>("FocusControl", &TEditButton::SetFocusControl);
    P.Event<TNotifyEvent>("OnClick", &TEditButton::OnClick);
}

void PublishTProEditBtn(TPublisher& p) {
    TPublishOf<TProEditBtn> P(p);
    P.Int("ButtonWidth", &TProEditBtn::ButtonWidth, &TProEditBtn::SetButtonWidth);
    P.Str("ButtonHint", &TProEditBtn::ButtonHint, &TProEditBtn::SetButtonHint);
    P.Bool("EditorEnabled", &TProEditBtn::EditorEnabled, &TProEditBtn::SetEditorEnabled);
    P.Bool("Flat", &TProEditBtn::Flat, &TProEditBtn::SetFlat);
    P.Bool("Etched", &TProEditBtn::Etched, &TProEditBtn::SetEtched);
    P.Bool("FocusBorder", &TProEditBtn::FocusBorder, &TProEditBtn::SetFocusBorder);
    P.Object("Glyph", &TProEditBtn::Glyph);
    P.Str("ButtonCaption", &TProEditBtn::ButtonCaption, &TProEditBtn::SetButtonCaption);
    P.Event<TNotifyEvent>("OnClickBtn", &TProEditBtn::OnClickBtn);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TProSpeedButton, VCL_CREATOR(TProSpeedButton), PublishTProSpeedButton)
VCL_IMPLEMENT_CLASS(TEditButton, VCL_CREATOR(TEditButton), PublishTEditButton)
VCL_IMPLEMENT_CLASS(TProEditBtn, VCL_CREATOR(TProEditBtn), PublishTProEditBtn)

}  // namespace ProEdBtn
