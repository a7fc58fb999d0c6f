#pragma once
// Buttons unit: the speed button, a graphic control that paints a glyph strip and a caption and can stay
// down alone or as one of a group.

#include <memory>

#include "Controls.h"
#include "Graphics.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// What the button shows: up, disabled, pressed while the mouse holds it, or held down (Down).
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
// How many images the glyph holds side by side: up, disabled, pressed, held down.
using TNumGlyphs = Integer;

class TSpeedButton : public TGraphicControl {
    VCL_CLASS(TSpeedButton, TGraphicControl)
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value);
    // 0: a plain button. Otherwise the buttons of one parent with this index stay down one at a time.
    Integer GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(Integer Value);
    bool Down() const { return down_; }
    void SetDown(bool Value);
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    // The glyph's bottom-left pixel gives its transparent colour.
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(TNumGlyphs Value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    // -1: glyph and caption centred together; otherwise the distance from the edge the glyph faces.
    Integer Margin() const { return margin_; }
    void SetMargin(Integer Value);
    // Between glyph and caption; -1 centres the caption in the room left.
    Integer Spacing() const { return spacing_; }
    void SetSpacing(Integer Value);

protected:
    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }
    void Paint() override;
    // Draws the image of the glyph strip for State (embossed when disabled and the strip has none) and
    // the caption in Client, as the classic button does; returns the rectangle the caption took.
    TRect DrawGlyphAndCaption(TRect Client, TButtonState State, bool Pressed);
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Dispatch(TMessage& Message) override;

private:
    void UpdateExclusive();
    void SetState(TButtonState Value);
    TButtonState RestingState() const;
    void DrawGlyphImage(Integer X, Integer Y, TButtonState State);

    std::unique_ptr<TBitmap> glyph_;
    bool allowAllUp_ = false;
    Integer groupIndex_ = 0;
    bool down_ = false;
    bool flat_ = false;
    TNumGlyphs numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    Integer margin_ = -1;
    Integer spacing_ = 4;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;
};

// Registers the classes of this unit for form descriptions.
void RegisterButtons();
