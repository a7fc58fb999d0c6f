// Panel layout manager: a relayout of 31 panels in a chained pair of managers (15 around the outer
// client panel, 16 inside it), and one animation step (the pause skipped by a test clock).
#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "easypanel.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"

using namespace easypanel;

namespace {

TPanel* MakePanel(TComponent* Owner, TWinControl* Parent, const AnsiString& Name, const char* Caption, Integer Height) {
    auto* panel = new TPanel(Owner);
    panel->SetName(Name);
    panel->SetParent(Parent);
    panel->SetCaption(Caption);
    panel->SetBounds(0, 0, 120, Height);
    return panel;
}

// The calculator's arrangement, scaled up: the outer manager in the L layout, the inner one in
// horizontal columns inside the outer client panel.
struct ChainedPair {
    TForm* form = new TForm(nullptr);
    TeasyPanel& outer = FormManager();
    TeasyPanel& inner = InnerPanelManager();

    ChainedPair() {
        form->SetBounds(0, 0, 1400, 1000);
        form->Show();
        for (int i = 0; i < 15; ++i) MakePanel(form, form, "Outer" + IntToStr(i), "Outer", 30);
        TPanel* client = MakePanel(form, form, "MainPanel", " ", 100);
        for (int i = 0; i < 16; ++i) MakePanel(form, client, "Inner" + IntToStr(i), "Inner", 20 + i);
        MakePanel(form, client, "Panel1", " ", 50);
        AttachPanelManager(inner, client, false);
        AttachPanelManager(outer, form, false);
        ChainToOuterManager(inner, outer, false, true);
        SetInnerManager(outer, &inner);
        SetColumns(inner, 1, false);
        SetSizeListMode(inner, true, false);
        SetLayoutFlags(inner, 0x202, false);
        Relayout(outer, true, true, true);
        Application->ProcessMessages();
    }
    ~ChainedPair() {
        ResetPanelManager(inner);
        ResetPanelManager(outer);
        form->Free();
    }
};

void BM_RelayoutChainedPair31Panels(benchmark::State& state) {
    ChainedPair pair;
    for (auto _ : state) Relayout(pair.outer, true, true, true);
}
BENCHMARK(BM_RelayoutChainedPair31Panels)->Unit(benchmark::kMicrosecond);

void BM_AnimationStep(benchmark::State& state) {
    ChainedPair pair;
    TTestClock clock;
    SetAnimationStepEvent([&clock](TPanel*, Integer) { clock.Advance(8); });
    TPanel* panel = SlotPanel(pair.outer, 0);
    Integer target = panel->Height() + 1;
    for (auto _ : state) {
        AnimateStep(pair.outer, panel, target, 1.0, 1.0);
        target += panel->Height() % 2 ? -1 : 1;
    }
    SetAnimationStepEvent(nullptr);
}
BENCHMARK(BM_AnimationStep)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
