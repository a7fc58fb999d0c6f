// The grid's data operations on 10-column grids, each beside a peer doing the same work on the same input
// in the same run, with the outputs compared. Each block registers its pairs as TPeerPair.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "BenchMain.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/Clipbrd.h"
#include "vcl/Forms.h"

using namespace ProGrid;

namespace {

constexpr Integer Cols = GridBenchCols;

// The outputs of a grid run and its peer's on the same size, compared once both ran.
void CheckOutput(benchmark::State& State, const std::string& Work, const std::string& Output) {
    static std::unordered_map<std::string, std::string> outputs;
    auto [found, first] = outputs.emplace(Work + "/" + std::to_string(State.range(0)), Output);
    if (!first && found->second != Output) State.SkipWithError("grid and peer disagree");
}

// A shown form with a grid of a header row and Rows x 10 filled cells; Fill may give some columns other
// texts.
struct TFilledGrid {
    TFilledGrid(Integer Rows, const std::function<std::string(Integer, Integer)>& Fill = GridCellText)
        : form(MakeOwned<TForm>(nullptr)) {
        form->SetBounds(0, 0, 820, 640);
        grid = new RAdeRedeviDidi(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows + 1);
        for (Integer r = 1; r <= Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) grid->SetCells(c, r, Fill(c, r));
        form->Show();
    }
    // Every row's text in column Col, joined.
    std::string Column(Integer Col) const {
        std::string texts;
        for (Integer r = 0; r < grid->RowCount(); ++r) texts += grid->Cells(Col, r) + ";";
        return texts;
    }
    TOwned<TForm> form;
    RAdeRedeviDidi* grid = nullptr;
};

// ---------------------------------------------------------------------------
// Footer: UpdateColumnCalc summing one column into the footer row against a loop of ExtractNumericText
// and Val over the same texts, both formatting the sum with the grid's "%.2f".

constexpr Integer FooterCol = 5;

std::string FooterCell(Integer Col, Integer Row) {
    if (Col != FooterCol) return GridCellText(Col, Row);
    const auto n = static_cast<std::uint32_t>(Row) * 2654435761u;
    return std::to_string(n % 100000) + "." + std::to_string(n % 100);
}

void BM_FooterSum(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFilledGrid filled(rows, FooterCell);
    RAdeRedeviDidi* grid = filled.grid;
    grid->SetRowCount(rows + 2);
    const Integer footerRow = grid->RowCount() - 1;
    grid->GetCellProperties(FooterCol, footerRow)->SetCalcType(1);
    grid->FloatingFooter()->SetVisible(true);
    for (auto _ : State) grid->UpdateColumnCalc(FooterCol);
    CheckOutput(State, "footer sum", grid->Cells(FooterCol, footerRow));
}

void BM_LoopExtractVal(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    std::vector<AnsiString> texts;
    texts.reserve(static_cast<std::size_t>(rows));
    for (Integer r = 1; r <= rows; ++r) texts.push_back(FooterCell(FooterCol, r));
    AnsiString sumText;
    for (auto _ : State) {
        double sum = 0.0;
        for (const AnsiString& text : texts) {
            double value = 0.0;
            Integer code = 0;
            const AnsiString number = ProUtil::ExtractNumericText(text);
            if (!number.empty()) Val(number, value, code);
            sum += value;
        }
        sumText = Format("%.2f", {sum});
        benchmark::DoNotOptimize(sumText.data());
    }
    CheckOutput(State, "footer sum", sumText);
}

const TPeerPair footerPeers[] = {{"BM_FooterSum", "BM_LoopExtractVal"}};

BENCHMARK(BM_LoopExtractVal)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FooterSum)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Row operations: RemoveSelectedRows of every other data row against compacting plain row vectors and
// their flags the same way; InsertRows of 100 rows below the header against a vector insert.

using PlainTable = std::vector<std::vector<std::string>>;

constexpr Integer InsertedRows = 100;

// A header row and Rows rows as TFilledGrid fills them.
PlainTable PlainFilled(Integer Rows) {
    PlainTable table(static_cast<std::size_t>(Rows) + 1, std::vector<std::string>(Cols));
    for (Integer r = 1; r <= Rows; ++r)
        for (Integer c = 0; c < Cols; ++c)
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = GridCellText(c, r);
    return table;
}

