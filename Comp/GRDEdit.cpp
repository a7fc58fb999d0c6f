// The grid's button edits: the speed button's three looks, its container, the edit's layout and keys, and
// the unit edit's painting and menu.
#include "GRDEdit.h"

#include <algorithm>

#include "DedIDIZ.h"
#include "ProEdBtn.h"
#include "vcl/ScopeGuard.h"
#include "vcl/UxTheme.h"
#include "vcl/Windows.h"

namespace GRDEdit {

// ---------------------------------------------------------------------------
// TProSpeedButton

void TProSpeedButton::SetIsWinXP(bool Value) {
    if (isWinXP_ == Value) return;
    isWinXP_ = Value;
    Invalidate();
}

void TProSpeedButton::Dispatch(TMessage& Message) {
    TSpeedButton::Dispatch(Message);
    if (Message.Msg != CM_MOUSEENTER && Message.Msg != CM_MOUSELEAVE) return;
    hot_ = Message.Msg == CM_MOUSEENTER;
    Invalidate();
}

// The push button of the "button" class; false when the theme library cannot draw it.
bool TProSpeedButton::PaintThemed(const TRect& R, bool Down) {
    const int state = Down ? PBS_PRESSED : hot_ ? PBS_HOT : PBS_NORMAL;
    return DedIDIZ::DrawThemedPart(Parent() ? Parent()->Handle() : nullptr, u"button", BP_PUSHBUTTON, state,
                                   Canvas()->Handle(), R);
}

// Centred where the glyph is smaller than the button, from the edge where it is not; its bottom-left
// pixel's colour stays unpainted.
void TProSpeedButton::DrawGlyph(Integer Shift) {
    if (Glyph()->Empty()) return;
    TBitmap glyph;
    glyph.Assign(Glyph());
    glyph.SetTransparent(true);
    const Integer x = glyph.Width() < Width() ? (Width() - glyph.Width()) / 2 : 0;
    const Integer y = glyph.Height() < Height() ? (Height() - glyph.Height()) / 2 : 0;
    Canvas()->Draw(x + Shift, y + Shift, &glyph);
}

void TProSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const bool down = State() == bsDown || State() == bsExclusive;
    TRect r = Rect(0, 0, Width(), Height());
    if (!isWinXP_ || !PaintThemed(r, down)) {
        RECT edge = r;
        if (Flat()) {
            DrawEdge(canvas->Handle(), &edge, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        } else {
            DrawFrameControl(canvas->Handle(), &edge, DFC_BUTTON,
                             DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
        }
    }
    const Integer shift = down ? 1 : 0;
    DrawGlyph(shift);
    const AnsiString caption = Caption();
    if (caption.empty()) return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(2 + shift, 2 + shift, caption);
    canvas->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------
// TGrdEditButton

TGrdEditButton::TGrdEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(ProEdBtn::ButtonBoxStyle(ControlStyle()));
    button_ = new TProSpeedButton(this);
    button_->SetParent(this);
    button_->SetCaption("");
    button_->OnClick = [this](TObject*) {
        if (OnClick) OnClick(this);
    };
    button_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, Integer, Integer) {
        TWinControl* focus = FocusControl();
        if (focus && !focus->Focused() && focus->CanFocus()) focus->SetFocus();
    };
    SetBounds(0, 0, 20, 25);
    PlaceButton();
}

void TGrdEditButton::PlaceButton() {
    if (button_) button_->SetBounds(0, 0, std::max(Width(), 15), Height());
}

void TGrdEditButton::Dispatch(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (Message.Msg == WM_SIZE) PlaceButton();
}

// ---------------------------------------------------------------------------
// TGrdEditBtn

TGrdEditBtn::TGrdEditBtn(TComponent* AOwner) : TCustomEdit(AOwner) {
    TControlStyle style = ControlStyle();
    style.Exclude(csSetCaption);
    SetControlStyle(style);
    button_ = ProEdBtn::AddEditButton<TGrdEditButton>(this, 18, 18, [this] { ClickButton(); });
    SetText("0");
}

void TGrdEditBtn::SetButtonWidth(Integer Value) {
    buttonWidth_ = Value;
    if (button_) button_->SetWidth(Value);
    if (HandleAllocated()) Layout();
}

AnsiString TGrdEditBtn::ButtonCaption() const { return button_ ? button_->ButtonCaption() : AnsiString(); }
void TGrdEditBtn::SetButtonCaption(const AnsiString& Value) {
    if (button_) button_->SetButtonCaption(Value);
}

TBitmap* TGrdEditBtn::Glyph() const { return button_ ? button_->Glyph() : nullptr; }
void TGrdEditBtn::SetGlyph(TBitmap* Value) {
    if (button_) button_->SetGlyph(Value);
}

void TGrdEditBtn::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    if (button_) button_->Button()->SetIsWinXP(Value);
}

