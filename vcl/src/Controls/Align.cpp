// Alignment and anchors: how a windowed control lays out its children when either side changes.

#include <algorithm>

#include "Controls/Internal.h"
#include "vcl/ScopeGuard.h"

namespace {

// The class library's order within one alignment: the control being placed goes where its new position puts it.
bool InsertBefore(const TControl* C1, const TControl* C2, TAlign Align) {
    switch (Align) {
        case alTop: return C1->Top() < C2->Top();
        case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
        case alLeft: return C1->Left() < C2->Left();
        case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
        default: return false;
    }
}

}  // namespace

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0) --alignDisabled_;
    if (alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() { DoAlign(nullptr); }

// Aligns now, or remembers to when aligning is disabled or the description is still being read.
void TWinControl::DoAlign(TControl* AControl) {
    if (aligning_ || ComponentState().Contains(csDestroying)) return;
    if (alignDisabled_ > 0 || ComponentState().Contains(csLoading)) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    const TValueGuard aligning(aligning_, true);
    TRect client = ClientRect();
    AlignControls(AControl, client);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    TRect full = Rect;
    AdjustClientRect(Rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (AControl && AControl->Align() == align && AControl->Visible() && AControl->Parent() == this)
            list.push_back(AControl);
        for (TControl* c : controls_) {
            if (c == AControl || c->Align() != align || !c->Visible()) continue;
            std::size_t j = 0;
            while (j < list.size() && !InsertBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) {
            Integer left = Rect.Left, top = Rect.Top, width = Rect.Width(), height = Rect.Height();
            switch (align) {
                case alTop: height = c->Height(); break;
                case alBottom:
                    height = c->Height();
                    top = Rect.Bottom - height;
                    break;
                case alLeft: width = c->Width(); break;
                case alRight:
                    width = c->Width();
                    left = Rect.Right - width;
                    break;
                default: break;
            }
            c->SetBounds(left, top, std::max(0, width), std::max(0, height));
            // Constraints may have refused the size: the space used is what the control took.
            switch (align) {
                case alTop: Rect.Top += c->Height(); break;
                case alBottom: Rect.Bottom -= c->Height(); break;
                case alLeft: Rect.Left += c->Width(); break;
                case alRight: Rect.Right -= c->Width(); break;
                default: break;
            }
        }
    }
    for (TControl* c : controls_)
        if (c->Align() == alNone && c->Visible()) AlignAnchored(c, full);
}

// akRight/akBottom keep the distance to the parent's right/bottom edge; both sides of an axis stretch;
// neither keeps the control centred on its old relative position.
void TWinControl::AlignAnchored(TControl* C, const TRect& Client) {
    TAnchors a = C->Anchors();
    if (!C->anchorRulesValid_ || a == TAnchors{akLeft, akTop}) return;
    Integer dx = Client.Width() - C->anchorParentSize_.cx;
    Integer dy = Client.Height() - C->anchorParentSize_.cy;
    Integer left = C->anchorOrigin_.X, width = C->anchorBoundsSize_.cx;
    Integer top = C->anchorOrigin_.Y, height = C->anchorBoundsSize_.cy;
    if (a.Contains(akRight)) {
        if (a.Contains(akLeft)) width += dx;
        else left += dx;
    } else if (!a.Contains(akLeft)) {
        left += dx / 2;
    }
    if (a.Contains(akBottom)) {
        if (a.Contains(akTop)) height += dy;
        else top += dy;
    } else if (!a.Contains(akTop)) {
        top += dy / 2;
    }
    C->SetBounds(left, top, std::max(0, width), std::max(0, height));
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (alignPending_) Realign();
}
