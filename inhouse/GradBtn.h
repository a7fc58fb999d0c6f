#pragma once
// TGradBtn: a push button painted as a two-colour gradient with a 3-D frame and a shaded caption.
// It paints into an off-screen bitmap and copies that in one step, so it never flickers. While it is held
// down the two gradient colours change places.

#include <memory>

#include "vcl/Controls.h"
#include "vcl/Graphics.h"

namespace GradBtn {

enum TGradientStyle { gsHorizontal, gsVertical, gsElliptic, gsRectangle, gsVertCenter, gsHorizCenter };
enum TTextStyle { tsNormal, tsRaised, tsInset };
enum TShadeType { stLight, stHeavy };
enum TPreset { None, GoldCoast, LimeBox, Aluminum, SunRise, BrassedOff };
enum TJustification { jLeft, jCenter, jRight };

class TGradBtn : public TCustomControl {
    VCL_CLASS(TGradBtn, TCustomControl)
    explicit TGradBtn(TComponent* AOwner);
    ~TGradBtn() override;

    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor Value);
    TColor BtnHiliteClr() const { return btnHiliteClr_; }
    void SetBtnHiliteClr(TColor Value);
    TColor BtnShadowClr() const { return btnShadowClr_; }
    void SetBtnShadowClr(TColor Value);
    // A width that leaves less than 5 pixels of face to either side of the middle is ignored.
    Integer BtnFrameSize() const { return btnFrameSize_; }
    void SetBtnFrameSize(Integer Value);
    TColor TxtHiliteClr() const { return txtHiliteClr_; }
    void SetTxtHiliteClr(TColor Value);
    TColor TxtShadowClr() const { return txtShadowClr_; }
    void SetTxtShadowClr(TColor Value);
    // While the button is held with SwapColors on, these read the exchanged colours.
    TColor BeginColor() const { return beginColor_; }
    void SetBeginColor(TColor Value);
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor Value);
    bool SwapColors() const { return swapColors_; }
    void SetSwapColors(bool Value) { swapColors_ = Value; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool Value) { showFocus_ = Value; }
    TGradientStyle GradientStyle() const { return gradientStyle_; }
    void SetGradientStyle(TGradientStyle Value);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle Value);
    TShadeType TextShadeType() const { return textShadeType_; }
    void SetTextShadeType(TShadeType Value);
    // A preset sets the whole look, but only while the button is being designed.
    TPreset Presets() const { return presets_; }
    void SetPresets(TPreset Value);
    TJustification Justification() const { return justification_; }
    void SetJustification(TJustification Value);

protected:
    void Paint() override;
    void Click() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    template <typename T>
    void ChangeAndRepaint(T& Field, T Value);
    void ApplyPreset(TPreset Preset);
    // The held look: down, colours exchanged when SwapColors asks for it.
    void Press();
    // Back to the up look, undoing exactly what Press did.
    void Release();
    // The left button is down and this button took it (entering and leaving while held).
    bool TrackingPress() const;
    void PaintGradient(TCanvas* Target);
    void PaintCaption(TCanvas* Target);

    std::unique_ptr<TBitmap> offscreen_;
    TColor disabledColor_ = clGrayText;
    TColor btnHiliteClr_ = clBtnHighlight;
    TColor btnShadowClr_ = clBtnShadow;
    Integer btnFrameSize_ = 1;
    TColor txtHiliteClr_ = clBtnHighlight;
    TColor txtShadowClr_ = clBtnShadow;
    TColor beginColor_ = 0x800000;
    TColor endColor_ = 0xFFFF00;
    bool swapColors_ = true;
    bool showFocus_ = true;
    TGradientStyle gradientStyle_ = gsVertCenter;
    TTextStyle textStyle_ = tsRaised;
    TShadeType textShadeType_ = stLight;
    TPreset presets_ = None;
    TJustification justification_ = jCenter;
    bool up_ = true;
    bool swapped_ = false;  // Press exchanged the colours
};

// Registers TGradBtn for form descriptions.
void RegisterGradBtn();

}  // namespace GradBtn
