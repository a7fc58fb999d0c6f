// TGradBtn: properties, presets, pressing and the messages it answers. Painting is in GradBtn_Paint.cpp.
#include "GradBtn.h"

#include <utility>

#include "vcl/Forms.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace GradBtn {

namespace {

const TEnumNames<TGradientStyle>& GradientStyleNames() {
    static const TEnumNames<TGradientStyle> names{{"gsHorizontal", gsHorizontal}, {"gsVertical", gsVertical},
                                                  {"gsElliptic", gsElliptic},     {"gsRectangle", gsRectangle},
                                                  {"gsVertCenter", gsVertCenter}, {"gsHorizCenter", gsHorizCenter}};
    return names;
}

const TEnumNames<TTextStyle>& TextStyleNames() {
    static const TEnumNames<TTextStyle> names{{"tsNormal", tsNormal}, {"tsRaised", tsRaised}, {"tsInset", tsInset}};
    return names;
}

const TEnumNames<TShadeType>& ShadeTypeNames() {
    static const TEnumNames<TShadeType> names{{"stLight", stLight}, {"stHeavy", stHeavy}};
    return names;
}

const TEnumNames<TPreset>& PresetNames() {
    static const TEnumNames<TPreset> names{{"None", None},       {"GoldCoast", GoldCoast},
                                           {"LimeBox", LimeBox}, {"Aluminum", Aluminum},
                                           {"SunRise", SunRise}, {"BrassedOff", BrassedOff}};
    return names;
}

const TEnumNames<TJustification>& JustificationNames() {
    static const TEnumNames<TJustification> names{{"jLeft", jLeft}, {"jCenter", jCenter}, {"jRight", jRight}};
    return names;
}

void PublishTGradBtn(TPublisher& p) {
    using C = TGradBtn;
    TPublishOf<C> P(p);
    P.IntIdent("DisabledColor", &C::DisabledColor, &C::SetDisabledColor, &IdentToColor);
    P.IntIdent("BtnHiliteClr", &C::BtnHiliteClr, &C::SetBtnHiliteClr, &IdentToColor);
    P.IntIdent("BtnShadowClr", &C::BtnShadowClr, &C::SetBtnShadowClr, &IdentToColor);
    P.Int("BtnFrameSize", &C::BtnFrameSize, &C::SetBtnFrameSize);
    P.IntIdent("TxtHiliteClr", &C::TxtHiliteClr, &C::SetTxtHiliteClr, &IdentToColor);
    P.IntIdent("TxtShadowClr", &C::TxtShadowClr, &C::SetTxtShadowClr, &IdentToColor);
    P.IntIdent("BeginColor", &C::BeginColor, &C::SetBeginColor, &IdentToColor);
    P.IntIdent("EndColor", &C::EndColor, &C::SetEndColor, &IdentToColor);
    P.Bool("SwapColors", &C::SwapColors, &C::SetSwapColors);
    P.Bool("ShowFocus", &C::ShowFocus, &C::SetShowFocus);
    P.Enum<TGradientStyle>("GradientStyle", &C::GradientStyle, &C::SetGradientStyle, GradientStyleNames());
    P.Enum<TTextStyle>("TextStyle", &C::TextStyle, &C::SetTextStyle, TextStyleNames());
    P.Enum<TShadeType>("TextShadeType", &C::TextShadeType, &C::SetTextShadeType, ShadeTypeNames());
    P.Enum<TPreset>("Presets", &C::Presets, &C::SetPresets, PresetNames());
    P.Enum<TJustification>("Justification", &C::Justification, &C::SetJustification, JustificationNames());
}

// Everything a preset decides.
struct TPresetLook {
    TColor Begin, End;
    TColor FrameLight, FrameDark;
    TColor TextLight, TextDark;
    TColor Disabled;
    const char* FontName;
    Integer FontSize;
    TColor FontColor;
    bool Bold;
    TGradientStyle Gradient;
    TTextStyle Text;
    TShadeType Shade;
    bool SwapOff;  // the preset also switches colour swapping off
};

const TPresetLook& PresetLook(TPreset Preset) {
    static const TPresetLook looks[] = {
        {0x800000, 0xFFFF00, clBtnHighlight, clBtnShadow, clBtnHighlight, clBtnShadow, 0x808080, "MS Sans Serif", 8,
         clBlack, false, gsVertCenter, tsRaised, stLight, false},
        {0x00FFFF, 0x008080, 0xB3FFFF, 0x616161, 0xBFFFFF, 0x007171, 0x00BBBB, "Arial", 10, 0x00BBBB, true, gsVertical,
         tsRaised, stHeavy, false},
        {0x000000, 0x00FF00, clBtnHighlight, clBtnShadow, 0xACFFAC, 0x004000, 0x008080, "Courier", 8, 0x008000, false,
         gsRectangle, tsRaised, stLight, false},
        {0xCECECE, 0x5F5F5F, 0xFFFFFF, 0x000000, clBtnHighlight, clBtnShadow, 0x808080, "Times New Roman", 10, clBlack,
         true, gsVertical, tsInset, stHeavy, false},
        {0x00FFFF, 0x0000FF, clBtnHighlight, clBtnShadow, 0xCFE7E6, 0x0058B0, 0x808080, "MS Sans Serif", 8, 0x000040,
         true, gsHorizontal, tsRaised, stHeavy, false},
        {0xCEFFFF, 0x92C2C2, 0xEFFFFF, 0x92C2C2, 0xEFFFFF, 0x92C2C2, 0x008080, "Verdana", 9, 0x000080, false,
         gsElliptic, tsNormal, stLight, true},
    };
    return looks[Preset];
}

// Does the caption mark Key as its accelerator ("&Save": S)? "&&" is a literal ampersand.
// A mouse enter or leave of this control itself, not one passed up from a child.
bool AboutSelf(const TMessage& Message, const TControl* Self) {
    return Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(Self);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGradBtn, VCL_CREATOR(TGradBtn), &PublishTGradBtn)

TGradBtn::TGradBtn(TComponent* AOwner) : TCustomControl(AOwner), offscreen_(std::make_unique<TBitmap>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
    Font()->SetColor(clBlack);
    offscreen_->Canvas()->Pen()->SetStyle(psSolid);
    offscreen_->Canvas()->Pen()->SetMode(pmCopy);
}

TGradBtn::~TGradBtn() = default;

template <typename T>
void TGradBtn::ChangeAndRepaint(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
}

void TGradBtn::SetDisabledColor(TColor Value) { ChangeAndRepaint(disabledColor_, Value); }
void TGradBtn::SetBtnHiliteClr(TColor Value) { ChangeAndRepaint(btnHiliteClr_, Value); }
void TGradBtn::SetBtnShadowClr(TColor Value) { ChangeAndRepaint(btnShadowClr_, Value); }
void TGradBtn::SetTxtHiliteClr(TColor Value) { ChangeAndRepaint(txtHiliteClr_, Value); }
void TGradBtn::SetTxtShadowClr(TColor Value) { ChangeAndRepaint(txtShadowClr_, Value); }
void TGradBtn::SetBeginColor(TColor Value) { ChangeAndRepaint(beginColor_, Value); }
void TGradBtn::SetEndColor(TColor Value) { ChangeAndRepaint(endColor_, Value); }
void TGradBtn::SetGradientStyle(TGradientStyle Value) { ChangeAndRepaint(gradientStyle_, Value); }
void TGradBtn::SetTextStyle(TTextStyle Value) { ChangeAndRepaint(textStyle_, Value); }
void TGradBtn::SetTextShadeType(TShadeType Value) { ChangeAndRepaint(textShadeType_, Value); }
void TGradBtn::SetJustification(TJustification Value) { ChangeAndRepaint(justification_, Value); }

void TGradBtn::SetBtnFrameSize(Integer Value) {
    // A frame wider than that would meet itself in the middle; a negative one means nothing.
    if (Value < 0 || Value > Width() / 2 - 5 || Value > Height() / 2 - 5) return;
    ChangeAndRepaint(btnFrameSize_, Value);
}

void TGradBtn::SetPresets(TPreset Value) {
    if (Value < None || Value > BrassedOff) throw ERangeError("Range check error");
    presets_ = Value;
    if (ComponentState().Contains(csDesigning)) ApplyPreset(Value);
}

void TGradBtn::ApplyPreset(TPreset Preset) {
    const TPresetLook& look = PresetLook(Preset);
    SetBeginColor(look.Begin);
    SetEndColor(look.End);
    SetBtnHiliteClr(look.FrameLight);
    SetBtnShadowClr(look.FrameDark);
    SetTxtHiliteClr(look.TextLight);
    SetTxtShadowClr(look.TextDark);
    SetDisabledColor(look.Disabled);
    Font()->SetName(look.FontName);
    Font()->SetSize(look.FontSize);
    Font()->SetColor(look.FontColor);
    Font()->SetStyle(look.Bold ? TFontStyles{fsBold} : TFontStyles{});
    SetGradientStyle(look.Gradient);
    SetTextStyle(look.Text);
    SetTextShadeType(look.Shade);
    if (look.SwapOff) SetSwapColors(false);
}

// ---------------------------------------------------------------------------
// Pressing

void TGradBtn::Press() {
    up_ = false;
    swapped_ = swapColors_;
    if (swapped_) std::swap(beginColor_, endColor_);
    Invalidate();
}

void TGradBtn::Release() {
    if (up_) return;
    up_ = true;
    if (swapped_) std::swap(beginColor_, endColor_);
    swapped_ = false;
    Invalidate();
}

bool TGradBtn::TrackingPress() const { return MouseCapture() && GetKeyState(VK_LBUTTON) < 0; }

void TGradBtn::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !up_) return;
    Press();
    if (CanFocus() && !Focused()) SetFocus();
}

