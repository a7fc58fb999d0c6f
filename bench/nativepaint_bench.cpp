// Repainting a form of 50 plain edits (framed and frameless) against plain Qt line edits repainting the same
// way in the same run: what a native widget costs beyond its own painting.
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "peers/QtEditPeers.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"

namespace {

constexpr int EditCount = 50;
constexpr int EditWidth = 121, EditHeight = 21;

// A shown form of Count edits in rows of five, with the frame the border style gives or none.
struct ShownEdits {
    ShownEdits(int Count, bool Framed) : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 5 * (EditWidth + 4) + 20, (Count / 5 + 1) * (EditHeight + 4) + 40);
        for (int i = 0; i < Count; ++i) {
            auto* edit = new TEdit(form);
            edit->SetParent(form);
            edit->SetBorderStyle(Framed ? bsSingle : bsNone);
            edit->SetAutoSize(false);
            edit->SetBounds((i % 5) * (EditWidth + 4), (i / 5) * (EditHeight + 4), EditWidth, EditHeight);
            edit->SetText("Edit text");
            edits.push_back(edit);
        }
        Testing::ShowAndActivate(form);
        Application->ProcessMessages();
    }
    ~ShownEdits() { FreeAndNil(form); }
    void RepaintAll() {
        for (TEdit* edit : edits) edit->Invalidate();
        Application->ProcessMessages();
    }
    // Whether the first edit's text shows dark ink in the window.
    bool ShowsText() {
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        for (Integer y = 0; y < EditHeight; ++y)
            for (Integer x = 0; x < EditWidth; ++x) {
                const TColor c = ColorToRGB(shown->Canvas()->Pixels(x, y));
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) return true;
            }
        return false;
    }
    TForm* form;
    std::vector<TEdit*> edits;
};

void BM_EditsRepaint(benchmark::State& state) {
    ShownEdits shown(EditCount, state.range(0) != 0);
    for (auto _ : state) shown.RepaintAll();
    if (!shown.ShowsText()) state.SkipWithError("the edits show no text");
    state.counters["edits"] = EditCount;
}

void BM_LineEditsRepaint(benchmark::State& state) {
    qtpeer::ShownLineEdits shown(EditCount, state.range(0) != 0, EditWidth, EditHeight);
    for (auto _ : state) shown.RepaintAll();
    if (!shown.ShowsText()) state.SkipWithError("the line edits show no text");
    state.counters["edits"] = EditCount;
}

// Argument: 1 framed, 0 frameless.
BENCHMARK(BM_EditsRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineEditsRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(
        [](const std::string& Name) {
            if (Name == "BM_EditsRepaint") return std::string("BM_LineEditsRepaint");
            return Name;
        },
        {"0", "1"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