std::string PlainColumn(const PlainTable& Table, Integer Col) {
    std::string texts;
    for (const auto& row : Table) texts += row[static_cast<std::size_t>(Col)] + ";";
    return texts;
}

// Each run on a grid made anew, as the peer's table is: a refilled grid would hold its rows scattered.
void BM_RemoveSelectedRows(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    std::string remaining;
    for (auto _ : State) {
        State.PauseTiming();
        auto filled = std::make_unique<TFilledGrid>(rows);
        filled->grid->MouseActions()->SetDisjunctRowSelect(true);
        for (Integer r = 1; r <= rows; r += 2) filled->grid->SetRowSelect(r, true);
        State.ResumeTiming();
        filled->grid->RemoveSelectedRows();
        State.PauseTiming();
        remaining = filled->Column(7);
        filled.reset();
        State.ResumeTiming();
    }
    CheckOutput(State, "remove selected", remaining);
}

void BM_PlainEraseFlagged(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    PlainTable table;
    for (auto _ : State) {
        State.PauseTiming();
        table = PlainFilled(rows);
        std::vector<bool> flags(table.size());
        for (std::size_t r = 1; r < flags.size(); r += 2) flags[r] = true;
        State.ResumeTiming();
        std::size_t kept = 0;
        for (std::size_t r = 0; r < table.size(); ++r)
            if (!flags[r]) {
                if (kept != r) table[kept] = std::move(table[r]);
                flags[kept++] = false;
            }
        table.resize(kept);
        flags.resize(kept);
        benchmark::DoNotOptimize(flags);
    }
    CheckOutput(State, "remove selected", PlainColumn(table, 7));
}

void BM_InsertRowsAtTop(benchmark::State& State) {
    TFilledGrid filled(static_cast<Integer>(State.range(0)));
    std::string inserted;
    for (auto _ : State) {
        filled.grid->InsertRows(1, InsertedRows);
        State.PauseTiming();
        inserted = filled.Column(7);
        filled.grid->RemoveRows(1, InsertedRows);
        State.ResumeTiming();
    }
    CheckOutput(State, "insert at top", inserted);
}

void BM_PlainInsertAtTop(benchmark::State& State) {
    PlainTable table = PlainFilled(static_cast<Integer>(State.range(0)));
    std::string inserted;
    for (auto _ : State) {
        table.insert(table.begin() + 1, InsertedRows, std::vector<std::string>(Cols));
        State.PauseTiming();
        inserted = PlainColumn(table, 7);
        table.erase(table.begin() + 1, table.begin() + 1 + InsertedRows);
        State.ResumeTiming();
    }
    CheckOutput(State, "insert at top", inserted);
}

const TPeerPair rowOpsPeers[] = {
    {"BM_RemoveSelectedRows", "BM_PlainEraseFlagged"},
    {"BM_InsertRowsAtTop", "BM_PlainInsertAtTop"},
};

#define ROW_OPS_SIZES ->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_PlainEraseFlagged) ROW_OPS_SIZES->Iterations(5);
BENCHMARK(BM_RemoveSelectedRows) ROW_OPS_SIZES->Iterations(5);
BENCHMARK(BM_PlainInsertAtTop) ROW_OPS_SIZES->Iterations(20);
BENCHMARK(BM_InsertRowsAtTop) ROW_OPS_SIZES->Iterations(20);

// ---------------------------------------------------------------------------
// Filter: ">500" on numbers and "*abc*" on texts against a loop doing the same test and HideRowList of the
// same rows; switching the filter off against UnhideAllRows; many stars on a long text against a plain
// wildcard matcher.

constexpr Integer NumberCol = 3, TextCol = 4;

std::string FilterCell(Integer Col, Integer Row) {
    const auto n = static_cast<std::uint32_t>(Row) * 2654435761u;
    if (Col == NumberCol) return std::to_string(n % 1000) + "." + std::to_string(n % 7);
    if (Col == TextCol) return "item " + std::to_string(n % 10007) + (n % 3 == 0 ? " abc" : " abd");
    return GridCellText(Col, Row);
}