void TGradBtn::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    // After a click the button is up already; a release elsewhere ends the press without one.
    if (Button == mbLeft) Release();
}

void TGradBtn::Click() {
    Release();
    Repaint();
    // The up look shows before the handler runs, however long it takes.
    Application->ProcessMessages();
    TCustomControl::Click();
}

void TGradBtn::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == '\r') Click();
}

void TGradBtn::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            Message.Result = 1;  // Paint covers every pixel
            break;
        case CM_DIALOGCHAR:
            if (Enabled() && IsAccel(TWMKey(Message).CharCode(), Caption())) {
                Click();
                Message.Result = 1;
                break;
            }
            TCustomControl::Dispatch(Message);
            break;
        case CM_MOUSEENTER:
            // Coming back while still held: the button goes down again. The inherited handler fires OnMouseEnter.
            if (AboutSelf(Message, this) && TrackingPress()) MouseDown(mbLeft, {ssLeft}, 0, 0);
            TCustomControl::Dispatch(Message);
            break;
        case CM_MOUSELEAVE:
            if (AboutSelf(Message, this) && TrackingPress()) MouseUp(mbLeft, {ssLeft}, 0, 0);
            TCustomControl::Dispatch(Message);
            break;
        case CM_ENABLEDCHANGED:
            TCustomControl::Dispatch(Message);
            // A disabled button hears no release: the press ends here.
            if (!Enabled()) Release();
            Invalidate();
            break;
        case CM_TEXTCHANGED:
            TCustomControl::Dispatch(Message);
            Invalidate();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::Dispatch(Message);
            if (!ComponentState().Contains(csDesigning)) Invalidate();
            break;
        default: TCustomControl::Dispatch(Message); break;
    }
}

void RegisterGradBtn() { RegisterClass(TGradBtn::ClassInfo()); }

}  // namespace GradBtn
