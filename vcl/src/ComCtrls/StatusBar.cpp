// TStatusBar: simple text or panels with bevels, an owner-draw hook and the size grip.
#include "vcl/ComCtrls.h"

#include <algorithm>

#include "vcl/ExtCtrls.h"
#include "vcl/WinGdi.h"

namespace {

constexpr Integer kPanelTop = 2;  // the bar's top margin above every panel
constexpr Integer kPanelGap = 2;  // between neighbouring panels
constexpr Integer kTextIndent = 2;

void PublishTStatusPanel(TPublisher& p) {
    TPublishOf<TStatusPanel> P(p);
    P.Enum<TAlignment>("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, AlignmentNames());
    P.Enum<TStatusPanelBevel>("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel,
                              {{"pbNone", pbNone}, {"pbLowered", pbLowered}, {"pbRaised", pbRaised}});
    P.Enum<TStatusPanelStyle>("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle,
                              {{"psText", psText}, {"psOwnerDraw", psOwnerDraw}});
    P.Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    P.Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

void PublishTStatusBar(TPublisher& p) {
    TPublishOf<TStatusBar> P(p);
    P.Collection("Panels", &TStatusBar::Panels);
    P.Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    P.Str("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    P.Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
    P.Event("OnDrawPanel", &TStatusBar::OnDrawPanel);
}

}  // namespace

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TStatusPanel, nullptr, &PublishTStatusPanel)

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::Assign(TPersistent* Source) {
    auto* other = dynamic_cast<TStatusPanel*>(Source);
    if (!other) return TCollectionItem::Assign(Source);
    text_ = other->text_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    bevel_ = other->bevel_;
    style_ = other->style_;
    Changed(false);
}

AnsiString TStatusPanel::GetDisplayName() const { return text_.empty() ? TCollectionItem::GetDisplayName() : text_; }

void TStatusPanel::SetText(const AnsiString& Value) {
    if (text_ == Value) return;
    text_ = Value;
    Changed(false);
}

void TStatusPanel::SetWidth(Integer Value) {
    if (width_ == Value) return;
    width_ = Value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
    if (bevel_ == Value) return;
    bevel_ = Value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    Changed(false);
}

VCL_IMPLEMENT_CLASS(TStatusPanels, nullptr, nullptr)

TStatusPanels::TStatusPanels(TStatusBar* StatusBar)
    : TCollection(CollectionItemClassOf<TStatusPanel>()), statusBar_(StatusBar) {}

TPersistent* TStatusPanels::Owner() const { return statusBar_; }

void TStatusPanels::Update(TCollectionItem*) { statusBar_->Invalidate(); }

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TStatusBar, VCL_CREATOR(TStatusBar), &PublishTStatusBar)

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 150, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool Value) {
    if (simplePanel_ == Value) return;
    simplePanel_ = Value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const AnsiString& Value) {
    if (simpleText_ == Value) return;
    simpleText_ = Value;
    if (simplePanel_) Invalidate();
}

void TStatusBar::SetSizeGrip(bool Value) {
    if (sizeGrip_ == Value) return;
    sizeGrip_ = Value;
    Invalidate();
}

Integer TStatusBar::GripWidth() const { return sizeGrip_ ? ClientHeight() : 0; }

TRect TStatusBar::PanelRect(Integer Index) const {
    const TRect client = ClientRect();
    if (Index < 0) return Rect(0, kPanelTop, client.Right, client.Bottom);
    Integer left = 0;
    for (Integer i = 0; i < Index; ++i) left += panels_->Items(i)->Width() + kPanelGap;
    const bool last = Index == panels_->Count() - 1;
    const Integer right = last ? client.Right : left + panels_->Items(Index)->Width();
    return Rect(left, kPanelTop, right, client.Bottom);
}

void TStatusBar::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    if (simplePanel_) {
        PaintPanel(PanelRect(-1), pbNone, simpleText_, taLeftJustify);
    } else {
        for (Integer i = 0; i < panels_->Count(); ++i) {
            TStatusPanel* panel = panels_->Items(i);
            const TRect rect = PanelRect(i);
            if (panel->Style() == psOwnerDraw) {
                PaintPanel(rect, panel->Bevel(), AnsiString(), panel->Alignment());
                TRect inner{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
                DrawPanel(panel, inner);
            } else {
                PaintPanel(rect, panel->Bevel(), panel->Text(), panel->Alignment());
            }
        }
    }
    PaintSizeGrip();
}

void TStatusBar::PaintPanel(const TRect& Rect, TStatusPanelBevel Bevel, const AnsiString& Text, TAlignment Alignment) {
    TCanvas* canvas = Canvas();
    TRect inner = Rect;
    if (Bevel != pbNone) {
        const bool lowered = Bevel == pbLowered;
        Frame3D(canvas, inner, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, 1);
    }
    if (Text.empty()) return;
    inner.Left += kTextIndent;
    inner.Right -= kTextIndent;
    static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas->Handle(), Text.c_str(), -1, &inner,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS | alignments[Alignment]);
    canvas->Brush()->SetStyle(bsSolid);
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
    if (OnDrawPanel) {
        OnDrawPanel(this, Panel, Rect);
    } else {
        Canvas()->FillRect(Rect);
    }
}

void TStatusBar::PaintSizeGrip() {
    if (!sizeGrip_) return;
    // Three pairs of diagonal strokes in the bottom-right corner, highlight above shadow.
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    const Integer grip = std::min(GripWidth(), Integer{12});
    for (Integer offset = 0; offset < grip; offset += 4) {
        const Integer x = client.Right - 1, y = client.Bottom - 1;
        canvas->Pen()->SetColor(clBtnHighlight);
        canvas->MoveTo(x - offset - 3, y);
        canvas->LineTo(x + 1, y - offset - 4);
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(x - offset - 2, y);
        canvas->LineTo(x + 1, y - offset - 3);
        canvas->MoveTo(x - offset - 1, y);
        canvas->LineTo(x + 1, y - offset - 2);
    }
}