// Runs the grid's filter of Condition on Col, or the peer loop with Keeps, and hides the refused rows.
void RunFilter(benchmark::State& State, const char* Work, const char* Condition, Integer Col,
               const std::function<bool(const AnsiString&)>& Keeps) {
    TFilledGrid filled(static_cast<Integer>(State.range(0)), FilterCell);
    RAdeRedeviDidi* grid = filled.grid;
    TFilterData* data = grid->Filter()->Add();
    data->SetColumn(static_cast<SmallInt>(Col));
    data->SetCondition(Condition);
    std::string shown;
    for (auto _ : State) {
        if (Keeps) {
            ProObj::TIntList refused(0, 0);
            for (Integer r = grid->FixedRows(); r < grid->RowCount(); ++r)
                if (!Keeps(grid->Cells(Col, r))) refused.Add(r);
            grid->HideRowList(&refused);
        } else {
            grid->SetFilterActive(true);
        }
        State.PauseTiming();
        shown = filled.Column(0);
        if (Keeps) grid->UnhideAllRows();
        else grid->SetFilterActive(false);
        State.ResumeTiming();
    }
    CheckOutput(State, Work, shown);
}

bool GreaterThan500(const AnsiString& Text) {
    const AnsiString number = ProUtil::NormalizeNumberText(Text);
    double value = 0;
    Integer code = 0;
    Val(number, value, code);
    return code == 0 && value > 500;
}

void BM_FilterGreater(benchmark::State& state) { RunFilter(state, "greater", ">500", NumberCol, {}); }
void BM_LoopGreater(benchmark::State& state) { RunFilter(state, "greater", ">500", NumberCol, GreaterThan500); }
void BM_FilterContains(benchmark::State& state) { RunFilter(state, "contains", "*abc*", TextCol, {}); }
void BM_LoopFind(benchmark::State& state) {
    RunFilter(state, "contains", "*abc*", TextCol,
              [](const AnsiString& Text) { return Text.find("abc") != AnsiString::npos; });
}

// Puts back the rows ">500" hid: by switching the filter off, or by UnhideAllRows.
void RunUnfilter(benchmark::State& State, bool ByFilter) {
    TFilledGrid filled(static_cast<Integer>(State.range(0)), FilterCell);
    RAdeRedeviDidi* grid = filled.grid;
    TFilterData* data = grid->Filter()->Add();
    data->SetColumn(static_cast<SmallInt>(NumberCol));
    data->SetCondition(">500");
    for (auto _ : State) {
        State.PauseTiming();
        grid->SetFilterActive(true);
        State.ResumeTiming();
        if (ByFilter) {
            grid->SetFilterActive(false);
        } else {
            grid->UnhideAllRows();
            State.PauseTiming();
            grid->SetFilterActive(false);
            State.ResumeTiming();
        }
    }
    CheckOutput(State, "unfilter", filled.Column(0));
}

void BM_FilterOff(benchmark::State& state) { RunUnfilter(state, true); }
void BM_UnhideAll(benchmark::State& state) { RunUnfilter(state, false); }

// The second pattern takes the general way: its rests are not plain text.
constexpr const char* Stars = "*a*a*a*a*b";
constexpr const char* StarsAndMarks = "*a?*a?*a?*a?*b";

