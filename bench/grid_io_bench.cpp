// The grid's imports, each beside a peer doing the same work on the same input in the same run, with the
// outputs compared: a CSV file against a plain split into rows of strings, one long line against the same
// split, a workbook through a fake automation server against SetCells of the same texts, the text a drag
// offers against a plain join, and that text dropped against the grid's paste of it.
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "FakeSpreadsheet.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "vcl/ActiveX.h"
#include "vcl/Clipbrd.h"
#include "vcl/Forms.h"

using namespace ProGrid;

namespace {

constexpr int Cols = GridBenchCols;

// Both sides of a pair must give the same output for the same size.
void CheckOutput(benchmark::State& State, const std::string& Work, std::size_t Output) {
    static std::unordered_map<std::string, std::size_t> outputs;
    auto [found, first] = outputs.emplace(Work + "/" + std::to_string(State.range(0)), Output);
    if (!first && found->second != Output) State.SkipWithError("grid and peer disagree");
}

using TTable = std::vector<std::vector<std::string>>;

// The texts in row order, hashed.
std::size_t Digest(const TTable& Table) {
    std::size_t hash = 0;
    for (const auto& row : Table)
        for (const std::string& text : row) hash = hash * 1000003u ^ std::hash<std::string>()(text);
    return hash;
}
std::size_t GridDigest(RAdeRedeviDidi& Grid, Integer Rows, Integer Fields) {
    std::size_t hash = 0;
    for (Integer r = 0; r < Rows; ++r)
        for (Integer c = 0; c < Fields; ++c) hash = hash * 1000003u ^ std::hash<std::string>()(Grid.Cells(c, r));
    return hash;
}

// Fields at ',', a field in double quotes taken without them.
TTable PlainSplit(const std::string& FileName) {
    TTable table;
    std::ifstream in(FileName, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = line.find(',', start);
            std::string field = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
                field = field.substr(1, field.size() - 2);
            fields.push_back(std::move(field));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        table.push_back(std::move(fields));
    }
    return table;
}

// Rows lines of Fields fields, every seventh in quotes; written once per size.
std::string CSVFile(Integer Rows, Integer Fields) {
    const std::string name = "/tmp/halcyra_grid_io_" + std::to_string(Rows) + "x" + std::to_string(Fields) + ".csv";
    static std::unordered_map<std::string, bool> written;
    if (written[name]) return name;
    std::ofstream out(name, std::ios::binary);
    std::string line;
    for (Integer r = 0; r < Rows; ++r) {
        line.clear();
        for (Integer c = 0; c < Fields; ++c) {
            if (c > 0) line += ',';
            const bool quoted = (static_cast<long long>(r) * Fields + c) % 7 == 0;
            if (quoted) line += '"';
            line += GridCellText(c, r);
            if (quoted) line += '"';
        }
        line += '\n';
        out << line;
    }
    written[name] = true;
    return name;
}

// A grid on a shown form, made and freed outside the timing.
struct TGridForm {
    TGridForm() : form(MakeOwned<TForm>(nullptr)) {
        form->SetBounds(0, 0, 820, 640);
        grid = new RAdeRedeviDidi(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        form->Show();
    }
    TOwned<TForm> form;
    RAdeRedeviDidi* grid = nullptr;
};

// Runs Work on a fresh grid per iteration; Output of the last.
void OnFreshGrids(benchmark::State& State, const std::function<void(RAdeRedeviDidi&)>& Work,
                  const std::function<std::size_t(RAdeRedeviDidi&)>& Output, std::size_t& Result) {
    for (auto _ : State) {
        State.PauseTiming();
        auto grid = std::make_unique<TGridForm>();
        State.ResumeTiming();
        Work(*grid->grid);
        State.PauseTiming();
        Result = Output(*grid->grid);
        grid.reset();
        State.ResumeTiming();
    }
}

// ---------------------------------------------------------------------------
// A file of N rows x 10 fields.

void BM_LoadFromCSV(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    const std::string file = CSVFile(rows, Cols);
    std::size_t result = 0;
    OnFreshGrids(
        State, [&](RAdeRedeviDidi& Grid) { Grid.LoadFromCSV(file); },
        [&](RAdeRedeviDidi& Grid) { return GridDigest(Grid, rows, Cols); }, result);
    CheckOutput(State, "csv rows", result);
}

void BM_PlainSplitRows(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    const std::string file = CSVFile(rows, Cols);
    std::size_t result = 0;
    for (auto _ : State) {
        TTable table = PlainSplit(file);
        State.PauseTiming();
        result = Digest(table);
        table = {};
        State.ResumeTiming();
    }
    CheckOutput(State, "csv rows", result);
}

// ---------------------------------------------------------------------------
// One line of N fields.

void BM_LoadCSVLine(benchmark::State& State) {
    const auto fields = static_cast<Integer>(State.range(0));
    const std::string file = CSVFile(1, fields);
    std::size_t result = 0;
    OnFreshGrids(
        State, [&](RAdeRedeviDidi& Grid) { Grid.LoadFromCSV(file); },
        [&](RAdeRedeviDidi& Grid) { return GridDigest(Grid, 1, fields); }, result);
    CheckOutput(State, "csv line", result);
}

void BM_PlainSplitLine(benchmark::State& State) {
    const auto fields = static_cast<Integer>(State.range(0));
    const std::string file = CSVFile(1, fields);
    std::size_t result = 0;
    for (auto _ : State) {
        const TTable table = PlainSplit(file);
        State.PauseTiming();
        result = Digest(table);
        State.ResumeTiming();
    }
    CheckOutput(State, "csv line", result);
}

// ---------------------------------------------------------------------------
// N rows x 10 cells of a workbook through the fake server, against SetCells of the same texts.

Variant SheetValues(Integer Rows) {
    Variant values = VarArrayCreate({1, Rows, 1, Cols});
    for (Integer r = 1; r <= Rows; ++r)
        for (Integer c = 1; c <= Cols; ++c) VarArrayPut(values, Variant(GridCellText(c - 1, r - 1)), {r, c});
    return values;
}

void BM_LoadFromXLS(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TFakeSpreadsheet server;
    server.Sheets = {{"Sheet1", "$A$1:$J$" + std::to_string(rows), SheetValues(rows)}};
    std::size_t result = 0;
    OnFreshGrids(
        State, [&](RAdeRedeviDidi& Grid) { Grid.LoadFromXLS("book.xls"); },
        [&](RAdeRedeviDidi& Grid) { return GridDigest(Grid, rows, Cols); }, result);
    CheckOutput(State, "xls", result);
}

void BM_SetCellsRows(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TTable texts(static_cast<std::size_t>(rows), std::vector<std::string>(Cols));
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < Cols; ++c)
            texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = GridCellText(c, r);
    std::size_t result = 0;
    OnFreshGrids(
        State,
        [&](RAdeRedeviDidi& Grid) {
            Grid.SetColCount(Cols);
            Grid.SetRowCount(rows);
            for (Integer r = 0; r < rows; ++r)
                for (Integer c = 0; c < Cols; ++c)
                    Grid.SetCells(c, r, texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
        },
        [&](RAdeRedeviDidi& Grid) { return GridDigest(Grid, rows, Cols); }, result);
    CheckOutput(State, "xls", result);
}

// ---------------------------------------------------------------------------
// N rows x 10 cells dragged out as text, against a join of the same texts; that text dropped on an empty
// grid, against the grid's paste of it.

std::string JoinedTexts(Integer Rows) {
    std::string text;
    for (Integer r = 0; r < Rows; ++r) {
        if (r > 0) text += "\r\n";
        for (Integer c = 0; c < Cols; ++c) {
            if (c > 0) text += '\t';
            text += GridCellText(c, r);
        }
    }
    return text;
}

// A grid without fixed cells that takes pastes and drops.
void Prepare(RAdeRedeviDidi& Grid) {
    Grid.SetFixedCols(0);
    Grid.SetFixedRows(0);
    Grid.SetOptions(Grid.Options().Include(goEditing));
    Grid.DragDropSettings()->SetOleDropTarget(true);
}

void BM_GetDragText(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    TGridForm filled;
    RAdeRedeviDidi& grid = *filled.grid;
    Prepare(grid);
    grid.SetColCount(Cols);
    grid.SetRowCount(rows);
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < Cols; ++c) grid.SetCells(c, r, GridCellText(c, r));
    grid.SetSelection({0, 0, Cols - 1, rows - 1});
    std::string text;
    for (auto _ : State) {
        text = grid.GetDragText();
        benchmark::DoNotOptimize(text.data());
    }
    CheckOutput(State, "drag text", std::hash<std::string>()(text));
}

void BM_JoinTexts(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    std::string text;
    for (auto _ : State) {
        text = JoinedTexts(rows);
        benchmark::DoNotOptimize(text.data());
    }
    CheckOutput(State, "drag text", std::hash<std::string>()(text));
}

// Work on a fresh prepared grid per iteration; the digest of the last grid's cells.
std::size_t OnPreparedGrids(benchmark::State& State, Integer Rows, const std::function<void(RAdeRedeviDidi&)>& Work) {
    std::size_t result = 0;
    OnFreshGrids(
        State,
        [&](RAdeRedeviDidi& Grid) {
            State.PauseTiming();
            Prepare(Grid);
            State.ResumeTiming();
            Work(Grid);
        },
        [&](RAdeRedeviDidi& Grid) { return GridDigest(Grid, Rows, Cols); }, result);
    return result;
}

void BM_DropText(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    const std::string text = JoinedTexts(rows);
    const std::size_t result = OnPreparedGrids(State, rows, [&](RAdeRedeviDidi& Grid) {
        const TRect cell = Grid.CellRect(0, 0);
        const TPoint at = Grid.ClientToScreen(Point(cell.Left + 2, cell.Top + 2));
        RunForeignDragForTest({{"text/plain", text}}, DROPEFFECT_COPY, {{at}, {at, 0}});
    });
    CheckOutput(State, "drop", result);
}

void BM_PasteDragText(benchmark::State& State) {
    const auto rows = static_cast<Integer>(State.range(0));
    Clipboard()->SetAsText(JoinedTexts(rows));
    const std::size_t result =
        OnPreparedGrids(State, rows, [](RAdeRedeviDidi& Grid) { Grid.PasteFromClipboard(0, 0); });
    CheckOutput(State, "drop", result);
}

const TPeerPair peers[] = {{"BM_LoadFromCSV", "BM_PlainSplitRows"},
                           {"BM_LoadCSVLine", "BM_PlainSplitLine"},
                           {"BM_LoadFromXLS", "BM_SetCellsRows"},
                           {"BM_GetDragText", "BM_JoinTexts"},
                           {"BM_DropText", "BM_PasteDragText"}};

BENCHMARK(BM_PlainSplitRows)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromCSV)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSplitLine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCSVLine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetCellsRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromXLS)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JoinTexts)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetDragText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteDragText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(DeclaredPeerOf, {"10000", "100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
