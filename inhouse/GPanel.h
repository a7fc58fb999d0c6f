#pragma once
// TGPanel: a panel that paints up to two linear colour gradients over its client area, split at a
// percentage of its length. With Percent below 100 it doubles as a simple progress bar.

#include "vcl/ExtCtrls.h"
#include "vcl/Graphics.h"

namespace GPanel {

class TGPanel : public TPanel {
    VCL_CLASS(TGPanel, TPanel)
    explicit TGPanel(TComponent* AOwner);

    // Every setter repaints, even for an unchanged value.
    bool Active() const { return active_; }
    void SetActive(bool Value);
    TColor Color_1() const { return color1_; }
    void SetColor_1(TColor Value);
    TColor Color_2() const { return color2_; }
    void SetColor_2(TColor Value);
    TColor Color_3() const { return color3_; }
    void SetColor_3(TColor Value);
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool Value);
    // Share of the length taken by the first gradient, clamped to 1..100.
    Integer Percent() const { return percent_; }
    void SetPercent(Integer Value);

protected:
    void Paint() override;

private:
    void Changed() override;

    bool active_ = true;
    TColor color1_ = clBtnFace;
    TColor color2_ = 0xFFFFFF;
    TColor color3_ = 0xFFFF00;
    bool horizontal_ = true;
    Integer percent_ = 100;
};

// Registers TGPanel for form descriptions.
void RegisterGPanel();

}  // namespace GPanel
