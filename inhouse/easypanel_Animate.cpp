// Collapse and restore animation: the panel's height moves in growing steps, overshoots and settles,
// pumping messages for 8 ms per step. The user may close windows meanwhile: an animation stops as soon
// as its panel is destroyed or the application is terminating.

#include <algorithm>

#include <vcl/Clock.h>
#include <vcl/Forms.h>

#include "ComponentHandling.h"
#include "easypanel.h"

namespace easypanel {

using namespace ComponentHandling;

namespace {

constexpr Integer StepPauseMs = 8;

TAnimationStepEvent& stepEvent() {
    static TAnimationStepEvent event;
    return event;
}

// The panel may be destroyed while messages are pumped: it is watched through a TComponentRef.
bool Going(TPanel* Watched) { return Watched && !Application->Terminated(); }

// The process-wide drawing state kept while one animation runs.
struct TSavedDrawing {
    bool PanelDoubleBuffered = false;
    bool ParentDoubleBuffered = false;
    bool FullRepaint = false;
};

TSavedDrawing& savedDrawing() {
    static TSavedDrawing state;
    return state;
}

bool& animationRunning() {
    static bool running = false;
    return running;
}

void SaveDrawingState(TPanel* Panel) {
    TSavedDrawing& saved = savedDrawing();
    saved.PanelDoubleBuffered = Panel->DoubleBuffered();
    saved.FullRepaint = Panel->FullRepaint();
    Panel->SetDoubleBuffered(false);
    Panel->SetFullRepaint(false);
    if (TWinControl* parent = Panel->Parent()) {
        saved.ParentDoubleBuffered = parent->DoubleBuffered();
        parent->SetDoubleBuffered(false);
    }
}

void RestoreDrawingState(TPanel* Panel) {
    const TSavedDrawing& saved = savedDrawing();
    Panel->SetDoubleBuffered(saved.PanelDoubleBuffered);
    Panel->SetFullRepaint(saved.FullRepaint);
    if (TWinControl* parent = Panel->Parent()) parent->SetDoubleBuffered(saved.ParentDoubleBuffered);
}

Integer SlotIndexOf(const TeasyPanel& Mgr, TPanel* Panel) {
    for (Integer slot = 0; slot < MaxPanelSlots; ++slot)
        if (SlotPanel(Mgr, slot) == Panel) return slot;
    return -1;
}

Integer CollapsedTarget(const TeasyPanel& Mgr, TPanel* Panel) {
    const Integer slot = SlotIndexOf(Mgr, Panel);
    return slot >= 0 ? CollapsedHeightOf(Mgr, slot) : Mgr.CollapsedHeight;
}

// One animation at a time: its drawing state is process-wide. A nested request (from a relayout run
// while the first one pumps messages) sets the height at once.
class TAnimationScope {
public:
    explicit TAnimationScope(TPanel* Panel) : watch_(Panel), owner_(!animationRunning()) {
        if (!owner_) return;
        animationRunning() = true;
        SaveDrawingState(Panel);
    }
    ~TAnimationScope() {
        if (!owner_) return;
        animationRunning() = false;
        if (TPanel* panel = watch_) RestoreDrawingState(panel);
    }
    TAnimationScope(const TAnimationScope&) = delete;
    TAnimationScope& operator=(const TAnimationScope&) = delete;

