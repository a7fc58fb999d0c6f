#pragma once
// The grid's spin edit: a masked edit with two embedded repeating buttons that step an integer, a
// floating-point number, or the date or time field holding the caret.

#include "vcl/Buttons.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Mask.h"
#include "vcl/SysUtils.h"

namespace grdspin {

enum TGrdSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };

// Bits of a timer button's state.
constexpr Byte tbFocusRect = 1;
constexpr Byte tbAllowTimer = 2;

// The way a timer button's arrow points.
constexpr Byte adLeft = 0;
constexpr Byte adRight = 1;
constexpr Byte adUp = 2;
constexpr Byte adDown = 3;

// A speed button that clicks again while held (with tbAllowTimer) and paints an arrow classic or themed.
class TProTimerSpeedButton : public TSpeedButton {
    VCL_CLASS(TProTimerSpeedButton, TSpeedButton)
    explicit TProTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

    static constexpr Cardinal InitRepeatPause = 400;
    static constexpr Cardinal RepeatPause = 100;

    // The spin button clicks its buttons for keys.
    using TSpeedButton::Click;

    Byte TimeBtnState() const { return timeBtnState_; }
    void SetTimeBtnState(Byte Value);
    Byte ArrowDirection() const { return arrowDirection_; }
    void SetArrowDirection(Byte Value);
    // Painted with the "spin" theme class.
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);
    bool Hot() const { return hot_; }
    // Kept for the owner's SpinTransparent; the speed button's painting fills its face either way.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value) { transparent_ = Value; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;

private:
    bool PaintThemed(bool Down);
    void RepeatTick();
    void InvalidateParent();

    TTimer* repeatTimer_ = nullptr;
    Byte timeBtnState_ = 0;
    Byte arrowDirection_ = adUp;
    bool isWinXP_ = false;
    bool hot_ = false;
    bool transparent_ = false;
};

// Two timer buttons, up and down (or right and left), sharing the window; a press on either brings the
// focus to FocusControl.
class TGrdSpinButton : public TWinControl {
    VCL_CLASS(TGrdSpinButton, TWinControl)
    explicit TGrdSpinButton(TComponent* AOwner);

    TProTimerSpeedButton* UpButton() const { return upButton_; }
    TProTimerSpeedButton* DownButton() const { return downButton_; }
    TProTimerSpeedButton* FocusedButton() const { return focusedButton_; }
    TWinControl* FocusControl() const { return focusControl_.Get(); }
    void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
    TSpinDirection Direction() const { return direction_; }
    void SetDirection(TSpinDirection Value);
    // Nil loads the "GrdSpinUp" / "GrdSpinDown" bitmap.
    TBitmap* UpGlyph() const { return upButton_->Glyph(); }
    void SetUpGlyph(TBitmap* Value);
    TBitmap* DownGlyph() const { return downButton_->Glyph(); }
    void SetDownGlyph(TBitmap* Value);
    TNumGlyphs UpNumGlyphs() const { return upButton_->NumGlyphs(); }
    void SetUpNumGlyphs(TNumGlyphs Value) { upButton_->SetNumGlyphs(Value); }
    TNumGlyphs DownNumGlyphs() const { return downButton_->NumGlyphs(); }
    void SetDownNumGlyphs(TNumGlyphs Value) { downButton_->SetNumGlyphs(Value); }
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    TProTimerSpeedButton* CreateButton();
    void SetGlyph(TProTimerSpeedButton* Button, TBitmap* Value, const char* ResName);
    void SetFocusBtn(TProTimerSpeedButton* Button);
    void ButtonPressed(TProTimerSpeedButton* Button);
    void Layout();

    TProTimerSpeedButton* upButton_;
    TProTimerSpeedButton* downButton_;
    TProTimerSpeedButton* focusedButton_;
    TComponentRef<TWinControl> focusControl_;
    TSpinDirection direction_ = spVertical;
    bool isWinXP_ = false;
};

class TGrdSpinEdit : public TCustomMaskEdit {
    VCL_CLASS(TGrdSpinEdit, TCustomMaskEdit)
    explicit TGrdSpinEdit(TComponent* AOwner);

    TGrdSpinButton* Button() const { return button_.Get(); }