// "*" and "?" only, backtracking to the last star: the classic linear-space wildcard walk.
bool PlainWildcard(const std::string& Pattern, const std::string& Text) {
    std::size_t p = 0, t = 0, star = std::string::npos, mark = 0;
    while (t < Text.size()) {
        if (p < Pattern.size() && (Pattern[p] == '?' || Pattern[p] == Text[t])) {
            ++p;
            ++t;
        } else if (p < Pattern.size() && Pattern[p] == '*') {
            star = p++;
            mark = t;
        } else if (star != std::string::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < Pattern.size() && Pattern[p] == '*') ++p;
    return p == Pattern.size();
}

void RunStars(benchmark::State& State, const char* Pattern, bool Filter) {
    const std::string text(static_cast<std::size_t>(State.range(0)), 'a');
    bool matches = true;
    for (auto _ : State) {
        matches = Filter ? ProUtil::MatchFilterCondition(Pattern, text, true) : PlainWildcard(Pattern, text);
        benchmark::DoNotOptimize(matches);
    }
    CheckOutput(State, Pattern, matches ? "match" : "no match");
}

void BM_FilterStars(benchmark::State& state) { RunStars(state, Stars, true); }
void BM_PlainWildcardStars(benchmark::State& state) { RunStars(state, Stars, false); }
void BM_FilterStarsAndMarks(benchmark::State& state) { RunStars(state, StarsAndMarks, true); }
void BM_PlainWildcardMarks(benchmark::State& state) { RunStars(state, StarsAndMarks, false); }

const TPeerPair filterPeers[] = {
    {"BM_FilterGreater", "BM_LoopGreater"},
    {"BM_FilterContains", "BM_LoopFind"},
    {"BM_FilterOff", "BM_UnhideAll"},
    {"BM_FilterStars", "BM_PlainWildcardStars"},
    {"BM_FilterStarsAndMarks", "BM_PlainWildcardMarks"},
};

#define FILTER_ROWS ->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3)
BENCHMARK(BM_LoopGreater) FILTER_ROWS;
BENCHMARK(BM_FilterGreater) FILTER_ROWS;
BENCHMARK(BM_LoopFind) FILTER_ROWS;
BENCHMARK(BM_FilterContains) FILTER_ROWS;
BENCHMARK(BM_UnhideAll) FILTER_ROWS;
BENCHMARK(BM_FilterOff) FILTER_ROWS;
BENCHMARK(BM_PlainWildcardStars)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterStars)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainWildcardMarks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterStarsAndMarks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------------------
// Row operations under a summing footer: the same removal and insertion with the footer row showing the
// sum of FooterCol, against the plain tables summing that column once with the same conversions. The
// footer is calculated once per operation, so both stay linear.

// The grid of FooterCell texts with a footer row below that sums FooterCol.
std::unique_ptr<TFilledGrid> SummedGrid(Integer Rows) {
    auto filled = std::make_unique<TFilledGrid>(Rows, FooterCell);
    RAdeRedeviDidi* grid = filled->grid;
    grid->SetRowCount(Rows + 2);
    grid->GetCellProperties(FooterCol, Rows + 1)->SetCalcType(1);
    grid->FloatingFooter()->SetVisible(true);
    grid->UpdateColumnCalc(FooterCol);
    return filled;
}

PlainTable PlainSummed(Integer Rows) {
    PlainTable table(static_cast<std::size_t>(Rows) + 1, std::vector<std::string>(Cols));
    for (Integer r = 1; r <= Rows; ++r)
        for (Integer c = 0; c < Cols; ++c)
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = FooterCell(c, r);
    return table;
}

// The plain table's FooterCol with its sum below, as the grid's column reads.
std::string PlainWithSum(const PlainTable& Table) {
    double sum = 0.0;
    for (std::size_t r = 1; r < Table.size(); ++r) {
        double value = 0.0;
        Integer code = 0;
        const AnsiString number = ProUtil::ExtractNumericText(Table[r][FooterCol]);
        if (!number.empty()) Val(number, value, code);
        sum += value;
    }
    return PlainColumn(Table, FooterCol) + Format("%.2f", {sum}) + ";";
}

void BM_RemoveSelectedRowsSummed(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    std::string remaining;
    for (auto _ : State) {
        State.PauseTiming();
        auto filled = SummedGrid(rows);
        filled->grid->MouseActions()->SetDisjunctRowSelect(true);
        for (Integer r = 1; r <= rows; r += 2) filled->grid->SetRowSelect(r, true);
        State.ResumeTiming();
        filled->grid->RemoveSelectedRows();
        State.PauseTiming();
        remaining = filled->Column(FooterCol);
        filled.reset();
        State.ResumeTiming();
    }
    CheckOutput(State, "remove summed", remaining);
}

