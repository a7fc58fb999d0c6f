// The full grid's cell painting: repainting a page of 40 rows by 10 columns of plain texts over 1k and 1M
// rows against the class library's string grid painting the same texts, and the same page of mark-up and
// of rich text against the plain page.
#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/WinGdi.h"

namespace {

constexpr int Cols = GridBenchCols;
constexpr int PageRows = 40;

enum TPageKind { pkPlain, pkHTML, pkRich };

std::string PageText(TPageKind Kind, int Col, int Row) {
    const std::string text = GridCellText(Col, Row);
    if (Kind == pkHTML) return "<B>" + text.substr(0, 4) + "</B>" + text.substr(4);
    if (Kind == pkRich)
        return "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\b " + text.substr(0, 4) + "\\b0\\cf1 " + text.substr(4) +
               "}";
    return text;
}

// A shown form with a borderless grid of class T showing exactly 40 rows of 10 columns (64 x 20 pixels),
// the texts of the page written.
template <typename T>
struct ShownPage {
    ShownPage(int Rows, TPageKind Kind) : form(MakeOwned<TForm>(nullptr)) {
        form->SetBounds(0, 0, 700, 860);
        grid = new T(form.get());
        grid->SetParent(form.get());
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        // The full grid draws its lines inside its cells: the peer's cells abut as well.
        if constexpr (std::is_same_v<T, TStringGrid>) grid->SetGridLineWidth(0);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(20);
        grid->SetBounds(0, 0, 64 * Cols, 20 * PageRows);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        for (int r = 0; r < PageRows; ++r)
            for (int c = 0; c < Cols; ++c) grid->SetCells(c, r, PageText(Kind, c, r));
        Testing::ShowAndActivate(form.get());
        grid->Repaint();
    }
    // The texts one repaint draws, in drawing order (mark-up comes as its runs).
    std::vector<std::string> DrawnTexts() {
        std::vector<AnsiString> lines;
        grid->Canvas()->SetRecorder(&lines);
        grid->Repaint();
        grid->Canvas()->SetRecorder(nullptr);
        std::vector<std::string> texts;
        for (const AnsiString& line : lines) {
            if (line.rfind("DrawText ", 0) != 0 && line.rfind("TextOut ", 0) != 0 && line.rfind("TextRect ", 0) != 0)
                continue;
            // Measuring calls (DT_CALCRECT) draw nothing.
            const std::size_t flags = line.find(" $");
            if (flags != std::string::npos && (std::stoul(line.substr(flags + 2, 8), nullptr, 16) & DT_CALCRECT))
                continue;
            const std::size_t open = line.find('"'), close = line.find('"', open + 1);
            if (open != std::string::npos && close != std::string::npos && close > open + 1)
                texts.push_back(line.substr(open + 1, close - open - 1));
        }
        return texts;
    }
    // The character ranges one repaint lays out and draws through the rich edit, in drawing order.
    std::vector<std::string> RenderedRanges() {
        std::vector<AnsiString> lines;
        grid->Canvas()->SetRecorder(&lines);
        grid->Repaint();
        grid->Canvas()->SetRecorder(nullptr);
        std::vector<std::string> ranges;
        for (const AnsiString& line : lines) {
            if (line.rfind("FormatRange ", 0) != 0 || line.find(" render ") == std::string::npos) continue;
            // "FormatRange <box> <from>,<to> render next=<n>"
            const std::size_t from = line.find(' ', line.find(' ') + 1) + 1;
            ranges.push_back(line.substr(from, line.find(' ', from) - from));
        }
        return ranges;
    }
    TOwned<TForm> form;
    T* grid = nullptr;
};

template <typename T>
void RepaintPage(benchmark::State& state, TPageKind Kind, const std::vector<std::string>& Expected) {
    ShownPage<T> page(static_cast<int>(state.range(0)), Kind);
    std::vector<std::string> drawn = page.DrawnTexts();
    if (Kind == pkPlain && drawn != Expected) state.SkipWithError("the page's texts are not what was drawn");
    if (Kind == pkRich) {
        // Each cell's whole text, as many characters as its plain twin, and nothing drawn as plain text.
        const std::vector<std::string> ranges = page.RenderedRanges();
        bool same = drawn.empty() && ranges.size() == Expected.size();
        for (std::size_t i = 0; same && i < Expected.size(); ++i)
            same = ranges[i] == "0," + std::to_string(Expected[i].size());
        if (!same) state.SkipWithError("the page's rich texts are not what was drawn");
        drawn = ranges;
    }
    if (Kind == pkHTML) {
        // Each cell's two runs, the bold one first.
        bool same = drawn.size() == 2 * Expected.size();
        for (std::size_t i = 0; same && i < Expected.size(); ++i) same = drawn[2 * i] + drawn[2 * i + 1] == Expected[i];
        if (!same) state.SkipWithError("the page's runs are not what was drawn");
    }
    for (auto _ : state) page.grid->Repaint();
    state.counters["texts/paint"] = static_cast<double>(drawn.size());
}

// The page's texts in painting order: row by row, fixed cells first in each block as the grid visits them.
std::vector<std::string> PlainPageTexts() {
    ShownPage<TStringGrid> page(PageRows, pkPlain);
    return page.DrawnTexts();
}

void BM_StringGridPage(benchmark::State& state) { RepaintPage<TStringGrid>(state, pkPlain, PlainPageTexts()); }

void BM_PlainPage(benchmark::State& state) { RepaintPage<ProGrid::RAdeRedeviDidi>(state, pkPlain, PlainPageTexts()); }

void BM_HTMLPage(benchmark::State& state) { RepaintPage<ProGrid::RAdeRedeviDidi>(state, pkHTML, PlainPageTexts()); }

void BM_RichPage(benchmark::State& state) { RepaintPage<ProGrid::RAdeRedeviDidi>(state, pkRich, PlainPageTexts()); }

BENCHMARK(BM_StringGridPage)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainPage)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HTMLPage)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RichPage)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(
        [](const std::string& Name) {
            if (Name == "BM_PlainPage") return std::string("BM_StringGridPage");
            if (Name == "BM_HTMLPage" || Name == "BM_RichPage") return std::string("BM_PlainPage");
            return Name;
        },
        {"1000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
