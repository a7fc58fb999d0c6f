// The grid's scrolling, sizing and stored widths, each beside a peer doing the same work on the same input.
//
// Scrolling and sizing: 1,000 mouse moves over a shown grid and a thumb dragged to the end, against the
// class library's own string grid given the same moves (the grid's cost must not grow with its rows), also
// with every mouse action looked for on each move;
// WM_SIZE with a stretch column and SynchWithGrid on 1k and 10k columns against scaling a vector of the
// same widths; 1,000 widths saved and loaded in an INI file and the registry against writing and parsing
// the same "ColN=width" text with the standard library.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

using namespace ProGrid;

namespace {

// The first output of a work at a size is kept; a later one that differs (grid against peer) fails the run.
void CheckSameOutput(benchmark::State& State, const std::string& Work, const std::string& Output) {
    static std::unordered_map<std::string, std::string> outputs;
    auto [found, first] = outputs.emplace(Work + "/" + std::to_string(State.range(0)), Output);
    if (!first && found->second != Output) State.SkipWithError("grid and peer disagree");
}

// ---------------------------------------------------------------------------
// Mouse moves and a thumb drag

constexpr Integer Moves = 1000;

// A shown form with a grid of Rows rows of 21 pixels, 10 columns.
template <typename Grid>
struct TShownGrid {
    explicit TShownGrid(Integer Rows) : form(MakeOwned<TForm>(nullptr)) {
        form->SetBounds(0, 0, 620, 440);
        grid = new Grid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 600, 400);
        grid->SetColCount(10);
        grid->SetDefaultRowHeight(21);
        grid->SetRowCount(Rows);
        Testing::ShowAndActivate(form.get());
    }
    TOwned<TForm> form;
    Grid* grid = nullptr;
};

template <typename Grid>
void MouseMoves(benchmark::State& State) {
    TShownGrid<Grid> shown(static_cast<Integer>(State.range(0)));
    Grid* grid = shown.grid;
    Integer col = 0, row = 0;
    for (auto _ : State) {
        for (Integer i = 0; i < Moves; ++i) Testing::MouseMove(grid, 5 + (i * 37) % 560, 5 + (i * 53) % 360);
        grid->MouseToCell(5 + (Moves - 1) * 37 % 560, 5 + (Moves - 1) * 53 % 360, col, row);
    }
    CheckSameOutput(State, "moves", std::to_string(col) + "," + std::to_string(row));
}

void BM_StringGridMouseMoves(benchmark::State& State) { MouseMoves<TStringGrid>(State); }
void BM_MouseMoves(benchmark::State& State) { MouseMoves<RAdeRedeviDidi>(State); }

// The moves with the header cursors, links, fixed-column sizing and the selection's handle all looked for.
struct TMouseActionsGrid : RAdeRedeviDidi {
    explicit TMouseActionsGrid(TComponent* AOwner) : RAdeRedeviDidi(AOwner) {
        MouseActions()->SetColSelect(true);
        MouseActions()->SetRowSelect(true);
        MouseActions()->SetAllSelect(true);
        MouseActions()->SetSizeFixedCol(true);
        SetURLShow(true);
        SetSelectionResizer(true);
        SetSelectionRectangle(true);
        SetHovering(true);
        for (Integer r = 1; r < 20; ++r) SetCells(2, r, "http://example.org/" + IntToStr(r));
    }
};
void BM_MouseMovesActions(benchmark::State& State) { MouseMoves<TMouseActionsGrid>(State); }

// Where the drag left the view: at its end, as the thumb was pulled past the bar's end.
template <typename Grid>
std::string DragEnd(const Grid& G) {
    return G.TopRow() == G.RowCount() - G.VisibleRowCount() ? "end" : "row " + std::to_string(G.TopRow());
}

// Pressed below the bar's arrow button where the thumb stands, pulled past the bar's end in steps.
template <typename Grid>
void ThumbDrag(benchmark::State& State) {
    TShownGrid<Grid> shown(static_cast<Integer>(State.range(0)));
    Grid* grid = shown.grid;
    const Integer x = grid->ClientWidth() + 8;
    for (auto _ : State) {
        grid->SetTopRow(1);
        Testing::MouseDown(grid, x, 21);
        for (Integer y = 30; y < grid->ClientHeight() + 40; y += 20)
            Testing::MouseMove(grid, x, y, TShiftState{ssLeft});
        Testing::MouseUp(grid, x, grid->ClientHeight() + 40);
    }
    CheckSameOutput(State, "drag", DragEnd(*grid));
}

void BM_StringGridThumbDrag(benchmark::State& State) { ThumbDrag<TStringGrid>(State); }
void BM_ThumbDrag(benchmark::State& State) {
    // Rows follow the thumb while it moves, with the row hint up: the grid's own work on every step.
    ThumbDrag<RAdeRedeviDidi>(State);
}

