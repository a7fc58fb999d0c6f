#pragma once
// The grid's combo box: a standard combo that can paint flat, with an etched or raised drop button (or a
// themed one), a hot frame while hovered or focused, and a settable width of its drop-down list.

#include "vcl/StdCtrls.h"

namespace grdcombo {

// The flat look and its settings, for a combo that owns it and hands it its messages. The Unicode
// combo's variant insets its button by 1, draws the button's edge with the themed look too, and fills
// the edge's place with the button face while cold.
class TFlatComboLook {
public:
    enum TVariant { fvStandard, fvUnicode };
    TFlatComboLook(TCustomComboBox& Combo, TVariant Variant);
    TFlatComboLook(const TFlatComboLook&) = delete;
    TFlatComboLook& operator=(const TFlatComboLook&) = delete;

    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    bool Flat() const { return flat_; }
    // Sets Ctl3D to the opposite; the owner turns its native button the same way.
    void SetFlat(bool Value);
    bool Etched() const { return etched_; }
    void SetEtched(bool Value);
    Integer ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(Integer Value);
    bool FocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value);
    Integer DropWidth() const { return dropWidth_; }
    void SetDropWidth(Integer Value);
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);

    // The colours to give back when re-enabled: the combo's at creation.
    void SaveColours();
    // After the window is made: the list's width.
    void WindowCreated();
    // The look's messages; Inherited is the combo's own handling, which every message gets.
    void Dispatch(TMessage& Message, const TWndMethod& Inherited);
    // After the owner's own command handling: drop-down and close-up repaint the button.
    void CommandHandled(const TMessage& Message);

private:
    bool Hot() const;
    // The Unicode variant's button edge shows while the mouse is in, the combo active, or designing.
    bool EdgeShown() const;
    // The flat frame and the button's edge, on the whole window.
    void DrawFrame();
    void PaintFlat(TMessage& Message, const TWndMethod& Inherited);
    void DrawButton(HDC DC);
    void MouseEntered(TMessage& Message, const TWndMethod& Inherited);
    void MouseLeft(TMessage& Message, const TWndMethod& Inherited);
    void EnabledChanged(TMessage& Message, const TWndMethod& Inherited);

    TCustomComboBox& combo_;
    TVariant variant_;
    bool autoFocus_ = false;
    bool flat_ = false;
    bool etched_ = false;
    TColor savedColor_ = clWindow;
    bool savedParentColor_ = false;
    Integer buttonWidth_;
    bool focusBorder_ = false;
    bool mouseInside_ = false;
    Integer dropWidth_ = 0;
    bool isWinXP_ = false;
};

class TGRDCustomCombo : public TCustomComboBox {
    VCL_CLASS(TGRDCustomCombo, TCustomComboBox)
    explicit TGRDCustomCombo(TComponent* AOwner);

    // Takes the focus when the mouse enters (when it can take it).
    bool AutoFocus() const { return look_.AutoFocus(); }
    void SetAutoFocus(bool Value) { look_.SetAutoFocus(Value); }
    // Each write sets Ctl3D to its opposite.
    bool Flat() const { return look_.Flat(); }
    void SetFlat(bool Value);
    bool Etched() const { return look_.Etched(); }
    void SetEtched(bool Value) { look_.SetEtched(Value); }
    // Writes outside 14..32 are ignored.
    Integer ButtonWidth() const { return look_.ButtonWidth(); }
    void SetButtonWidth(Integer Value) { look_.SetButtonWidth(Value); }
    bool FocusBorder() const { return look_.FocusBorder(); }
    void SetFocusBorder(bool Value) { look_.SetFocusBorder(Value); }
    // Above 0: the width of the drop-down list.
    Integer DropWidth() const { return look_.DropWidth(); }
    void SetDropWidth(Integer Value) { look_.SetDropWidth(Value); }
    // The drop button with the visual styles; the owning grid sets it while its themed look is on.
    bool IsWinXP() const { return look_.IsWinXP(); }
    void SetIsWinXP(bool Value) { look_.SetIsWinXP(Value); }

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    TFlatComboLook look_;
};

class TGRDComboBox : public TGRDCustomCombo {
    VCL_CLASS(TGRDComboBox, TGRDCustomCombo)
    explicit TGRDComboBox(TComponent* AOwner) : TGRDCustomCombo(AOwner) {}
};

// The flat look's published properties, for a combo class with the look's accessors.
template <typename Combo>
void PublishFlatLook(TPublishOf<Combo>& P) {
    P.Bool("AutoFocus", &Combo::AutoFocus, &Combo::SetAutoFocus);
    P.Int("ButtonWidth", &Combo::ButtonWidth, &Combo::SetButtonWidth);
    P.Bool("Flat", &Combo::Flat, &Combo::SetFlat);
    P.Bool("Etched", &Combo::Etched, &Combo::SetEtched);
    P.Bool("FocusBorder", &Combo::FocusBorder, &Combo::SetFocusBorder);
    P.Int("DropWidth", &Combo::DropWidth, &Combo::SetDropWidth);
}

}  // namespace grdcombo
