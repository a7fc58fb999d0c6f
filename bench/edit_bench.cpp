// Where an edit's characters are: EM_POSFROMCHAR and EM_CHARFROMPOS at the last character of a long value,
// against one TextWidth of the value in the edit's font (the least a measure of the line can cost).
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

// A shown edit holding Length digits with the caret at the end, so the last character is in view.
struct ShownEdit {
    explicit ShownEdit(int Length) : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 300, 100);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(8, 8, 250, 24);
        for (int i = 0; i < Length; ++i) value.push_back(static_cast<char>('0' + i % 10));
        edit->SetText(value);
        edit->SetSelStart(Length);
        Testing::ShowAndActivate(form);
        Application->ProcessMessages();
    }
    ~ShownEdit() { FreeAndNil(form); }
    LRESULT PosOfLast() { return edit->Perform(EM_POSFROMCHAR, value.size() - 1, 0); }
    TForm* form;
    TEdit* edit = nullptr;
    AnsiString value;
};

void BM_TextWidth(benchmark::State& state) {
    ShownEdit shown(static_cast<int>(state.range(0)));
    TBitmap bitmap;
    bitmap.Canvas()->Font()->Assign(shown.edit->Font());
    for (auto _ : state) benchmark::DoNotOptimize(bitmap.Canvas()->TextWidth(shown.value));
}

void BM_PosFromChar(benchmark::State& state) {
    ShownEdit shown(static_cast<int>(state.range(0)));
    if (shown.PosOfLast() == -1) state.SkipWithError("the last character has no place");
    for (auto _ : state) benchmark::DoNotOptimize(shown.PosOfLast());
}

void BM_CharFromPos(benchmark::State& state) {
    ShownEdit shown(static_cast<int>(state.range(0)));
    const LPARAM at = shown.PosOfLast();
    const auto last = static_cast<LRESULT>(shown.value.size() - 1);
    if (LOWORD(shown.edit->Perform(EM_CHARFROMPOS, 0, at)) != last) state.SkipWithError("not the last character");
    for (auto _ : state) benchmark::DoNotOptimize(shown.edit->Perform(EM_CHARFROMPOS, 0, at));
}

BENCHMARK(BM_TextWidth)->Arg(1000)->Arg(10000);
BENCHMARK(BM_PosFromChar)->Arg(1000)->Arg(10000);
BENCHMARK(BM_CharFromPos)->Arg(1000)->Arg(10000);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(
        [](const std::string& Name) { return Name == "BM_TextWidth" ? Name : std::string("BM_TextWidth"); },
        {"1000", "10000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