void BM_ThumbDragSynch(benchmark::State& State) {
    TShownGrid<RAdeRedeviDidi> shown(static_cast<Integer>(State.range(0)));
    RAdeRedeviDidi* grid = shown.grid;
    grid->SetScrollSynch(true);
    grid->SetScrollHints(shVertical);
    grid->SetScrollProportional(true);
    const Integer x = grid->ClientWidth() + 8;
    for (auto _ : State) {
        grid->SetTopRow(1);
        Testing::MouseDown(grid, x, 21);
        for (Integer y = 30; y < grid->ClientHeight() + 40; y += 20)
            Testing::MouseMove(grid, x, y, TShiftState{ssLeft});
        Testing::MouseUp(grid, x, grid->ClientHeight() + 40);
    }
    CheckSameOutput(State, "drag", DragEnd(*grid));
}

// ---------------------------------------------------------------------------
// WM_SIZE with the stretch column and SynchWithGrid

constexpr Integer SizeSteps = 10;
constexpr Integer Wide = 1000, Narrow = 700;

std::string WidthsSample(const std::vector<Integer>& Widths) {
    std::string sample;
    for (std::size_t i = 0; i < Widths.size(); i += std::max<std::size_t>(1, Widths.size() / 97))
        sample += std::to_string(Widths[i]) + ",";
    return sample;
}

void BM_ScaleVector(benchmark::State& State) {
    const auto cols = static_cast<std::size_t>(State.range(0));
    std::vector<Integer> widths;
    for (auto _ : State) {
        widths.assign(cols, 64);
        Integer from = Wide;
        for (Integer step = 0; step < SizeSteps; ++step) {
            const Integer to = step % 2 == 0 ? Narrow : Wide;
            for (Integer& w : widths) w = static_cast<Integer>(std::lrint(w * (static_cast<double>(to) / from)));
            from = to;
        }
        // The last column is the grid's stretch column: with no room left it keeps the default width.
        widths.back() = 64;
        benchmark::DoNotOptimize(widths.data());
    }
    CheckSameOutput(State, "size", WidthsSample(widths));
}

void BM_SizeStretchSynch(benchmark::State& State) {
    TOwned<TForm> form = MakeOwned<TForm>(nullptr);
    form->SetBounds(0, 0, Wide + 40, 400);
    auto* grid = new RAdeRedeviDidi(form.get());
    grid->SetParent(form.get());
    grid->SetBorderStyle(bsNone);
    grid->SetScrollBars(ssNone);
    grid->SetColCount(static_cast<Integer>(State.range(0)));
    Testing::ShowAndActivate(form.get());
    grid->ColumnSize()->SetSynchWithGrid(true);
    grid->ColumnSize()->SetStretch(true);
    std::vector<Integer> widths;
    for (auto _ : State) {
        State.PauseTiming();
        grid->SetBounds(0, 0, Wide, 300);
        for (Integer c = 0; c < grid->ColCount(); ++c) grid->SetColWidths(c, 64);
        State.ResumeTiming();
        for (Integer step = 0; step < SizeSteps; ++step) grid->SetBounds(0, 0, step % 2 == 0 ? Narrow : Wide, 300);
    }
    for (Integer c = 0; c < grid->ColCount(); ++c) widths.push_back(grid->ColWidths(c));
    CheckSameOutput(State, "size", WidthsSample(widths));
}

// ---------------------------------------------------------------------------
// 1,000 and 10,000 widths saved and loaded

struct TStoreFolder {
    TStoreFolder() {
        char pattern[] = "/tmp/halcyra_bench_XXXXXX";
        folder = mkdtemp(pattern);
        SetRegistryFolderForTest(folder);
    }
    ~TStoreFolder() {
        SetRegistryFolderForTest("");
        std::filesystem::remove_all(folder);
    }
    std::string folder;
};

// A grid of Cols columns of widths 20 .. 119 keeping them in Location.
struct TStoringGrid {
    TStoringGrid(TColumnSizeLocation Location, Integer Cols) : form(MakeOwned<TForm>(nullptr)) {
        grid = new RAdeRedeviDidi(form.get());
        grid->SetColCount(Cols);
        for (Integer c = 0; c < Cols; ++c) grid->SetColWidths(c, 20 + c % 100);
        grid->ColumnSize()->SetLocation(Location);
        grid->ColumnSize()->SetKey(Location == clIniFile ? "widths.ini" : "Software\\Halcyra\\Bench");
        grid->ColumnSize()->SetSection("Widths");
    }
    std::string Sample() const {
        std::vector<Integer> widths;
        for (Integer c = 0; c < grid->ColCount(); ++c) widths.push_back(grid->ColWidths(c));
        return WidthsSample(widths);
    }
    TOwned<TForm> form;
    RAdeRedeviDidi* grid = nullptr;
};