void TGrdEditBtn::SetRightAlign(bool Value) {
    if (rightAlign_ == Value) return;
    rightAlign_ = Value;
    RecreateWnd();
}

void TGrdEditBtn::ClickButton() {
    if (OnClickBtn) OnClickBtn(this);
}

void TGrdEditBtn::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
    if (rightAlign_) Params.Style |= ES_RIGHT;
}

void TGrdEditBtn::CreateWnd() {
    TCustomEdit::CreateWnd();
    ApplyFormatRect();
}

void TGrdEditBtn::ApplyFormatRect() {
    if (!HandleAllocated()) return;
    const Integer inset = BorderStyle() == bsSingle ? 1 : 2;
    const RECT r = Rect(inset, inset, ClientWidth() - buttonWidth_ - 3 - ExtraMargin(), ClientHeight() + 1);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

TRect EmbeddedButtonBounds(TCustomEdit* Edit, Integer ButtonWidth) {
    const Integer width = Edit->Width();
    const Integer height = Edit->Height();
    if (!Edit->Ctl3D()) return Rect(width - ButtonWidth, 1, width, height - 2);
    const Integer b = Edit->BorderStyle() == bsSingle ? 5 : 1;
    return Rect(width - ButtonWidth - b, 0, width - b, height - b);
}

void TGrdEditBtn::Layout() {
    const Integer minHeight = ProEdBtn::MinButtonEditHeight(Font());
    if (Height() < minHeight) {
        SetHeight(minHeight);
        return;
    }
    if (button_) button_->SetBoundsRect(EmbeddedButtonBounds(this, buttonWidth_));
    ApplyFormatRect();
}

void TGrdEditBtn::KeyDown(Word& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_F4) ClickButton();
}

void TGrdEditBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR:
            if (editorEnabled_) TCustomEdit::Dispatch(Message);
            break;
        case WM_PASTE:
        case WM_CUT:
            if (editorEnabled_ && !ReadOnly()) TCustomEdit::Dispatch(Message);
            break;
        case CM_ENTER:
            TCustomEdit::Dispatch(Message);
            if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
            break;
        case WM_SIZE:
            TCustomEdit::Dispatch(Message);
            Layout();
            break;
        default: TCustomEdit::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------
// TGrdUnitEditBtn

TGrdUnitEditBtn::TGrdUnitEditBtn(TComponent* AOwner) : TGrdEditBtn(AOwner), units_(std::make_unique<TStringList>()) {
    SetRightAlign(true);
}

TGrdUnitEditBtn::~TGrdUnitEditBtn() = default;

void TGrdUnitEditBtn::SetUnitID(const AnsiString& Value) {
    unitID_ = Value;
    Invalidate();
}

void TGrdUnitEditBtn::SetUnitSpace(Integer Value) {
    unitSpace_ = Value;
    ApplyFormatRect();
    Invalidate();
}

void TGrdUnitEditBtn::ClickButton() {
    HMENU menu = CreatePopupMenu();
    const TScopeExit destroy([menu] { DestroyMenu(menu); });
    for (Integer i = 0; i < units_->Count(); ++i)
        InsertMenu(menu, 0xFFFFFFFF, MF_BYPOSITION | MF_STRING, static_cast<std::uintptr_t>(i + 1),
                   units_->Strings(i).c_str());
    const TPoint at = ClientToScreen(Point(ClientWidth() - 15, ClientHeight()));
    TrackPopupMenu(menu, TPM_LEFTALIGN, at.X, at.Y, 0, Handle(), nullptr);
}

