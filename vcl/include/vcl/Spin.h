#pragma once
// The spin button: an up half and a down half. A click on a half fires OnUpClick or OnDownClick when the
// button is released over it; holding a half repeats the click after 400 ms and then every 100 ms.

#include <memory>

#include "Controls.h"
#include "ExtCtrls.h"
#include "Graphics.h"

enum TSpinHalf { shNone, shUp, shDown };

class TSpinButton : public TCustomControl {
    VCL_CLASS(TSpinButton, TCustomControl)
    explicit TSpinButton(TComponent* AOwner);
    ~TSpinButton() override;

    static constexpr Cardinal InitRepeatPause = 400;
    static constexpr Cardinal RepeatPause = 100;

    // Copies of the glyphs; the defaults are the "SpinUp" and "SpinDown" bitmap resources.
    TBitmap* UpGlyph() const { return upGlyph_.get(); }
    void SetUpGlyph(TBitmap* Value);
    TBitmap* DownGlyph() const { return downGlyph_.get(); }
    void SetDownGlyph(TBitmap* Value);
    // Clicking the button focuses this control instead of the spin button.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);
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
    void Notification(TComponent* AComponent, TOperation Operation) override;
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
    std::unique_ptr<TTimer> repeatTimer_;
    TWinControl* focusControl_ = nullptr;
    TSpinHalf pressed_ = shNone;
    bool pressedInside_ = false;
};

// Registers the classes of this unit for form descriptions.
void RegisterSpin();
