// TCustomLabel / TLabel: a caption painted on the parent's surface with DrawText, as the class library does.

#include "StdCtrls/Publish.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

static TRect Shifted(TRect R, Integer DX, Integer DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }

static void PublishTCustomLabel(TPublisher&) {}

static void PublishTLabel(TPublisher& p) {
    TPublishOf<TLabel> P(p);
    P.Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, AlignmentNames());
    P.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    P.Enum("Layout", &TLabel::Layout, &TLabel::SetLayout,
           TEnumNames<TTextLayout>{{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}});
    P.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
    P.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    P.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    P.Component<TWinControl>("FocusControl", &TLabel::SetFocusControl);
}

VCL_IMPLEMENT_CLASS(TCustomLabel, nullptr, PublishTCustomLabel)
VCL_IMPLEMENT_CLASS(TLabel, VCL_CREATOR(TLabel), PublishTLabel)

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (layout_ == Value) return;
    layout_ = Value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (showAccelChar_ == Value) return;
    showAccelChar_ = Value;
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    TControlStyle style = ControlStyle();
    if (Value) style.Exclude(csOpaque);
    else style.Include(csOpaque);
    SetControlStyle(style);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) { focusControl_ = Value; }

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

// ---------------------------------------------------------------------------
// Drawing

void TCustomLabel::DoDrawText(TCanvas* Target, TRect& Rect, UINT Flags) {
    AnsiString text = Caption();
    // An empty caption (or a lone '&') still measures one line high.
    if ((Flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
    if (!showAccelChar_) Flags |= DT_NOPREFIX;
    Target->SetFont(Font());
    RECT r = Rect;
    if (!Enabled()) {
        // The disabled look: a light copy one pixel down and right, the shadow colour on top.
        RECT light = Shifted(r, 1, 1);
        Target->Font()->SetColor(clBtnHighlight);
        DrawText(Target->Handle(), text.c_str(), static_cast<int>(text.size()), &light, Flags);
        Target->Font()->SetColor(clBtnShadow);
    }
    DrawText(Target->Handle(), text.c_str(), static_cast<int>(text.size()), &r, Flags);
    Rect = r;
}

void TCustomLabel::Paint() {
    static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* canvas = Canvas();
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = ClientRect();
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | alignments[alignment_];
    if (layout_ != tlTop) {
        TRect calc = rect;
        DoDrawText(canvas, calc, flags | DT_CALCRECT);
        Integer offset = layout_ == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        rect = Shifted(rect, 0, offset);
    }
    DoDrawText(canvas, rect, flags);
}

// The size the caption needs; a right-justified label keeps its right edge, the others their left.
void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) return;
    TBitmap measure;
    TRect rect = ClientRect();
    DoDrawText(measure.Canvas(), rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    Integer x = Left();
    if (alignment_ == taRightJustify) x += Width() - rect.Right;
    SetBounds(x, Top(), rect.Right, rect.Bottom);
}

// ---------------------------------------------------------------------------
// Messages

void TCustomLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            TGraphicControl::Dispatch(Message);
            Invalidate();
            AdjustBounds();
            break;
        case CM_DIALOGCHAR:
            if (focusControl_ && Enabled() && showAccelChar_ && IsAccel(TWMKey(Message).CharCode(), Caption()) &&
                focusControl_->CanFocus()) {
                focusControl_->SetFocus();
                Message.Result = 1;
                break;
            }
            TGraphicControl::Dispatch(Message);
            break;
        default: TGraphicControl::Dispatch(Message); break;
    }
}