void BM_PlainEraseSummed(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    std::string remaining;
    for (auto _ : State) {
        State.PauseTiming();
        PlainTable table = PlainSummed(rows);
        State.ResumeTiming();
        std::size_t kept = 1;
        for (std::size_t r = 1; r < table.size(); ++r)
            if (r % 2 == 0) table[kept++] = std::move(table[r]);
        table.resize(kept);
        remaining = PlainWithSum(table);
    }
    CheckOutput(State, "remove summed", remaining);
}

void BM_InsertRowsAtTopSummed(benchmark::State& State) {
    auto filled = SummedGrid(static_cast<Integer>(State.range(0)));
    std::string inserted;
    for (auto _ : State) {
        filled->grid->InsertRows(1, InsertedRows);
        State.PauseTiming();
        inserted = filled->Column(FooterCol);
        filled->grid->RemoveRows(1, InsertedRows);
        State.ResumeTiming();
    }
    CheckOutput(State, "insert summed", inserted);
}

void BM_PlainInsertAtTopSummed(benchmark::State& State) {
    PlainTable table = PlainSummed(static_cast<Integer>(State.range(0)));
    std::string inserted;
    for (auto _ : State) {
        table.insert(table.begin() + 1, InsertedRows, std::vector<std::string>(Cols));
        inserted = PlainWithSum(table);
        State.PauseTiming();
        table.erase(table.begin() + 1, table.begin() + 1 + InsertedRows);
        State.ResumeTiming();
    }
    CheckOutput(State, "insert summed", inserted);
}

const TPeerPair summedRowOpsPeers[] = {
    {"BM_RemoveSelectedRowsSummed", "BM_PlainEraseSummed"},
    {"BM_InsertRowsAtTopSummed", "BM_PlainInsertAtTopSummed"},
};

BENCHMARK(BM_PlainEraseSummed) ROW_OPS_SIZES->Iterations(5);
BENCHMARK(BM_RemoveSelectedRowsSummed) ROW_OPS_SIZES->Iterations(5);
BENCHMARK(BM_PlainInsertAtTopSummed) ROW_OPS_SIZES->Iterations(20);
BENCHMARK(BM_InsertRowsAtTopSummed) ROW_OPS_SIZES->Iterations(20);

// ---------------------------------------------------------------------------
// Clipboard: copying a header row and Rows x 10 cells as text against building the same TSV by appends;
// pasting that text into an empty grid against splitting it into row vectors; the grid's own format
// written and read for Rows x 10 cells, every tenth row with properties (linear in the cells).

std::string TsvByAppends(const PlainTable& Table) {
    std::string tsv;
    for (const std::vector<std::string>& row : Table) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c) tsv += '\t';
            tsv += row[c];
        }
        tsv += "\r\n";
    }
    return tsv;
}

PlainTable SplitTsv(const std::string& Tsv) {
    PlainTable table;
    for (std::size_t start = 0; start < Tsv.size();) {
        const std::size_t end = std::min(Tsv.find('\r', start), Tsv.size());
        std::vector<std::string>& row = table.emplace_back();
        for (std::size_t at = start;;) {
            const std::size_t tab = std::min(Tsv.find('\t', at), end);
            row.push_back(Tsv.substr(at, tab - at));
            if (tab == end) break;
            at = tab + 1;
        }
        start = end + 2;
    }
    return table;
}

std::string NoText(Integer, Integer) { return {}; }

void BM_CopyText(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFilledGrid filled(rows);
    for (auto _ : State) filled.grid->CopySelectionToClipboard({0, 0, Cols - 1, rows}, false);
    CheckOutput(State, "copy", Clipboard()->AsText());
}

void BM_TsvAppends(benchmark::State& State) {
    const PlainTable table = PlainFilled(static_cast<Integer>(State.range(0)));
    std::string tsv;
    for (auto _ : State) {
        tsv = TsvByAppends(table);
        benchmark::DoNotOptimize(tsv.data());
    }
    CheckOutput(State, "copy", tsv);
}

