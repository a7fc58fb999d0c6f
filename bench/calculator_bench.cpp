// The calculator's recompute on 10k, 100k and 1M position lines, against mawk doing the same work on
// the same lines in the same run.
//
// Input: random 11-digit byte positions on a 100 GB (decimal) disk, all below its end, shown as percent,
// so every line goes through the parsing, the bound test and the formatting; the set-up checks that no
// result line took the out-of-bounds path. The peer (percent_lines.awk under mawk) writes the same result
// lines from the same positions; the set-up checks that both outputs are byte for byte the same.
//
// Phases: reading the input memo into the line table, converting the lines, writing the result memo, the
// whole recompute (a new disk size), and one keystroke in the position list (the memo's own update, the
// recompute of the changed line, the result memo and the pending screen updates). After the run a summary gives each
// phase as a ratio to mawk and its growth from 100k to 1M lines.
//
// peak_rss_MB is the process's peak resident memory (VmHWM) from the keystroke benchmark's start: the
// position list pasted, computed and typed into, as the program holds it. Run alone
// (bench_calculator --benchmark_filter='BM_KeystrokeRecompute/1000000') it is the whole process's peak.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "CalculatorWindow.h"
#include "PeerRatios.h"
#include "ProgramStart.h"
#include "ResultLines.h"
#include "standards.h"
#include "superar.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

extern char** environ;