    bool Animates() const { return owner_; }
    const TComponentRef<TPanel>& Watch() const { return watch_; }

private:
    TComponentRef<TPanel> watch_;
    bool owner_;
};

}  // namespace

void SetAnimationStepEvent(TAnimationStepEvent Event) { stepEvent() = std::move(Event); }

void SetHeightAndWait(TeasyPanel&, TPanel* Panel, Integer Height) {
    const UInt64 start = ClockTickCount();
    const TComponentRef<TPanel> watch(Panel);
    Panel->SetHeight(Height);
    Panel->Repaint();
    if (stepEvent()) stepEvent()(Panel, Height);
    do {
        Application->ProcessMessages();
    } while (Going(watch) && ClockTickCount() - start < StepPauseMs);
}

void AnimateStep(TeasyPanel& Mgr, TPanel* Panel, Integer Target, double FirstStep, double StepFactor) {
    const TComponentRef<TPanel> watch(Panel);
    if (!watch) return;
    double h = Panel->Height();
    const bool growing = Target > h;
    double step = FirstStep;
    while (Going(watch) && (growing ? h < Target : h > Target)) {
        h = growing ? std::min<double>(h + step, Target) : std::max<double>(h - step, Target);
        step = std::max(step * StepFactor, 0.8);
        SetHeightAndWait(Mgr, Panel, static_cast<Integer>(h));
    }
    // Quitting mid-way: no more pauses, the panel still ends at its target.
    if (watch && Application->Terminated()) Panel->SetHeight(Target);
}

void CollapseAnimated(TeasyPanel& Mgr, TPanel* Panel) {
    if (!Panel) return;
    const Integer c = CollapsedTarget(Mgr, Panel);
    TAnimationScope scope(Panel);
    TNotifyEvent savedOnResize;
    const bool silence = !Mgr.AnimateCollapse || !Mgr.KeepResizeEvents;
    if (silence) SwapOnResize(Panel, savedOnResize, nullptr);
    if (!Mgr.AnimateCollapse || !scope.Animates()) {
        Panel->SetHeight(c);
    } else {
        const Integer h = Panel->Height();
        const TComponentRef<TPanel>& watch = scope.Watch();
        auto pass = [&](Integer Target, double First, double Factor) {
            if (watch) AnimateStep(Mgr, Panel, Target, First, Factor);
        };
        if (c < h && h - c > 20) {
            pass(c, 3.0, 1.098);
            pass(std::max(c + 20, std::min(c + 40, (h - c) / 4)), 3.0, 0.99);
            pass(c, 2.0, 1.098);
            pass(c + 5, 2.0, 0.99);
            pass(c, 1.0, 1.098);
            if (h >= 151) {
                pass(c + 2, 1.0, 0.99);
                pass(c, 1.0, 1.098);
            }
        } else {
            pass(c, 1.0, 1.0);
        }
    }
    if (silence && scope.Watch()) Panel->OnResize = savedOnResize;
}

void AnimateCollapseSlot(TeasyPanel& Mgr, Integer Slot) {
    if (TPanel* panel = SlotPanel(Mgr, Slot)) CollapseAnimated(Mgr, panel);
}

void AnimateToHeight(TeasyPanel& Mgr, TPanel* Panel, Integer Target) {
    if (!Panel) return;
    TNotifyEvent savedOnResize;
    GetOnResize(Panel, savedOnResize);
    if (!Mgr.KeepResizeEvents) Panel->OnResize = nullptr;
    Integer notedWidth = 0, notedHeight = 0;
    GetControlSize(Panel, notedWidth, notedHeight);
    if (auto* owner = dynamic_cast<TWinControl*>(Panel->Owner())) owner->Update();
    const TComponentRef<TPanel> watch(Panel);
    {
        TAnimationScope scope(Panel);
        const Integer c = CollapsedTarget(Mgr, Panel);
        if (!Mgr.AnimateCollapse || !scope.Animates()) {
            Panel->SetHeight(Target);
        } else {
            auto pass = [&](Integer To, double First, double Factor) {
                if (watch) AnimateStep(Mgr, Panel, To, First, Factor);
            };
            if (Target - Panel->Height() > 20) {
                pass(Target, 3.0, 1.9);
                pass(std::max(Target - c, static_cast<Integer>(Target / 100.0 * 90)), 3.0, 1.1);
                pass(Target, 1.0, 1.098);
            } else {
                pass(Target, 1.0, 1.0);
            }
        }
    }
    if (!watch) return;
    if (savedOnResize && SizeDiffers(Panel, notedWidth, notedHeight)) savedOnResize(nullptr);
    if (watch) Panel->OnResize = savedOnResize;
}

}  // namespace easypanel