void BM_PasteText(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    Clipboard()->SetAsText(TsvByAppends(PlainFilled(rows)));
    std::unique_ptr<TFilledGrid> empty;
    for (auto _ : State) {
        State.PauseTiming();
        empty = std::make_unique<TFilledGrid>(rows, NoText);
        empty->grid->SetOptions(empty->grid->Options().Include(goEditing));
        State.ResumeTiming();
        empty->grid->PasteFromClipboard(0, 0);
    }
    CheckOutput(State, "paste", empty->Column(7));
}

void BM_SplitTsv(benchmark::State& State) {
    const std::string tsv = TsvByAppends(PlainFilled(static_cast<Integer>(State.range(0))));
    PlainTable table;
    for (auto _ : State) table = SplitTsv(tsv);
    CheckOutput(State, "paste", PlainColumn(table, 7));
}

void MarkEveryTenthRow(RAdeRedeviDidi& Grid) {
    for (Integer r = 1; r < Grid.RowCount(); r += 10) Grid.GetCellProperties(3, r)->SetBrushColor(clRed);
}

void BM_SaveCells(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFilledGrid filled(rows);
    MarkEveryTenthRow(*filled.grid);
    Int64 bytes = 0;
    for (auto _ : State) {
        TMemoryStream stream;
        filled.grid->SaveCellsToStream({0, 1, Cols - 1, rows}, &stream);
        bytes = stream.Size();
    }
    State.counters["bytes_per_cell"] = static_cast<double>(bytes) / (rows * Cols);
}

void BM_LoadCells(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TMemoryStream stream;
    {
        TFilledGrid source(rows);
        MarkEveryTenthRow(*source.grid);
        source.grid->SaveCellsToStream({0, 1, Cols - 1, rows}, &stream);
    }
    TFilledGrid target(rows, NoText);
    for (auto _ : State) {
        stream.SetPosition(0);
        target.grid->LoadCellsFromStream({0, 1}, &stream);
    }
    if (target.grid->Cells(Cols - 1, rows) != GridCellText(Cols - 1, rows)) State.SkipWithError("cells lost");
}

const TPeerPair clipboardPeers[] = {
    {"BM_CopyText", "BM_TsvAppends"},
    {"BM_PasteText", "BM_SplitTsv"},
};

#define CLIPBOARD_SIZES ->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_TsvAppends) CLIPBOARD_SIZES;
BENCHMARK(BM_CopyText) CLIPBOARD_SIZES;
BENCHMARK(BM_SplitTsv) CLIPBOARD_SIZES;
BENCHMARK(BM_PasteText) CLIPBOARD_SIZES->Iterations(3);
// 10k and 100k cells.
BENCHMARK(BM_SaveCells)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCells)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Sort: Sort (byte-wise and automatic numbers), SortIndexed and RestoreOriginalOrder of the data rows,
// against std::sort of a vector-of-vectors table with the same comparison (the numbers converted in each
// comparison). Inputs: random, sorted, reversed and all-equal keys in column 1; the peak memory a sort
// adds to the grid (which keeps its row-order list from the first sort on) per row.

enum TSortInput { siRandom, siSorted, siReversed, siEqual };

// Data row r (from 1) of Rows: its key; a permutation of 0..Rows-1 for random input.
Integer SortKey(TSortInput Input, Integer Row, Integer Rows) {
    switch (Input) {
        case siRandom: return static_cast<Integer>((static_cast<std::int64_t>(Row) * 7919 + 13) % Rows);
        case siSorted: return Row;
        case siReversed: return Rows - Row;
        case siEqual: return 0;
    }
    return 0;
}

// Column 1 holds the key as 8 letters (byte-wise) or as a number with two decimals; column 2 one of
// seven letters, the indexed sort's first key.
std::function<std::string(Integer, Integer)> SortTexts(TSortInput Input, Integer Rows, bool Numeric) {
    return [=](Integer ACol, Integer ARow) -> std::string {
        const Integer key = SortKey(Input, ARow, Rows);
        if (ACol == 1 && Numeric)
            return std::to_string(key / 100) + (key % 100 < 10 ? ".0" : ".") + std::to_string(key % 100);
        if (ACol == 1) {
            std::string text = "aaaaaaaa";
            for (Integer k = key, i = 7; k > 0 && i >= 0; k /= 26, --i)
                text[static_cast<std::size_t>(i)] = static_cast<char>('a' + k % 26);
            return text;
        }
        if (ACol == 2) return std::string(1, static_cast<char>('a' + key % 7));
        return GridCellText(ACol, ARow);
    };
}

