// The calculator's recompute on 10k, 100k and 1M position lines (random 11-digit byte positions),
// split into reading the input memo into the line table, converting the lines, and writing the
// result memo; plus the whole recompute a keystroke in the position list causes, both memos included.
// Each phase runs on a table as a recompute finds it (the previous results still in field 10).
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "CalculatorWindow.h"
#include "ProgramStart.h"
#include "ResultLines.h"
#include "standards.h"
#include "superar.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

std::string PositionLines(int count) {
    std::mt19937_64 random(count);
    std::uniform_int_distribution<long long> position(10000000000LL, 99999999999LL);
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 13);
    for (int i = 0; i < count; ++i) text.append(std::to_string(position(random))).append("\r\n");
    return text;
}

// The input memo holds the lines; the result memo already shows one computation of them.
void Prepare(int count) {
    Form1->Memo1->SetText(PositionLines(count));
    Application->ProcessMessages();
}

// Reading the input memo into the line table, the previous results going with the old rows.
void BM_LoadMemoLines(benchmark::State& state) {
    Prepare(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        Form1->calculate(nullptr);
        state.ResumeTiming();
        benchmark::DoNotOptimize(superar::LoadMemoLines(standards::LineTable(), Form1->Memo1, 0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The per-line conversion: each stored line read, turned into its result line and stored in field 10.
void BM_ConvertLines(benchmark::State& state) {
    Prepare(static_cast<int>(state.range(0)));
    superar::ArrayOfFiles& table = standards::LineTable();
    const TPositionFormat format{30000000000.0, 512.0, 4096.0, TPositionUnit::Byte, TResultDisplay::Percent, false};
    AnsiString line, result;
    for (auto _ : state) {
        state.PauseTiming();
        superar::LoadMemoLines(table, Form1->Memo1, 0);
        state.ResumeTiming();
        TResultLineWriter writer(format);
        for (Integer row = 1; row <= table.Count; ++row) {
            superar::GetFieldText(table, row, 0, line, false);
            writer.Write(line, result);
            superar::SetFieldText(table, row, 10, result);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_WriteResultMemo(benchmark::State& state) {
    Prepare(static_cast<int>(state.range(0)));
    for (auto _ : state) superar::WriteFieldToMemo(standards::LineTable(), Form1->Memo2, 10, false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Calculate(benchmark::State& state) {
    Prepare(static_cast<int>(state.range(0)));
    for (auto _ : state) Form1->calculate(nullptr);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One character typed at the end of the position list: the memo's own update, the whole
// recompute and the result memo, then the pending screen updates.
void BM_KeystrokeRecompute(benchmark::State& state) {
    Prepare(static_cast<int>(state.range(0)));
    Testing::Click(Form1->Memo1);
    Form1->Memo1->SetSelStart(static_cast<Integer>(Form1->Memo1->Text().size()));
    bool typeDigit = true;
    for (auto _ : state) {
        // Alternately type a digit and take it back, so the line count stays the same.
        if (typeDigit)
            Testing::TypeText(Form1->Memo1, "7");
        else
            Testing::KeyPress(Form1->Memo1, VK_BACK);
        typeDigit = !typeDigit;
        Application->ProcessMessages();
    }
}

BENCHMARK(BM_LoadMemoLines)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertLines)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteResultMemo)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeRecompute)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        CreateCalculatorWindow();
        Testing::ShowAndActivate(Form1);
    });
}
