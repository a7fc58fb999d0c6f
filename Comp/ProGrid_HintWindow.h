#pragma once
// The grid's hint window: the hint text is mark-up, measured and drawn by the mark-up renderer, inside a
// two-colour raised outline instead of the platform's frame.

#include "vcl/Controls.h"

namespace ProGrid {

class THTMLHintWindow : public THintWindow {
    VCL_CLASS(THTMLHintWindow, THintWindow)
    explicit THTMLHintWindow(TComponent* AOwner);
    ~THTMLHintWindow() override;

    // The mark-up's size wrapped at MaxWidth, at the origin.
    TRect CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void* AData) override;
    // Measures AHint in a 1008-pixel box from Rect's left; the window takes that size plus the outline and
    // margins at Rect's top left, moved inside the monitor holding that point, and shows without activation.
    void ActivateHint(TRect Rect, const AnsiString& AHint) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    // The renderer with the hint's colours and no pictures: Measure wraps at Box's width and only
    // measures; otherwise the text is drawn in Box unwrapped.
    void Render(const AnsiString& AHint, const TRect& Box, bool Measure, Integer& AWidth, Integer& AHeight);

    Integer markupHeight_ = 0;
    Integer markupWidth_ = 0;
};

}  // namespace ProGrid
