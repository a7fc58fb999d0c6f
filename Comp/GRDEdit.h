#pragma once
// The grid's edits with an embedded button: a speed button that paints flat, classic or themed, the small
// window holding it, an edit whose button (or F4) fires OnClickBtn, and a value edit that shows a unit at
// its right and lets the user pick another from a pop-up menu.

#include <memory>

#include "vcl/Buttons.h"
#include "vcl/Classes.h"
#include "vcl/StdCtrls.h"

namespace GRDEdit {

// Where an edit of the grid places its embedded button of ButtonWidth: at the right edge, inside the
// sunken border or over the classic one.
TRect EmbeddedButtonBounds(TCustomEdit* Edit, Integer ButtonWidth);

class TProSpeedButton : public TSpeedButton {
    VCL_CLASS(TProSpeedButton, TSpeedButton)
    explicit TProSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

    // Painted with the "button" theme class.
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    bool Hot() const { return hot_; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    bool PaintThemed(const TRect& R, bool Down);
    void DrawGlyph(Integer Shift);

    bool isWinXP_ = false;
    bool hot_ = false;
};

// A small window whose speed button fills it; a press on the button brings the focus to FocusControl.
class TGrdEditButton : public TWinControl {
    VCL_CLASS(TGrdEditButton, TWinControl)
    explicit TGrdEditButton(TComponent* AOwner);

    TProSpeedButton* Button() const { return button_; }
    TWinControl* FocusControl() const { return focusControl_.Get(); }
    void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
    TBitmap* Glyph() const { return button_->Glyph(); }
    void SetGlyph(TBitmap* Value) { button_->SetGlyph(Value); }
    TNumGlyphs NumGlyphs() const { return button_->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { button_->SetNumGlyphs(Value); }
    AnsiString ButtonCaption() const { return button_->Caption(); }
    void SetButtonCaption(const AnsiString& Value) { button_->SetCaption(Value); }
    bool Flat() const { return button_->Flat(); }
    void SetFlat(bool Value) { button_->SetFlat(Value); }

    TNotifyEvent OnClick;

protected:
    void Dispatch(TMessage& Message) override;

private:
    void PlaceButton();

    TProSpeedButton* button_;
    TComponentRef<TWinControl> focusControl_;
};

class TGrdEditBtn : public TCustomEdit {
    VCL_CLASS(TGrdEditBtn, TCustomEdit)
    explicit TGrdEditBtn(TComponent* AOwner);

    TGrdEditButton* EditButton() const { return button_.Get(); }
    Integer ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(Integer Value);
    AnsiString ButtonCaption() const;
    void SetButtonCaption(const AnsiString& Value);
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* Value);
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    // Off: typing, paste and cut do nothing; the button still works.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    bool RightAlign() const { return rightAlign_; }
    void SetRightAlign(bool Value);

    virtual void ClickButton();

    TNotifyEvent OnClickBtn;

protected:
    // Pixels kept free between the text and the button.
    virtual Integer ExtraMargin() const { return 0; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    void ApplyFormatRect();

private:
    // Raises the height to the minimum, else places the button at the right edge.
    void Layout();

    TComponentRef<TGrdEditButton> button_;
    Integer buttonWidth_ = 18;
    bool isWinXP_ = false;
    bool editorEnabled_ = true;
    bool rightAlign_ = false;
};

class TGrdUnitEditBtn : public TGrdEditBtn {
    VCL_CLASS(TGrdUnitEditBtn, TGrdEditBtn)
    explicit TGrdUnitEditBtn(TComponent* AOwner);
    ~TGrdUnitEditBtn() override;

    TStringList* Units() const { return units_.get(); }
    void SetUnits(TStrings* Value) { units_->Assign(Value); }
    const AnsiString& UnitID() const { return unitID_; }
    void SetUnitID(const AnsiString& Value);
    Integer UnitSpace() const { return unitSpace_; }
    void SetUnitSpace(Integer Value);

    // Pops up the units; the pick comes back as WM_COMMAND with its 1-based number.
    void ClickButton() override;

protected:
    Integer ExtraMargin() const override { return unitSpace_; }
    void Dispatch(TMessage& Message) override;

private:
    void PaintUnit();

    std::unique_ptr<TStringList> units_;
    AnsiString unitID_;
    Integer unitSpace_ = 20;
};

}  // namespace GRDEdit