void TGrdUnitEditBtn::PaintUnit() {
    TControlCanvas canvas;
    canvas.SetControl(this);
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    const Integer right = ClientWidth() - ButtonWidth() - 3;
    RECT r = Rect(right - unitSpace_, 2, right, ClientHeight());
    DrawText(canvas.Handle(), unitID_.c_str(), -1, &r, DT_EDITCONTROL);
}

void TGrdUnitEditBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
            TGrdEditBtn::Dispatch(Message);
            PaintUnit();
            break;
        case WM_COMMAND: {
            // Only the menu's own ids name a unit.
            const Integer id = LOWORD(Message.WParam);
            if (HIWORD(Message.WParam) == 0 && Message.LParam == 0 && id >= 1 && id <= units_->Count()) {
                SetUnitID(units_->Strings(id - 1));
                break;
            }
            TGrdEditBtn::Dispatch(Message);
            break;
        }
        default: TGrdEditBtn::Dispatch(Message); break;
    }
}

// ---------------------------------------------------------------------------
// Published properties

namespace {

void PublishTGrdEditButton(TPublisher& p) {
    TPublishOf<TGrdEditButton> P(p);
    P.Object("Glyph", &TGrdEditButton::Glyph);
    P.Int("NumGlyphs", &TGrdEditButton::NumGlyphs, &TGrdEditButton::SetNumGlyphs);
    P.Str("ButtonCaption", &TGrdEditButton::ButtonCaption, &TGrdEditButton::SetButtonCaption);
    P.Bool("Flat", &TGrdEditButton::Flat, &TGrdEditButton::SetFlat);
    P.Component<TWinControl>("FocusControl", &TGrdEditButton::SetFocusControl);
    P.Event<TNotifyEvent>("OnClick", &TGrdEditButton::OnClick);
}

void PublishTGrdEditBtn(TPublisher& p) {
    TPublishOf<TGrdEditBtn> P(p);
    P.Int("ButtonWidth", &TGrdEditBtn::ButtonWidth, &TGrdEditBtn::SetButtonWidth);
    P.Str("ButtonCaption", &TGrdEditBtn::ButtonCaption, &TGrdEditBtn::SetButtonCaption);
    P.Object("Glyph", &TGrdEditBtn::Glyph);
    P.Bool("IsWinXP", &TGrdEditBtn::IsWinXP, &TGrdEditBtn::SetIsWinXP);
    P.Bool("EditorEnabled", &TGrdEditBtn::EditorEnabled, &TGrdEditBtn::SetEditorEnabled);
    P.Bool("RightAlign", &TGrdEditBtn::RightAlign, &TGrdEditBtn::SetRightAlign);
    P.Int("MaxLength", &TGrdEditBtn::MaxLength, &TGrdEditBtn::SetMaxLength);
    P.Bool("ReadOnly", &TGrdEditBtn::ReadOnly, &TGrdEditBtn::SetReadOnly);
    P.Event<TNotifyEvent>("OnClickBtn", &TGrdEditBtn::OnClickBtn);
}

void PublishTGrdUnitEditBtn(TPublisher& p) {
    TPublishOf<TGrdUnitEditBtn> P(p);
    P.Object("Units", &TGrdUnitEditBtn::Units);
    P.Str("UnitID", &TGrdUnitEditBtn::UnitID, &TGrdUnitEditBtn::SetUnitID);
    P.Int("UnitSpace", &TGrdUnitEditBtn::UnitSpace, &TGrdUnitEditBtn::SetUnitSpace);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TProSpeedButton, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGrdEditButton, VCL_CREATOR(TGrdEditButton), PublishTGrdEditButton)
VCL_IMPLEMENT_CLASS(TGrdEditBtn, VCL_CREATOR(TGrdEditBtn), PublishTGrdEditBtn)
VCL_IMPLEMENT_CLASS(TGrdUnitEditBtn, VCL_CREATOR(TGrdUnitEditBtn), PublishTGrdUnitEditBtn)

}  // namespace GRDEdit