namespace {

constexpr Double DiskBytes = 100000000000.0;  // "Disk Size (GB)" 100, decimal gigabytes

std::string PositionLines(int Count, const char* Break) {
    std::mt19937_64 random(static_cast<std::mt19937_64::result_type>(Count));
    std::uniform_int_distribution<long long> position(10000000000LL, 99999999999LL);
    std::string text;
    text.reserve(static_cast<std::size_t>(Count) * 13);
    for (int i = 0; i < Count; ++i) text.append(std::to_string(position(random))).append(Break);
    return text;
}

// Empty when every result line went through the formatting, else what went wrong. The lines are read
// from the line table, which the result memo shows joined: no copy of the memo's text counts in the
// memory the keystroke reports.
std::string CheckEveryLineFormatted(int Count) {
    superar::ArrayOfFiles& table = standards::LineTable();
    if (table.Count != Count) return "the line table does not have a row per position";
    AnsiString result;
    std::size_t joined = 0;
    for (Integer row = 1; row <= table.Count; ++row) {
        superar::GetFieldText(table, row, 10, result, false);
        if (result.find("Out of Bounds") != AnsiString::npos || result.starts_with('?'))
            return "a position took the out-of-bounds path";
        joined += result.size() + (row > 1 ? 2 : 0);
    }
    if (static_cast<std::size_t>(Form1->Memo2->GetTextLen()) != joined)
        return "the result list does not show a line per position";
    return {};
}

// The input memo holds Count lines; the result memo shows their computation.
std::string Prepare(int Count) {
    Form1->Memo1->SetText(PositionLines(Count, "\r\n"));
    // The same lines set again change nothing: the recompute then comes from here.
    Form1->calculate(nullptr);
    Application->ProcessMessages();
    return CheckEveryLineFormatted(Count);
}

#define PREPARE_OR_SKIP(state)                                                                     \
    if (const std::string problem = Prepare(static_cast<int>(state.range(0))); !problem.empty()) { \
        state.SkipWithError(problem.c_str());                                                      \
        return;                                                                                    \
    }

// The peak so far starts again from what is resident now (a kernel feature; without it the peak is
// the process's own since its start).
void RestartPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// Reading the input memo into the line table, the previous results going with the old rows.
void BM_LoadMemoLines(benchmark::State& state) {
    PREPARE_OR_SKIP(state)
    for (auto _ : state) {
        state.PauseTiming();
        Form1->calculate(nullptr);
        state.ResumeTiming();
        benchmark::DoNotOptimize(superar::LoadMemoLines(standards::LineTable(), Form1->Memo1, 0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The per-line conversion: each stored line read, turned into its result line and stored in field 10,
// on a table as the recompute's load leaves it.
void BM_ConvertLines(benchmark::State& state) {
    PREPARE_OR_SKIP(state)
    superar::ArrayOfFiles& table = standards::LineTable();
    const TPositionFormat format{DiskBytes, 512.0, 4096.0, TPositionUnit::Byte, TResultDisplay::Percent, false};
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
    PREPARE_OR_SKIP(state)
    for (auto _ : state) superar::WriteFieldToMemo(standards::LineTable(), Form1->Memo2, 10, false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole recompute: a new disk size, 200 and 100 GB in turn, gives every line a new result.
void BM_Calculate(benchmark::State& state) {
    PREPARE_OR_SKIP(state)
    bool larger = true;
    for (auto _ : state) {
        Form1->Edit4->SetText(larger ? "200" : "100");
        larger = !larger;
    }
    Form1->Edit4->SetText("100");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One character typed at the end of the position list.
void BM_KeystrokeRecompute(benchmark::State& state) {
    Form1->Memo1->Clear();
    RestartPeakResident();
    PREPARE_OR_SKIP(state)
    Testing::Click(Form1->Memo1);
    Form1->Memo1->SetSelStart(static_cast<Integer>(Form1->Memo1->GetTextLen()));
    bool typeDigit = true;
    for (auto _ : state) {
        // Alternately type a digit on a new last line and take it back, so the work stays the same.
        if (typeDigit) Testing::TypeText(Form1->Memo1, "7");
        else Testing::KeyPress(Form1->Memo1, VK_BACK);
        typeDigit = !typeDigit;
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKiB()) / 1024.0;
}

// --- The peer

struct TempFile {
    std::string Path;
    explicit TempFile(const char* Name)
        : Path(std::string(P_tmpdir) + "/halcyra_bench_" + Name + "_" + std::to_string(getpid())) {}
    ~TempFile() { std::remove(Path.c_str()); }
};

// mawk on the input file, its output to OutputPath; false when it could not run.
bool RunMawk(const std::string& InputPath, const std::string& OutputPath) {
    static const std::string disk = "disk=" + std::to_string(static_cast<long long>(DiskBytes));
    static const std::string program = HALCYRA_BENCH_DIR "/percent_lines.awk";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, OutputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const char* argv[] = {"mawk", "-v", disk.c_str(), "-f", program.c_str(), InputPath.c_str(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "mawk", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The calculator's result list with the line breaks awk writes.
std::string ResultsAsAwkWritesThem() {
    const AnsiString results = Form1->Memo2->Text();
    std::string lines;
    lines.reserve(results.size());
    for (std::size_t i = 0; i < results.size(); ++i)
        if (!(results[i] == '\r' && i + 1 < results.size() && results[i + 1] == '\n')) lines += results[i];
    return lines + "\n";
}

std::string FirstDifference(const std::string& Ours, const std::string& Theirs) {
    std::size_t at = 0;
    while (at < Ours.size() && at < Theirs.size() && Ours[at] == Theirs[at]) ++at;
    const std::size_t lineStart = Ours.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
    return "mawk and the calculator differ at \"" + Ours.substr(from, 60) + "\" / \"" + Theirs.substr(from, 60) + "\"";
}

// mawk converting the same lines, each run a process start, the file read and the output written.
void BM_Mawk(benchmark::State& state) {
    PREPARE_OR_SKIP(state)
    const int count = static_cast<int>(state.range(0));
    TempFile input("positions"), output("results");
    std::ofstream(input.Path, std::ios::binary) << PositionLines(count, "\n");
    if (!RunMawk(input.Path, output.Path)) {
        state.SkipWithError("mawk did not run (scripts/deps installs it)");
        return;
    }
    std::stringstream theirs;
    theirs << std::ifstream(output.Path, std::ios::binary).rdbuf();
    const std::string ours = ResultsAsAwkWritesThem();
    if (theirs.str() != ours) {
        state.SkipWithError(FirstDifference(ours, theirs.str()).c_str());
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!RunMawk(input.Path, "/dev/null")) {
            state.SkipWithError("mawk failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#define SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Mawk) SIZES->UseManualTime();
BENCHMARK(BM_LoadMemoLines) SIZES;
BENCHMARK(BM_ConvertLines) SIZES;
BENCHMARK(BM_WriteResultMemo) SIZES;
BENCHMARK(BM_Calculate) SIZES;
BENCHMARK(BM_KeystrokeRecompute) SIZES;

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter([](const std::string&) { return std::string("BM_Mawk"); });
    return RunBenchmarks(
        argc, argv,
        [] {
            CreateCalculatorWindow();
            Testing::ShowAndActivate(Form1);
            Form1->Edit4->SetText("100");
        },
        &reporter);
}
