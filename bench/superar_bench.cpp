// The item table on 10k, 100k and 1M lines, each against a peer built from plain containers doing the same
// work on the same input in the same run:
// - the calculator's per-keystroke path: a memo's lines into the table, one field of every row back into
//   a memo (peer: splitting the text into a vector of strings, joining a vector with CR LF);
// - loading with UniqueRows, every line looked up among the rows before it is added (peer: an
//   unordered_set of the lower-cased lines);
// - loading a settings text, sections and name = value lines where a name repeated in its section updates
//   the earlier row (peer: an unordered_map from section and name to the row); and one value of as many
//   lines. Both sides count the rows they end with (counter "rows"): the same work gives the same count.
// Time per line should stay the same from 10k to 1M: the summary gives the ratio to the peer and the
// growth from 100k to 1M (10 is linear).
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <benchmark/benchmark.h>

#include <vcl/StdCtrls.h>
#include <vcl/SysUtils.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "superar.h"

namespace {

AnsiString RandomLines(Integer Count) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<Int64> number(10000000000, 99999999999);
    AnsiString text;
    text.reserve(static_cast<std::size_t>(Count) * 13);
    for (Integer i = 0; i < Count; ++i) {
        if (i > 0) text += "\r\n";
        text += std::to_string(number(random));
    }
    return text;
}

// Words in mixed case, each about twice: half the lines repeat an earlier one in some letter case.
AnsiString RepeatedWords(Integer Count) {
    std::mt19937_64 random(13);
    std::uniform_int_distribution<Int64> word(0, Count / 2);
    AnsiString text;
    for (Integer i = 0; i < Count; ++i) {
        if (i > 0) text += "\r\n";
        AnsiString line = "Word" + std::to_string(word(random));
        if (random() % 2) line = AnsiUpperCase(line);
        text += line;
    }
    return text;
}

// Sections of 100 lines: settings with a comment now and then, a name repeated in its section every
// tenth line (an update), a value over three lines every fiftieth.
AnsiString SettingsText(Integer Lines) {
    AnsiString text;
    text.reserve(static_cast<std::size_t>(Lines) * 24);
    Integer section = 0;
    for (Integer line = 0; line < Lines; ++line) {
        if (line > 0) text += "\r\n";
        const Integer at = line % 100;
        if (at == 0) {
            text += "[Section" + std::to_string(section++) + "]";
        } else if (at % 50 == 25 && line + 4 < Lines && at < 96) {
            text += "Text" + std::to_string(at) + " =\r\n\"\r\nfirst line\r\nsecond line\r\n\"";
            line += 4;
        } else {
            const Integer name = at % 10 == 9 ? at - 5 : at;
            text += "Name" + std::to_string(name) + " = value " + std::to_string(line);
            if (at % 7 == 0) text += " // note";
        }
    }
    return text;
}

TOwned<TMemo> MemoWith(const AnsiString& Text) {
    auto memo = MakeOwned<TMemo>(nullptr);
    memo->SetText(Text);
    return memo;
}

