#pragma once
// The spin button: an up half and a down half. A click on a half fires OnUpClick or OnDownClick when the
// button is released over it; holding a half repeats the click after 400 ms and then every 100 ms.

#include <memory>

#include "Controls.h"
#include "ExtCtrls.h"
#include "Graphics.h"
#include "StdCtrls.h"

enum TSpinHalf { shNone, shUp, shDown };

class TSpinButton : public TCustomControl {
    VCL_CLASS(TSpinButton, TCustomControl)
    explicit TSpinButton(TComponent* AOwner);

    static constexpr Cardinal InitRepeatPause = 400;
    static constexpr Cardinal RepeatPause = 100;

    // Copies of the glyphs; the defaults are the "SpinUp" and "SpinDown" bitmap resources.
    TBitmap* UpGlyph() const { return upGlyph_.get(); }
    void SetUpGlyph(TBitmap* Value);
    TBitmap* DownGlyph() const { return downGlyph_.get(); }
    void SetDownGlyph(TBitmap* Value);
    // Clicking the button focuses this control instead of the spin button.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
    // The half held down with the mouse over it (shNone: none).
    TSpinHalf PressedHalf() const { return pressedInside_ ? pressed_ : shNone; }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    virtual void UpClick();
    virtual void DownClick();

private:
    TSpinHalf HalfAt(Integer X, Integer Y) const;
    TRect HalfRect(TSpinHalf Half) const;
    void ClickHalf(TSpinHalf Half);
    void RepeatTick();
    void StopRepeat();
    void PaintHalf(TSpinHalf Half, TBitmap* Glyph);
    void LoadDefaultGlyph(TBitmap& Glyph, const char* ResName, bool PointsUp);

    std::unique_ptr<TBitmap> upGlyph_;
    std::unique_ptr<TBitmap> downGlyph_;
    TOwned<TTimer> repeatTimer_;
    TComponentRef<TWinControl> focusControl_;
    TSpinHalf pressed_ = shNone;
    bool pressedInside_ = false;
};

// An edit for whole numbers with a spin button at its right edge. Up and Down (keys or button halves) step
// Value by Increment, kept within MinValue..MaxValue unless both are equal (no limits then). Typing accepts
// digits, signs and the decimal separator only; text that is no number reads as MinValue.
class TSpinEdit : public TCustomEdit {
    VCL_CLASS(TSpinEdit, TCustomEdit)
    explicit TSpinEdit(TComponent* AOwner);
    ~TSpinEdit() override;

    Integer Value() const;
    void SetValue(Integer NewValue);
    Integer MinValue() const { return minValue_; }
    void SetMinValue(Integer Value) { minValue_ = Value; }
    Integer MaxValue() const { return maxValue_; }
    void SetMaxValue(Integer Value) { maxValue_ = Value; }
    Integer Increment() const { return increment_; }
    void SetIncrement(Integer Value) { increment_ = Value; }
    // False: the text cannot be typed into, only stepped.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    TSpinButton* Button() const { return button_; }

protected:
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);
    virtual bool IsValidChar(char Key) const;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;
    void InitializePeer() override;

private:
    // NewValue within the limits (Int64 so that a step past the Integer range clamps, never wraps).
    Integer CheckValue(Int64 NewValue) const;
    void Step(Int64 Delta);
    void PlaceButton();

    TSpinButton* button_;
    Integer minValue_ = 0;
    Integer maxValue_ = 0;
    Integer increment_ = 1;
    bool editorEnabled_ = true;
};

// Registers the classes of this unit for form descriptions.
void RegisterSpin();
