// Arbitrary footer templates and cell texts: the expansion raises nothing and equals the plain
// delete-as-you-go reading of the template kept here; the footer calculations raise only EProGridError for
// a value that does not convert; the panel paints every style without an exception reaching the
// application (the grid goes with every run, so a leak shows).
//
// Input: a settings byte (current row, footer style), a calculation byte (two bits per footer column),
// then the template and the cell texts of rows 1 and 2, each up to a 0 byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"

using namespace ProGrid;

using fuzzstage::NewStageGrid;

namespace {

constexpr Integer Cols = 4;

// Each "<#" is cut off with what stands before it, then the tag up to the next ">" (or the rest); a tag
// that reads as the number of a column gives that column's text in the current row.
AnsiString LiteralExpansion(RAdeRedeviDidi& Grid, AnsiString Rest) {
    AnsiString result;
    for (std::size_t at = Rest.find("<#"); at != AnsiString::npos; at = Rest.find("<#")) {
        result += Rest.substr(0, at);
        Rest.erase(0, at + 2);
        const std::size_t close = Rest.find('>');
        const AnsiString tag = Rest.substr(0, close);
        Rest.erase(0, close == AnsiString::npos ? Rest.size() : close + 1);
        Integer col = 0;
        if (TryStrToInt(tag, col) && col >= 0 && col < Grid.ColCount()) {
            AnsiString text;
            Grid.ReadCell(col, Grid.Row(), text);
            result += text;
        }
    }
    return result + Rest;
}

std::vector<AnsiString> Parts(const std::uint8_t* Data, std::size_t Size) {
    std::vector<AnsiString> parts(1);
    for (std::size_t i = 0; i < Size; ++i) {
        if (Data[i] == 0) parts.emplace_back();
        else parts.back() += static_cast<char>(Data[i]);
    }
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size < 2) return 0;
    const std::uint8_t settings = Data[0], calculations = Data[1];
    const std::vector<AnsiString> parts = Parts(Data + 2, Size - 2);
    bool handled = false;
    Application->OnException = [&handled](TObject*, Exception*) { handled = true; };

    auto* grid = NewStageGrid<RAdeRedeviDidi>();
    grid->SetColCount(Cols);
    grid->SetRowCount(4);
    for (std::size_t i = 1; i < parts.size() && i <= 2 * Cols; ++i)
        grid->SetCells(static_cast<Integer>((i - 1) % Cols), static_cast<Integer>(1 + (i - 1) / Cols), parts[i]);
    grid->SetRow(1 + (settings & 1));

    const AnsiString& tmpl = parts[0];
    Check(grid->ExpandFooterTemplate(tmpl) == LiteralExpansion(*grid, tmpl));

    for (Integer c = 0; c < Cols; ++c)
        grid->GetCellProperties(c, 3)->SetCalcType(static_cast<Byte>((calculations >> (2 * c)) & 3) + (c & 1) * 3);
    grid->FloatingFooter()->SetVisible(true);
    try {
        grid->UpdateFooterAll();
    } catch (const EProGridError& e) {
        Check(e.Message() == "Cell does not contain a float value");
    }

    grid->FloatingFooter()->SetCustomTemplate(tmpl);
    grid->FloatingFooter()->SetColumn(static_cast<Integer>(settings >> 4) - 2);
    grid->FloatingFooter()->SetFooterStyle(static_cast<TFooterStyle>((settings >> 1) % 3));
    delete Testing::RenderControl(grid->FooterPanel());
    Check(!handled);

    grid->Free();
    Application->OnException = nullptr;
    return 0;
}
