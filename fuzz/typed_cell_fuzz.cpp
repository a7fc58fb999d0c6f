// Arbitrary bytes through the grid's typed cell access: Ints and Floats give a value or EProGridError and
// leave the cell, a Dates write of any double gives a text or EConvertError (the cell unchanged then),
// and wide text comes back as it went in.
//
// Input: the cell text; its first eight bytes are also the double written as a date, and its bytes in
// pairs the UTF-16 units written as wide text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "ProGrid.h"
#include "support/FuzzCheck.h"

using ProGrid::EProGridError;
using ProGrid::RAdeRedeviDidi;

namespace {

RAdeRedeviDidi& Grid() {
    static RAdeRedeviDidi* grid = [] {
        auto* made = new RAdeRedeviDidi(nullptr);  // lives with the process
        made->SetColCount(3);
        made->SetRowCount(3);
        return made;
    }();
    return *grid;
}

template <typename Read>
void CheckRead(RAdeRedeviDidi& grid, const std::string& text, Read read) {
    grid.SetCells(1, 1, text);
    try {
        read();
    } catch (const EProGridError&) {
    }
    Check(grid.Cells(1, 1) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    RAdeRedeviDidi& grid = Grid();
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    CheckRead(grid, text, [&] { grid.Ints(1, 1); });
    CheckRead(grid, text, [&] { (void)grid.Floats(1, 1); });

    double date = 0;
    std::memcpy(&date, Data, std::min(Size, sizeof date));
    for (bool showZero : {true, false}) {
        grid.SetShowZeroDates(showZero);
        grid.SetCells(2, 2, "before");
        try {
            grid.SetDates(2, 2, date);
            Check(!grid.Cells(2, 2).empty() || (date <= 0 && !showZero));
        } catch (const EConvertError&) {
            Check(grid.Cells(2, 2) == "before");
        }
    }

    WideString wide(Size / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<char16_t>(Data[2 * i] << 8 | Data[2 * i + 1]);
    grid.SetWideCells(0, 2, wide);
    Check(grid.WideCells(0, 2) == wide);
    Check(grid.IsUnicodeCell(0, 2));
    return 0;
}
