// Spreadsheet import. Mode 0: an address and sheet names from the bytes through a fake server: the grid
// is sized to the box the address names, or left as it was, or the sheet is reported missing; the
// workbook is closed and the server quits every time. Mode 1: the bytes as a workbook file for the
// platform's server: its values, or an automation error.
//
// Input: a mode byte, then what the mode reads (mode 0: the used address, a NUL, the sheet asked for, a
// NUL, the sheets' names separated by NULs).
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "FakeSpreadsheet.h"
#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/SheetRange.h"

using namespace ProGrid;
using fuzzstage::Stage;

namespace {

std::vector<std::string> SplitAtNul(const std::string& Bytes) {
    std::vector<std::string> parts(1);
    for (char c : Bytes) {
        if (c == '\0') parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

void ThroughFakeServer(RAdeRedeviDidi& Grid, const std::string& Bytes) {
    std::vector<std::string> parts = SplitAtNul(Bytes);
    parts.resize(std::max<std::size_t>(parts.size(), 3));
    const AnsiString address = parts[0];
    const AnsiString asked = parts[1];
    TSheetRange box;
    const bool sized = ParseSheetRange(address, box);
    // Huge boxes are right too, only slow to fill.
    if (sized && static_cast<Int64>(box.ColCount()) * box.RowCount() > 20000) return;
    TFakeSpreadsheet server;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        Variant values = VarArrayCreate({1, 2, 1, 2});
        VarArrayPut(values, Variant(AnsiString(parts[i])), {1, 1});
        server.Sheets.push_back({parts[i], address, i % 2 ? values : Variant(AnsiString(parts[i]))});
    }
    const Integer cols = Grid.ColCount();
    const Integer rows = Grid.RowCount();
    bool found = true;
    try {
        Grid.LoadFromXLSSheet("book.xls", asked);
    } catch (const EProGridError& e) {
        Check(e.Message() == "Excel worksheet " + asked + " not found");
        found = false;
    }
    Check(found == (asked.empty() || std::find_if(server.Sheets.begin(), server.Sheets.end(), [&](const auto& S) {
                                         return S.Name == asked;
                                     }) != server.Sheets.end()));
    Check(server.Calls.size() >= 3 && server.Calls.back() == "Quit" &&
          server.Calls[server.Calls.size() - 2] == "Close SaveChanges=False");
    if (found && sized) Check(Grid.ColCount() == box.ColCount() && Grid.RowCount() == box.RowCount());
    else Check(Grid.ColCount() == cols && Grid.RowCount() == rows);
}

void ThroughWorkbookFile(RAdeRedeviDidi& Grid, const std::string& Bytes) {
    static const std::string name = "/tmp/halcyra_xls_fuzz_" + std::to_string(getpid()) + ".xls";
    std::ofstream(name, std::ios::binary | std::ios::trunc) << Bytes;
    try {
        Grid.LoadFromXLS(name);
    } catch (const EOleError&) {
        return;  // the file's own error
    }
    Check(Grid.ColCount() <= SheetMaxCols && Grid.RowCount() <= SheetMaxRows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 65536) return 0;
    TOwned<RAdeRedeviDidi> grid(new RAdeRedeviDidi(nullptr));
    grid->SetParent(&Stage());
    grid->SetBounds(0, 0, 300, 200);
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0) ThroughFakeServer(*grid, bytes);
    else ThroughWorkbookFile(*grid, bytes);
    return 0;
}