// A header row of empty texts, then Rows rows as the grid holds them.
PlainTable PlainSortTable(TSortInput Input, Integer Rows, bool Numeric) {
    const auto text = SortTexts(Input, Rows, Numeric);
    PlainTable table(static_cast<std::size_t>(Rows) + 1, std::vector<std::string>(Cols));
    for (Integer r = 1; r <= Rows; ++r)
        for (Integer c = 0; c < Cols; ++c) table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = text(c, r);
    return table;
}

const char* const sortInputNames[] = {"random", "sorted", "reversed", "equal"};
std::string SortWork(const char* Work, TSortInput Input) { return std::string(Work) + "/" + sortInputNames[Input]; }

// The grid sorts column 1; without Full, as the peer compares one column.
void SortGrid(benchmark::State& State, TSortInput Input, bool Numeric) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFilledGrid filled(rows, SortTexts(Input, rows, Numeric));
    RAdeRedeviDidi& grid = *filled.grid;
    grid.SortSettings()->SetAutoFormat(Numeric);
    grid.SortSettings()->SetFull(false);
    grid.SortSettings()->SetColumn(1);
    grid.Sort();  // makes the row-order list, which the grid keeps from then on
    std::size_t peak = 0;
    for (auto _ : State) {
        State.PauseTiming();
        grid.RestoreOriginalOrder();
        const std::size_t before = allocationcounter::RestartPeak();
        State.ResumeTiming();
        grid.Sort();
        peak = std::max(peak, allocationcounter::PeakBytes() - before);
    }
    State.counters["peak_B_per_row"] = static_cast<double>(peak) / rows;
    CheckOutput(State, SortWork(Numeric ? "numeric" : "bytes", Input), filled.Column(1));
}

void SortPlain(benchmark::State& State, TSortInput Input, bool Numeric) {
    const auto rows = static_cast<Integer>(State.range(0));
    PlainTable table;
    for (auto _ : State) {
        State.PauseTiming();
        table = PlainSortTable(Input, rows, Numeric);
        State.ResumeTiming();
        if (Numeric)
            std::sort(table.begin() + 1, table.end(), [](const auto& A, const auto& B) {
                return std::strtod(A[1].c_str(), nullptr) < std::strtod(B[1].c_str(), nullptr);
            });
        else std::sort(table.begin() + 1, table.end(), [](const auto& A, const auto& B) { return A[1] < B[1]; });
    }
    CheckOutput(State, SortWork(Numeric ? "numeric" : "bytes", Input), PlainColumn(table, 1));
}

void BM_Sort(benchmark::State& State, TSortInput Input) { SortGrid(State, Input, false); }
void BM_StdSortRows(benchmark::State& State, TSortInput Input) { SortPlain(State, Input, false); }
void BM_SortNumeric(benchmark::State& State, TSortInput Input) { SortGrid(State, Input, true); }
void BM_StdSortRowsStrtod(benchmark::State& State, TSortInput Input) { SortPlain(State, Input, true); }

// Column 2 descending, then column 1 ascending.
void BM_SortIndexed(benchmark::State& State, TSortInput Input) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFilledGrid filled(rows, SortTexts(Input, rows, false));
    RAdeRedeviDidi& grid = *filled.grid;
    grid.SortSettings()->SetAutoFormat(false);
    grid.SortIndexes()->AddIndex(2, false);
    grid.SortIndexes()->AddIndex(1, true);
    grid.SortIndexed();
    for (auto _ : State) {
        State.PauseTiming();
        grid.RestoreOriginalOrder();
        State.ResumeTiming();
        grid.SortIndexed();
    }
    CheckOutput(State, SortWork("indexed", Input), filled.Column(1) + filled.Column(2));
}

