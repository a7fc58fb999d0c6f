// The typed edit's hot paths: digits typed into a money edit that regroups after every key (a plain edit
// typing the same digits through the same chain is the peer), and the mixed-case rule and the text
// classification over a 1 MB value (one std::transform / std::all_of pass over the same bytes is the peer).
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "ProEdit.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"

using namespace ProEdit;

namespace {

AnsiString Digits(std::size_t Count) {
    AnsiString digits(Count, '0');
    for (std::size_t i = 0; i < Count; ++i) digits[i] = static_cast<char>('1' + i % 9);
    return digits;
}

AnsiString WithoutSeparators(AnsiString Text) {
    std::erase(Text, ThousandSeparator);
    return Text;
}

// A shown form with the edit focused, as the user types into it.
template <typename Edit>
struct FocusedEdit {
    FocusedEdit() : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 400, 100);
        edit = new Edit(form);
        edit->SetParent(form);
        edit->SetBounds(8, 8, 370, 24);
        Testing::ShowAndActivate(form);
        edit->SetFocus();
    }
    ~FocusedEdit() { FreeAndNil(form); }
    TForm* form;
    Edit* edit = nullptr;
};

template <typename Edit>
void TypeDigits(benchmark::State& state, const std::function<void(Edit*)>& Setup) {
    const AnsiString digits = Digits(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        {
            FocusedEdit<Edit> shown;
            if (Setup) Setup(shown.edit);
            state.ResumeTiming();
            Testing::TypeText(shown.edit, digits);
            state.PauseTiming();
            if (WithoutSeparators(shown.edit->TCustomEdit::Text()) != digits) state.SkipWithError("digits lost");
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TypeIntoMoneyEdit(benchmark::State& state) {
    TypeDigits<TProEdit>(state, [](TProEdit* E) {
        E->SetEditType(etMoney);
        E->SetText("");
    });
}
BENCHMARK(BM_TypeIntoMoneyEdit)->ArgName("digits")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_TypeIntoPlainEdit(benchmark::State& state) { TypeDigits<TEdit>(state, {}); }
BENCHMARK(BM_TypeIntoPlainEdit)->ArgName("digits")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Words of lower-case letters: no "Mc" and no roman numeral, so capitalising after each blank is the rule.
AnsiString Words(std::size_t Size) {
    AnsiString text(Size, ' ');
    for (std::size_t i = 0; i < Size; ++i)
        if (i % 8 != 7) text[i] = static_cast<char>('a' + (i * 7) % 26);
    return text;
}

constexpr std::size_t OneMegabyte = 1 << 20;

void BM_MixedCaseRule(benchmark::State& state) {
    const AnsiString words = Words(OneMegabyte);
    AnsiString text;
    for (auto _ : state) {
        text = words;
        ApplyMixedCase(text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(OneMegabyte));
}
BENCHMARK(BM_MixedCaseRule)->Unit(benchmark::kMicrosecond);

AnsiString CapitalisedAfterBlanks(const AnsiString& Words) {
    AnsiString text = Words;
    bool capitalise = true;
    std::transform(text.begin(), text.end(), text.begin(), [&capitalise](char C) {
        if (C == ' ') {
            capitalise = true;
            return C;
        }
        const char result = capitalise && C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
        capitalise = false;
        return result;
    });
    return text;
}

void BM_MixedCasePeerTransform(benchmark::State& state) {
    const AnsiString words = Words(OneMegabyte);
    AnsiString ours = words;
    ApplyMixedCase(ours);
    if (CapitalisedAfterBlanks(words) != ours) state.SkipWithError("the peer writes another text");
    AnsiString text;
    for (auto _ : state) {
        text = CapitalisedAfterBlanks(words);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(OneMegabyte));
}
BENCHMARK(BM_MixedCasePeerTransform)->Unit(benchmark::kMicrosecond);

void BM_ClassifyText(benchmark::State& state) {
    const AnsiString digits = Digits(OneMegabyte);
    for (auto _ : state) {
        TTextClass kind = ClassifyText(digits);
        benchmark::DoNotOptimize(kind);
        if (kind != tcInteger) state.SkipWithError("not an integer");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(OneMegabyte));
}
BENCHMARK(BM_ClassifyText)->Unit(benchmark::kMicrosecond);

void BM_ClassifyPeerAllOf(benchmark::State& state) {
    const AnsiString digits = Digits(OneMegabyte);
    for (auto _ : state) {
        bool integer =
            std::all_of(digits.begin(), digits.end(), [](char C) { return (C >= '0' && C <= '9') || C == '-'; });
        benchmark::DoNotOptimize(integer);
        if (!integer) state.SkipWithError("not an integer");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(OneMegabyte));
}
BENCHMARK(BM_ClassifyPeerAllOf)->Unit(benchmark::kMicrosecond);

// After the runs: each path's processor time against its peer's (the wall clock of a shared machine
// says more about its other users), and the per-key growth from 1k to 10k digits.
class ProEditReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& run : Runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        auto ratio = [this](const std::string& A, const std::string& B) {
            return times_.count(A) && times_.count(B) ? times_[A] / times_[B] : -1.0;
        };
        std::printf("\nmoney typing vs plain edit, 1k digits:      %6.2f x\n",
                    ratio("BM_TypeIntoMoneyEdit/digits:1000", "BM_TypeIntoPlainEdit/digits:1000"));
        std::printf("money typing vs plain edit, 10k digits:     %6.2f x\n",
                    ratio("BM_TypeIntoMoneyEdit/digits:10000", "BM_TypeIntoPlainEdit/digits:10000"));
        std::printf("money typing per key, 10k vs 1k digits:     %6.2f x\n",
                    ratio("BM_TypeIntoMoneyEdit/digits:10000", "BM_TypeIntoMoneyEdit/digits:1000") / 10);
        std::printf("plain typing per key, 10k vs 1k digits:     %6.2f x\n",
                    ratio("BM_TypeIntoPlainEdit/digits:10000", "BM_TypeIntoPlainEdit/digits:1000") / 10);
        std::printf("mixed-case rule vs std::transform, 1 MB:    %6.2f x\n",
                    ratio("BM_MixedCaseRule", "BM_MixedCasePeerTransform"));
        std::printf("classification vs std::all_of, 1 MB:        %6.2f x\n",
                    ratio("BM_ClassifyText", "BM_ClassifyPeerAllOf"));
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    ProEditReporter reporter;
    return RunBenchmarks(argc, argv, {}, &reporter);
}