std::string PeerText(Integer Cols) {
    std::string text = "[Widths]\n";
    for (Integer c = 0; c < Cols; ++c) text += "Col" + std::to_string(c) + "=" + std::to_string(20 + c % 100) + "\n";
    return text;
}

void BM_WriteTextFile(benchmark::State& State) {
    const auto cols = static_cast<Integer>(State.range(0));
    TStoreFolder store;
    const std::string path = store.folder + "/peer.ini";
    for (auto _ : State) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << PeerText(cols);
    }
    std::vector<Integer> widths;
    for (Integer c = 0; c < cols; ++c) widths.push_back(20 + c % 100);
    CheckSameOutput(State, "save", WidthsSample(widths));
}

void BM_ReadTextFile(benchmark::State& State) {
    const auto cols = static_cast<Integer>(State.range(0));
    TStoreFolder store;
    const std::string path = store.folder + "/peer.ini";
    std::ofstream(path, std::ios::binary) << PeerText(cols);
    std::vector<Integer> widths;
    for (auto _ : State) {
        widths.assign(cols, 64);
        std::ifstream in(path, std::ios::binary);
        std::unordered_map<std::string, Integer> values;
        for (std::string line; std::getline(in, line);)
            if (const auto equals = line.find('='); equals != std::string::npos)
                values[line.substr(0, equals)] = std::stoi(line.substr(equals + 1));
        for (Integer c = 0; c < cols; ++c)
            if (const auto found = values.find("Col" + std::to_string(c)); found != values.end())
                widths[c] = found->second;
    }
    CheckSameOutput(State, "load", WidthsSample(widths));
}

void SaveWidths(benchmark::State& State, TColumnSizeLocation Location) {
    TStoreFolder store;
    TStoringGrid storing(Location, static_cast<Integer>(State.range(0)));
    for (auto _ : State) storing.grid->SaveColWidths();
    CheckSameOutput(State, "save", storing.Sample());
}

void LoadWidths(benchmark::State& State, TColumnSizeLocation Location) {
    TStoreFolder store;
    TStoringGrid storing(Location, static_cast<Integer>(State.range(0)));
    storing.grid->SaveColWidths();
    for (auto _ : State) {
        State.PauseTiming();
        for (Integer c = 0; c < storing.grid->ColCount(); ++c) storing.grid->SetColWidths(c, 64);
        State.ResumeTiming();
        storing.grid->LoadColWidths();
    }
    CheckSameOutput(State, "load", storing.Sample());
}

void BM_SaveIniWidths(benchmark::State& State) { SaveWidths(State, clIniFile); }
void BM_SaveRegistryWidths(benchmark::State& State) { SaveWidths(State, clRegistry); }
void BM_LoadIniWidths(benchmark::State& State) { LoadWidths(State, clIniFile); }
void BM_LoadRegistryWidths(benchmark::State& State) { LoadWidths(State, clRegistry); }

std::string PeerOf(const std::string& Name) {
    static const std::unordered_map<std::string, std::string> peers = {
        {"BM_MouseMoves", "BM_StringGridMouseMoves"},        {"BM_ThumbDrag", "BM_StringGridThumbDrag"},
        {"BM_MouseMovesActions", "BM_StringGridMouseMoves"}, {"BM_ThumbDragSynch", "BM_StringGridThumbDrag"},
        {"BM_SizeStretchSynch", "BM_ScaleVector"},           {"BM_SaveIniWidths", "BM_WriteTextFile"},
        {"BM_SaveRegistryWidths", "BM_WriteTextFile"},       {"BM_LoadIniWidths", "BM_ReadTextFile"},
        {"BM_LoadRegistryWidths", "BM_ReadTextFile"},
    };
    const auto found = peers.find(Name);
    return found != peers.end() ? found->second : Name;
}

#define ROW_SIZES ->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_StringGridMouseMoves) ROW_SIZES;
BENCHMARK(BM_MouseMoves) ROW_SIZES;
BENCHMARK(BM_MouseMovesActions) ROW_SIZES;
BENCHMARK(BM_StringGridThumbDrag) ROW_SIZES;
BENCHMARK(BM_ThumbDrag) ROW_SIZES;
BENCHMARK(BM_ThumbDragSynch) ROW_SIZES;
#define COL_SIZES ->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ScaleVector) COL_SIZES;
BENCHMARK(BM_SizeStretchSynch) COL_SIZES;
#define STORE_SIZE ->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_WriteTextFile) STORE_SIZE;
BENCHMARK(BM_SaveIniWidths) STORE_SIZE;
BENCHMARK(BM_SaveRegistryWidths) STORE_SIZE;
BENCHMARK(BM_ReadTextFile) STORE_SIZE;
BENCHMARK(BM_LoadIniWidths) STORE_SIZE;
BENCHMARK(BM_LoadRegistryWidths) STORE_SIZE;

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"1000", "10000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