void BM_StdSortRowsTwoKeys(benchmark::State& State, TSortInput Input) {
    const auto rows = static_cast<Integer>(State.range(0));
    PlainTable table;
    for (auto _ : State) {
        State.PauseTiming();
        table = PlainSortTable(Input, rows, false);
        State.ResumeTiming();
        std::sort(table.begin() + 1, table.end(), [](const auto& A, const auto& B) {
            if (A[2] != B[2]) return A[2] > B[2];
            return A[1] < B[1];
        });
    }
    CheckOutput(State, SortWork("indexed", Input), PlainColumn(table, 1) + PlainColumn(table, 2));
}

void BM_RestoreOriginalOrder(benchmark::State& State, TSortInput Input) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFilledGrid filled(rows, SortTexts(Input, rows, false));
    RAdeRedeviDidi& grid = *filled.grid;
    grid.SortSettings()->SetAutoFormat(false);
    grid.SortSettings()->SetFull(false);
    grid.SortSettings()->SetColumn(1);
    std::size_t peak = 0;
    for (auto _ : State) {
        State.PauseTiming();
        grid.Sort();
        const std::size_t before = allocationcounter::RestartPeak();
        State.ResumeTiming();
        grid.RestoreOriginalOrder();
        peak = std::max(peak, allocationcounter::PeakBytes() - before);
    }
    State.counters["peak_B_per_row"] = static_cast<double>(peak) / rows;
    CheckOutput(State, SortWork("restore", Input), filled.Column(1) + filled.Column(7));
}

// The rows carry the index they started at; sorting by it restores them.
void BM_StdSortRowsByIndex(benchmark::State& State, TSortInput Input) {
    const auto rows = static_cast<Integer>(State.range(0));
    std::vector<std::pair<Integer, std::vector<std::string>>> table;
    for (auto _ : State) {
        State.PauseTiming();
        PlainTable plain = PlainSortTable(Input, rows, false);
        table.clear();
        for (Integer r = 0; r <= rows; ++r) table.emplace_back(r, std::move(plain[static_cast<std::size_t>(r)]));
        std::stable_sort(table.begin() + 1, table.end(),
                         [](const auto& A, const auto& B) { return A.second[1] < B.second[1]; });
        State.ResumeTiming();
        std::sort(table.begin(), table.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
    }
    PlainTable restored;
    for (auto& row : table) restored.push_back(std::move(row.second));
    CheckOutput(State, SortWork("restore", Input), PlainColumn(restored, 1) + PlainColumn(restored, 7));
}

#define SORT_PAIR(Grid, Peer, Input) \
    { #Grid "/" #Input, #Peer "/" #Input }
#define SORT_PAIRS(Grid, Peer)                                                                     \
    SORT_PAIR(Grid, Peer, random), SORT_PAIR(Grid, Peer, sorted), SORT_PAIR(Grid, Peer, reversed), \
        SORT_PAIR(Grid, Peer, equal)
const TPeerPair sortPeers[] = {SORT_PAIRS(BM_Sort, BM_StdSortRows), SORT_PAIRS(BM_SortNumeric, BM_StdSortRowsStrtod),
                               SORT_PAIRS(BM_SortIndexed, BM_StdSortRowsTwoKeys),
                               SORT_PAIRS(BM_RestoreOriginalOrder, BM_StdSortRowsByIndex)};

// Each grid benchmark right after its peer, on every input.
#define SORT_SIZES ->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
#define SORT_BENCH(Name)                                      \
    BENCHMARK_CAPTURE(Name, random, siRandom) SORT_SIZES;     \
    BENCHMARK_CAPTURE(Name, sorted, siSorted) SORT_SIZES;     \
    BENCHMARK_CAPTURE(Name, reversed, siReversed) SORT_SIZES; \
    BENCHMARK_CAPTURE(Name, equal, siEqual) SORT_SIZES
SORT_BENCH(BM_StdSortRows);
SORT_BENCH(BM_Sort);
SORT_BENCH(BM_StdSortRowsStrtod);
SORT_BENCH(BM_SortNumeric);
SORT_BENCH(BM_StdSortRowsTwoKeys);
SORT_BENCH(BM_SortIndexed);
SORT_BENCH(BM_StdSortRowsByIndex);
SORT_BENCH(BM_RestoreOriginalOrder);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(DeclaredPeerOf, {"1000", "10000", "100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
