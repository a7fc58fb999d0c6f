// Owner-drawn combo items: DrawItem paints through the combo's canvas, whose device context is the item's
// while it draws.

#include "StdCtrls/ComboBoxChild.h"
#include "StdCtrls/Peers.h"
#include "vcl/ScopeGuard.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

namespace {

class TItemCanvas : public TCanvas {
public:
    void Attach(TSurface* Target, const TRect& Item) {
        SetSurface(Target);
        if (Target) SetDeviceArea(Point(-Item.Left, -Item.Top), Item);
    }
};

}  // namespace

std::unique_ptr<TCanvas> NewItemCanvas() { return std::make_unique<TItemCanvas>(); }

void AttachItemCanvas(TCanvas& Canvas, TSurface* Target, const TRect& Rect) {
    static_cast<TItemCanvas&>(Canvas).Attach(Target, Rect);
}

TCanvas* TCustomComboBox::Canvas() const { return canvas_.get(); }

void TCustomComboBox::DrawItem(Integer Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) return OnDrawItem(this, Index, Rect, State);
    canvas_->FillRect(Rect);
    if (Index >= 0) canvas_->TextOut(Rect.Left + 2, Rect.Top, Items()->Strings(Index));
}

void TCustomComboBox::MeasureItem(Integer Index, Integer& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

// As the class library draws on CN_DRAWITEM: the font and brush afresh, the highlight for a selected item,
// an empty field filled, the focus rectangle over a focused one.
void TCustomComboBox::DrawItemOn(TSurface& Target, Integer Index, const TRect& Rect, TOwnerDrawState State) {
    TCanvas& canvas = *canvas_;
    AttachItemCanvas(canvas, &Target, Rect);
    const TScopeExit detach([&] { AttachItemCanvas(canvas, nullptr, {}); });
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetColor(Color());
    if (Index >= 0 && State.Contains(odSelected)) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.Font()->SetColor(clHighlightText);
    }
    if (Index >= 0) DrawItem(Index, Rect, State);
    else canvas.FillRect(Rect);
    if (State.Contains(odFocused)) {
        RECT focus = Rect;
        DrawFocusRect(canvas.Handle(), &focus);
    }
}
