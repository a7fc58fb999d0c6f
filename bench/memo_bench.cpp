// The calculator's memos on every keystroke: a whole new text of 11-digit lines set from code into a shown
// memo (then its messages processed), and one character typed into a memo of 100k such lines.
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/System.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

AnsiString ElevenDigitLines(int Count, long long First) {
    AnsiString text;
    text.reserve(static_cast<std::size_t>(Count) * 13);
    for (int i = 0; i < Count; ++i) text.append(std::to_string(First + i)).append("\r\n");
    return text;
}

// A shown form holding one memo as the calculator has them: both scroll bars, no wrapping.
struct ShownMemo {
    ShownMemo() : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 400, 500);
        memo = new TMemo(form);
        memo->SetParent(form);
        memo->SetBounds(8, 8, 370, 480);
        memo->SetScrollBars(ssBoth);
        memo->SetWordWrap(false);
        Testing::ShowAndActivate(form);
    }
    ~ShownMemo() { FreeAndNil(form); }
    TForm* form;
    TMemo* memo = nullptr;
};

void BM_SetTextOnAShownMemo(benchmark::State& state) {
    ShownMemo shown;
    const int lines = static_cast<int>(state.range(0));
    // Two texts in turn, so every set is a real change.
    const AnsiString texts[] = {ElevenDigitLines(lines, 10000000000LL), ElevenDigitLines(lines, 20000000000LL)};
    int turn = 0;
    for (auto _ : state) {
        shown.memo->SetText(texts[turn ^= 1]);
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_SetTextOnAShownMemo)
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_TypeOneCharacterInto100kLines(benchmark::State& state) {
    ShownMemo shown;
    shown.memo->SetText(ElevenDigitLines(100000, 10000000000LL));
    int changes = 0;
    shown.memo->OnChange = [&](TObject*) { ++changes; };
    shown.memo->SetSelStart(13 * 50000);
    for (auto _ : state) {
        Testing::TypeText(shown.memo, "7");
        Testing::KeyPress(shown.memo, VK_BACK);
    }
    state.counters["changes/iteration"] = benchmark::Counter(changes, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TypeOneCharacterInto100kLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
