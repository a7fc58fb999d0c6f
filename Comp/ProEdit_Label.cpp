// The typed edit's attached label: made at the first caption, placed beside, above or below the edit.
#include "ProEdit.h"

namespace ProEdit {

namespace {

// Halves toward negative infinity, so a label taller than the edit sits half the difference above it.
Integer FloorHalf(Integer Value) { return Value >= 0 ? Value / 2 : -((1 - Value) / 2); }

}  // namespace

AnsiString TProEdit::LabelCaption() const { return label_ ? label_->Caption() : AnsiString(); }

void TProEdit::SetLabelCaption(const AnsiString& Value) {
    if (!label_) {
        auto* label = new TLabel(this);
        label->SetParent(Parent());
        label->SetFocusControl(this);
        label->SetEnabled(Enabled() || labelAlwaysEnabled_);
        label_ = label;
        labelFont_->OnChange = [this](TObject*) { PlaceLabel(); };
    }
    label_->SetCaption(Value);
    PlaceLabel();
}

void TProEdit::SetLabelPosition(TLabelPosition Value) {
    labelPosition_ = Value;
    PlaceLabel();
}

void TProEdit::SetLabelMargin(Integer Value) {
    labelMargin_ = Value;
    PlaceLabel();
}

void TProEdit::SetLabelTransparent(bool Value) {
    labelTransparent_ = Value;
    PlaceLabel();
}

void TProEdit::SetLabelAlwaysEnabled(bool Value) {
    labelAlwaysEnabled_ = Value;
    if (label_) label_->SetEnabled(Enabled() || Value);
    PlaceLabel();
}

void TProEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceLabel();
}

// The label takes LabelFont before it is measured, so its size is the one it shows with.
void TProEdit::PlaceLabel() {
    TLabel* label = label_.Get();
    if (!label) return;
    label->SetTransparent(labelTransparent_);
    label->Font()->Assign(labelFont_.get());
    if (focusLabel_ && Focused()) ShowLabelBold(true);
    // Measured off screen: a label without a parent has no surface to measure on.
    TBitmap measure;
    measure.Canvas()->SetFont(label->Font());
    const Integer w = measure.Canvas()->TextWidth(label->Caption());
    const Integer h = label->Height(), lw = label->Width();
    const Integer L = Left(), T = Top(), W = Width(), H = Height(), M = labelMargin_;
    Integer top = T, left = L - w - M;
    switch (labelPosition_) {
        case lpLeftTop: break;
        case lpLeftCenter: top = T + FloorHalf(H - h); break;
        case lpLeftBottom: top = T + H - h; break;
        case lpTopLeft:
            top = T - h - M;
            left = L;
            break;
        case lpBottomLeft:
            top = T + H + M;
            left = L;
            break;
        case lpLeftTopLeft: left = L - M; break;
        case lpLeftCenterLeft:
            top = T + FloorHalf(H - h);
            left = L - M;
            break;
        case lpLeftBottomLeft:
            top = T + H - h;
            left = L - M;
            break;
        case lpTopCenter:
            top = T - h - M;
            left = L + FloorHalf(W - lw);
            break;
        case lpBottomCenter:
            top = T + H + M;
            left = L + FloorHalf(W - lw);
            break;
    }
    label->SetBounds(left, top, lw, h);
    label->SetVisible(Visible());
}

void TProEdit::ShowLabelBold(bool Bold) {
    if (!label_) return;
    TFontStyles style = label_->Font()->Style();
    if (Bold) style.Include(fsBold);
    else style.Exclude(fsBold);
    label_->Font()->SetStyle(style);
}

}  // namespace ProEdit