std::vector<std::string_view> SplitCrLf(std::string_view Text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at = Text.find("\r\n"); at != std::string_view::npos; at = Text.find("\r\n", start)) {
        lines.push_back(Text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(Text.substr(start));
    return lines;
}

std::string Lower(std::string_view Text) {
    std::string lower(Text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AnsiLowerChar);
    return lower;
}

std::string_view Trimmed(std::string_view Text) {
    const std::size_t first = Text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return Text.substr(first, Text.find_last_not_of(' ') - first + 1);
}

void BM_LoadMemoLines(benchmark::State& state) {
    auto memo = MemoWith(RandomLines(static_cast<Integer>(state.range(0))));
    superar::ArrayOfFiles table{};
    for (auto _ : state) benchmark::DoNotOptimize(superar::LoadMemoLines(table, memo.get(), 0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SplitLinesPeer(benchmark::State& state) {
    auto memo = MemoWith(RandomLines(static_cast<Integer>(state.range(0))));
    std::vector<std::string> rows;
    for (auto _ : state) {
        rows.clear();
        const AnsiString text = memo->Text();
        for (std::string_view line : SplitCrLf(text)) rows.emplace_back(line);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Field 10 holds a result line per row, as the calculator writes it.
void BM_WriteFieldToMemo(benchmark::State& state) {
    auto input = MemoWith(RandomLines(static_cast<Integer>(state.range(0))));
    superar::ArrayOfFiles table{};
    superar::LoadMemoLines(table, input.get(), 0);
    AnsiString line;
    for (Integer row = 1; row <= table.Count; ++row) {
        superar::GetFieldText(table, row, 0, line, false);
        superar::SetFieldText(table, row, 10, "0.0017% (= sector #" + line + ")");
    }
    auto output = MakeOwned<TMemo>(nullptr);
    for (auto _ : state) superar::WriteFieldToMemo(table, output.get(), 10, false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_JoinLinesPeer(benchmark::State& state) {
    const AnsiString lines = RandomLines(static_cast<Integer>(state.range(0)));
    std::vector<std::string> rows;
    for (std::string_view line : SplitCrLf(lines)) rows.push_back("0.0017% (= sector #" + std::string(line) + ")");
    for (auto _ : state) {
        std::string joined;
        for (const std::string& row : rows) {
            if (!joined.empty()) joined += "\r\n";
            joined += row;
        }
        benchmark::DoNotOptimize(joined.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadMemoLinesUnique(benchmark::State& state) {
    auto memo = MemoWith(RepeatedWords(static_cast<Integer>(state.range(0))));
    superar::ArrayOfFiles table{};
    superar::InitTable(table, 0);
    table.UniqueRows = 1;
    for (auto _ : state) benchmark::DoNotOptimize(superar::LoadMemoLines(table, memo.get(), 0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["rows"] = table.Count;
}

void BM_UniqueLinesPeer(benchmark::State& state) {
    const AnsiString text = RepeatedWords(static_cast<Integer>(state.range(0)));
    std::vector<std::string> rows;
    for (auto _ : state) {
        rows.clear();
        std::unordered_set<std::string> seen;
        for (std::string_view line : SplitCrLf(text))
            if (seen.insert(Lower(line)).second) rows.emplace_back(line);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["rows"] = static_cast<double>(rows.size());
}

// Times loading Text into a table made empty before each load (outside the timing); returns the rows.
Integer TimeTableTextLoads(benchmark::State& state, const AnsiString& Text) {
    superar::ArrayOfFiles table{};
    for (auto _ : state) {
        state.PauseTiming();
        superar::InitTable(table, 0);
        state.ResumeTiming();
        superar::LoadTableText(table, Text, false);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    return table.Count;
}

void BM_LoadTableText(benchmark::State& state) {
    const AnsiString text = SettingsText(static_cast<Integer>(state.range(0)));
    state.counters["rows"] = TimeTableTextLoads(state, text);
}

// The same lines: a section line starts a section, "name = value" sets the name's row in its section
// (made on first sight), a "name =" line takes the lines between the next two lone quotes.
void BM_SettingsPeer(benchmark::State& state) {
    const AnsiString text = SettingsText(static_cast<Integer>(state.range(0)));
    struct Row {
        std::string Section, Name, Value;
    };
    std::vector<Row> rows;
    for (auto _ : state) {
        rows.clear();
        std::unordered_map<std::string, std::size_t> index;
        std::string section;
        Row* open = nullptr;
        int quotes = 0;
        for (std::string_view line : SplitCrLf(text)) {
            if (open) {
                if (Trimmed(line) == "\"") {
                    if (++quotes == 2) open = nullptr;
                } else {
                    open->Value += (open->Value.empty() ? "" : "\r\n") + std::string(line);
                }
                continue;
            }
            if (line.starts_with("[")) {
                section = Lower(line.substr(1, line.size() - 2));
                rows.push_back({section, "", ""});
                continue;
            }
            const std::size_t comment = line.find(" //");
            const std::string_view setting = line.substr(0, comment);
            const std::size_t equals = setting.find('=');
            const std::string name = Lower(Trimmed(setting.substr(0, equals)));
            const auto [at, added] = index.try_emplace(section + '\n' + name, rows.size());
            if (added) rows.push_back({section, name, ""});
            Row& row = rows[at->second];
            row.Value = std::string(Trimmed(setting.substr(equals + 1)));
            if (row.Value.empty()) open = &row, quotes = 0;
        }
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["rows"] = static_cast<double>(rows.size());
}

// One "name =" value of as many lines as the text has.
void BM_LoadOneLongValue(benchmark::State& state) {
    AnsiString text = "Text =\r\n\"";
    for (Int64 line = 0; line < state.range(0); ++line) text += "\r\nline " + std::to_string(line);
    text += "\r\n\"";
    TimeTableTextLoads(state, text);
}

void BM_OneLongValuePeer(benchmark::State& state) {
    std::string text;
    for (Int64 line = 0; line < state.range(0); ++line) text += "\r\nline " + std::to_string(line);
    for (auto _ : state) {
        std::string value, lower;
        for (std::string_view line : SplitCrLf(std::string_view(text).substr(2))) {
            if (!value.empty()) value += "\r\n", lower += "\r\n";
            value += line;
            lower += Lower(line);
        }
        benchmark::DoNotOptimize(value.data());
        benchmark::DoNotOptimize(lower.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#define SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_LoadMemoLines) SIZES;
BENCHMARK(BM_SplitLinesPeer) SIZES;
BENCHMARK(BM_WriteFieldToMemo) SIZES;
BENCHMARK(BM_JoinLinesPeer) SIZES;
BENCHMARK(BM_LoadMemoLinesUnique) SIZES;
BENCHMARK(BM_UniqueLinesPeer) SIZES;
BENCHMARK(BM_LoadTableText) SIZES;
BENCHMARK(BM_SettingsPeer) SIZES;
BENCHMARK(BM_LoadOneLongValue) SIZES;
BENCHMARK(BM_OneLongValuePeer) SIZES;

std::string PeerOf(const std::string& Name) {
    static const std::unordered_map<std::string, std::string> peers = {
        {"BM_LoadMemoLines", "BM_SplitLinesPeer"},        {"BM_WriteFieldToMemo", "BM_JoinLinesPeer"},
        {"BM_LoadMemoLinesUnique", "BM_UniqueLinesPeer"}, {"BM_LoadTableText", "BM_SettingsPeer"},
        {"BM_LoadOneLongValue", "BM_OneLongValuePeer"},
    };
    const auto found = peers.find(Name);
    return found != peers.end() ? found->second : Name;
}

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf);
    return RunBenchmarks(argc, argv, {}, &reporter);
}