    TGrdSpinType SpinType() const { return spinType_; }
    void SetSpinType(TGrdSpinType Value);
    // MinValue when the text is no integer.
    Integer Value() const;
    void SetValue(Integer NewValue);
    // MinFloatValue when the text is no number.
    double FloatValue() const;
    void SetFloatValue(double NewValue);
    // The current date and time for an empty text or "0"; EConvertError for any other text that is no date.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime NewValue);
    // Midnight (0) when the text is no time.
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime NewValue);
    // Equal limits of a pair mean no limit; the date range limits times as well.
    Integer MinValue() const { return minValue_; }
    void SetMinValue(Integer Value) { minValue_ = Value; }
    Integer MaxValue() const { return maxValue_; }
    void SetMaxValue(Integer Value) { maxValue_ = Value; }
    double MinFloatValue() const { return minFloatValue_; }
    void SetMinFloatValue(double Value) { minFloatValue_ = Value; }
    double MaxFloatValue() const { return maxFloatValue_; }
    void SetMaxFloatValue(double Value) { maxFloatValue_ = Value; }
    TDateTime MinDateValue() const { return minDateValue_; }
    void SetMinDateValue(TDateTime Value) { minDateValue_ = Value; }
    TDateTime MaxDateValue() const { return maxDateValue_; }
    void SetMaxDateValue(TDateTime Value) { maxDateValue_ = Value; }
    Integer Increment() const { return increment_; }
    void SetIncrement(Integer Value) { increment_ = Value; }
    double IncrementFloat() const { return incrementFloat_; }
    void SetIncrementFloat(double Value) { incrementFloat_ = Value; }
    // Decimals FloatValue is written with; 0 writes the shortest form.
    Integer Precision() const { return precision_; }
    void SetPrecision(Integer Value);
    // Off: the text cannot be typed into, only stepped.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    bool ReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool Value) { returnIsTab_ = Value; }
    TSpinDirection Direction() const;
    void SetDirection(TSpinDirection Value);
    bool SpinFlat() const { return spinFlat_; }
    void SetSpinFlat(bool Value);
    bool SpinTransparent() const { return spinTransparent_; }
    void SetSpinTransparent(bool Value);
    TEditAlign EditAlign() const { return editAlign_; }
    void SetEditAlign(TEditAlign Value);
    // The numeric keypad's point types DecimalSeparator.
    bool ExcelStyleDecimalSeparator() const { return excelStyleDecimalSeparator_; }
    void SetExcelStyleDecimalSeparator(bool Value) { excelStyleDecimalSeparator_ = Value; }
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool Value);

    // The edit's minimum height for its font and border.
    Integer MinHeight() const;

    virtual bool IsValidChar(char Key) const;
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

protected:
    // Value, FloatValue and a date or time (by the date range) within their limits; unchanged when a pair's
    // limits are equal.
    Integer CheckValue(Int64 NewValue) const;
    double CheckFloatValue(double NewValue) const;
    TDateTime CheckDateValue(TDateTime NewValue) const;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    // One step up (+1) or down (-1) of the value or the field under the caret; a step past a field's or the
    // number's range stays at its end.
    void Step(int Sign);
    void StepDate(int Sign);
    void StepTime(int Sign);
    // Writes the value within its limits (limited once: a minimum above the maximum wins below it).
    void WriteValue(Int64 NewValue);
    // The date of the text, the current date and time for an empty text or "0"; false for no date.
    bool ReadDate(TDateTime& Date) const;
    // Writes a date or time text with the caret where it was.
    void SetTextKeepingCaret(const AnsiString& Value);
    // Writes the value back within its limits when it is beyond them.
    void LimitOnExit();
    void Layout();
    void ApplyFormatRect();

    TComponentRef<TGrdSpinButton> button_;
    TGrdSpinType spinType_ = sptNormal;
    TDateTime dateValue_ = 0;
    TDateTime timeValue_ = 0;
    Integer minValue_ = 0;
    Integer maxValue_ = 100;
    double minFloatValue_ = 0.0;
    double maxFloatValue_ = 100.0;
    TDateTime minDateValue_ = 0;
    TDateTime maxDateValue_ = 0;
    Integer increment_ = 1;
    double incrementFloat_ = 0.0;
    Integer precision_ = 0;
    bool editorEnabled_ = true;
    bool returnIsTab_ = false;
    bool spinFlat_ = false;
    bool spinTransparent_ = false;
    TEditAlign editAlign_ = eaLeft;
    bool excelStyleDecimalSeparator_ = false;
    bool isWinXP_ = false;
};

}  // namespace grdspin
