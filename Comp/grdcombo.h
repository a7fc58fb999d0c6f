#pragma once
// The grid's combo box: a standard combo that can paint flat, with an etched or raised drop button (or a
// themed one), a hot frame while hovered or focused, and a settable width of its drop-down list.

#include "vcl/StdCtrls.h"

namespace grdcombo {

class TGRDCustomCombo : public TCustomComboBox {
    VCL_CLASS(TGRDCustomCombo, TCustomComboBox)
    explicit TGRDCustomCombo(TComponent* AOwner);

    // Takes the focus when the mouse enters (when it can take it).
    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool Value) { autoFocus_ = Value; }
    // Each write sets Ctl3D to its opposite.
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool Etched() const { return etched_; }
    void SetEtched(bool Value);
    // Writes outside 14..32 are ignored.
    Integer ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(Integer Value);
    bool FocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value);
    // Above 0: the width of the drop-down list.
    Integer DropWidth() const { return dropWidth_; }
    void SetDropWidth(Integer Value);
    // The drop button with the visual styles; the owning grid sets it while its themed look is on.
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);

protected:
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    bool Hot() const;
    // The flat frame and the button's edge, on the whole window.
    void DrawFrame();
    void PaintFlat(TMessage& Message);
    void DrawButton(HDC DC);
    void MouseEntered(TMessage& Message);
    void MouseLeft(TMessage& Message);
    void EnabledChanged(TMessage& Message);

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

class TGRDComboBox : public TGRDCustomCombo {
    VCL_CLASS(TGRDComboBox, TGRDCustomCombo)
    explicit TGRDComboBox(TComponent* AOwner) : TGRDCustomCombo(AOwner) {}
};

}  // namespace grdcombo
