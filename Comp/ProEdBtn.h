#pragma once
// The edit with a button: a speed button that paints with the visual styles while they are active, a small
// window holding one, and a typed edit with one at its right edge whose click fires OnClickBtn.

#include <functional>

#include "ProEdit.h"
#include "vcl/Buttons.h"

namespace ProEdBtn {

class TProSpeedButton : public TSpeedButton {
    VCL_CLASS(TProSpeedButton, TSpeedButton)
    explicit TProSpeedButton(TComponent* AOwner);

    // The flat look's edge: etched instead of raised.
    bool Etched() const { return etched_; }
    void SetEtched(bool Value);
    // Stored for the edit's look; the painting does not depend on it.
    bool Focused() const { return focused_; }
    void SetFocused(bool Value);
    bool MouseInside() const { return mouseInside_; }

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    // The glyph with its top-left pixel's colour shown as the button face, centred in Area when smaller.
    void DrawCentredGlyph(TRect Area, Integer Shift);
    void DrawCentredCaption(TRect Area, Integer Shift);
    bool PaintThemed();

    bool etched_ = false;
    bool focused_ = false;
    bool mouseInside_ = false;
    bool themed_ = false;  // the system reports visual styles (5.1 and later)
};

// A small window with one speed button filling it. A release on the button fires OnClick and then gives
// the focus to FocusControl (or to this window).
class TEditButton : public TWinControl {
    VCL_CLASS(TEditButton, TWinControl)
    explicit TEditButton(TComponent* AOwner);

    TProSpeedButton* Button() const { return button_; }
    TWinControl* FocusControl() const { return focusControl_.Get(); }
    void SetFocusControl(TWinControl* Value) { focusControl_ = Value; }
    Integer ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(Integer Value);
    TBitmap* Glyph() const { return button_->Glyph(); }
    void SetGlyph(TBitmap* Value) { button_->SetGlyph(Value); }
    AnsiString ButtonCaption() const { return button_->Caption(); }
    void SetButtonCaption(const AnsiString& Value) { button_->SetCaption(Value); }
    TNumGlyphs NumGlyphs() const { return button_->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { button_->SetNumGlyphs(Value); }

    // The width is always the button width; the button fills the height.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TNotifyEvent OnClick;

protected:
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

private:
    void ButtonReleased(TObject* Sender, TMouseButton Button);
    void PlaceButton();

    TProSpeedButton* button_;
    TComponentRef<TWinControl> focusControl_;
    Integer buttonWidth_ = 16;
};

class TProEditBtn : public ProEdit::TProEdit {
    VCL_CLASS(TProEditBtn, TProEdit)
    explicit TProEditBtn(TComponent* AOwner);

    TEditButton* EditButton() const { return button_.Get(); }
    // 16 when the button is gone.
    Integer ButtonWidth() const;
    void SetButtonWidth(Integer Value);
    const AnsiString& ButtonHint() const { return buttonHint_; }
    void SetButtonHint(const AnsiString& Value);
    // Off: cut and paste are refused; typing still works.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool Etched() const;
    void SetEtched(bool Value);
    // Stored only: the typed edit's focus frame is not drawn for a button edit.
    bool FocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool Value) { focusBorder_ = Value; }
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* Value);
    AnsiString ButtonCaption() const;
    void SetButtonCaption(const AnsiString& Value);

    virtual void ClickButton();

    TNotifyEvent OnClickBtn;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    // Left 1, top 1 with a border (2 and 4 without), right short of the button.
    void ApplyFormatRect() override;

private:
    // Raises the height to the minimum, else places the button and the formatting rectangle.
    void Layout();
    void UpdateButtonLook();
    // The width changed by one and back makes the window lay itself out again.
    void Relayout();

    TComponentRef<TEditButton> button_;
    AnsiString buttonHint_;
    bool editorEnabled_ = true;
    bool flat_ = false;
    bool focusBorder_ = false;
    bool mouseInside_ = false;
};

// The least height of an edit with a button in Font: its character height and a quarter of the smaller of
// that and the system font's around the text.
Integer MinButtonEditHeight(TFont* Font);

// What the box holding an edit's button needs: no child controls or caption of its own, a frame, and
// opaque painting.
TControlStyle ButtonBoxStyle(TControlStyle Style);

// The edit's own button, at Width by Height until the edit lays it out: it hands the focus to the edit
// and its clicks to Click.
template <class TButtonBox>
TButtonBox* AddEditButton(TWinControl* Edit, Integer Width, Integer Height, std::function<void()> Click) {
    auto* button = new TButtonBox(Edit);
    button->SetBounds(0, 0, Width, Height);
    button->SetVisible(true);
    button->SetParent(Edit);
    button->SetFocusControl(Edit);
    button->OnClick = [Click = std::move(Click)](TObject*) { Click(); };
    return button;
}

}  // namespace ProEdBtn
