// The grid's data operations on 10-column grids, each beside a peer doing the same work on the same input
// in the same run, with the outputs compared. Each block registers its pairs with PeerOf.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/Forms.h"

using namespace ProGrid;

namespace {

constexpr Integer Cols = GridBenchCols;

// Benchmark -> peer, filled by each block.
std::unordered_map<std::string, std::string>& Peers() {
    static std::unordered_map<std::string, std::string> peers;
    return peers;
}
struct TPeerPair {
    TPeerPair(const char* Benchmark, const char* Peer) { Peers()[Benchmark] = Peer; }
};

std::string PeerOf(const std::string& Name) {
    const auto found = Peers().find(Name);
    return found != Peers().end() ? found->second : Name;
}

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

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"1000", "10000", "100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
